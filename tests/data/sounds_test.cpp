// SPDX-License-Identifier: GPL-3.0-or-later
// Every sound number the game plays must name a wave file the wave manager can load:
// RIFF/WAVE with a PCM "fmt " chunk and a non-empty "data" chunk.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "data_tree.h"
#include "foundation/obf_text.h"

namespace qr {
namespace {

using namespace datatest;

struct WaveInfo {
    bool valid = false;
    std::string fault;
    double seconds = 0;
    size_t dataAt = 0, dataSize = 0;
    int bits = 0;
};

// What the game's loader checks, plus the length, read the way it descends the chunks.
WaveInfo InspectWave(const std::vector<uint8_t>& d) {
    WaveInfo info;
    if (d.size() < 12 || std::string(d.begin(), d.begin() + 4) != "RIFF" ||
        std::string(d.begin() + 8, d.begin() + 12) != "WAVE") {
        info.fault = "not RIFF/WAVE";
        return info;
    }
    uint32_t byteRate = 0;
    bool pcm = false;
    size_t dataSize = 0;
    for (size_t at = 12; at + 8 <= d.size();) {
        std::string id(d.begin() + at, d.begin() + at + 4);
        uint32_t size = Le32(d, at + 4);
        if (at + 8 + size > d.size()) {
            info.fault = "chunk " + id + " runs past the end";
            return info;
        }
        if (id == "fmt " && size >= 16) {
            pcm = Le16(d, at + 8) == 1;
            byteRate = Le32(d, at + 16);
            info.bits = Le16(d, at + 22);
        } else if (id == "data") {
            dataSize = size;
            info.dataAt = at + 8;
        }
        at += 8 + size + (size & 1);
    }
    if (!pcm)
        info.fault = "no PCM format";
    else if (dataSize == 0)
        info.fault = "no sample data";
    else if (byteRate == 0)
        info.fault = "no byte rate";
    else {
        info.valid = true;
        info.seconds = double(dataSize) / byteRate;
        info.dataSize = dataSize;
    }
    return info;
}

std::vector<std::string> SoundTable() {
    TObfText dat(TreePath("dat/sounds.dat"));
    std::vector<std::string> names;
    while (!dat.EndOfData()) {
        std::string line = dat.ReadLine();
        if (!line.empty()) names.push_back(line);
    }
    return names;
}

TEST(Sounds, EveryNumberResolvesToALoadableShortWave) {
    std::vector<std::string> names = SoundTable();
    ASSERT_GE(names.size(), 24u) << "sound numbers 0-23 are played";
    for (size_t n = 0; n < names.size(); ++n) {
        WaveInfo w = InspectWave(ReadBytes(TreePath("wav/" + names[n] + ".wav")));
        EXPECT_TRUE(w.valid) << "sound " << n << " (" << names[n] << "): " << w.fault;
        // One sound plays at a time, so a long one would swallow the next events.
        EXPECT_LT(w.seconds, 1.5) << "sound " << n << " (" << names[n] << ")";
    }
}

TEST(Sounds, EachGameEventHasItsOwnSound) {
    // Sound numbers after the event-code mapping: 11 say box, 16 score roll, 17 level
    // start, 18 letter taken back, 19 wrong, 20 card appears, 21 card collected,
    // 22 card lost, 23 right.
    std::vector<std::string> names = SoundTable();
    ASSERT_GE(names.size(), 24u);
    std::set<std::string> distinct;
    for (int n : {11, 16, 17, 18, 19, 20, 21, 22, 23})
        distinct.insert(names[n]);
    EXPECT_EQ(distinct.size(), 9u) << "two game events share one sound";
}

// Level in dB below full scale of the 16-bit samples from `from` (seconds, negative:
// counted from the end) to the end.
double LevelDb(const std::string& name, double from) {
    std::vector<uint8_t> d = ReadBytes(TreePath("wav/" + name + ".wav"));
    WaveInfo w = InspectWave(d);
    if (!w.valid || w.bits != 16) return 0;
    const size_t count = w.dataSize / 2;
    const size_t skip = from >= 0 ? size_t(from * count / w.seconds)
                                  : count - std::min(count, size_t(-from * count / w.seconds));
    double sum = 0;
    for (size_t i = skip; i < count; ++i) {
        const double v = int16_t(Le16(d, w.dataAt + 2 * i)) / 32768.0;
        sum += v * v;
    }
    return count > skip ? 10 * std::log10(sum / double(count - skip) + 1e-12) : -120;
}

TEST(Sounds, FailureSoundsAreQuieterThanSuccessSoundsAndEveryTailFades) {
    // 17 level start, 20 card appears, 21 card collected, 23 right; 18 letter taken
    // back, 19 wrong, 22 card lost. Loudness is the power over the whole sound: a
    // steady tone normalised to a low peak can still be as loud as a plucked one.
    std::vector<std::string> names = SoundTable();
    ASSERT_GE(names.size(), 24u);
    double quietestYes = 0;
    for (int n : {17, 20, 21, 23})
        quietestYes = std::min(quietestYes, LevelDb(names[n], 0));
    for (int n : {18, 19, 22})
        EXPECT_LE(LevelDb(names[n], 0), quietestYes - 2)
            << "sound " << n << " (" << names[n] << ")";
    // A tail still ringing where the file ends is heard as a click of its own.
    for (const std::string& name : std::set<std::string>(names.begin(), names.end()))
        EXPECT_LT(LevelDb(name, -0.005), -60) << name;
}

TEST(Sounds, InspectorRejectsBrokenWaves) {
    std::vector<uint8_t> good = ReadBytes(TreePath("wav/right.wav"));
    ASSERT_TRUE(InspectWave(good).valid);
    std::vector<uint8_t> notPcm = good;
    notPcm[20] = 3; // format tag of the first chunk
    EXPECT_FALSE(InspectWave(notPcm).valid);
    std::vector<uint8_t> cut(good.begin(), good.begin() + 60);
    EXPECT_FALSE(InspectWave(cut).valid);
}

} // namespace
} // namespace qr

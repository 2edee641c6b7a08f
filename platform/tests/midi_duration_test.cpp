// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless/midi_duration.h"

#include <gtest/gtest.h>

#include <vector>

namespace qr {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Chunk(const char* id, const Bytes& body) {
    Bytes c(id, id + 4);
    const auto n = uint32_t(body.size());
    c.insert(c.end(), {uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)});
    c.insert(c.end(), body.begin(), body.end());
    return c;
}

Bytes File(uint16_t format, uint16_t division, const std::vector<Bytes>& tracks) {
    Bytes f = Chunk("MThd", {0, uint8_t(format), 0, uint8_t(tracks.size()), uint8_t(division >> 8),
                             uint8_t(division)});
    for (const auto& t : tracks) {
        Bytes c = Chunk("MTrk", t);
        f.insert(f.end(), c.begin(), c.end());
    }
    return f;
}

std::optional<uint32_t> Duration(const Bytes& b) {
    return MidiDuration(b.data(), b.size());
}

const Bytes kEnd = {0x00, 0xFF, 0x2F, 0x00};

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST(MidiDuration, FollowsTempoChangesAcrossTracks) {
    // 480 ticks a beat. Conductor: 120 bpm, then 60 bpm from tick 960. The note track runs
    // to tick 1920 with running status: 960 ticks at 0.5 s a beat + 960 at 1 s = 3 s.
    const Bytes conductor = Concat({{0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20},
                                    {0x87, 0x40, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40},
                                    kEnd});
    const Bytes notes = Concat({{0x00, 0xC0, 0x05}, // program (one data byte)
                                {0x00, 0x90, 60, 100, 0x87, 0x40, 64, 100}, // running status
                                {0x87, 0x40, 0x80, 60, 0},
                                {0x00, 0xF0, 0x02, 0x7E, 0xF7}, // sysex
                                kEnd});
    EXPECT_EQ(Duration(File(1, 480, {conductor, notes})), 3000u);
    EXPECT_EQ(Duration(File(0, 480, {notes})), 2000u); // no tempo: 120 bpm
}

TEST(MidiDuration, SmpteDivision) {
    // 25 frames a second, 40 ticks a frame: 1000 ticks a second.
    const Bytes t = Concat({{0x87, 0x68, 0x90, 60, 100}, kEnd}); // delta 1000
    EXPECT_EQ(Duration(File(0, uint16_t(0xE728), {t})), 1000u);
}

TEST(MidiDuration, MalformedFilesHaveNoDuration) {
    const Bytes good = File(0, 480, {Concat({{0x00, 0x90, 60, 100}, kEnd})});
    EXPECT_TRUE(Duration(good));
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"empty", {}},
        {"not MThd", Bytes(good.begin() + 1, good.end())},
        {"no tracks", File(0, 480, {})},
        {"division 0", File(0, 0, {kEnd})},
        {"data without a status", File(0, 480, {{0x00, 60, 100}})},
        {"meta past the end", File(0, 480, {{0x00, 0xFF, 0x01, 0x20, 'a'}})},
        {"endless length", File(0, 480, {{0xFF, 0xFF, 0xFF, 0xFF, 0x7F}})},
        {"track longer than the file", Bytes(good.begin(), good.end() - 2)},
    };
    for (const auto& [what, bytes] : cases)
        EXPECT_FALSE(Duration(bytes)) << what;
}

} // namespace
} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/sound/riff_wave.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <functional>

#include "foundation/silent_abort.h"
#include "game/sound/tests/wave_bytes.h"

namespace qr {
namespace {

using test::PutTag;
using test::PutU16;
using test::PutU32;
using test::WaveBytes;

WaveData Parse(const std::vector<uint8_t>& b) {
    return ParseWave(b.data(), b.size());
}

TEST(RiffWave, ReadsFormatAndSamples) {
    const std::vector<uint8_t> samples = {0x10, 0x00, 0xF0, 0xFF, 0x00, 0x80, 0xFF, 0x7F};
    const WaveData w = Parse(WaveBytes(samples, 2, 44100, 16));
    EXPECT_EQ(w.format.formatTag, 1);
    EXPECT_EQ(w.format.channels, 2);
    EXPECT_EQ(w.format.samplesPerSec, 44100u);
    EXPECT_EQ(w.format.blockAlign, 4);
    EXPECT_EQ(w.format.bitsPerSample, 16);
    EXPECT_EQ(w.samples, samples);
    EXPECT_TRUE(w.format.IsPlayable());
}

TEST(RiffWave, SkipsOtherChunksAndOddPadding) {
    // "LIST" with an odd size (padded) before "fmt ", and a "fact" chunk before "data";
    // an 18-byte format chunk carries its extra size.
    std::vector<uint8_t> b;
    PutTag(b, "RIFF");
    PutU32(b, 0);
    PutTag(b, "WAVE");
    PutTag(b, "LIST");
    PutU32(b, 3);
    b.insert(b.end(), {'a', 'b', 'c', 0});
    PutTag(b, "fmt ");
    PutU32(b, 18);
    PutU16(b, 1);
    PutU16(b, 1);
    PutU32(b, 8000);
    PutU32(b, 8000);
    PutU16(b, 1);
    PutU16(b, 8);
    PutU16(b, 0);
    PutTag(b, "fact");
    PutU32(b, 4);
    PutU32(b, 3);
    PutTag(b, "data");
    PutU32(b, 3);
    b.insert(b.end(), {1, 2, 3, 0});
    const uint32_t riff = uint32_t(b.size() - 8);
    for (int i = 0; i < 4; ++i)
        b[4 + i] = uint8_t(riff >> (8 * i));
    const WaveData w = Parse(b);
    EXPECT_EQ(w.format.samplesPerSec, 8000u);
    EXPECT_EQ(w.samples, (std::vector<uint8_t>{1, 2, 3}));
}

TEST(RiffWave, EveryFaultIsASilentAbort) {
    const auto good = WaveBytes({1, 2, 3, 4});
    struct Case {
        const char* what;
        std::function<std::vector<uint8_t>()> bytes;
    };
    const Case cases[] = {
        {"empty file", [] { return std::vector<uint8_t>{}; }},
        {"not RIFF",
         [&] {
             auto b = good;
             b[0] = 'X';
             return b;
         }},
        {"RIFF size too small for its own form",
         [&] {
             auto b = good;
             b[4] = b[5] = b[6] = b[7] = 0;
             return b;
         }},
        {"not WAVE",
         [&] {
             auto b = good;
             b[8] = 'A';
             return b;
         }},
        {"no fmt chunk",
         [&] {
             auto b = good;
             b[12] = 'x';
             return b;
         }},
        {"format chunk too short",
         [&] {
             auto b = good;
             b[16] = 12;
             return b;
         }},
        {"not PCM",
         [] {
             return WaveBytes({1, 2}, 1, 22050, 8, 2);
         }},
        {"no data chunk",
         [&] {
             auto b = good;
             b[36] = 'D';
             return b;
         }},
        {"empty data", [] { return WaveBytes({}); }},
        {"data cut short",
         [&] {
             auto b = good;
             b.resize(b.size() - 2);
             return b;
         }},
        {"chunk size past the end",
         [&] {
             auto b = good;
             b[16] = 0xFF;
             b[17] = 0xFF;
             b[18] = 0xFF;
             b[19] = 0x7F;
             return b;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_THROW(Parse(c.bytes()), SilentAbort);
    }
}

TEST(RiffWave, MissingFileIsASilentAbort) {
    EXPECT_THROW(ReadWaveFile("/nonexistent/folder/none.wav"), SilentAbort);
    // Names from the sound table that lead to a folder: one that is a folder, and one with
    // a zero byte that ends the path at the folder.
    const std::string dir = ::testing::TempDir();
    std::filesystem::create_directories(dir + "/folder.wav");
    EXPECT_THROW(ReadWaveFile(dir + "/folder.wav"), SilentAbort);
    EXPECT_THROW(ReadWaveFile(dir + "/" + std::string("\0x", 2) + ".wav"), SilentAbort);
}

} // namespace
} // namespace qr

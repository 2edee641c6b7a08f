// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave_mixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/headless/headless_sound.h"

namespace qr {
namespace {

WaveFormat Format(uint16_t channels, uint16_t bits, uint32_t rate) {
    WaveFormat f;
    f.channels = channels;
    f.bitsPerSample = bits;
    f.samplesPerSec = rate;
    f.blockAlign = uint16_t(channels * bits / 8);
    f.avgBytesPerSec = rate * f.blockAlign;
    return f;
}

WaveHeader Header(const std::vector<uint8_t>& data, uint32_t loops = 1) {
    WaveHeader h;
    h.data = data.data();
    h.length = uint32_t(data.size());
    h.user = 7;
    if (loops > 1) {
        h.flags = kWaveHdrBeginLoop | kWaveHdrEndLoop;
        h.loops = loops;
    }
    return h;
}

// Renders the voice to its end in blocks of `block` frames; returns interleaved stereo.
std::vector<float> Render(WaveVoice& v, uint32_t rate, size_t block = 64) {
    std::vector<float> out;
    for (int guard = 0; guard < 100000; ++guard) {
        std::vector<float> buf(block * 2, 0.0f);
        const bool done = v.MixInto(buf.data(), block, rate);
        out.insert(out.end(), buf.begin(), buf.end());
        if (done) break;
    }
    return out;
}

TEST(WaveVoice, DecodesEachSampleFormat) {
    struct Case {
        const char* what;
        uint16_t channels, bits;
        std::vector<uint8_t> data;
        std::vector<float> expected; // first frame: left, right
    } cases[] = {
        {"8-bit mono", 1, 8, {192}, {0.5f, 0.5f}},
        {"8-bit stereo", 2, 8, {0, 255}, {-1.0f, 127.0f / 128.0f}},
        {"16-bit mono", 1, 16, {0x00, 0xC0}, {-0.5f, -0.5f}},
        {"16-bit stereo", 2, 16, {0x00, 0x40, 0x00, 0x80}, {0.5f, -1.0f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WaveVoice v(Format(c.channels, c.bits, 8000), Header(c.data));
        float out[2] = {0.25f, 0.25f}; // mixing adds to what is there
        EXPECT_TRUE(v.MixInto(out, 1, 8000));
        EXPECT_FLOAT_EQ(out[0], 0.25f + c.expected[0]);
        EXPECT_FLOAT_EQ(out[1], 0.25f + c.expected[1]);
    }
}

TEST(WaveVoice, PlaysEveryPassAndBreakingEndsAfterTheCurrentOne) {
    std::vector<uint8_t> data(100);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = uint8_t(100 + i);
    WaveVoice three(Format(1, 8, 8000), Header(data, 3));
    std::vector<float> out(2 * 1000, 0.0f);
    EXPECT_TRUE(three.MixInto(out.data(), 1000, 8000));
    EXPECT_FLOAT_EQ(out[2 * 299], (199.0f - 128.0f) / 128.0f);
    EXPECT_FLOAT_EQ(out[2 * 300], 0.0f); // nothing after the third pass

    WaveVoice endless(Format(1, 8, 8000), Header(data, 10000000));
    std::vector<float> part(2 * 150, 0.0f);
    EXPECT_FALSE(endless.MixInto(part.data(), 150, 8000));
    endless.BreakLoop();
    std::vector<float> rest(2 * 1000, 0.0f);
    EXPECT_TRUE(endless.MixInto(rest.data(), 1000, 8000));
    EXPECT_NE(rest[2 * 49], 0.0f);
    EXPECT_FLOAT_EQ(rest[2 * 50], 0.0f); // the second pass finished at frame 200
}

TEST(WaveVoice, ResamplesToTheRightLengthWithoutAClickAtTheLoopJoin) {
    // One period of a cosine per pass (the join at its peak) at 22 050 Hz, looped 4 times, played
    // at 44 100 Hz.
    const uint32_t frames = 441;
    std::vector<uint8_t> data(frames * 2);
    for (uint32_t i = 0; i < frames; ++i) {
        const auto s = int16_t(std::lround(20000 * std::cos(2 * M_PI * i / frames)));
        data[2 * i] = uint8_t(s);
        data[2 * i + 1] = uint8_t(uint16_t(s) >> 8);
    }
    WaveVoice v(Format(1, 16, 22050), Header(data, 4));
    const std::vector<float> out = Render(v, 44100, 100);
    size_t last = 0;
    float maxStep = 0.0f;
    for (size_t i = 0; i + 1 < out.size() / 2; ++i) {
        if (out[2 * i] != 0.0f) last = i;
        if (i + 1 < 4 * frames * 2 - 1)
            maxStep = std::max(maxStep, std::fabs(out[2 * (i + 1)] - out[2 * i]));
    }
    EXPECT_NEAR(double(last + 1), 4.0 * frames * 2, 2.0);
    // A cosine of amplitude 0.61 sampled 882 times a period moves at most 2*pi*0.61/882 a step.
    EXPECT_LT(maxStep, 0.0045f);
}

TEST(HeadlessWaveOut, BuffersLastTheirSampleCountAndEndOnce) {
    SoundEventQueue events;
    HeadlessWaveOut out(events);
    std::vector<uint8_t> data(2205); // 100 ms at 22 050 Hz, 8-bit mono
    auto device = out.Open(Format(1, 8, 22050));
    ASSERT_TRUE(device);
    ASSERT_TRUE(device->Write(Header(data, 3)));
    EXPECT_FALSE(device->Write(Header(data))); // one buffer at a time
    out.Advance(299);
    EXPECT_TRUE(events.Empty());
    out.Advance(1);
    auto e = events.Pop();
    ASSERT_TRUE(e);
    EXPECT_EQ(e->kind, SoundEvent::Kind::WaveDone);
    EXPECT_EQ(e->token, 7u);
    device->Reset();
    device.reset();
    EXPECT_TRUE(events.Empty());

    EXPECT_FALSE(out.Open(Format(3, 8, 22050))); // not a playable format
    device = out.Open(Format(1, 8, 22050));
    device->Write(Header(data));
    device.reset(); // closing a busy device reports its end
    EXPECT_TRUE(events.Pop());
}

} // namespace
} // namespace qr

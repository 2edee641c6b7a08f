// SPDX-License-Identifier: GPL-3.0-or-later
// Plays through the desktop back end with SDL's file-writing audio driver and checks the
// samples that came out.
#include "platform/sdl/sdl_sound.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>
#include <unistd.h>
#include <vector>

#include <SDL.h>

#include "game/sound/midi_player.h"
#include "game/sound/sound_pump.h"
#include "game/sound/tests/wave_bytes.h"
#include "game/sound/wave_man.h"

namespace qr {
namespace {

namespace fs = std::filesystem;

class SdlSoundTest : public ::testing::Test {
  protected:
    SdlSoundTest() {
        dir_ = fs::temp_directory_path() /
               ("qr_sdl_sound_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", Output().c_str(), 1);
        // A short pause per buffer keeps the driver ahead of real time without a huge file.
        setenv("SDL_DISKAUDIODELAY", "2", 1);
    }
    ~SdlSoundTest() override { fs::remove_all(dir_); }

    std::string Dir() const { return dir_.string() + "/"; }
    std::string Output() const { return Dir() + "out.raw"; }
    // The device's output: interleaved float stereo.
    std::vector<float> ReadOutput() const {
        std::ifstream in(Output(), std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
        std::vector<float> samples(bytes.size() / sizeof(float));
        std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(float));
        return samples;
    }
    // Runs the main loop's sound pump until `done` holds (bounded, so a fault fails
    // instead of hanging).
    template <class Done>
    bool PumpUntil(SoundEventQueue& events, TSoundTable* t, TMidiPlayer* m, Done done) {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!done()) {
            if (std::chrono::steady_clock::now() > limit) return false;
            PumpSoundEvents(events, t, m);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

  private:
    fs::path dir_;
};

TEST_F(SdlSoundTest, LoopedWaveComesOutWholeAndWithoutClicks) {
    // 100 ms of a 450 Hz cosine (45 whole periods, so each join is at its peak) at 22 050 Hz,
    // 16-bit mono, three passes.
    const uint32_t frames = 2205;
    std::vector<uint8_t> data(frames * 2);
    for (uint32_t i = 0; i < frames; ++i) {
        const auto s = int16_t(std::lround(16384 * std::cos(2 * M_PI * 450.0 * i / 22050)));
        data[2 * i] = uint8_t(s);
        data[2 * i + 1] = uint8_t(uint16_t(s) >> 8);
    }
    test::WriteFile(Dir() + "tone.wav", test::WaveBytes(data, 1, 22050, 16));

    int rate = 0;
    {
        SoundEventQueue events;
        SdlAudio audio(events, Dir() + "no-soundfont.sf2");
        ASSERT_TRUE(audio.DeviceOpen());
        EXPECT_EQ(audio.Midi().DeviceCount(), 0);
        rate = audio.SampleRate();
        TWaveMan man(audio.Waves(), true);
        ASSERT_TRUE(man.Enabled());
        man.SetFolder(Dir());
        ASSERT_TRUE(man.LoadSound("tone", 1, 0));
        TWaveMan::SetLoops(*man.FindSound(1), 3);
        ASSERT_TRUE(man.PlaySound(1, 6, false));
        EXPECT_TRUE(man.IsCurrentLooping());
        // The manager is not behind a sound table here: its ends are handed over directly.
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (man.CurrentID() != 0 && std::chrono::steady_clock::now() < limit) {
            while (auto e = events.Pop())
                man.WaveDone(e->token);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ASSERT_EQ(man.CurrentID(), 0);
    }
    const std::vector<float> out = ReadOutput();
    ASSERT_GT(out.size(), 0u);
    size_t first = out.size(), last = 0;
    float maxStep = 0.0f;
    for (size_t i = 0; i < out.size() / 2; ++i) {
        EXPECT_EQ(out[2 * i], out[2 * i + 1]) << "mono reaches both channels";
        if (std::fabs(out[2 * i]) > 1e-6f) {
            first = std::min(first, i);
            last = i;
        }
        if (HasFailure()) break;
    }
    ASSERT_LT(first, last);
    // Inside the sound, joins included (the file's own first and last samples are edges).
    for (size_t i = first + 1; i <= last; ++i)
        maxStep = std::max(maxStep, std::fabs(out[2 * i] - out[2 * i - 2]));
    const double seconds = double(last - first + 1) / rate;
    EXPECT_NEAR(seconds, 0.3, 0.002);
    // The steepest a 450 Hz sine of amplitude 0.5 moves between two output samples,
    // with a little room; a click at a join would be far larger.
    EXPECT_LT(maxStep, 2 * M_PI * 450 * 0.5 / rate * 1.3);
}

TEST_F(SdlSoundTest, EveryPlayableFormatComesOutAtTheDeviceRate) {
    // Three 100 ms tones queued back to back through one manager: 8-bit mono at 11 025 Hz,
    // 16-bit stereo at 44 100 Hz with the right channel inverted, 8-bit stereo at 22 050 Hz.
    struct Tone {
        uint16_t channels, bits;
        uint32_t rate;
        double amplitude;
    } tones[] = {{1, 8, 11025, 0.25}, {2, 16, 44100, 0.5}, {2, 8, 22050, 0.75}};
    for (int k = 0; k < 3; ++k) {
        const Tone& t = tones[k];
        const uint32_t frames = t.rate / 10;
        std::vector<uint8_t> data;
        for (uint32_t i = 0; i < frames; ++i) {
            const double v = t.amplitude * std::cos(2 * M_PI * 500.0 * i / t.rate);
            for (int c = 0; c < t.channels; ++c) {
                const double s = c == 0 ? v : -v;
                if (t.bits == 8) {
                    data.push_back(uint8_t(std::lround(128 + 127 * s)));
                } else {
                    const auto q = int16_t(std::lround(32767 * s));
                    data.push_back(uint8_t(q));
                    data.push_back(uint8_t(uint16_t(q) >> 8));
                }
            }
        }
        test::WriteFile(Dir() + "t" + std::to_string(k) + ".wav",
                        test::WaveBytes(data, t.channels, t.rate, t.bits));
    }

    int rate = 0;
    {
        SoundEventQueue events;
        SdlAudio audio(events, Dir() + "no-soundfont.sf2");
        ASSERT_TRUE(audio.DeviceOpen());
        rate = audio.SampleRate();
        TWaveMan man(audio.Waves(), true);
        man.SetFolder(Dir());
        for (uint16_t k = 0; k < 3; ++k)
            ASSERT_TRUE(man.LoadSound("t" + std::to_string(k), k + 1, 0));
        ASSERT_TRUE(man.PlaySound(1, 6, false));
        ASSERT_TRUE(man.PlaySound(2, 4, false));
        ASSERT_TRUE(man.PlaySound(3, 4, false));
        int ends = 0;
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (ends < 3 && std::chrono::steady_clock::now() < limit) {
            while (auto e = events.Pop())
                if (man.WaveDone(e->token)) ++ends;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        ASSERT_EQ(ends, 3);
    }
    // The runs of sound, split at the silence while the main thread starts the next one.
    const std::vector<float> out = ReadOutput();
    struct Run {
        size_t first, last;
        float peakLeft = 0, peakRight = 0;
        bool mirrored = true;
    };
    std::vector<Run> runs;
    size_t quiet = 1000;
    for (size_t i = 0; i < out.size() / 2; ++i) {
        const float l = out[2 * i], r = out[2 * i + 1];
        if (l == 0.0f && r == 0.0f) {
            ++quiet;
            continue;
        }
        if (quiet > 50) runs.push_back({i, i});
        quiet = 0;
        Run& run = runs.back();
        run.last = i;
        run.peakLeft = std::max(run.peakLeft, std::fabs(l));
        run.peakRight = std::max(run.peakRight, std::fabs(r));
        if (std::fabs(l + r) > 0.02f) run.mirrored = false;
    }
    ASSERT_EQ(runs.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_NEAR(double(runs[k].last - runs[k].first + 1), rate / 10.0, 2.0);
        EXPECT_NEAR(runs[k].peakLeft, tones[k].amplitude, 0.01);
        EXPECT_NEAR(runs[k].peakRight, tones[k].amplitude, 0.01);
    }
    EXPECT_FALSE(runs[0].mirrored); // mono: the same on both sides
    EXPECT_TRUE(runs[1].mirrored);
    EXPECT_TRUE(runs[2].mirrored);
}

// A format-0 MIDI file at 120 beats a minute: C, E (a quarter each) and G (a half):
// two seconds of piano (program 0), or of another instrument.
std::vector<uint8_t> Tune(uint8_t program = 0) {
    std::vector<uint8_t> t = {0x00, 0xFF, 0x51,   0x03, 0x07, 0xA1, 0x20, // tempo 500 000 us
                              0x00, 0xC0, program};
    auto note = [&](uint8_t key, uint16_t ticks) {
        t.insert(t.end(), {0x00, 0x90, key, 0x60});
        t.push_back(uint8_t(0x80 | (ticks >> 7)));
        t.push_back(uint8_t(ticks & 0x7F));
        t.insert(t.end(), {0x80, key, 0x40});
    };
    note(60, 480);
    note(64, 480);
    note(67, 960);
    t.insert(t.end(), {0x00, 0xFF, 0x2F, 0x00});
    std::vector<uint8_t> f = {'M', 'T', 'h', 'd',  0,    0,   0,   6,   0,
                              0,   0,   1,   0x01, 0xE0, 'M', 'T', 'r', 'k'};
    const auto n = uint32_t(t.size());
    f.insert(f.end(), {uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)});
    f.insert(f.end(), t.begin(), t.end());
    return f;
}

TEST_F(SdlSoundTest, MidiTrackSoundsForItsLengthAndReportsItsEnd) {
    const std::string soundfont = SdlAudio::DefaultSoundfont();
    if (access(soundfont.c_str(), R_OK) != 0) GTEST_SKIP() << "no soundfont at " << soundfont;
    test::WriteFile(Dir() + "tune.mid", Tune());

    int rate = 0;
    uint64_t endFrame = 0;
    {
        SoundEventQueue events;
        SdlAudio audio(events, soundfont);
        ASSERT_TRUE(audio.DeviceOpen());
        rate = audio.SampleRate();
        TMidiPlayer player(audio.Midi(), true);
        ASSERT_TRUE(player.Available());
        player.SetFolder(Dir());
        int ended = 0;
        player.SetOnNotify([&] {
            ++ended;
            endFrame = audio.TrackEndFrame();
        });
        player.Play("tune", 1); // asked for while the soundfont may still be loading
        EXPECT_TRUE(player.IsPlaying());
        ASSERT_TRUE(audio.WaitForSynth());
        ASSERT_TRUE(PumpUntil(events, nullptr, &player, [&] { return ended > 0; }));
        EXPECT_FALSE(player.IsPlaying());
        // Let the last note's release ring out before closing.
        const uint64_t until = endFrame + uint64_t(rate);
        ASSERT_TRUE(
            PumpUntil(events, nullptr, &player, [&] { return audio.FramesRendered() >= until; }));
        EXPECT_EQ(ended, 1);
    }
    const std::vector<float> out = ReadOutput();
    ASSERT_GT(out.size() / 2, endFrame);
    size_t first = 0;
    while (first < out.size() / 2 && std::fabs(out[2 * first]) < 1e-3f)
        ++first;
    ASSERT_LT(first, out.size() / 2) << "the synthesiser produced only silence";
    auto rms = [&](double from, double to) {
        double sum = 0;
        const size_t a = first + size_t(from * rate),
                     b = std::min(out.size() / 2, first + size_t(to * rate));
        for (size_t i = a; i < b; ++i)
            sum += double(out[2 * i]) * out[2 * i];
        return b > a ? std::sqrt(sum / double(b - a)) : 0.0;
    };
    // Sound all through the two seconds of notes, much less once they are over.
    for (double t = 0; t < 1.9; t += 0.1)
        EXPECT_GT(rms(t, t + 0.1), 0.003) << "at " << t << " s";
    EXPECT_LT(rms(2.6, 2.9), rms(1.5, 1.9) / 4);
    // The end was reported when the notes ended, not a while later.
    EXPECT_NEAR(double(endFrame - first) / rate, 2.0, 0.15);
}

TEST_F(SdlSoundTest, StoppingATrackSilencesItsNotes) {
    const std::string soundfont = SdlAudio::DefaultSoundfont();
    if (access(soundfont.c_str(), R_OK) != 0) GTEST_SKIP() << "no soundfont at " << soundfont;
    test::WriteFile(Dir() + "organ.mid", Tune(19)); // an organ holds its notes at full level

    int rate = 0;
    uint64_t stopFrame = 0;
    {
        SoundEventQueue events;
        SdlAudio audio(events, soundfont);
        ASSERT_TRUE(audio.DeviceOpen());
        rate = audio.SampleRate();
        ASSERT_TRUE(audio.WaitForSynth());
        TMidiPlayer player(audio.Midi(), true);
        player.SetFolder(Dir());
        const uint64_t start = audio.FramesRendered();
        player.Play("organ", 2);
        ASSERT_TRUE(PumpUntil(events, nullptr, &player, [&] {
            return audio.FramesRendered() >= start + uint64_t(rate) / 4;
        }));
        player.Stop();
        EXPECT_FALSE(player.IsPlaying());
        stopFrame = audio.FramesRendered(); // everything after this was rendered after the stop
        ASSERT_TRUE(PumpUntil(events, nullptr, &player, [&] {
            return audio.FramesRendered() >= stopFrame + 2 * uint64_t(rate);
        }));
    }
    const std::vector<float> out = ReadOutput();
    auto rms = [&](size_t a, size_t b) {
        double sum = 0;
        b = std::min(b, out.size() / 2);
        for (size_t i = a; i < b; ++i)
            sum += double(out[2 * i]) * out[2 * i];
        return b > a ? std::sqrt(sum / double(b - a)) : 0.0;
    };
    const double playing = rms(stopFrame - size_t(rate) / 10, stopFrame);
    EXPECT_GT(playing, 0.003);
    EXPECT_LT(rms(stopFrame + size_t(rate), stopFrame + size_t(rate) * 3 / 2), playing / 20);
}

TEST_F(SdlSoundTest, NoAudioDeviceMeansNoOutputs) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SoundEventQueue events;
    SdlAudio audio(events);
    EXPECT_FALSE(audio.DeviceOpen());
    EXPECT_EQ(audio.Waves().DeviceCount(), 0);
    EXPECT_EQ(audio.Midi().DeviceCount(), 0);
    EXPECT_FALSE(audio.Waves().Open(WaveFormat{}));
    TWaveMan man(audio.Waves(), true);
    EXPECT_FALSE(man.Enabled());
    TMidiPlayer player(audio.Midi(), true);
    EXPECT_FALSE(player.Available());
}

TEST_F(SdlSoundTest, AllSoundOffOpensNoDevice) {
    // Music off alone still opens the device for the waves, but never loads the soundfont.
    {
        SoundEventQueue events;
        SdlAudio audio(events, SdlAudio::DefaultSoundfont(), true, false);
        EXPECT_TRUE(audio.DeviceOpen());
        EXPECT_FALSE(audio.WaitForSynth());
        EXPECT_EQ(audio.Midi().DeviceCount(), 0);
    }
    ASSERT_TRUE(fs::exists(Output())) << "the disk audio driver is not in use";
    fs::remove(Output());
    {
        SoundEventQueue events;
        SdlAudio audio(events, SdlAudio::DefaultSoundfont(), false, false);
        EXPECT_FALSE(audio.DeviceOpen());
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
        EXPECT_EQ(audio.Waves().DeviceCount(), 0);
        EXPECT_EQ(audio.Midi().DeviceCount(), 0);
    }
    EXPECT_FALSE(fs::exists(Output())) << "the disk audio driver was opened";
}

} // namespace
} // namespace qr

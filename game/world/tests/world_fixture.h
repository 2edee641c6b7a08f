// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small world for tests: a host that records what the player would see, a memory
// picture library and helpers that feed script text to the reader.
#include <deque>
#include <string>
#include <vector>

#include "foundation/obf_text.h"
#include "game/world/world.h"
#include "game/world/world_script.h"

namespace qr::test {

class RecordingHost : public TWorldHost {
  public:
    std::vector<std::string> messages;
    std::vector<std::string> questions; // AskYesNo texts
    std::vector<std::string> confirms;  // caption | message | buttons
    std::deque<bool> yesNoAnswers;      // default: No
    std::deque<int> confirmAnswers;     // default: No (7)
    std::vector<std::string> captions;
    std::vector<int> cursors;
    std::vector<int> played;
    std::vector<int> music;
    int stopWaves = 0;
    TPoint mouse{-1, -1};
    bool keys[256] = {};
    bool midi = true, wave = true, musicOn = true, musicBusy = false, wavePlaying = false;
    struct Presented {
        std::vector<TRect> rects;
        TPoint offset;
        bool frame;
    };
    std::vector<Presented> presented;

    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    int Confirm(const std::string& caption, const std::string& message, int buttons) override {
        confirms.push_back(caption + " | " + message + " | " + std::to_string(buttons));
        if (confirmAnswers.empty()) return 7;
        int a = confirmAnswers.front();
        confirmAnswers.pop_front();
        return a;
    }
    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        if (yesNoAnswers.empty()) return false;
        bool a = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return a;
    }
    void SetCaption(const std::string& c) override { captions.push_back(c); }
    void SetCursor(int c) override { cursors.push_back(c); }
    TPoint MousePos() override { return mouse; }
    bool KeyDown(int vk) override { return vk >= 0 && vk < 256 && keys[vk]; }
    void Present(const TWorldSurface&, const std::vector<TRect>& rects, TPoint offset,
                 bool frame) override {
        presented.push_back({rects, offset, frame});
    }
    bool WaveDevicePresent() override { return wave; }
    bool WaveEnabled() override { return wave; }
    bool WavePlaying() override { return wavePlaying; }
    void PlaySound(int n) override { played.push_back(n); }
    void StopWaves() override { ++stopWaves; }
    bool MidiDevicePresent() override { return midi; }
    bool MusicEnabled() override { return musicOn; }
    void SetMusicEnabled(bool on) override { musicOn = on; }
    bool MusicBusy() override { return musicBusy; }
    void PlayMusic(int track) override { music.push_back(track); }
};

// Compiles the text the way the game does and reads it into the world.
inline void LoadScript(TWorld& world, const std::string& text) {
    std::vector<uint8_t> bytes(text.begin(), text.end());
    auto script = TObfText::FromBytes(TObfText::CompileBytes(bytes, WorldScriptFilter));
    world.Init(script, "");
}

// A picture filled with one colour.
inline std::unique_ptr<TMemoryPicture> Solid(int32_t w, int32_t h, uint8_t colour) {
    return std::make_unique<TMemoryPicture>(w, h, colour);
}

struct WorldFixture {
    RecordingHost host;
    TMemoryLibrary library;
    TWorld world{host, library};
};

} // namespace qr::test

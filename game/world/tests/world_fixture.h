// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small world for tests: a host that records what the player would see, a real
// picture library made in memory and helpers that feed script text to the reader.
#include <deque>
#include <string>
#include <vector>

#include "foundation/obf_text.h"
#include "foundation/stream.h"
#include "game/world/world.h"
#include "game/world/world_script.h"
#include "graphics/image_writer.h"

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
    std::vector<std::string> textCuts; // "room where text", "... (shortened)" when on purpose

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
    void Present(TPX8ImageData& work, TPoint offset, bool frame) override {
        presented.push_back({work.Damage.Rects(), offset, frame});
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
    void TextDidNotFit(const std::string& room, const std::string& where, const std::string& text,
                       bool shortened) override {
        textCuts.push_back(room + " " + where + " " + text + (shortened ? " (shortened)" : ""));
    }
};

// Compiles the text the way the game does and reads it into the world, with the engine's
// room classes and those the test adds.
inline void LoadScript(TWorld& world, const std::string& text,
                       const TRoomFactory& rooms = EngineRooms()) {
    std::vector<uint8_t> bytes(text.begin(), text.end());
    auto script = TObfText::FromBytes(TObfText::CompileBytes(bytes, WorldScriptFilter));
    world.Init(script, rooms, "");
}

// A picture for a library; by default every pixel is the one colour.
inline TPX8WriterImage Picture(std::string name, int32_t w, int32_t h, uint8_t colour = 0) {
    TPX8WriterImage i;
    i.Name = std::move(name);
    i.Width = w;
    i.Height = h;
    i.Pixels.assign(size_t(w) * size_t(h), colour);
    return i;
}
inline uint8_t& At(TPX8WriterImage& i, int32_t x, int32_t y) {
    return i.Pixels[size_t(y) * size_t(i.Width) + size_t(x)];
}

// Writes the pictures as a library file in memory and opens it (the library must hold no
// pictures then).
inline void OpenPictures(TPX8Library& library, std::vector<TPX8WriterImage> pictures) {
    TPX8Writer writer;
    for (auto& p : pictures)
        writer.Add(std::move(p));
    library.OpenStream(std::make_unique<TMemoryStream>(writer.Bytes()), "test.px8");
}

// Pictures the library still holds for someone (each is freed at its last release).
inline int HeldPictures(TPX8Library& library) {
    return library.Images().Count();
}

inline uint8_t PixelAt(TPX8ImageData& image, int32_t x, int32_t y) {
    return image.GetPixel({x, y});
}

struct WorldFixture {
    RecordingHost host;
    TPX8Library library;
    TWorld world{host, library};
};

} // namespace qr::test

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The world as the main window runs it: the world engine behind the main window's
// WorldLink, with the platform's dialogs, keys and screen standing in for what the world
// asks of its surroundings. It also keeps the 632x453 client area as the player sees it
// (tiled surround, frame with its drop shadow, the world's picture inside), which the
// desktop window shows and the headless driver photographs.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/shell/form_main.h"
#include "game/shell/version_label.h"
#include "game/shell/world_link.h"
#include "game/world/world.h"

namespace qr {

class HeadlessDriver;
class TObfText;

// The client area's design.
struct TClientLayout {
    static constexpr int32_t kWidth = 632, kHeight = 453;
    static constexpr int32_t kFrameWidth = 602, kFrameHeight = 402, kShadow = 12;
    // The frame plus its shadow is centred (integer halving).
    static constexpr TPoint FrameOrigin() {
        return {(kWidth - (kFrameWidth + kShadow)) / 2, (kHeight - (kFrameHeight + kShadow)) / 2};
    }
};

// One of the game's cursor pictures: 0xAARRGGBB pixels (alpha 0 where colour 0 is),
// and its hot spot.
struct TCursorPicture {
    int number = 0; // 1-25, or kCursorHourglass
    int width = 0, height = 0;
    std::vector<uint32_t> argb;
    int hotX = 0, hotY = 0;
};

// A picture of the game library in 32-bit colour (0xAARRGGBB, its transparent colour
// see-through), for the desktop's window icon.
struct TArgbPicture {
    int width = 0, height = 0;
    std::vector<uint32_t> argb;
};

// The 256 colours of the screen as 0xRRGGBB.
using TScreenPalette = std::array<uint32_t, 256>;
// A palette to show pictures with until the game library brings its own: black, white,
// a colour cube and greys.
TScreenPalette DefaultScreenPalette();

class TShellWorld : public WorldLink, private TWorldHost {
  public:
    struct Outputs {
        std::function<void(const std::string&)> log; // event lines (ROOM, CAPTION)
        std::function<void(const std::string&)> caption;
        std::function<void(int cursor)> cursor;
        // The client area changed in these rectangles (client coordinates).
        std::function<void(const class TShellWorld&, const std::vector<TRect>&)> presented;
        // The game's cursor pictures, once, when the world has its library.
        std::function<void(const std::vector<TCursorPicture>&)> cursorPictures;
        // The window icon ("appicon" of the game library), once, when there is one.
        std::function<void(const TArgbPicture&)> windowIcon;
        // Lets the window's pending events run (from inside a tick or a room switch).
        std::function<void()> letMessagesRun;
    };
    TShellWorld(TFormMain& form, std::unique_ptr<TWorldLibrary> library, Outputs outputs);
    ~TShellWorld() override;

    // Reads the world script; a bad rectangle or number escapes (start-up fails).
    void Init(TObfText& script);

    // WorldLink
    void SetPlayerSettings(const TPlayerSettings& s) override;
    TPlayerSettings PlayerSettings() const override;
    bool WordListHasIcons() const override;
    void Start() override;
    void SetFocus(bool active) override;
    void Tick(int steps) override;
    bool QuitFlag() const override { return world_->HasFlag(TWorld::kQuit); }
    void RequestClose() override { world_->SetFlag(TWorld::kCloseRequest); }
    std::string CurrentRoomID() const override;
    long Clock() const override { return long(world_->Clock()); }

    // The mouse in client coordinates; events outside the frame's paint box are not the world's.
    enum class MouseKind { Down, Up, Move };
    void Mouse(MouseKind kind, int button, int shift, int32_t clientX, int32_t clientY);
    // The same in paint-box coordinates (those of hit boxes).
    void PaintBoxMouse(MouseKind kind, int button, int shift, int32_t x, int32_t y);

    // What the world asks of sound and music; whoever creates the players fills these
    // in. Missing ones answer "no device", "off" and "idle".
    struct SoundHooks {
        std::function<bool()> waveDevicePresent, waveEnabled, wavePlaying;
        std::function<void(int number)> playSound;
        std::function<void()> stopWaves;
        std::function<bool()> midiDevicePresent, musicEnabled, musicBusy;
        std::function<void(bool on)> setMusicEnabled;
        std::function<void(int track)> playMusic;
    };
    void SetSound(SoundHooks hooks) { sound_ = std::move(hooks); }
    // A music track ended: the current room hears "ENDMUSIC" with the track number.
    void MusicEnded(int track);

    TWorld& World() { return *world_; }
    const TWorld& World() const { return *world_; }
    TWorldLibrary& Library() { return *library_; }
    // Client pixels (colour indices), top row first.
    const TMemoryPicture& Client() const { return client_; }
    const TScreenPalette& Palette() const { return palette_; }
    void SetPalette(const TScreenPalette& p) { palette_ = p; }
    int Cursor() const { return cursor_; }
    // Draws the surround: tiles (the picture named, or a plain colour), shadow, frame.
    void PaintSurround(const std::string& tileName);
    // One JSON object of the world's state (no braces around it: fields to append).
    std::string StateFields() const;

  private:
    // TWorldHost
    void ShowMessage(const std::string& text) override;
    int Confirm(const std::string& caption, const std::string& message, int buttons) override;
    bool AskYesNo(const std::string& text) override;
    void SetCaption(const std::string& caption) override;
    void RoomEntered(const std::string& from, const std::string& to) override;
    void SetCursor(int cursor) override;
    TPoint MousePos() override { return mouse_; }
    void LetMessagesRun() override {
        if (out_.letMessagesRun) out_.letMessagesRun();
    }
    bool KeyDown(int virtualKey) override;
    void Present(const TWorldSurface& work, const std::vector<TRect>& rects, TPoint offset,
                 bool blackFrame) override;
    bool WaveDevicePresent() override {
        return sound_.waveDevicePresent && sound_.waveDevicePresent();
    }
    bool WaveEnabled() override { return sound_.waveEnabled && sound_.waveEnabled(); }
    bool WavePlaying() override { return sound_.wavePlaying && sound_.wavePlaying(); }
    void PlaySound(int number) override {
        if (sound_.playSound) sound_.playSound(number);
    }
    void StopWaves() override {
        if (sound_.stopWaves) sound_.stopWaves();
    }
    bool MidiDevicePresent() override {
        return sound_.midiDevicePresent && sound_.midiDevicePresent();
    }
    bool MusicEnabled() override { return sound_.musicEnabled && sound_.musicEnabled(); }
    void SetMusicEnabled(bool on) override {
        if (sound_.setMusicEnabled) sound_.setMusicEnabled(on);
    }
    bool MusicBusy() override { return sound_.musicBusy && sound_.musicBusy(); }
    void PlayMusic(int track) override {
        if (sound_.playMusic) sound_.playMusic(track);
    }

    // Runs a world operation the way the message loop would: a failure is shown, not fatal.
    template <class F> void Guarded(F&& f);

    TFormMain& form_;
    std::unique_ptr<TWorldLibrary> library_;
    Outputs out_;
    std::unique_ptr<TWorld> world_;
    SoundHooks sound_;
    TMemoryPicture client_;
    TScreenPalette palette_;
    TVersionLabel version_;
    TPoint mouse_{-1, -1};
    int cursor_ = 0;
    std::string caption_;
};

// Start-up step of the main window that makes the world: when the program's "dat/"
// folder holds a world script ("init.txt" or "init.dat"), the world engine reads it;
// without one the window keeps its roomless stand-in.
void InstallWorldSteps(TFormMain& form, TShellWorld::Outputs outputs);
// The cursor pictures of the game library: "cursor1" ... "cursor25" and "cursor0" for the
// hourglass, colour 0 transparent, hot spots from "cursors.txt" in the given folder (lines "NUMBER
// X Y"; 0 names the hourglass), (0, 0) where none is given.
std::vector<TCursorPicture> LoadCursorPictures(TWorldLibrary& library,
                                               const TScreenPalette& palette,
                                               const std::string& datFolder);
// A picture of the library in 32-bit colour, cut to at most maxSide x maxSide; nothing
// when there is no picture of that name.
std::optional<TArgbPicture> LoadArgbPicture(TWorldLibrary& library, const TScreenPalette& palette,
                                            const std::string& name, int maxSide);
// The card and background pictures of the image libraries and the animal files.
void ScanWorldData(TWorld& world, const TFolders& folders);
// The driver's world commands: click, mouse, expect room, screenshot, and the world's
// fields of state.
void AddWorldCommands(HeadlessDriver& driver);

// The client area's colour indices in `rects` converted to 0xRRGGBB into rgb (632 to a row).
void ConvertClient(const TShellWorld& world, const std::vector<TRect>& rects,
                   std::vector<uint32_t>& rgb);

// Writes 0xRRGGBB pixels as an 8-bit RGB PNG; false when the file cannot be written.
bool WritePng(const std::string& path, int32_t width, int32_t height,
              const std::vector<uint32_t>& rgb);

} // namespace qr

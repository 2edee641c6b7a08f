// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The world as the main window runs it: the world engine behind the main window's
// WorldLink, with the platform's dialogs, keys and screen standing in for what the world
// asks of its surroundings. What the world draws reaches the window through the
// compositor (compositor.h).
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/shell/compositor.h"
#include "game/shell/cursor_pictures.h"
#include "game/shell/form_main.h"
#include "game/shell/version_label.h"
#include "game/shell/world_link.h"
#include "game/world/room_factory.h"
#include "game/world/world.h"
#include "platform/dialogs.h"
#include "platform/window_client.h"

namespace qr {

class Display;
class TObfText;
class TWindowQuestion;

class TShellWorld : public WorldLink, private TWorldHost {
  public:
    struct Outputs {
        // Where the client area is shown (null: nowhere; the client picture is still kept).
        Display* display = nullptr;
        std::function<void(const std::string&)> log; // event lines (ROOM, CAPTION)
        std::function<void(const std::string&)> caption;
        std::function<void(int cursor)> cursor;
        // The client area changed in these rectangles (client coordinates) and was shown.
        std::function<void(const class TShellWorld&, const std::vector<TRect>&)> presented;
        // The game's cursor pictures, once, when the world has its library.
        std::function<void(const std::vector<TCursorPicture>&)> cursorPictures;
        // The window icon ("appicon" of the game library), once, when there is one.
        std::function<void(const TArgbPicture&)> windowIcon;
        // Lets the window's pending events run (from inside a tick or a room switch).
        std::function<void()> letMessagesRun;
        // While a question is asked inside the window: waits for the next input and hands
        // it over (Mouse, PaintBoxMouse, Key); false when no more input will come.
        std::function<bool()> waitForInput;
    };
    TShellWorld(TFormMain& form, std::unique_ptr<TPX8Library> library, Outputs outputs);
    ~TShellWorld() override;

    // Reads the world script with the room classes of the factory; a bad rectangle or
    // number escapes (start-up fails).
    void Init(TObfText& script, const TRoomFactory& rooms);

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
    // Typed text (UTF-8, as the desktop delivers it) and the keys that edit it (the
    // world's kVk numbers).
    void Text(const std::string& utf8);
    void EditKey(int virtualKey);
    // Switches rooms as a go box does.
    void GoRoom(const std::string& id);
    // A key pressed; only a question asked in the window takes presses (true when one did).
    bool Key(KeyPress key);

    // Asks inside the window what the system could not show as a box, and waits for the
    // player's answer; a termination signal closes it as its escape button would. Nothing
    // when it cannot be shown (no fonts, no way to wait for input, a question already open).
    std::optional<DialogResult> AskInWindow(const DialogRequest& request);

    // What the world asks of sound and music; whoever creates the players fills these
    // in. Missing ones answer "no device", "off" and "idle".
    struct SoundHooks {
        std::function<bool()> waveDevicePresent, waveEnabled, wavePlaying;
        std::function<void(int number)> playSound, loopSound;
        std::function<void()> stopWaves, stopLoops, stopMusic;
        std::function<void(bool on)> setWaveEnabled;
        std::function<bool()> midiDevicePresent, musicEnabled, musicBusy;
        std::function<void(bool on)> setMusicEnabled;
        std::function<void(int track)> playMusic;
    };
    void SetSound(SoundHooks hooks) { sound_ = std::move(hooks); }
    // A music track ended: the current room hears "ENDMUSIC" with the track number.
    void MusicEnded(int track);

    TWorld& World() { return *world_; }
    const TWorld& World() const { return *world_; }
    TPX8Library& Library() { return *library_; }
    TCompositor& Screen() { return screen_; }
    const TCompositor& Screen() const { return screen_; }
    int Cursor() const { return cursor_; }
    const std::string& Caption() const { return caption_; }
    // Draws the surround with the tile picture named and shows the whole client area.
    void PaintSurround(const std::string& tileName);

    // The texts of the current room that did not fit, since it was entered, each once.
    struct TextCut {
        std::string where, text;
        bool shortened = false;
        bool operator==(const TextCut&) const = default;
    };
    const std::vector<TextCut>& TextCuts() const { return textCuts_; }

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
    void TextDidNotFit(const std::string& room, const std::string& where, const std::string& text,
                       bool shortened) override;
    bool KeyDown(int virtualKey) override;
    void Present(TPX8ImageData& work, TPoint offset, bool blackFrame) override;
    bool WaveDevicePresent() override {
        return sound_.waveDevicePresent && sound_.waveDevicePresent();
    }
    bool WaveEnabled() override { return sound_.waveEnabled && sound_.waveEnabled(); }
    bool WavePlaying() override { return sound_.wavePlaying && sound_.wavePlaying(); }
    void PlaySound(int number) override {
        if (sound_.playSound) sound_.playSound(number);
    }
    void LoopSound(int number) override {
        if (sound_.loopSound) sound_.loopSound(number);
    }
    void StopLoops() override {
        if (sound_.stopLoops) sound_.stopLoops();
    }
    void SetWaveEnabled(bool on) override {
        if (sound_.setWaveEnabled) sound_.setWaveEnabled(on);
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
    void StopMusic() override {
        if (sound_.stopMusic) sound_.stopMusic();
    }

    // Runs a world operation the way the message loop would: a failure is shown, not fatal.
    template <class F> void Guarded(F&& f);
    // Shows what changed in the client area.
    void Flush();

    TFormMain& form_;
    std::unique_ptr<TPX8Library> library_;
    Outputs out_;
    TCompositor screen_;
    std::unique_ptr<TWorld> world_;
    SoundHooks sound_;
    TVersionLabel version_;
    TPoint mouse_{-1, -1};
    int cursor_ = 0;
    std::string caption_;
    TWindowQuestion* question_ = nullptr; // the question open in the window
    std::vector<TextCut> textCuts_;
};

// Start-up step of the main window that makes the world: when the program's "dat/"
// folder holds a world script ("init.txt" or "init.dat"), the world engine reads it with
// the room classes of the factory; without one the window keeps its roomless stand-in.
void InstallWorldSteps(TFormMain& form, TShellWorld::Outputs outputs, TRoomFactory rooms);

} // namespace qr

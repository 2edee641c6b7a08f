// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's main window: creates everything the game needs in a fixed order at start-up
// (FormCreate), turns the 55 ms timer into the world's clock while the window is active,
// routes the close button through the world, and writes the settings back when it is
// destroyed (FormDestroy).
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/shell/settings.h"
#include "game/shell/world_link.h"
#include "platform/dialogs.h"
#include "platform/folders.h"
#include "platform/ini_file.h"
#include "platform/system.h"
#include "platform/termination.h"
#include "platform/window_client.h"

namespace qr {

// The command-line switches NOMIDI, NOWAVE and NOSOUND (any case, with or without a
// leading "-", "--" or "/"): whether music and sound effects may play.
struct SoundSwitches {
    bool music = true;
    bool sound = true;
};
SoundSwitches ParseSoundSwitches(const std::vector<std::string>& arguments);

class TFormMain : public WindowClient {
  public:
    struct Services {
        System& system;
        Dialogs& dialogs;
    };
    TFormMain(Services services, const TFolders& folders, IniFile& ini,
              std::vector<std::string> arguments);
    ~TFormMain() override;

    // Start-up in its fixed order inside one guard. False when a step failed; the failure
    // has then been shown ("Quill-Rush encountered a problem on start-up: ...").
    bool FormCreate();
    // Writes the settings (when the world exists) and frees the world.
    void FormDestroy();
    // Only writes the settings, as FormDestroy would: for ending on a termination signal
    // while a system message box holds the main thread (the world is not touched).
    void SaveShutdownSettings();

    // The 55 ms timer.
    void tmrTickTimer();
    // The close button: true lets the window close.
    bool FormClose();

    // WindowClient
    void OnTimer() override { tmrTickTimer(); }
    bool OnCloseRequest() override { return FormClose(); }
    // A termination signal closes the window at once, whatever room is showing.
    bool WantsClose() const override { return closing_ || TerminationRequested(); }
    void OnActivate(bool active) override { active_ = active; }

    // State for the driver and tests.
    bool MusicSwitch() const { return musicSwitch_; }
    bool SoundSwitch() const { return soundSwitch_; }
    bool SoundEnabled() const { return soundEnabled_; }
    bool MusicEnabled() const { return musicEnabled_; }
    bool VersionLabelVisible() const { return versionVisible_; }
    const std::string& VersionCaption() const { return versionCaption_; }
    const std::string& TileName() const { return tileName_; }
    WorldLink* World() const { return world_.get(); }
    bool TimerEnabled() const { return timerEnabled_; }

    // Start-up steps that the later parts of the program fill in. Each runs inside the
    // start-up guard; an exception from one ends start-up with its message.
    struct Steps {
        std::function<void(TFormMain&)> createImageLibrary;
        std::function<void(TFormMain&, const std::string& tile)> createTiledBackground;
        std::function<void(TFormMain&)> letMessagesRun;
        std::function<void(TFormMain&)> loadCursors;
        std::function<std::unique_ptr<WorldLink>(TFormMain&)> createWorld;
        std::function<void(TFormMain&, bool music)> createMusicPlayer;
        std::function<void(TFormMain&, bool sound)> createWaveManager;
        // Tick step 3 (the ends of sounds and tracks, the music's fallback deadline).
        std::function<void()> musicTick;
        // The window lost (false) or regained (true) activity.
        std::function<void(bool active)> activityChanged;
        // At shut-down: whether wave sound and music are on now (the player may have
        // switched them in the game); nothing when the device is missing, so a machine
        // without one does not turn the player's choice off.
        std::function<std::optional<bool>()> soundEnabledNow;
        std::function<std::optional<bool>()> musicEnabledNow;
    };
    Steps& StartupSteps() { return steps_; }

    const TFolders& Folders() const { return folders_; }
    const IniFile& Settings() const { return ini_; }
    Services& Platform() { return services_; }

  private:
    void ParseSwitches();

    Services services_;
    TFolders folders_;
    IniFile& ini_;
    std::vector<std::string> arguments_;
    Steps steps_;

    std::unique_ptr<WorldLink> world_;
    TSoundPreferences stored_;
    bool musicSwitch_ = true;
    bool soundSwitch_ = true;
    bool soundEnabled_ = false;
    bool musicEnabled_ = false;
    bool timerEnabled_ = false;
    bool closing_ = false;
    // False when the settings file could not be used at start-up (the player was told
    // then): it is left as it is at shut-down.
    bool saveSettings_ = true;
    bool active_ = true;
    bool lastActive_ = true;
    bool versionVisible_ = false;
    uint32_t timeBase_ = 0;
    std::string versionCaption_;
    std::string tileName_;
};

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/form_main.h"

#include <cstdio>

#include "foundation/polyglot.h"
#include "foundation/random.h"
#include "foundation/utils.h"
#include "game/shell/game_strings.h"

namespace qr {

namespace {
constexpr uint32_t kTickInterval = 55;
}

TFormMain::TFormMain(Services services, const TFolders& folders, IniFile& ini,
                     std::vector<std::string> arguments)
    : services_(services), folders_(folders), ini_(ini), arguments_(std::move(arguments)) {}

TFormMain::~TFormMain() = default;

SoundSwitches ParseSoundSwitches(const std::vector<std::string>& arguments) {
    SoundSwitches s;
    for (const std::string& arg : arguments) {
        std::string a = AsciiUpper(arg);
        // The Linux spellings "--nomidi" and friends mean the same.
        while (!a.empty() && (a[0] == '-' || a[0] == '/'))
            a.erase(0, 1);
        if (a == "NOMIDI")
            s.music = false;
        else if (a == "NOWAVE")
            s.sound = false;
        else if (a == "NOSOUND")
            s.music = s.sound = false;
    }
    return s;
}

void TFormMain::ParseSwitches() {
    const SoundSwitches s = ParseSoundSwitches(arguments_);
    musicSwitch_ = s.music;
    soundSwitch_ = s.sound;
}

bool TFormMain::FormCreate() {
    try {
        // 1. Activation, idle and instance handlers live in the platform's message loop.
        // 2. The version label.
        versionCaption_ = kVersionText;
        // 3. Command-line switches.
        ParseSwitches();
        // 4. The game image library.
        if (steps_.createImageLibrary) steps_.createImageLibrary(*this);
        // 5. The tiled background with a random tile.
        tileName_ = "tile" + std::to_string(GameRandom().Random(5) + 1);
        if (steps_.createTiledBackground) steps_.createTiledBackground(*this, tileName_);
        // 6. Let pending messages run.
        if (steps_.letMessagesRun) steps_.letMessagesRun(*this);
        // 7. Cursors.
        if (steps_.loadCursors) steps_.loadCursors(*this);
        // 8. Maximising is the window's business on the desktop.
        // 9. The world, initialised without a saved state.
        world_ =
            steps_.createWorld ? steps_.createWorld(*this) : std::make_unique<TSettingsWorld>();
        if (steps_.letMessagesRun) steps_.letMessagesRun(*this);
        // 10. The player's settings.
        saveSettings_ = ini_.Problem().empty();
        world_->SetPlayerSettings(ReadPlayerSettings(ini_, Polyglot()));
        // 11. A switch that is off is never turned on by the ini file.
        stored_ = ReadSoundPreferences(ini_);
        soundEnabled_ = soundSwitch_ && stored_.sound;
        musicEnabled_ = musicSwitch_ && stored_.music;
        // 12, 13. Music player and wave manager.
        if (steps_.createMusicPlayer) steps_.createMusicPlayer(*this, musicEnabled_);
        if (steps_.createWaveManager) steps_.createWaveManager(*this, soundEnabled_);
        // 14. The tick timer.
        timerEnabled_ = true;
        // 15. Off to the start room.
        world_->Start();
        return true;
    } catch (const std::exception& e) {
        services_.dialogs.MessageBox(kAppTitle, std::string(kAppTitle) + kStartupProblem + e.what(),
                                     DialogIcon::Error, Dialogs::Buttons::OK);
        timerEnabled_ = false;
        return false;
    }
}

void TFormMain::FormDestroy() {
    if (world_) {
        SaveShutdownSettings();
        world_.reset();
    }
    timerEnabled_ = false;
}

void TFormMain::SaveShutdownSettings() {
    if (world_) {
        TShutdownSettings s;
        s.player = world_->PlayerSettings();
        s.workingLanguage = Polyglot().GetString(0);
        s.useIcons = s.player.useIcons && world_->WordListHasIcons();
        // A switch given for one session must not become the player's lasting choice:
        // where a switch silenced a device, the stored preference is written back as it was.
        std::optional<bool> soundNow =
            steps_.soundEnabledNow ? steps_.soundEnabledNow() : soundEnabled_;
        std::optional<bool> musicNow =
            steps_.musicEnabledNow ? steps_.musicEnabledNow() : musicEnabled_;
        s.sound = soundSwitch_ && soundNow ? *soundNow : stored_.sound;
        s.music = musicSwitch_ && musicNow ? *musicNow : stored_.music;
        try {
            if (saveSettings_) WriteShutdownSettings(ini_, s);
        } catch (const std::exception& e) {
            // Ending on a signal, nobody may be there to close a message box.
            if (TerminationRequested())
                std::fprintf(stderr, "quilrush32: %s\n", e.what());
            else
                services_.dialogs.MessageBox(kAppTitle, e.what(), DialogIcon::Error,
                                             Dialogs::Buttons::OK);
        }
    }
}

void TFormMain::tmrTickTimer() {
    if (!world_ || !timerEnabled_) return;
    versionVisible_ = services_.system.CapsLockOn();
    const uint32_t now = services_.system.TickCount();
    if (timeBase_ == 0) timeBase_ = now;
    if (steps_.musicTick) steps_.musicTick();
    // Whole steps, rounded to the nearest, accounted against the time base so that the
    // clock never drifts however late the timer fires.
    const uint32_t steps = (now + kTickInterval / 2 - timeBase_) / kTickInterval;
    timeBase_ += steps * kTickInterval;
    if (active_ != lastActive_) {
        world_->SetFocus(active_);
        lastActive_ = active_;
        if (steps_.activityChanged) steps_.activityChanged(active_);
    }
    if (active_) world_->Tick(int(steps));
    if (world_->QuitFlag()) closing_ = true;
}

bool TFormMain::FormClose() {
    if (world_ && !world_->QuitFlag()) {
        world_->RequestClose();
        return false;
    }
    closing_ = true;
    return true;
}

} // namespace qr

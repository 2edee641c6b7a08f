// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/sound_shell.h"

#include "game/shell/world_shell.h"

namespace qr {

TShellSound::TShellSound(WaveOut& waves, MidiSequencer& midi, SoundEventQueue& events,
                         System& system)
    : waves_(waves), midi_(midi),
      sound_(waves, midi, events, [&system] { return system.TickCount(); }) {}

void TShellSound::Install(TFormMain& form) {
    auto& steps = form.StartupSteps();
    steps.createMusicPlayer = [this](TFormMain& f, bool music) {
        sound_.CreateMusicPlayer(music, f.Folders().Music());
    };
    steps.createWaveManager = [this](TFormMain& f, bool sound) {
        sound_.CreateWaveManager(sound, f.Folders().Waves(), f.Folders().DatProgram() + "sounds");
    };
    steps.musicTick = [this] {
        sound_.Pump();
        sound_.Tick();
    };
    steps.activityChanged = [this](bool active) {
        if (!active) sound_.FocusLost();
    };
    steps.soundEnabledNow = [this]() -> std::optional<bool> {
        if (!Sounds().WaveDeviceAvailable()) return std::nullopt;
        return Sounds().Available();
    };
    steps.musicEnabledNow = [this]() -> std::optional<bool> {
        TMidiPlayer* music = sound_.Music();
        if (!music || !music->MidiAvailable()) return std::nullopt;
        return music->Enabled();
    };

    auto makeWorld = steps.createWorld;
    if (!makeWorld) return;
    steps.createWorld = [this, makeWorld](TFormMain& f) {
        std::unique_ptr<WorldLink> world = makeWorld(f);
        if (auto* shell = dynamic_cast<TShellWorld*>(world.get())) {
            TShellWorld::SoundHooks h;
            h.waveDevicePresent = [] { return Sounds().WaveDeviceAvailable(); };
            h.waveEnabled = [] { return Sounds().Available(); };
            h.wavePlaying = [] {
                TWaveMan* w = Sounds().WaveMan();
                return w && w->CurrentID() != 0;
            };
            h.playSound = [](int number) { Sounds().PlaySound(number); };
            h.loopSound = [](int number) { Sounds().PlayLoop(number); };
            h.stopLoops = [] { Sounds().StopLoops(); };
            h.setWaveEnabled = [](bool on) { Sounds().SetSoundEnabled(on); };
            // The sound playing and the repeating ones.
            h.stopWaves = [] {
                if (TWaveMan* w = Sounds().WaveMan()) w->StopCurrent();
                Sounds().StopLoops();
            };
            h.midiDevicePresent = [this] {
                return sound_.Music() && sound_.Music()->MidiAvailable();
            };
            h.musicEnabled = [this] { return sound_.Music() && sound_.Music()->Enabled(); };
            h.musicBusy = [this] { return sound_.Music() && sound_.Music()->IsPlaying(); };
            h.setMusicEnabled = [this](bool on) {
                if (sound_.Music()) sound_.Music()->SetEnabled(on);
            };
            h.playMusic = [this](int track) { sound_.PlayMusic(track); };
            h.stopMusic = [this] {
                if (sound_.Music()) sound_.Music()->Stop();
            };
            shell->SetSound(std::move(h));
            sound_.SetOnMusicEnded([shell](int track) { shell->MusicEnded(track); });
        }
        return world;
    };
}

} // namespace qr

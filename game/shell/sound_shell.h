// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's sound: the music player and the wave manager made at their start-up
// steps, the ends of sounds and tracks handed over on every tick, the music stopped when
// the window loses activity, and the world's rooms connected to both.
#include <functional>
#include <string>

#include "game/shell/form_main.h"
#include "game/sound/game_sound.h"

namespace qr {

class TShellSound {
  public:
    // The outputs and the queue must outlive this object.
    TShellSound(WaveOut& waves, MidiSequencer& midi, SoundEventQueue& events, System& system);

    // Fills the sound steps of start-up and of the tick, and connects the world that the
    // start-up step creates (install the world's steps first).
    void Install(TFormMain& form);
    // The driver's SOUND and MUSIC lines.
    void SetLog(std::function<void(const std::string&)> log) { sound_.SetLog(std::move(log)); }
    TGameSound& Game() { return sound_; }

  private:
    WaveOut& waves_;
    MidiSequencer& midi_;
    TGameSound sound_;
};

} // namespace qr

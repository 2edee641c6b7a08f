// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything the main window needs for sound, put together in the order start-up and
// shut-down require: the music player with its programme (track choice, fallback deadline,
// end-of-track routine) and the program-wide sound table with its wave manager, over the
// wave output and MIDI sequencer of whichever back end runs, plus the main loop's pump.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "game/sound/midi_player.h"
#include "game/sound/music_choice.h"
#include "game/sound/sound_table.h"
#include "platform/midi_sequencer.h"
#include "platform/sound_events.h"
#include "platform/wave_out.h"

namespace qr {

class TGameSound {
  public:
    using Log = std::function<void(const std::string& line)>;
    // Milliseconds of the system tick count.
    using Clock = std::function<uint32_t()>;

    // The outputs and the queue must outlive this object.
    TGameSound(WaveOut& waves, MidiSequencer& midi, SoundEventQueue& events, Clock clock);
    // Frees the wave manager (closing its device) and then the music player.
    ~TGameSound();
    TGameSound(const TGameSound&) = delete;
    TGameSound& operator=(const TGameSound&) = delete;

    // Start-up step 12: the music player, its folder (the "mid/" folder) and its
    // end-of-track notification.
    void CreateMusicPlayer(bool wantMusic, const std::string& musicFolder);
    // Start-up step 13: the wave manager and the sound table ("wav/" folder, and the path of
    // "sounds" in the program's "dat/" folder without extension).
    void CreateWaveManager(bool wantSound, const std::string& waveFolder,
                           const std::string& soundsBase);

    // Every main-loop iteration: hands the ends of sounds and tracks to their managers.
    void Pump();
    // Step 3 of every tick: the fallback deadline of the track playing.
    void Tick();
    // The window lost activity: the music stops.
    void FocusLost();
    // `PlayMusic` of the main window (tracks 0-8).
    void PlayMusic(int track);

    // The music-ended routine: the world tells the rooms "ENDMUSIC" with the track.
    void SetOnMusicEnded(std::function<void(int track)> handler);
    // The driver's event lines: SOUND ... and MUSIC ...
    void SetLog(Log log);

    // Null before CreateMusicPlayer.
    TMidiPlayer* Music() const { return music_.get(); }
    TMusicChoice* Choice() const { return choice_.get(); }
    TSoundTable& Table() const { return Sounds(); }

  private:
    WaveOut& waves_;
    MidiSequencer& midi_;
    SoundEventQueue& events_;
    Clock clock_;
    std::function<void(int)> onEnded_;
    Log log_;
    std::unique_ptr<TMidiPlayer> music_;
    std::unique_ptr<TMusicChoice> choice_;
};

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The background music's programme, as the main window runs it: which track a room's
// request means ("any" picks a different random track and plays a short one twice,
// "repeat" plays the current one again), a fallback deadline a little after each track's
// listed length in case its end is never reported, and the routine that tells the game a
// track has ended. Free of any toolkit: the caller passes the time.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "game/sound/midi_player.h"

namespace qr {

struct MusicTrack {
    const char* name;
    int seconds; // 0 for the two pseudo-tracks
};

constexpr int kMusicAny = 7;
constexpr int kMusicRepeat = 8;
// Tracks 1-8; null for any other number.
const MusicTrack* FindMusicTrack(int track);

class TMusicChoice {
  public:
    using Log = std::function<void(const std::string& line)>;

    explicit TMusicChoice(TMidiPlayer& player);

    // A room's or the title's request; 0 stops the music. `nowMs` is the system tick count
    // (a 32-bit millisecond counter that may wrap).
    void PlayMusic(int track, uint32_t nowMs);
    // Once per tick, before the world runs: a track whose end was never reported is
    // stopped 3 s after its listed length and reported as ended.
    void CheckDeadline(uint32_t nowMs);
    // The player's end-of-track notification.
    void TrackEnded();

    // The game's music-ended routine (tells the rooms "ENDMUSIC"); gets the track number.
    void SetOnMusicEnded(std::function<void(int track)> handler) { onEnded_ = std::move(handler); }
    // Line "MUSIC end <track>".
    void SetLog(Log log) { log_ = std::move(log); }

    int CurrentTrack() const { return currentTrack_; }
    bool RepeatPending() const { return repeat_; }
    std::optional<uint32_t> Deadline() const { return deadline_; }

  private:
    void Ended(int track);

    TMidiPlayer& player_;
    int currentTrack_ = 0;
    bool repeat_ = false;
    std::optional<uint32_t> deadline_;
    int deadlineTrack_ = 0;
    std::function<void(int)> onEnded_;
    Log log_;
};

} // namespace qr

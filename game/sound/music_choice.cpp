// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/sound/music_choice.h"

#include "foundation/random.h"

namespace qr {

namespace {

constexpr MusicTrack kTracks[] = {
    {"title", 72}, {"norlenz", 85}, {"skitz", 54}, {"nowhere", 68},
    {"rain", 53},  {"ragout", 70},  {"any", 0},    {"repeat", 0},
};

} // namespace

const MusicTrack* FindMusicTrack(int track) {
    return track >= 1 && track <= 8 ? &kTracks[track - 1] : nullptr;
}

TMusicChoice::TMusicChoice(TMidiPlayer& player) : player_(player) {}

void TMusicChoice::PlayMusic(int track, uint32_t nowMs) {
    if (track == kMusicAny) {
        int picked = currentTrack_;
        if (!repeat_) {
            do
                picked = int(GameRandom().Random(6)) + 1;
            while (picked == currentTrack_);
        }
        const MusicTrack* t = FindMusicTrack(picked);
        repeat_ = repeat_ ? false : (t && t->seconds < 60);
        track = picked;
    } else if (track == kMusicRepeat) {
        track = currentTrack_;
        repeat_ = false;
    } else {
        repeat_ = false;
    }
    if (track == 0) {
        player_.Stop();
        return;
    }
    const MusicTrack* t = FindMusicTrack(track);
    if (!t || track >= kMusicAny) return; // no such track: nothing to play
    if (player_.IsPlaying()) return;
    currentTrack_ = track;
    deadline_ = nowMs + uint32_t(t->seconds + 3) * 1000;
    deadlineTrack_ = track;
    player_.Play(t->name, track);
}

void TMusicChoice::CheckDeadline(uint32_t nowMs) {
    // Compared as a signed distance, so a tick count that wraps does not fire it early.
    if (!deadline_ || int32_t(nowMs - *deadline_) <= 0) return;
    deadline_.reset();
    player_.Stop();
    Ended(deadlineTrack_);
}

void TMusicChoice::TrackEnded() {
    const int track = player_.CurrentTrack();
    deadline_.reset();
    if (track >= 0 && track <= 8) Ended(track);
}

void TMusicChoice::Ended(int track) {
    if (log_) log_("MUSIC end " + std::to_string(track));
    if (onEnded_) onEnded_(track);
}

} // namespace qr

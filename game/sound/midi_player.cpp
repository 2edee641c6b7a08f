// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/sound/midi_player.h"

#include <filesystem>

namespace qr {

TMidiPlayer::TMidiPlayer(MidiSequencer& sequencer, bool wantMusic) : sequencer_(sequencer) {
    if (wantMusic) InitDevice();
}

void TMidiPlayer::InitDevice() {
    if (!available_) {
        available_ = sequencer_.DeviceCount() > 0;
        enabled_ = available_;
    }
    if (available_ && !playerMade_) {
        playerMade_ = true;
        tag_ = -1;
    }
}

void TMidiPlayer::SetFolder(const std::string& path) {
    folder_ = path;
    if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
}

bool TMidiPlayer::IsPlaying() const {
    if (!playerMade_) return false;
    const MidiMode m = sequencer_.Mode();
    return m == MidiMode::Playing || m == MidiMode::Seeking || m == MidiMode::Paused;
}

void TMidiPlayer::CloseTrack() {
    if (playerMade_ && sequencer_.IsOpen()) {
        if (IsPlaying() && log_) log_("MUSIC stop");
        sequencer_.Close();
    }
    tag_ = -1;
    notify_ = false;
}

void TMidiPlayer::SetEnabled(bool wantMusic) {
    InitDevice();
    enabled_ = wantMusic && available_;
    if (!enabled_) CloseTrack();
}

void TMidiPlayer::Play(const std::string& name, int track) {
    if (!available_) return;
    previousTrack_ = currentTrack_;
    if (track == -2) {
        track = currentTrack_;
    } else {
        currentTrack_ = track;
        trackName_ = name.substr(0, 8);
    }
    if (track == -1) {
        CloseTrack();
        return;
    }
    if (!enabled_) return;
    if (tag_ == track && IsPlaying()) return;

    bool opened = false;
    const std::string file = folder_ + trackName_ + ".mid";
    std::error_code ec;
    if (std::filesystem::is_regular_file(file, ec)) {
        if (sequencer_.IsOpen() && sequencer_.Mode() == MidiMode::Stopped) sequencer_.Close();
        if (!sequencer_.IsOpen()) {
            tag_ = -1;
            sequencer_.Open(file); // a file the sequencer refuses raises MidiError
            tag_ = currentTrack_;
            opened = true;
        }
    }
    if (opened && currentTrack_ == tag_) {
        notify_ = true;
        sequencer_.Play();
        if (log_) log_("MUSIC play " + trackName_);
    }
}

void TMidiPlayer::SequencerDone(uint32_t serial) {
    if (!notify_ || !sequencer_.IsOpen() || serial != sequencer_.Serial()) return;
    notify_ = false;
    if (onNotify_) onNotify_();
}

} // namespace qr

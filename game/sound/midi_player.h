// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TMidiPlayer plays the background music: it remembers which track is wanted, opens that
// track's ".mid" file from the music folder on the platform sequencer, starts it with an
// end notification and stops it. Which track plays when is its callers' business (the
// main window's music choice and the rooms).
#include <cstdint>
#include <functional>
#include <string>

#include "platform/midi_sequencer.h"

namespace qr {

class TMidiPlayer {
  public:
    using Log = std::function<void(const std::string& line)>;

    TMidiPlayer(MidiSequencer& sequencer, bool wantMusic);

    void SetFolder(const std::string& path);
    const std::string& Folder() const { return folder_; }
    // Called (on the main thread) when a track started by this player plays to its end.
    void SetOnNotify(std::function<void()> handler) { onNotify_ = std::move(handler); }
    // Track -1: no music. Track -2: the current track again (name ignored). Names are cut
    // to 8 characters. A track still playing is never replaced: stop it first.
    void Play(const std::string& name, int track);
    void Stop() { Play({}, -1); }
    void SetEnabled(bool wantMusic);
    bool Enabled() const { return enabled_; }
    bool Available() const { return available_; }
    // Playing, seeking or paused.
    bool IsPlaying() const;
    bool MidiAvailable() const { return sequencer_.DeviceCount() > 0; }

    int CurrentTrack() const { return currentTrack_; }
    int PreviousTrack() const { return previousTrack_; }
    const std::string& TrackName() const { return trackName_; }

    // A MidiDone event's token. Ends of an open that is no longer current are ignored.
    void SequencerDone(uint32_t serial);

    // Lines "MUSIC play <name>" and "MUSIC stop".
    void SetLog(Log log) { log_ = std::move(log); }

  private:
    void InitDevice();
    void CloseTrack();

    MidiSequencer& sequencer_;
    std::string folder_;
    int currentTrack_ = -1;
    std::string trackName_;
    bool playerMade_ = false;
    bool enabled_ = false;
    bool available_ = false;
    std::function<void()> onNotify_;
    int previousTrack_ = -1;
    int tag_ = -1;        // the track the sequencer has open
    bool notify_ = false; // an end notification is due for the open track
    Log log_;
};

} // namespace qr

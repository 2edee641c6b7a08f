// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The MIDI sequencer as the music player expects it: open a ".mid" file by name, play it
// from the start with a notification at its end, ask its mode, stop, close. A natural
// end posts a MidiDone event carrying the serial number of the open it belongs to; a
// stop or close that the program asked for posts nothing.
#include <cstdint>
#include <string>

#include "foundation/uvo_exception.h"

namespace qr {

enum class MidiMode { NotOpen, Stopped, Playing, Seeking, Paused };

// A file the sequencer cannot open (not a standard MIDI file, unreadable).
class MidiError : public UvoException {
  public:
    using UvoException::UvoException;
};

class MidiSequencer {
  public:
    virtual ~MidiSequencer() = default;
    // Number of MIDI outputs: 0 when music cannot be played at all.
    virtual int DeviceCount() const = 0;
    // Opens the file (closing one that was open). Throws MidiError when it cannot.
    virtual void Open(const std::string& path) = 0;
    virtual bool IsOpen() const = 0;
    // Plays the open file from its start. Does nothing when nothing is open.
    virtual void Play() = 0;
    virtual void Stop() = 0;
    virtual void Close() = 0;
    virtual MidiMode Mode() const = 0;
    // Serial number of the current open; each Open gets a new one.
    virtual uint32_t Serial() const = 0;
};

} // namespace qr

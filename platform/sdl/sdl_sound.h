// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's sound: one SDL audio device whose callback renders the General MIDI
// synthesiser and mixes the wave buffer that is playing into the same stream, so waves
// and music share one device and one clock. The soundfont loads on a thread of its own
// so that opening the audio never delays the first frame; a track asked for meanwhile
// starts as soon as the synthesiser is ready.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/midi_sequencer.h"
#include "platform/sound_events.h"
#include "platform/wave_out.h"

namespace qr {

class SdlAudio {
  public:
    // Soundfont: the given path, else $QUILRUSH_SOUNDFONT, else the Debian General MIDI
    // soundfont. When the audio device cannot open, both outputs report no device; when the
    // soundfont is missing or unreadable, only the MIDI output does. Without `music` the
    // soundfont is never loaded; without either, no audio device is even looked for (a
    // player who turned all sound off must not find the device busy or hear a click).
    explicit SdlAudio(SoundEventQueue& events, const std::string& soundfont = {}, bool waves = true,
                      bool music = true);
    ~SdlAudio();
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    // Both must be destroyed (their devices closed) before this object.
    WaveOut& Waves();
    MidiSequencer& Midi();

    bool DeviceOpen() const;
    int SampleRate() const;
    // Stereo frames the device has rendered since it opened (the audio clock).
    uint64_t FramesRendered() const;
    // The audio clock when the end of the last track that played out was detected.
    uint64_t TrackEndFrame() const;
    // Blocks until the soundfont has loaded or failed; true when the synthesiser is ready.
    bool WaitForSynth();

    static std::string DefaultSoundfont();

    struct Core;

  private:
    std::unique_ptr<Core> core_;
    std::unique_ptr<WaveOut> waves_;
    std::unique_ptr<MidiSequencer> midi_;
};

} // namespace qr

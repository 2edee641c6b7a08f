// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The road by which the audio back ends tell the main thread that a wave buffer or a
// MIDI track has finished. Back ends post from any thread (the SDL audio callback, or
// the headless clock); the main loop drains the queue once per iteration and hands each
// event to the sound managers, so that all sound logic runs on the main thread.
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>

namespace qr {

struct SoundEvent {
    enum class Kind : uint8_t { WaveDone, MidiDone };
    Kind kind = Kind::WaveDone;
    // WaveDone: the user value of the finished wave header. MidiDone: the serial number
    // of the sequencer's open that finished (stale ends can be told from current ones).
    uint32_t token = 0;
};

class SoundEventQueue {
  public:
    void Post(SoundEvent event);
    // The oldest event, or nothing when the queue is empty.
    std::optional<SoundEvent> Pop();
    bool Empty() const;

  private:
    mutable std::mutex mutex_;
    std::deque<SoundEvent> events_;
};

} // namespace qr

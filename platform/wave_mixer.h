// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Renders one written wave buffer into the output stream of the audio device: any
// playable PCM format (8/16-bit, mono/stereo, any rate) becomes interleaved float
// stereo at the device rate. Resampling interpolates across the loop join into the first
// frame of the next pass, so a looping sound has no click where it wraps. Plain code, no
// audio toolkit, so the output can be checked sample by sample.
#include <cstddef>
#include <cstdint>

#include "platform/wave_out.h"

namespace qr {

class WaveVoice {
  public:
    WaveVoice(const WaveFormat& format, const WaveHeader& header);

    // Adds up to `frames` stereo frames into `out` (which holds 2 * frames floats) at
    // `outRate`. Returns true once the buffer has played out; the frames after the end are
    // left untouched.
    bool MixInto(float* out, size_t frames, uint32_t outRate);
    // The pass now playing becomes the last.
    void BreakLoop();
    bool Finished() const { return finished_; }

    uint32_t FrameCount() const { return frames_; }
    uint32_t Passes() const { return passes_; }
    uint32_t UserValue() const { return user_; }

  private:
    void Frame(uint32_t index, float& left, float& right) const;

    WaveFormat format_;
    const uint8_t* data_;
    uint32_t frames_;
    uint32_t user_;
    uint32_t passes_;
    uint32_t pass_ = 0;
    // Position inside the current pass, in source frames, as 32.32 fixed point so that long
    // loops do not drift.
    uint64_t pos_ = 0;
    bool finished_ = false;
};

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave_mixer.h"

namespace qr {

WaveVoice::WaveVoice(const WaveFormat& format, const WaveHeader& header)
    : format_(format), data_(header.data),
      frames_(format.blockAlign ? header.length / format.blockAlign : 0), user_(header.user),
      passes_(header.Passes()) {
    finished_ = frames_ == 0 || data_ == nullptr;
}

void WaveVoice::BreakLoop() {
    passes_ = pass_ + 1;
}

void WaveVoice::Frame(uint32_t index, float& left, float& right) const {
    const uint8_t* p = data_ + size_t(index) * format_.blockAlign;
    auto sample = [&](int channel) -> float {
        if (format_.bitsPerSample == 8) return (float(p[channel]) - 128.0f) / 128.0f;
        const uint8_t* s = p + 2 * channel;
        return float(int16_t(uint16_t(s[0] | (s[1] << 8)))) / 32768.0f;
    };
    left = sample(0);
    right = format_.channels == 2 ? sample(1) : left;
}

bool WaveVoice::MixInto(float* out, size_t frames, uint32_t outRate) {
    if (finished_) return true;
    const uint64_t step = (uint64_t(format_.samplesPerSec) << 32) / outRate;
    const uint64_t end = uint64_t(frames_) << 32;
    for (size_t i = 0; i < frames; ++i) {
        const uint32_t index = uint32_t(pos_ >> 32);
        const float frac = float(uint32_t(pos_)) / 4294967296.0f;
        float l0, r0, l1, r1;
        Frame(index, l0, r0);
        if (index + 1 < frames_) {
            Frame(index + 1, l1, r1);
        } else if (pass_ + 1 < passes_) {
            Frame(0, l1, r1); // the join: lean towards the start of the next pass
        } else {
            l1 = l0;
            r1 = r0;
        }
        out[2 * i] += l0 + (l1 - l0) * frac;
        out[2 * i + 1] += r0 + (r1 - r0) * frac;
        pos_ += step;
        while (pos_ >= end) {
            pos_ -= end;
            if (++pass_ >= passes_) {
                finished_ = true;
                return true;
            }
        }
    }
    return false;
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wave_out.h"

namespace qr {

bool WaveFormat::IsPlayable() const {
    if (formatTag != 1) return false;
    if (channels != 1 && channels != 2) return false;
    if (bitsPerSample != 8 && bitsPerSample != 16) return false;
    if (samplesPerSec < 1000 || samplesPerSec > 192000) return false;
    return blockAlign == channels * (bitsPerSample / 8);
}

} // namespace qr

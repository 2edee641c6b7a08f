// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as a wave file; whatever it accepts must be something a device can
// be handed safely (a format and samples that really exist), and it must play through the
// mixer without reading outside the samples.
#include <cstdlib>
#include <vector>

#include "foundation/silent_abort.h"
#include "game/sound/riff_wave.h"
#include "platform/wave_mixer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        qr::WaveData w = qr::ParseWave(data, size);
        if (w.samples.empty() || w.format.formatTag != 1) std::abort();
        if (!w.format.IsPlayable()) return 0;
        qr::WaveHeader h;
        h.data = w.samples.data();
        h.length = uint32_t(w.samples.size());
        h.flags = qr::kWaveHdrBeginLoop | qr::kWaveHdrEndLoop;
        h.loops = 2;
        qr::WaveVoice voice(w.format, h);
        std::vector<float> out(2 * 4096);
        for (int i = 0; i < 64 && !voice.MixInto(out.data(), 4096, 44100); ++i) {
        }
    } catch (const qr::SilentAbort&) {
    }
    return 0;
}

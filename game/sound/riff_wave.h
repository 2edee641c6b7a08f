// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads a RIFF/WAVE file into the form the wave manager keeps in memory: the PCM format
// and the sample bytes. Any fault (no such file, not RIFF/WAVE, no "fmt " or "data"
// chunk, not PCM, empty data, a short read) raises SilentAbort: a broken wave file is
// never worth a message to the player.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/wave_out.h"

namespace qr {

struct WaveData {
    WaveFormat format;
    std::vector<uint8_t> samples;
};

WaveData ReadWaveFile(const std::string& path);
WaveData ParseWave(const uint8_t* bytes, size_t size);

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds small RIFF/WAVE files for the tests.
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace qr::test {

inline void PutU16(std::vector<uint8_t>& b, uint16_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
inline void PutU32(std::vector<uint8_t>& b, uint32_t v) {
    PutU16(b, uint16_t(v));
    PutU16(b, uint16_t(v >> 16));
}
inline void PutTag(std::vector<uint8_t>& b, const char* tag) {
    b.insert(b.end(), tag, tag + 4);
}

// A PCM wave of the given sample bytes.
inline std::vector<uint8_t> WaveBytes(const std::vector<uint8_t>& samples, uint16_t channels = 1,
                                      uint32_t rate = 22050, uint16_t bits = 8, uint16_t tag = 1) {
    std::vector<uint8_t> b;
    PutTag(b, "RIFF");
    PutU32(b, uint32_t(4 + 8 + 16 + 8 + samples.size() + (samples.size() & 1)));
    PutTag(b, "WAVE");
    PutTag(b, "fmt ");
    PutU32(b, 16);
    PutU16(b, tag);
    PutU16(b, channels);
    PutU32(b, rate);
    PutU32(b, rate * channels * bits / 8);
    PutU16(b, uint16_t(channels * bits / 8));
    PutU16(b, bits);
    PutTag(b, "data");
    PutU32(b, uint32_t(samples.size()));
    b.insert(b.end(), samples.begin(), samples.end());
    if (samples.size() & 1) b.push_back(0);
    return b;
}

// An 8-bit mono wave of `frames` frames at `rate` (a gentle ramp, never silent).
inline std::vector<uint8_t> Wave8(uint32_t frames, uint32_t rate = 22050) {
    std::vector<uint8_t> s(frames);
    for (uint32_t i = 0; i < frames; ++i)
        s[i] = uint8_t(128 + (i % 64));
    return WaveBytes(s, 1, rate, 8);
}

inline void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

} // namespace qr::test

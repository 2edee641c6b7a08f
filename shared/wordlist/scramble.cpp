// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordlist/scramble.h"

#include <cstdint>

#include "foundation/random.h"

namespace qr {
namespace {

std::string XorWithKey(std::string_view middle, uint32_t seed) {
    TRandom& rnd = GameRandom();
    rnd.SetSeed(seed & 0xFFFF);
    std::string out(middle);
    for (char& c : out)
        c = char(uint8_t(c) ^ uint8_t(rnd.Random(256)));
    rnd.Randomize();
    return out;
}

} // namespace

std::string ScrambleText(std::string_view plain) {
    uint32_t seed = 0;
    int shift = 6;
    for (unsigned char b : plain) {
        seed += uint32_t(b) << shift;
        if (shift > 1) --shift;
    }
    std::string out;
    out.reserve(plain.size() + 2);
    out += char((seed >> 8) & 0xFF);
    out += XorWithKey(plain, seed);
    out += char(seed & 0xFF);
    return out;
}

std::string UnscrambleText(std::string_view s) {
    if (s.size() < 2) return {};
    uint32_t seed = uint8_t(s.back()) + 256u * uint8_t(s.front());
    return XorWithKey(s.substr(1, s.size() - 2), seed);
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's one random generator. Every "random" choice of the game (tiles, music,
// cards, round words, scrambles) draws from it, so a seeded run is repeatable.
#include <cstdint>

namespace qr {

class TRandom {
  public:
    void SetSeed(uint32_t seed) { seed_ = seed; }
    uint32_t Seed() const { return seed_; }
    // Reseeds from the wall clock: milliseconds of the current UTC day.
    void Randomize();
    // 0 <= result < n (0 when n is 0): seed := seed * 134775813 + 1, result := (seed * n) >> 32.
    uint32_t Random(uint32_t n) {
        seed_ = seed_ * 134775813u + 1u;
        return static_cast<uint32_t>((uint64_t(seed_) * n) >> 32);
    }
    // Inclusive range lo..hi.
    int32_t Range(int32_t lo, int32_t hi) {
        return lo + static_cast<int32_t>(Random(uint32_t(hi - lo + 1)));
    }

  private:
    uint32_t seed_ = 0;
};

// The shared instance.
TRandom& GameRandom();

} // namespace qr

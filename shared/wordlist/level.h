// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A level of a word list: the set of word groups (0..99) whose words are played at that
// difficulty, plus the member count as the file stored it. Kept as a 13-byte bit set
// because that is how far the stored member bytes can reach (groups up to 103).
#include <array>
#include <cstdint>

namespace qr {

class TLevel {
  public:
    static constexpr int kMaxGroup = 99; // groups the operations act on
    static constexpr int kLastBit = 103; // highest bit a stored member byte may set

    void Include(int group);
    void Exclude(int group);
    bool Contains(int group) const;
    // Sets a bit without touching Count: how the reader takes stored members.
    void SetBit(int group);
    uint8_t Count() const { return count_; }
    void SetCount(uint8_t count) { count_ = count; }
    // Members 0..99 in ascending order: what is written back.
    int MemberCount() const;
    bool operator==(const TLevel&) const = default;

  private:
    std::array<uint8_t, 13> bits_{};
    uint8_t count_ = 0;
};

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The player's lives as the world keeps them between levels: up to five little figures
// standing in the lives area under the board, each with its own figure, pose and height,
// that fidget while a level is played. This is the bookkeeping; the world draws the
// figures from the "lives" pictures where Position() puts them.
#include <array>
#include <cstdint>
#include <optional>

#include "foundation/geometry.h"

namespace qr {

class TLivesDisplay {
  public:
    static constexpr int kSlots = 5;
    static constexpr int kFigures = 6;
    static constexpr int kPoses = 6;
    static constexpr int kHeights = 3;
    static constexpr int32_t kOffsetStep = 12;
    // The lives area of the screen.
    static constexpr TRect kArea{317, 364, 389, 400};

    struct Slot {
        bool present = false;
        int figure = 0; // 1-6
        int pose = 1;   // 1-6
        int height = 0; // 0-2
        int32_t offset = 0;
    };

    // A new game: five different figures in random poses, heights and order.
    void Reset();
    // Takes the figure with the greatest offset away; the slot it stood in, or nothing
    // when no life is left.
    std::optional<Slot> TakeLife();
    // A figure joins in the first empty slot, to the right of the others (five at most).
    void AddLife();
    // Each figure may change its pose (4 in 10) and its height (3 in 10).
    void FidgetLives();

    int Count() const { return count_; }
    const std::array<Slot, kSlots>& Slots() const { return slots_; }
    // Top left of a figure on the screen.
    static TPoint Position(const Slot& slot);

  private:
    std::array<Slot, kSlots> slots_{};
    int count_ = 0;
};

} // namespace qr

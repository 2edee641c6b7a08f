// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A stand-in player for scripted runs, soak tests and benchmarks: whenever the play room
// holds a card up, it clicks once, after a delay, on a hidden cell of the card's letter
// with the chosen probability and on a wrong hidden cell otherwise.
#include <cstdint>
#include <optional>

#include "foundation/geometry.h"

namespace qr {

class TPlayRules;

struct TAutoClick {
    int row = 0;  // 1-5: the row box "W<row>"
    TPoint point; // relative to the row box
    bool right = false;
};

class TAutoPlayer {
  public:
    // accuracy 0-100; delay in ticks after the card came up, or -1 for a random delay
    // within the card's holding time, drawn anew for every card.
    void Start(int accuracy, int32_t delay);
    void Stop() { active_ = false; }
    bool Active() const { return active_; }

    // Called once a tick: the click to make now, if any.
    std::optional<TAutoClick> Tick(const TPlayRules& rules);

  private:
    std::optional<TAutoClick> Choose(const TPlayRules& rules);

    bool active_ = false;
    int accuracy_ = 100;
    int32_t delay_ = -1;
    bool cardUp_ = false;
    bool clicked_ = false;
    int32_t wait_ = 0;
};

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's picture as the game sees it: 8-bit surfaces are sent to it a rectangle at
// a time through a 256-colour palette. The desktop backend turns them into 32-bit pixels
// of a streaming texture; the headless backend keeps an RGB frame in memory for tests
// and screenshots. Nothing here knows a toolkit.
#include <cstdint>

#include "graphics/palette.h"

namespace qr {

class Display : public TPresentTarget {
  public:
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
};

} // namespace qr

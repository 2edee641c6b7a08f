// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Facts about the machine and the user's input devices that the game asks the system
// for: screen colour depth, processor type, the millisecond tick count, and the state of
// the keys the world turns into scripts.
#include <cstdint>

#include "foundation/geometry.h"

namespace qr {

enum class Key { Shift, Ctrl, Delete, Escape };

class System {
  public:
    virtual ~System() = default;
    // Bits per pixel times planes of the screen.
    virtual int ColourDepth() const = 0;
    // The processor type number as Windows reports it (586 for a Pentium
    // class processor); the animal chooser divides it by 100.
    virtual int ProcessorType() const { return 586; }
    // Milliseconds since an arbitrary start; wraps like a 32-bit counter.
    virtual uint32_t TickCount() const = 0;
    virtual bool KeyDown(Key key) const = 0;
    virtual bool CapsLockOn() const = 0;
};

} // namespace qr

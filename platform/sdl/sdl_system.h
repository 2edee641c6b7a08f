// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Machine facts from SDL: the desktop's colour depth, SDL's millisecond clock, and the
// keyboard state SDL keeps from the window's events.
#include "platform/system.h"

namespace qr {

class SdlSystem : public System {
  public:
    int ColourDepth() const override;
    uint32_t TickCount() const override;
    bool KeyDown(Key key) const override;
    bool CapsLockOn() const override;
};

} // namespace qr

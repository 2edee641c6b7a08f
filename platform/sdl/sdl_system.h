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

    // A key pressed and let go between two ticks is never down when the tick looks at
    // the keyboard (a quick tap, or a tool that sends both at once). The window reports
    // each press here so that the next look sees the key down once.
    void NoteKeyDown(int scancode);

  private:
    mutable bool escapePressed_ = false;
    mutable bool deletePressed_ = false;
};

} // namespace qr

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
    // each press here so that the next look sees the key down once. A press nobody
    // looked at soon after is forgotten: an Escape typed in a room that does not read the
    // keyboard must not open the quit panel when a game starts minutes later.
    void NoteKeyDown(int scancode);

  private:
    // When the press came (SDL ticks), 0 for none.
    mutable uint32_t escapePressedAt_ = 0;
    mutable uint32_t deletePressedAt_ = 0;
    bool Remembered(uint32_t& pressedAt) const;
};

} // namespace qr

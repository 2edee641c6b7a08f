// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A machine whose every fact is set by the test or drive script: colour depth, keys,
// Caps Lock, and a clock that only moves when told to.
#include "platform/system.h"

namespace qr {

class HeadlessSystem : public System {
  public:
    int ColourDepth() const override { return depth_; }
    int ProcessorType() const override { return processor_; }
    uint32_t TickCount() const override { return now_; }
    bool KeyDown(Key key) const override { return keys_[int(key)]; }
    bool CapsLockOn() const override { return capsLock_; }

    void SetColourDepth(int bits) { depth_ = bits; }
    void SetProcessorType(int type) { processor_ = type; }
    void Advance(uint32_t ms) { now_ += ms; }
    void SetKey(Key key, bool down) { keys_[int(key)] = down; }
    void SetCapsLock(bool on) { capsLock_ = on; }

  private:
    int depth_ = 32;
    int processor_ = 586;
    // Starts away from 0: the main window reads a time base of 0 as "not started".
    uint32_t now_ = 1000;
    bool keys_[4] = {};
    bool capsLock_ = false;
};

} // namespace qr

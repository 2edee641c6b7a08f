// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The quiet failure: an operation gives up without anything being shown to the player.
// Code that reports exceptions in a message box lets this one pass without a word; a
// missing or broken wave file is the usual case.
#include "foundation/uvo_exception.h"

namespace qr {

class SilentAbort : public UvoException {
  public:
    explicit SilentAbort(const std::string& why = "Operation aborted") : UvoException(why) {}
};

} // namespace qr

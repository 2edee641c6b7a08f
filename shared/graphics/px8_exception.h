// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every failure of the image code: libraries, codec, surfaces, fonts, text blocks.
#include "foundation/uvo_exception.h"

namespace qr {

class PX8Exception : public UvoException {
  public:
    using UvoException::UvoException;
};

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The inner loops of blits: one row of W pixels, opaque or colour-keyed, straight or
// mirrored. The choice is made once per blit; each loop is specialised so the row
// copy carries no per-pixel branches on the blit's options.
#include <cstdint>

namespace qr {

// Copies w pixels of src into dst. Keyed copies skip source pixels equal to key;
// mirrored copies put src[i] at dst[w - 1 - i].
using TRowCopy = void (*)(uint8_t* dst, const uint8_t* src, int32_t w, uint8_t key);

TRowCopy SelectRowCopy(bool keyed, bool mirrored);

} // namespace qr

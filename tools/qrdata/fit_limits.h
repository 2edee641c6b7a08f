// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts the game draws on one line into a space of fixed width: button labels in their
// hit boxes and the credit lines across the page. The one table of those limits, read
// by the data tests (every shipped language must fit) and by the PO import (a
// translation that does not fit is refused before it reaches a string file).
#include <span>
#include <string_view>

namespace qr {

struct TFitLimit {
    int number;       // the string
    int fontSlot;     // 4: the 14-point font "04ab14bw"; 5: the 48-point card font
    int pixels;       // widest the drawn text may be
    const char* room; // for a button: the room and hit box whose width gives the limit
    const char* box;  // (the box less a margin of 8); nullptr for a fixed space
    const char* what; // where the text is seen, for translators
};

std::span<const TFitLimit> FitLimits();

// Kept free each side of a button label: a ticked box or a little margin.
inline constexpr int kLabelMargin = 8;

// Width of a text in stored (string file) bytes, drawn in the game font of that slot.
int FitWidth(int fontSlot, std::string_view bytes);

} // namespace qr

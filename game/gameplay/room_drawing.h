// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the start, initials and diploma rooms share in drawing: texts placed in fixed boxes
// (one text block a box, its font "r" and an optional second font "h" for highlighted
// passages, a line vertically centred when it is the only one) and repainting a part of
// the room while it is on the screen.
#include <string>
#include <string_view>

#include "foundation/geometry.h"
#include "graphics/text_block.h"

namespace qr {

class TPX8Font;
class TPX8ImageData;
class TRoom;

struct TBoxText {
    TPX8Font* font = nullptr;
    TPX8Font* highlight = nullptr; // "\h" switches to it
    uint8_t alignment = TTextBlock::AlignCentre;
    uint16_t margin = 0;
    // Put a single line in the middle of the box's height.
    bool centreVertically = true;
};

// Text from outside (a list's title, a language's name, initials) as a text block shows
// it literally: its backslashes would otherwise switch fonts.
std::string PlainText(std::string_view text);

// Whether the text takes a single line in the box's width.
bool FitsOneLine(TRect box, std::string_view text, const TBoxText& how);

// Draws the text in the box (nothing without a font); what does not fit is left out and
// reported as a text of the room that was cut at that place.
void DrawBoxText(TRoom& room, std::string_view where, TPX8ImageData& image, TRect box,
                 std::string_view text, const TBoxText& how);

// Draws the area of the room again (picture, frame sets and contents) when the room is the
// world's current one; nothing otherwise, since it will be drawn whole on entry.
void RepaintRoomArea(TRoom& room, TRect area);

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drawing shared by the menu rooms: their fonts, the labels of their buttons and the
// page buttons. A picture or font the library lacks leaves that part undrawn rather than
// stopping the room, so a room still works on a partial data tree.
#include <memory>
#include <string>
#include <string_view>

#include "foundation/geometry.h"

namespace qr {

class THitBox;
class THotImage;
class TPX8Font;
class TPX8ImageData;
class TPX8Library;
class TRoom;

// The font and its extra letters; null when the library lacks either.
std::unique_ptr<TPX8Font> OpenMenuFont(TPX8Library& library, const std::string& name,
                                       const std::string& specialName);
// The font named "<size>ab<points><ink>w" with its extra letters "abce<points><ink>w".
std::unique_ptr<TPX8Font> OpenMenuFont(TPX8Library& library, int size, int points, char ink);

// Draws the text centred in the box's rectangle while the box is usable. A greyed button
// shows no label and is veiled in grey instead, so it never looks clickable. A label wider
// than its box is reported as a cut text of the room.
void DrawButtonLabel(TRoom& room, TPX8ImageData& image, TPX8Font* font, const THitBox* box,
                     std::string_view text);
// The text centred in the box; one wider than the box is reported (at where).
void DrawCentred(TRoom& room, std::string_view where, TPX8ImageData& image, TPX8Font& font,
                 TRect box, std::string_view text);

// The room's boxes "PREVPAGE" and "NEXTPAGE" (either may be missing).
void EnablePageButtons(TRoom& room, bool prevUsable, bool nextUsable);
// The page-button strip holds previous and next side by side, in rows for pressed,
// usable and greyed; each button is drawn over its box as the box's state says.
void DrawPageButtons(TRoom& room, THotImage* strip, TPX8ImageData& image);

} // namespace qr

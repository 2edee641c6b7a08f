// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/gameplay/room_drawing.h"

#include "game/world/room.h"
#include "game/world/text_fit.h"
#include "game/world/world.h"
#include "graphics/font.h"

namespace qr {

std::string PlainText(std::string_view text) {
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '\\') out += c;
    }
    return out;
}

bool FitsOneLine(TRect box, std::string_view text, const TBoxText& how) {
    if (!how.font) return true;
    // Laid out in a box one line high: a text that needs a second line is not consumed.
    TTextBlock probe(how.font, "r");
    if (how.highlight) probe.AddFont("h", how.highlight);
    probe.SetMargins(how.margin, 0, how.margin, 0);
    const TRect oneLine{box.Left, box.Top, box.Right, box.Top + how.font->Height};
    return probe.Draw(nullptr, oneLine, text) >= text.size();
}

void DrawBoxText(TRoom& room, std::string_view where, TPX8ImageData& image, TRect box,
                 std::string_view text, const TBoxText& how) {
    if (!how.font) return;
    TTextBlock block(how.font, "r");
    if (how.highlight) block.AddFont("h", how.highlight);
    uint16_t top = how.margin;
    if (how.centreVertically && box.Height() > how.font->Height && FitsOneLine(box, text, how))
        top = uint16_t((box.Height() - how.font->Height) / 2);
    block.SetMargins(how.margin, top, how.margin, how.margin);
    block.Alignment = how.alignment;
    if (block.Draw(&image, box, text) < text.size()) ReportTextCut(room, where, text);
}

void RepaintRoomArea(TRoom& room, TRect area) {
    TWorld& world = room.World();
    TPX8ImageData* work = world.WorkImage();
    if (!work || world.CurrentRoom() != &room) return;
    const TRect old = work->ClipRect;
    work->SetClipRect(area);
    room.Draw(work);
    work->ClipRect = old;
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/world/text_fit.h"

#include "game/world/room.h"
#include "game/world/world.h"
#include "graphics/font.h"

namespace qr {

size_t ShortenedLength(const TPX8Font& font, std::string_view text, int32_t width) {
    const int32_t dots = font.TextWidth(kEllipsis);
    size_t keep = 0;
    int32_t used = 0;
    // Widths add up byte by byte, so the longest fitting beginning is found in one pass.
    while (keep < text.size()) {
        const int32_t w = font.TextWidth(text.substr(keep, 1));
        if (used + w + dots > width) break;
        used += w;
        ++keep;
    }
    while (keep > 0 && text[keep - 1] == ' ')
        --keep;
    return keep;
}

std::string ShortenToWidth(const TPX8Font& font, std::string_view text, int32_t width) {
    if (font.TextWidth(text) <= width) return std::string(text);
    std::string shown(text.substr(0, ShortenedLength(font, text, width)));
    for (char dot : kEllipsis) {
        if (font.TextWidth(shown + dot) > width) break;
        shown += dot;
    }
    return shown;
}

std::string FitLine(TRoom& room, std::string_view where, const TPX8Font& font,
                    std::string_view text, int32_t width) {
    std::string shown = ShortenToWidth(font, text, width);
    if (shown != text)
        room.World().Host().TextDidNotFit(room.GetID(), std::string(where), shown, true);
    return shown;
}

bool FontDrawsAll(const TPX8Font& font, std::string_view text) {
    for (char c : text) {
        const TGlyphRef g = MapFontByte(uint8_t(c));
        if (g.kind == TGlyphRef::Glyph && (*font.Glyphs)[size_t(g.index)].Width > 0) continue;
        if (g.kind == TGlyphRef::Special && font.Specials && font.SpecialSurface &&
            (*font.Specials)[size_t(g.index)].Width > 0)
            continue;
        return false;
    }
    return true;
}

void ReportTextCut(TRoom& room, std::string_view where, std::string_view text) {
    room.World().Host().TextDidNotFit(room.GetID(), std::string(where), std::string(text), false);
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/rooms/menu_art.h"

#include <cstdio>

#include "foundation/uvo_exception.h"
#include "game/world/hit_box.h"
#include "game/world/pictures.h"
#include "game/world/room.h"
#include "game/world/text_fit.h"
#include "graphics/font.h"
#include "graphics/hot_image.h"
#include "graphics/image_data.h"

namespace qr {

namespace {

constexpr int32_t kPageButtonWidth = 40, kPageButtonHeight = 34;
void DrawPageButton(TRoom& room, THotImage& strip, TPX8ImageData& image, const char* id,
                    int column) {
    const THitBox* box = room.FindHitBox(id);
    if (!box) return;
    const int frame = box->Disabled() ? 2 : 1;
    const TRect source =
        TRect::FromOriginSize({column * kPageButtonWidth, frame * kPageButtonHeight},
                              kPageButtonWidth, kPageButtonHeight);
    image.Blit({box->Rect().Left, box->Rect().Top}, strip.Surface(), source);
}

} // namespace

std::unique_ptr<TPX8Font> OpenMenuFont(TPX8Library& library, const std::string& name,
                                       const std::string& specialName) {
    try {
        return std::make_unique<TPX8Font>(library, name, specialName);
    } catch (const std::exception&) {
        return nullptr;
    }
}

std::unique_ptr<TPX8Font> OpenMenuFont(TPX8Library& library, int size, int points, char ink) {
    char name[16], special[16];
    std::snprintf(name, sizeof name, "%.2dab%.2d%cw", size, points, ink);
    std::snprintf(special, sizeof special, "abce%.2d%cw", points, ink);
    return OpenMenuFont(library, name, special);
}

void DrawCentred(TRoom& room, std::string_view where, TPX8ImageData& image, TPX8Font& font,
                 TRect box, std::string_view text) {
    const int32_t width = font.TextWidth(text);
    // The outer margins of the glyph cells are transparent: only the ink must fit.
    if (width - 2 > box.Width()) ReportTextCut(room, where, text);
    TPoint pen{box.Left + (box.Width() - width) / 2, box.Top + (box.Height() - font.Height) / 2};
    font.DrawText(image, pen, text);
}

void DrawButtonLabel(TRoom& room, TPX8ImageData& image, TPX8Font* font, const THitBox* box,
                     std::string_view text) {
    if (!box) return;
    if (box->Disabled()) {
        DrawDisabledVeil(image, box->Rect());
    } else if (font) {
        DrawCentred(room, box->GetID(), image, *font, box->Rect(), text);
    }
}

void EnablePageButtons(TRoom& room, bool prevUsable, bool nextUsable) {
    if (THitBox* box = room.FindHitBox("PREVPAGE")) box->SetEnabled(prevUsable);
    if (THitBox* box = room.FindHitBox("NEXTPAGE")) box->SetEnabled(nextUsable);
}

void DrawPageButtons(TRoom& room, THotImage* strip, TPX8ImageData& image) {
    if (!strip) return;
    DrawPageButton(room, *strip, image, "PREVPAGE", 0);
    DrawPageButton(room, *strip, image, "NEXTPAGE", 1);
}

} // namespace qr

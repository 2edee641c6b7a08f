// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/rooms/credits_room.h"

#include <algorithm>

#include "foundation/polyglot.h"
#include "game/rooms/menu_art.h"
#include "game/world/pictures.h"
#include "game/world/world.h"
#include "graphics/font.h"
#include "graphics/hot_image.h"

namespace qr {

namespace {

// Heading, subtitle, lines, and spare; each "%.2dab%.2d%cw".
struct FontChoice {
    int size, points;
    char ink;
};
constexpr FontChoice kFonts[4] = {{4, 14, 'r'}, {4, 14, 'u'}, {4, 14, 'b'}, {4, 14, 'g'}};

constexpr uint8_t kHeading = 199;
// Subtitle, then lines; 0 ends a page.
constexpr uint8_t kPages[][9] = {
    {200, 201, 202, 130, 131, 0},
    {203, 204, 132, 205, 133, 0},
    {206, 207, 134, 135, 136, 0},
    {208, 209, 137, 138, 139, 140},
};
constexpr TRect kHeadingBand{120, 20, 480, 56};
constexpr int32_t kSubtitleTop = 90, kFirstLineTop = 130, kLineHeight = 30;

} // namespace

TCreditsRoom::TCreditsRoom(TWorld& world, std::string_view id) : TQRRoom(world, id) {}
TCreditsRoom::~TCreditsRoom() = default;

int TCreditsRoom::PageCount() {
    return int(std::size(kPages));
}

std::span<const uint8_t> TCreditsRoom::PageStrings(int page) {
    const auto& row = kPages[std::clamp(page, 0, PageCount() - 1)];
    const auto end = std::find(std::begin(row), std::end(row), 0);
    return {row, size_t(end - std::begin(row))};
}

void TCreditsRoom::Enter(const std::string& previousId) {
    TQRRoom::Enter(previousId);
    for (size_t k = 0; k < fonts_.size(); ++k)
        fonts_[k] = OpenMenuFont(world_.Library(), kFonts[k].size, kFonts[k].points, kFonts[k].ink);
    pageButtons_ = FindPicture(world_.Library(), "pagebtns");
    page_ = 0;
    EnablePageButtons(*this, false, PageCount() > 1);
}

void TCreditsRoom::Unload(bool final) {
    for (auto& f : fonts_)
        f.reset();
    pageButtons_.reset();
    TQRRoom::Unload(final);
}

void TCreditsRoom::ShowPage(int page) {
    page_ = std::clamp(page, 0, PageCount() - 1);
    EnablePageButtons(*this, page_ > 0, page_ + 1 < PageCount());
    if (TPX8ImageData* work = world_.WorkImage(); work && HasFlag(kFlagDrawn)) Draw(work);
}

void TCreditsRoom::DrawContents(TPX8ImageData& image) {
    TQRRoom::DrawContents(image);
    const TPolyglot& strings = Polyglot();
    const int32_t width = world_.FrameWidth();
    if (fonts_[0])
        DrawCentred(*this, "HEADING", image, *fonts_[0], kHeadingBand, strings.GetString(kHeading));
    const auto texts = PageStrings(page_);
    for (size_t i = 0; i < texts.size(); ++i) {
        TPX8Font* font = i == 0 ? fonts_[1].get() : fonts_[2].get();
        if (!font) continue;
        const int32_t top = i == 0 ? kSubtitleTop : kFirstLineTop + kLineHeight * int32_t(i - 1);
        DrawCentred(*this, "LINE" + std::to_string(i), image, *font,
                    {0, top, width, top + font->Height}, strings.GetString(texts[i]));
    }
    DrawPageButtons(*this, pageButtons_.get(), image);
    DrawButtonLabel(*this, image, fonts_[2].get(), FindHitBox("HOMEBTN"), strings.GetString(168));
}

void TCreditsRoom::RunScript(const std::string& name, const std::string& argument) {
    if (name == "HOMEBTN")
        world_.GoRoom("HOME");
    else if (name == "PAGEBTN")
        ShowPage(page_ + (argument == "NEXTPAGE" ? 1 : -1));
    else
        TQRRoom::RunScript(name, argument);
}

} // namespace qr

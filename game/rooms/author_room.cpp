// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/rooms/author_room.h"

#include <algorithm>

#include "foundation/dlg_confirm.h"
#include "foundation/polyglot.h"
#include "foundation/text_codec.h"
#include "foundation/utils.h"
#include "game/rooms/menu_art.h"
#include "game/world/pictures.h"
#include "game/world/text_fit.h"
#include "game/world/world.h"
#include "graphics/font.h"
#include "graphics/hot_image.h"
#include "wordlist/word_list.h"

namespace qr {

namespace {

struct FontChoice {
    int size, points;
    char ink;
};
// Heading, button labels, lines, links.
constexpr FontChoice kFonts[4] = {{4, 14, 'r'}, {4, 14, 'b'}, {4, 14, 'b'}, {4, 14, 'u'}};
constexpr TRect kHeadingBand{40, 20, 560, 56};
constexpr int32_t kTextLeft = 40, kTextRight = 560, kFirstLineTop = 72, kLineHeight = 24;
constexpr uint8_t kStringBack = 223;

} // namespace

TAuthorRoom::TAuthorRoom(TWorld& world, std::string_view id, TMenuServices services)
    : TQRRoom(world, id), services_(std::move(services)) {}

TAuthorRoom::~TAuthorRoom() = default;

void TAuthorRoom::Enter(const std::string& previousId) {
    TQRRoom::Enter(previousId);
    const TQRWordList* list = world_.WordList();
    SetTitle("Quill-Rush - " + (list ? list->Title() : std::string()));
    for (size_t k = 0; k < fonts_.size(); ++k)
        fonts_[k] = OpenMenuFont(world_.Library(), kFonts[k].size, kFonts[k].points, kFonts[k].ink);
    pageButtons_ = FindPicture(world_.Library(), "pagebtns");
    pages_ = list ? BuildAuthorPages(*list) : std::vector<TAuthorPage>();
    if (page_ >= PageCount()) page_ = std::max(0, PageCount() - 1);
    SetButtons();
}

void TAuthorRoom::Unload(bool final) {
    RemoveLinkBoxes();
    for (auto& f : fonts_)
        f.reset();
    pageButtons_.reset();
    pages_.clear();
    TQRRoom::Unload(final);
}

void TAuthorRoom::SetButtons() {
    EnablePageButtons(*this, page_ > 0, page_ + 1 < PageCount());
}

void TAuthorRoom::RemoveLinkBoxes() {
    for (const Link& link : links_)
        hitBoxes_.Remove(link.box);
    links_.clear();
}

void TAuthorRoom::DrawContents(TPX8ImageData& image) {
    TQRRoom::DrawContents(image);
    RemoveLinkBoxes();
    const TQRWordList* list = world_.WordList();
    if (list && fonts_[0]) {
        // Centred in its band while it fits; a longer one starts at the band's left edge and
        // is shortened at its right.
        TPX8Font& font = *fonts_[0];
        const std::string heading = list->Title() + "  -  " + list->Handle();
        const std::string shown = FitLine(*this, "HEADING", font, heading, kHeadingBand.Width());
        TPoint pen{kHeadingBand.Left + (kHeadingBand.Width() - font.TextWidth(shown)) / 2,
                   kHeadingBand.Top + (kHeadingBand.Height() - font.Height) / 2};
        font.DrawText(image, pen, shown);
    }
    if (list && page_ < PageCount() && fonts_[2]) {
        const TAuthorPage page = pages_[size_t(page_)];
        const std::vector<std::string> lines = AuthorSource(*list, page.source);
        TPX8Font& body = *fonts_[2];
        TPX8Font& link = fonts_[3] ? *fonts_[3] : body;
        for (size_t k = 0; k < kAuthorPageLines && page.first + k < lines.size(); ++k) {
            const int32_t top = kFirstLineTop + kLineHeight * int32_t(k);
            const std::string& line = lines[page.first + k];
            const std::vector<TLinePiece> pieces = SplitLinks(line);
            int32_t wide = 0;
            for (const TLinePiece& piece : pieces)
                wide += (piece.link ? link : body).TextWidth(piece.text);
            // A line too long for the page ends in "..." at a whole letter; a link cut short
            // still opens its whole address.
            size_t keep = line.size();
            if (wide > kTextRight - kTextLeft) {
                FitLine(*this, "LINE" + std::to_string(k + 1), body, line, kTextRight - kTextLeft);
                keep = ShortenedLength(body, line, kTextRight - kTextLeft);
            }
            TPoint pen{kTextLeft, top};
            size_t at = 0;
            for (const TLinePiece& piece : pieces) {
                if (at >= keep) break;
                const std::string visible = piece.text.substr(0, keep - at);
                at += piece.text.size();
                if (!piece.link) {
                    body.DrawText(image, pen, visible);
                    continue;
                }
                const int32_t left = pen.X;
                link.DrawText(image, pen, visible);
                auto box = std::make_unique<TRoomScriptBox>(
                    piece.text, TRect{left, top, pen.X, top + link.Height});
                box->SetScript("URL");
                box->SetCursor(kCursorWorldDefault);
                links_.push_back({hitBoxes_.InsertFirst(std::move(box)), piece.text});
            }
            if (keep < line.size()) body.DrawText(image, pen, kEllipsis);
        }
    }
    DrawButtonLabel(*this, image, fonts_[1].get(), FindHitBox("RETURN"),
                    Polyglot().GetString(kStringBack));
    DrawPageButtons(*this, pageButtons_.get(), image);
}

void TAuthorRoom::OpenLink(const std::string& boxId) {
    // A box's ID is upper-cased, but a web address's path may depend on case: the address
    // is opened as the author wrote it.
    std::string address = LowerCase(boxId);
    for (const Link& link : links_)
        if (EqualsNoCase(link.box->GetID(), boxId)) address = link.address;
    world_.SetBusy(true);
    const int result = services_.openLink ? services_.openLink(address, 1) : 0;
    world_.SetBusy(false);
    if (result < 32)
        world_.Host().Confirm("Internet Link",
                              "Unable to link to URL (error " + std::to_string(result) + ")",
                              TDlgConfirm::kOK);
}

void TAuthorRoom::RunScript(const std::string& name, const std::string& argument) {
    if (name == "URL") {
        OpenLink(argument);
    } else if (name == "RETURNBTN") {
        world_.GoRoom("MODSTART");
    } else if (name == "PAGEBTN") {
        page_ =
            std::clamp(page_ + (argument == "NEXTPAGE" ? 1 : -1), 0, std::max(0, PageCount() - 1));
        SetButtons();
        if (TPX8ImageData* work = world_.WorkImage(); work && HasFlag(kFlagDrawn)) Draw(work);
    } else {
        TQRRoom::RunScript(name, argument);
    }
}

} // namespace qr

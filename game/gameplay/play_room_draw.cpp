// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing the play room: the board with its clues and cells, the score display, the
// level title, the animal and its card, the lives, the popups and the control panel's
// pause, help and quit panels. Everything goes into the world's work image, clipped to
// the room's damage rectangle.
#include <algorithm>

#include "foundation/polyglot.h"
#include "foundation/stream.h"
#include "foundation/text_codec.h"
#include "game/gameplay/animal.h"
#include "game/gameplay/play_room.h"
#include "game/world/pictures.h"
#include "game/world/qr_exception.h"
#include "game/world/text_fit.h"
#include "game/world/world.h"
#include "graphics/font.h"
#include "graphics/hot_image.h"
#include "graphics/text_block.h"
#include "wordlist/word_list.h"

namespace qr {

namespace {

constexpr uint8_t kWhite = 255;
constexpr uint8_t kCellFrame = 37;
constexpr uint8_t kCardFace = 14;
constexpr uint8_t kPanelFrame = 10;
constexpr uint8_t kSpriteKey = 253;
constexpr TRect kScoreBox{56, 367, 174, 395};
constexpr TRect kPanel{40, 60, 400, 300};
constexpr TRect kTitleClip{4, 3, 470, 30};
constexpr int32_t kClueRight = 470;
// The help button's caption.
constexpr int kHelpLabel = 242;
constexpr int32_t kCardWidth = 46, kCardHeight = 62;

TPX8ImageData* SpriteSurface(const std::unique_ptr<TSpritePicture>& p) {
    auto* s = dynamic_cast<TPlaySprite*>(p.get());
    return s && s->Image ? &s->Image->Surface() : nullptr;
}

// The ink of a text: its glyph cells without the transparent outer margins.
int32_t InkWidth(const TPX8Font& font, std::string_view text) {
    return text.empty() ? 0 : font.TextWidth(text) - 2;
}

// The text centred in the box; one whose ink is wider than the box, or with a letter the
// font leaves blank, is reported (at where).
void DrawCentred(TRoom& room, std::string_view where, TPX8ImageData& dest, TPX8Font& font,
                 TRect box, std::string_view text) {
    const TRect extent = font.TextExtent({0, 0}, text);
    if (InkWidth(font, text) > box.Width() || !FontDrawsAll(font, text))
        ReportTextCut(room, where, text);
    TPoint pen{box.Left + (box.Width() - extent.Width()) / 2,
               box.Top + (box.Height() - font.Height) / 2};
    font.DrawText(dest, pen, text);
}

} // namespace

// ---- pictures the room makes -------------------------------------------------------------

void TPlayRoom::CreateGraphics() {
    FreeGraphics();
    TPX8Library& lib = world_.Library();
    static constexpr char kInks[5] = {'b', 'b', 'r', 'u', 'g'};
    for (size_t i = 0; i < cellFonts_.size(); ++i)
        cellFonts_[i] = std::make_unique<TPX8Font>(lib, std::string("04ab14") + kInks[i] + 'w',
                                                   std::string("abce14") + kInks[i] + 'w');
    titleFont_ = std::make_unique<TPX8Font>(lib, "04ab14by", "abce14by");
    cardFont_ = std::make_unique<TPX8Font>(lib, "05ab48bw", "abce48bw");
    greyFont_ = std::make_unique<TPX8Font>(lib, "04ab14aw", "abce14aw");
    comGfx_ = FindPicture(lib, "comgfx");
    logos_ = FindPicture(lib, "logos");
    livesPics_ = FindPicture(lib, "lives");
}

void TPlayRoom::FreeGraphics() {
    animal_.reset();
    letterCard_.reset();
    iconStrip_.reset();
    for (auto& f : cellFonts_)
        f.reset();
    titleFont_.reset();
    cardFont_.reset();
    greyFont_.reset();
    comGfx_.reset();
    logos_.reset();
    livesPics_.reset();
    card_.reset();
    cardSearched_ = false;
    background_.reset();
    backgroundLibrary_.reset();
}

void TPlayRoom::CreateAnimal() {
    animal_.reset();
    const int chosen = world_.ChosenAnimal();
    if (chosen < 0 || size_t(chosen) >= world_.AnimalList().size()) return;
    const std::string folder = services_.animalFolder ? services_.animalFolder() : "";
    const std::string file = folder + world_.AnimalList()[size_t(chosen)];
    try {
        auto animal = std::make_unique<TAnimal>();
        TMemoryStream stream(ReadFileBytes(file));
        animal->LoadFromStream(stream);
        animal->SetLibrary(world_.OpenLibrary(animal->LibraryName));
        animal->SetCardCallback(
            [this]() -> TPX8ImageData* { return letterCard_ ? &letterCard_->Surface() : nullptr; });
        animal->SetArea(kAnimalArea);
        animal->SetWorkImage(Work());
        animal_ = std::move(animal);
    } catch (const std::exception& e) {
        // The level is played with the invisible stand-in instead.
        if (services_.report) services_.report("ANIMAL failed " + file + ": " + e.what());
    }
}

void TPlayRoom::ShowSoundAndCaption() {
    EnableBox("SOUND", world_.Host().WaveDevicePresent());
    if (TFrameSet* fs = FrameSets().FindByID("SOUND"))
        fs->SetFrameMaybeDraw(*Work(), world_.Host().WaveEnabled() ? 1 : 0, false);
    const TQRWordList* list = world_.WordList();
    // The world shows the room's title as the caption once the room is entered; a caption
    // set directly here would be replaced by the script's plain title.
    SetTitle(list ? "Quill-Rush - " + list->Title() : std::string("Quill-Rush"));
}

void TPlayRoom::BuildLetterCard(uint8_t letter, int showCount) {
    letterCard_ = THotImage::CreateBlank(kCardWidth, kCardHeight, world_.Library());
    TPX8ImageData& card = letterCard_->Surface();
    const uint8_t colour = showCount <= 1 ? 10 : showCount == 2 ? 13 : 23;
    card.FillRect(card.GetBounds(), kCardFace);
    card.FrameRect(card.GetBounds(), colour);
    card.FrameRect({1, 1, kCardWidth - 1, kCardHeight - 1}, colour);
    if (cardFont_) {
        const std::string text(1, char(LowerChar(letter)));
        // Inside the double frame. A letter wider than that in the big font (m, æ, œ) is
        // narrowed to it column by column rather than cut by the card's edges.
        const int32_t inner = kCardWidth - 4, ink = InkWidth(*cardFont_, text);
        if (ink <= inner) {
            DrawCentred(*this, "CARD", card, *cardFont_, {2, 0, kCardWidth - 2, kCardHeight}, text);
        } else {
            if (!FontDrawsAll(*cardFont_, text)) ReportTextCut(*this, "CARD", text);
            auto wide = THotImage::CreateBlank(ink + 2, kCardHeight, world_.Library());
            TPX8ImageData& s = wide->Surface();
            s.FillRect(s.GetBounds(), kCardFace);
            TPoint pen{0, (kCardHeight - cardFont_->Height) / 2};
            cardFont_->DrawText(s, pen, text);
            for (int32_t x = 0; x < inner; ++x) {
                const int32_t from = 1 + x * ink / inner;
                card.Blit({2 + x, 2}, s, {from, 2, from + 1, kCardHeight - 2});
            }
        }
    }
    card.Transparent = 1;
    card.TransparentColour = kCardFace;
}

void TPlayRoom::MeshLetterCard() {
    if (!letterCard_) return;
    if (auto mesh = FindPicture(world_.Library(), "letmesh"))
        letterCard_->Surface().Blit({0, 0}, mesh->Surface(), mesh->Surface().GetBounds());
}

void TPlayRoom::BuildIconStrip(const std::array<int32_t, 6>& icons) {
    iconStrip_ = THotImage::CreateBlank(270, 54, world_.Library());
    TPX8ImageData& strip = iconStrip_->Surface();
    strip.FillRect(strip.GetBounds(), kWhite);
    const TQRWordList* list = world_.WordList();
    if (!list) return;
    auto library = world_.OpenLibrary(list->IconLibrary());
    if (!library) return;
    for (int r = 1; r <= 5; ++r) {
        int32_t icon = icons[size_t(r)];
        // The numbering runs on from picture to picture.
        for (int pic = 0; icon >= 0 && pic < 100; ++pic) {
            char name[16];
            std::snprintf(name, sizeof name, "icons%.2d", pic);
            auto picture = FindPicture(*library, name);
            if (!picture) break;
            TPX8ImageData& s = picture->Surface();
            const int32_t across = s.Width / 54, count = across * (s.Height / 54);
            if (icon < count) {
                strip.Blit(
                    {54 * (r - 1), 0}, s,
                    TRect::FromOriginSize({54 * (icon % across), 54 * (icon / across)}, 54, 54));
                break;
            }
            icon -= count;
        }
    }
}

std::unique_ptr<TSpritePicture> TPlayRoom::MakePopup(const std::string& text, int style,
                                                     int32_t& width) {
    const int32_t tw = titleFont_ ? titleFont_->TextWidth(text) : 0;
    width = tw + 8;
    auto image = THotImage::CreateBlank(width, TPopupGraphic::kHeight, world_.Library());
    TPX8ImageData& s = image->Surface();
    s.FillRect(s.GetBounds(), kSpriteKey);
    s.Transparent = 1;
    s.TransparentColour = kSpriteKey;
    if (comGfx_) {
        const int32_t top = 106 + 22 * std::clamp(style, 0, 2);
        const int32_t frameWidth = 190 - 127;
        // The frame's left part, repeated for a long number, and its right end.
        for (int32_t x = 0; x < width - 4; x += frameWidth - 4)
            s.Blit({x, 0}, comGfx_->Surface(), {127, top, 127 + frameWidth - 4, top + 22});
        s.Blit({width - 4, 0}, comGfx_->Surface(), {186, top, 190, top + 22});
    }
    if (titleFont_) {
        TPoint pen{4, -1};
        titleFont_->DrawText(s, pen, text);
    }
    return std::make_unique<TPlaySprite>(std::move(image));
}

TPX8ImageData* TPlayRoom::CardPicture() {
    if (card_) return &card_->Surface();
    // Every covered cell asks; a search that found nothing is not run again this level.
    if (cardSearched_) return nullptr;
    cardSearched_ = true;
    int index = world_.ChosenCard();
    if (index < 0) return nullptr;
    for (const std::string& entry : world_.CardList()) {
        const size_t sep = entry.find('\x01');
        if (sep == std::string::npos) continue;
        auto library = world_.OpenLibrary(entry.substr(0, sep));
        if (!library) continue;
        auto sheet = FindPicture(*library, entry.substr(sep + 1));
        if (!sheet) continue;
        const int count = sheet->Surface().Height / 25 * 8;
        if (index < count) {
            card_ = THotImage::CreateCut(
                sheet->Surface(), world_.Library(),
                TRect::FromOriginSize({17 * (index % 8), 25 * (index / 8)}, 17, 25));
            return &card_->Surface();
        }
        index -= count;
    }
    return nullptr;
}

// ---- drawing ------------------------------------------------------------------------------

void TPlayRoom::RepaintRect(TRect rect) {
    damageRect_ = rect;
    if (world_.CurrentRoom() == this) Draw(Work());
    damageRect_ = WholeScreen();
}

void TPlayRoom::RepaintCell(int row, int col) {
    if (world_.CurrentRoom() != this) return;
    if (TPX8ImageData* work = Work()) {
        work->SetClipRect(damageRect_);
        DrawCellAt(*work, row, col);
        work->ResetClipRect();
    }
}

void TPlayRoom::Draw(TPX8ImageData* image) {
    if (!image) RaiseResString(kStrInvalidImageData);
    SetFlag(kFlagDrawn);
    if (damageRect_.IsEmpty()) return;
    image->SetClipRect(damageRect_);
    if (animal_) animal_->InvalidateAll();
    DrawBackground(*image);
    DrawContents(*image);
    image->ResetClipRect();
}

void TPlayRoom::DrawBackground(TPX8ImageData& image) {
    if (!background_) {
        const int chosen = world_.ChosenBackground();
        if (chosen >= 0 && size_t(chosen) < world_.BackgroundList().size()) {
            const std::string& entry = world_.BackgroundList()[size_t(chosen)];
            const size_t sep = entry.find('\x01');
            if (sep != std::string::npos) {
                backgroundLibrary_ = world_.OpenLibrary(entry.substr(0, sep));
                if (backgroundLibrary_)
                    background_ = FindPicture(*backgroundLibrary_, entry.substr(sep + 1));
            }
        }
        if (!background_) {
            backgroundLibrary_.reset();
            background_ = FindPicture(world_.Library(), GetPicName());
        }
    }
    if (background_)
        image.Blit({0, 0}, background_->Surface(), WholeScreen());
    else
        image.FillRect(WholeScreen(), 0);
}

void TPlayRoom::DrawContents(TPX8ImageData& image) {
    TQRRoom::DrawContents(image);
    if (logos_)
        image.Blit({202, 372}, logos_->Surface(),
                   TRect::FromOriginSize({0, 22 * rules_.LogoIndex}, logos_->Surface().Width, 22));
    DrawScore(image);
    DrawHelpLabel(image);
    DrawTitle(image);
    if (animal_) animal_->Draw();
    DrawLives(image);
    switch (rules_.Mode) {
    case kModePlaying:
    case kModeLevelOver:
        DrawClues(image);
        for (int r = 1; r <= 5; ++r)
            for (int c = 1; c <= int(rules_.Answers[size_t(r)].size()); ++c)
                DrawCellAt(image, r, c);
        DrawSprites(image);
        break;
    case kModePaused:
        DrawPausePanel(image);
        break;
    case kModeHelp:
        DrawHelpPage(image);
        break;
    case kModeQuitAsked:
        DrawQuitPanel(image);
        break;
    default:
        break;
    }
}

void TPlayRoom::DrawCellAt(TPX8ImageData& image, int row, int col) {
    const TCellLook look = rules_.CellLook(row, col);
    const TRect cell = board::CellRect(rules_.RowBoxOf(std::abs(row)), col);
    switch (look.kind) {
    case TCellLook::Nothing:
        return;
    case TCellLook::Letter: {
        image.FillRect(cell, kWhite);
        if (TPX8Font* font = cellFonts_[size_t(look.font + 1)].get())
            DrawCentred(*this, "CELL" + std::to_string(std::abs(row)) + "." + std::to_string(col),
                        image, *font, cell, std::string(1, char(look.letter)));
        image.FrameRect(cell, kCellFrame);
        return;
    }
    case TCellLook::BonusCard:
        if (comGfx_) {
            image.Blit(cell.TopLeft(), comGfx_->Surface(),
                       TRect::FromOriginSize(
                           {17 * int(rules_.BonusKind), 124 + 25 * rules_.BonusFrame}, 17, 25));
            return;
        }
        [[fallthrough]];
    case TCellLook::Covered:
        if (TPX8ImageData* card = CardPicture())
            image.Blit(cell.TopLeft(), *card, card->GetBounds());
        else
            image.FillRect(cell, kCellFrame);
        return;
    }
}

void TPlayRoom::DrawScore(TPX8ImageData& image) {
    if (!comGfx_) return;
    TPX8ImageData& gfx = comGfx_->Surface();
    image.Blit(kScoreBox.TopLeft(), gfx, {0, 48, 118, 76});
    for (int p = 1; p <= 6; ++p) {
        const int d = rules_.ScoreDigit(p);
        const int32_t y = rules_.RollFlags[size_t(p)] ? 24 : 0;
        image.Blit({kScoreBox.Left + 19 * (p - 1) + 2, kScoreBox.Top + 2}, gfx,
                   TRect::FromOriginSize({19 * d, y}, 19, 24));
    }
}

void TPlayRoom::DrawTitle(TPX8ImageData& image) {
    if (!titleFont_) return;
    const TQRWordList* list = world_.WordList();
    std::string name = list ? list->LevelName(size_t(std::max(rules_.LevelIndex, 0))) : "";
    std::string title = "  " + std::to_string(rules_.LevelIndex + 1) + ". " + name + "  ";
    // The blanks after the name go first; a name still too long ends in "...".
    while (!title.empty() && title.back() == ' ' &&
           titleFont_->TextWidth(title) > kTitleClip.Width())
        title.pop_back();
    title = FitLine(*this, "TITLE", *titleFont_, title, kTitleClip.Width());
    TRect old = image.ClipRect;
    TRect clip = Intersect(old, kTitleClip);
    if (clip.IsEmpty()) return;
    image.SetClipRect(clip);
    TPoint pen{4, 4};
    titleFont_->DrawText(image, pen, title);
    image.SetClipRect(old);
}

void TPlayRoom::DrawClues(TPX8ImageData& image) {
    for (int r = 1; r <= 5; ++r) {
        if (rules_.IconClues) {
            if (iconStrip_)
                image.Blit({23, 45 + 60 * (r - 1)}, iconStrip_->Surface(),
                           TRect::FromOriginSize({54 * (r - 1), 0}, 54, 54));
            continue;
        }
        TPX8Font* font = cellFonts_[1].get();
        if (!font) return;
        // A clue keeps to the board's width: a longer one ends in "...".
        const std::string clue = FitLine(*this, "CLUE" + std::to_string(r), *font,
                                         rules_.Clues[size_t(r)], kClueRight - 23 - 10);
        const int32_t width = std::max(rules_.MinClueWidth, font->TextWidth(clue) + 10);
        const TRect box{23, 50 + 60 * (r - 1), std::min(23 + width, kClueRight), 75 + 60 * (r - 1)};
        image.FillRect(box, kWhite);
        image.FrameRect(box, kCellFrame);
        TRect old = image.ClipRect;
        image.SetClipRect(Intersect(old, box));
        TPoint pen{box.Left + 5, box.Top + (box.Height() - font->Height) / 2};
        font->DrawText(image, pen, clue);
        image.SetClipRect(old);
    }
}

void TPlayRoom::DrawLives(TPX8ImageData& image) {
    if (!livesPics_) return;
    for (const auto& slot : world_.Lives().Slots()) {
        if (!slot.present) continue;
        image.BlitClipped(TLivesDisplay::Position(slot), livesPics_->Surface(),
                          TLivesDisplay::kArea,
                          TRect::FromOriginSize({TDyingLife::kWidth * (slot.pose - 1),
                                                 TDyingLife::kHeight * (slot.figure - 1)},
                                                TDyingLife::kWidth, TDyingLife::kHeight));
    }
}

void TPlayRoom::DrawSprites(TPX8ImageData& image) {
    for (TDyingLife* life : rules_.DyingLives.Nodes<TDyingLife>())
        if (TPX8ImageData* s = SpriteSurface(life->Image))
            image.Blit(life->Pos, *s, s->GetBounds());
    for (TPopupGraphic* popup : rules_.Popups.Nodes<TPopupGraphic>())
        if (TPX8ImageData* s = SpriteSurface(popup->Image))
            image.Blit(popup->Pos, *s, s->GetBounds());
}

void TPlayRoom::DrawPanelBox(TPX8ImageData& image, TRect rect) {
    image.FillRect(rect, cardFont_ ? cardFont_->GetCornerColour() : kWhite);
    image.FrameRect(rect, kPanelFrame);
}

void TPlayRoom::DrawHelpLabel(TPX8ImageData& image) {
    THitBox* box = FindHitBox("HELP");
    TPX8Font* font = box && box->Disabled() ? greyFont_.get() : cellFonts_[1].get();
    if (box && font)
        DrawCentred(*this, "HELP", image, *font, box->Rect(), Polyglot().GetString(kHelpLabel));
}

void TPlayRoom::DrawPausePanel(TPX8ImageData& image) {
    DrawPanelBox(image, kPanel);
    auto& strings = Polyglot();
    auto text = [&](const char* where, TPX8Font* font, TPoint at, const std::string& s) {
        if (!font) return;
        font->DrawText(image, at, s);
        if (at.X > kPanel.Right) ReportTextCut(*this, where, s);
    };
    text("PAUSED", cardFont_.get(), {60, 70}, strings.GetString(180));
    text("VISIT", cellFonts_[2].get(), {60, 160}, strings.GetString(181));
    if (THitBox* web = FindHitBox("WEBVISIT"))
        text("WEBVISIT", cellFonts_[3].get(), web->Rect().TopLeft(), LinkAddress(false));
    text("WRITE", cellFonts_[2].get(), {60, 230}, strings.GetString(182));
    if (THitBox* mail = FindHitBox("EMAIL"))
        text("EMAIL", cellFonts_[3].get(), mail->Rect().TopLeft(), LinkAddress(true));
}

void TPlayRoom::DrawQuitPanel(TPX8ImageData& image) {
    TRect panel = kPanel;
    const std::string question = Polyglot().GetString(178);
    const int32_t wide = cardFont_ ? cardFont_->TextWidth(question) : 0;
    if (wide > 330) {
        const int32_t grow = (wide - 330 + 1) / 2;
        panel.Left -= grow;
        panel.Right += grow;
    }
    // Grown for a long question, but kept on the screen.
    if (panel.Left < 0 || panel.Right > world_.FrameWidth())
        ReportTextCut(*this, "QUESTION", question);
    DrawPanelBox(image, panel);
    int32_t y = panel.Top + 10;
    if (cardFont_) {
        TPoint pen{panel.Left + 20, y};
        cardFont_->DrawText(image, pen, question);
        y += cardFont_->Height;
    }
    if (cellFonts_[1]) {
        TTextBlock block(cellFonts_[1].get(), "");
        block.AddFont("r", cellFonts_[2].get());
        block.SetMargins(0, 0, 0, 0);
        const std::string explanation = Polyglot().GetString(179);
        if (block.Draw(&image, {panel.Left + 20, y, panel.Right - 20, panel.Bottom - 60},
                       explanation) < explanation.size())
            ReportTextCut(*this, "EXPLANATION", explanation);
        for (const char* id : {"YESQUIT", "NOQUIT"}) {
            THitBox* box = FindHitBox(id);
            if (!box) continue;
            image.FillRect(box->Rect(), kWhite);
            image.FrameRect(box->Rect(), kPanelFrame);
            DrawCentred(*this, id, image, *cellFonts_[1], box->Rect(),
                        Polyglot().GetString(id[0] == 'Y' ? 14 : 15));
        }
    }
}

void TPlayRoom::DrawHelpPage(TPX8ImageData& image) {
    const int page = rules_.HelpPage;
    auto picture = FindPicture(world_.Library(), "playhlp" + std::to_string(page + 1));
    if (!picture) return;
    const TPoint origin{20, 45};
    TPX8ImageData& pic = picture->Surface();
    image.Blit(origin, pic, pic.GetBounds());
    struct Block {
        int string;
        TPoint at;
        int32_t width;
    };
    static const std::vector<Block> kBlocks[5] = {
        {{224, {9, 71}, 280}},
        {{225, {9, 71}, 402}, {226, {9, 153}, 402}},
        {{227, {9, 40}, 402}, {228, {32, 122}, 402}, {229, {32, 149}, 402}, {230, {32, 176}, 402}},
        {{231, {9, 40}, 402}, {232, {9, 140}, 402}},
        {{233, {9, 40}, 402}, {234, {9, 140}, 402}},
    };
    auto& strings = Polyglot();
    if (page < 5) {
        if (!cellFonts_[1]) return;
        const std::vector<Block>& blocks = kBlocks[page];
        for (size_t i = 0; i < blocks.size(); ++i) {
            const Block& b = blocks[i];
            TTextBlock block(cellFonts_[1].get(), "");
            block.AddFont("r", cellFonts_[2].get());
            block.SetMargins(0, 0, 0, 0);
            const TPoint at = origin + b.at;
            const std::string text = strings.GetString(b.string) + " ";
            const size_t used =
                block.Draw(&image, {at.X, at.Y, at.X + b.width, origin.Y + pic.Height}, text);
            // A text reaching into the next one's place is as cut as one that stops short.
            const int32_t next =
                i + 1 < blocks.size() ? origin.Y + blocks[i + 1].at.Y : origin.Y + pic.Height;
            const bool fits =
                used >= text.size() &&
                block.Draw(nullptr, {at.X, at.Y, at.X + b.width, next}, text) >= text.size();
            if (!fits) ReportTextCut(*this, "HELP" + std::to_string(b.string), text);
        }
        return;
    }
    // The last page: two headings and a column of keys on the left, three lines on the
    // right; a left line beside the right ones must stop before them.
    const int32_t rightColumn = 326;
    auto single = [&](TPX8Font* font, int string, TPoint at, int32_t right) {
        if (!font) return;
        TPoint pen = origin + at;
        font->DrawText(image, pen, strings.GetString(string));
        if (pen.X > origin.X + right)
            ReportTextCut(*this, "HELP" + std::to_string(string), strings.GetString(string));
    };
    const int32_t rightBottom = 36 + 23 * 3;
    auto leftLimit = [&](int32_t top, const TPX8Font* font) {
        const int32_t bottom = top + (font ? font->Height : 0);
        return top < rightBottom && bottom > 36 ? rightColumn : pic.Width;
    };
    single(cellFonts_[2].get(), 187, {10, 2}, leftLimit(2, cellFonts_[2].get()));
    single(cellFonts_[2].get(), 188, {10, 56}, leftLimit(56, cellFonts_[2].get()));
    for (int i = 0; i < 6; ++i)
        single(cellFonts_[1].get(), 189 + i, {32, 84 + 26 * i},
               leftLimit(84 + 26 * i, cellFonts_[1].get()));
    for (int i = 0; i < 3; ++i)
        single(titleFont_.get(), 195 + i, {rightColumn, 36 + 23 * i}, pic.Width);
}

} // namespace qr

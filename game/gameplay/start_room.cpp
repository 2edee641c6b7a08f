// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/gameplay/start_room.h"

#include <algorithm>
#include <cstdio>

#include "foundation/dlg_confirm.h"
#include "foundation/polyglot.h"
#include "foundation/utils.h"
#include "foundation/uvo_exception.h"
#include "game/gameplay/diploma_room.h"
#include "game/gameplay/high_score_man.h"
#include "game/gameplay/initials_room.h"
#include "game/gameplay/room_drawing.h"
#include "game/world/pictures.h"
#include "game/world/text_fit.h"
#include "game/world/world.h"
#include "graphics/font.h"
#include "graphics/hot_image.h"
#include "wordlist/word_list.h"

namespace qr {

namespace {

// Strings of the language file.
enum : int {
    kStrScoresHeading = 150,
    kStrChangeName = 151,
    kStrClearScores = 152,
    kStrClearCaption = 155,
    kStrClearQuestion = 156,
    kStrVocabularyDescription = 157,
    kStrAnagramDescription = 160,
    kStrQuizDescription = 162,
    // The same three for a list of one level.
    kStrVocabularyOneLevel = 141,
    kStrAnagramOneLevel = 142,
    kStrQuizOneLevel = 143,
    kStrIconClues = 165,
    kStrClueLanguage = 166,
    kStrAnswerLanguage = 167,
    kStrMainMenu = 168,
    kStrPlay = 169,
    kStrVocabularyLanguages = 170,
    kStrPictures = 171,
    kStrSpeed = 177,
    kStrAboutAuthor = 222,
    kStrMainLanguage = 239,
};

constexpr int32_t kSpeedIconSize = 18;
constexpr int32_t kTickBoxSize = 12;

std::string Str(int n) {
    return Polyglot().GetString(n);
}

std::string Padded(int32_t score) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%.6d", score);
    return digits;
}

} // namespace

TStartRoom::TStartRoom(TWorld& world, std::string_view id) : TQRRoom(world, id) {}

TStartRoom::~TStartRoom() = default;

void TStartRoom::Enter(const std::string& previousId) {
    TQRRoom::Enter(previousId);
    TPX8Library& library = world_.Library();
    comGfx_ = FindPicture(library, "comgfx");
    const TQRWordList* list = world_.WordList();
    // The world shows the room's title as the window caption.
    SetTitle(list ? "Quill-Rush - " + list->Title() : std::string("Quill-Rush"));
    hasIcons_ = list && list->UsesIconClues();
    THighScoreMan* scores = world_.HighScores();
    if (previousId == "INITIALS" && scores && scores->LastPlace() > 0) {
        scores->SetInitials(scores->LastPlace(), world_.Initials());
        SaveScores();
    }
    useIcons_ = world_.UseIcons() && hasIcons_;
    const bool vocabulary = list && list->ListType() == TListType::Vocabulary;
    const bool quiz = list && list->ListType() == TListType::Quiz;
    auto enable = [this](const char* id, bool on) {
        if (THitBox* box = FindHitBox(id)) box->SetEnabled(on);
    };
    enable("ICONCLUES", vocabulary && hasIcons_);
    enable("QICONCLUES", quiz && hasIcons_);
    enable("CLUELANG", vocabulary);
    enable("ANSLANG", vocabulary);
    textFont_ = std::make_unique<TPX8Font>(library, "04ab14bw", "abce14bw");
    hiFont_ = std::make_unique<TPX8Font>(library, "04ab14rw", "abce14rw");
    infoFont_ = std::make_unique<TPX8Font>(library, "04ab14uw", "abce14uw");
}

void TStartRoom::SaveScores() {
    // At once, as a finished game's score is: a crash later loses nothing.
    try {
        if (THighScoreMan* scores = world_.HighScores()) scores->Save();
    } catch (const UvoException&) {
        // Kept in memory; the world saves the tables again when it closes.
    }
}

void TStartRoom::FreeGraphics() {
    textFont_.reset();
    hiFont_.reset();
    infoFont_.reset();
    comGfx_.reset();
}

void TStartRoom::Unload(bool final) {
    FreeGraphics();
    TQRRoom::Unload(final);
}

void TStartRoom::RunScript(const std::string& name, const std::string& argument) {
    if (name == "NAMEBTN") {
        world_.GoRoom("INITIALS");
    } else if (name == "CLUEBTN" || name == "ANSBTN") {
        // The language room reads which language it is to pick when it is entered.
        world_.SetLanguageChoiceMode(name == "CLUEBTN" ? 1 : 2);
        world_.GoRoom("PICKLANG");
    } else if (name == "ICONBTN") {
        useIcons_ = !useIcons_;
        world_.SetUseIcons(useIcons_); // selects the table for the new setting
        RepaintRoomArea(*this, kDescriptionArea);
        for (const char* id : {"ICONCLUES", "QICONCLUES"})
            if (THitBox* box = FindHitBox(id)) RepaintRoomArea(*this, box->Rect());
        RepaintRoomArea(*this, kScoresArea);
    } else if (name == "SPEEDBTN") {
        if (argument.size() >= 2 && argument[1] >= '0' && argument[1] <= '9')
            world_.SetSpeedSetting(argument[1] - '0');
        RepaintRoomArea(*this, kSpeedPanel);
        RepaintRoomArea(*this, kScoresArea);
    } else if (name == "PLAYBTN") {
        world_.StartNewGame();
    } else if (name == "INFOBTN") {
        world_.GoRoom("AUTHOR");
    } else if (name == "MENUBTN") {
        world_.GoRoom("HOME");
    } else if (name == "CLEARBTN") {
        const int answer = world_.Host().Confirm(Str(kStrClearCaption), Str(kStrClearQuestion),
                                                 TDlgConfirm::kYes | TDlgConfirm::kNo);
        THighScoreMan* scores = world_.HighScores();
        if (answer == TDlgConfirm::kResultYes && scores) {
            scores->ClearTable();
            SaveScores();
            RepaintRoomArea(*this, kScoresArea);
        }
    } else {
        TQRRoom::RunScript(name, argument);
    }
}

void TStartRoom::DrawContents(TPX8ImageData& image) {
    TQRRoom::DrawContents(image);
    DrawTitles(image);
    DrawScores(image);
    DrawLabel(image, "CHANGENAME", kStrChangeName);
    DrawDescription(image);
    DrawLanguagePanel(image);
    DrawSpeedPanel(image);
    DrawLabel(image, "GAMEMENU", kStrMainMenu);
    DrawLabel(image, "PLAYGAME", kStrPlay);
    DrawLabel(image, "INFO", kStrAboutAuthor);
    DrawLabel(image, "CLEAR", kStrClearScores);
}

void TStartRoom::DrawTitles(TPX8ImageData& image) {
    const TQRWordList* list = world_.WordList();
    if (!list) return;
    const TBoxText how{infoFont_.get(), nullptr, TTextBlock::AlignCentre, 4};
    if (!how.font) return;
    // Each stays one line in its box: a long one is shortened rather than left out.
    auto line = [&](const char* where, TRect box, const std::string& text) {
        const std::string shown =
            FitLine(*this, where, *how.font, text, box.Width() - 2 * how.margin);
        DrawBoxText(*this, where, image, box, PlainText(shown), how);
    };
    line("TITLE", kTitleBox, list->Title());
    line("HANDLE", kHandleBox, list->Handle());
}

void TStartRoom::DrawScores(TPX8ImageData& image) {
    TBoxText how{textFont_.get(), hiFont_.get()};
    const int32_t rowHeight = kScoreRowHeight;
    DrawBoxText(*this, "SCORESHEADING", image, TRect::FromOriginSize({439, 92}, 132, rowHeight),
                Str(kStrScoresHeading), how);
    if (const THighScoreMan* scores = world_.HighScores()) {
        for (int r = 1; r <= kHighScorePlaces; ++r) {
            const std::string mark = r == scores->LastPlace() ? "\\h" : "";
            const TPoint at = ScorePlace(r);
            const std::string place = std::to_string(r);
            DrawBoxText(*this, "INITIALS" + place, image, InitialsPlace(r, scores->GetInitials(r)),
                        mark + PlainText(scores->GetInitials(r)), how);
            DrawBoxText(*this, "SCORE" + place, image,
                        TRect::FromOriginSize({at.X + kScoreColumnGap, at.Y}, 80, rowHeight),
                        mark + Padded(scores->GetScore(r)), how);
        }
    }
    DrawBoxText(*this, "PLAYER", image, kInitialsBox, PlainText(world_.Initials()), how);
}

TRect TStartRoom::InitialsPlace(int r, std::string_view initials) const {
    // The column is 40 pixels, too narrow for three wide letters: initials that do not fit
    // stay on one line and run into the gap before the score column instead of wrapping.
    const TPoint at = ScorePlace(r);
    const TRect column = TRect::FromOriginSize(at, 40, kScoreRowHeight);
    const int32_t wide = textFont_ ? textFont_->TextWidth(initials) : 0;
    if (wide <= column.Width()) return column;
    const int32_t left = at.X + std::max<int32_t>(0, (kScoreColumnGap - wide) / 2);
    return {left, column.Top, left + wide, column.Bottom};
}

std::string TStartRoom::DescriptionText() const {
    const TQRWordList* list = world_.WordList();
    if (!list) return {};
    int first = kStrVocabularyDescription, one = kStrVocabularyOneLevel;
    if (list->ListType() == TListType::Anagrams) {
        first = kStrAnagramDescription;
        one = kStrAnagramOneLevel;
    } else if (list->ListType() == TListType::Quiz) {
        first = kStrQuizDescription;
        one = kStrQuizOneLevel;
    }
    const size_t levels = list->LevelCount();
    return FormatMessage(Str(levels == 1 ? one : first), {std::to_string(levels)}) + "\\n\\n" +
           Str(first + (hasIcons_ ? 2 : 1));
}

void TStartRoom::DrawDescription(TPX8ImageData& image) {
    if (!world_.WordList()) return;
    const std::string text = DescriptionText();
    // The language panel lies over the bottom of the description's box; the text stops
    // above it rather than run underneath.
    TRect box = kDescriptionBox;
    box.Bottom = LanguagePanelRect().Top;
    DrawBoxText(*this, "DESCRIPTION", image, box, text,
                {textFont_.get(), nullptr, TTextBlock::AlignLeft, 6, false});
}

std::string TStartRoom::LanguagePanelText() const {
    const TQRWordList* list = world_.WordList();
    if (!list) return {};
    if (list->ListType() != TListType::Vocabulary)
        return FormatMessage(Str(kStrMainLanguage), {PlainText(list->PrimaryLanguage())});
    const std::string clue = useIcons_ ? Str(kStrPictures) : PlainText(world_.ClueLanguage().name);
    return FormatMessage(Str(kStrVocabularyLanguages),
                         {clue, PlainText(world_.AnswerLanguage().name)});
}

TBoxText TStartRoom::PanelText() const {
    return {textFont_.get(), nullptr, TTextBlock::AlignCentre, 4};
}

TRect TStartRoom::LanguagePanelRect() const {
    // Long language names (German ones, say) do not fit one line: the panel then grows
    // up into the description's box to hold two.
    TRect panel = kLanguagePanel;
    if (textFont_ && !FitsOneLine(panel, LanguagePanelText(), PanelText()))
        panel.Top = panel.Bottom - 2 * textFont_->Height - 8;
    return panel;
}

void TStartRoom::DrawLanguagePanel(TPX8ImageData& image) {
    const TRect panel = LanguagePanelRect();
    image.FrameRect(panel, kPanelFrameColour);
    DrawBoxText(*this, "LANGUAGES", image, panel, LanguagePanelText(), PanelText());
    DrawLabel(image, "CLUELANG", kStrClueLanguage);
    DrawLabel(image, "ANSLANG", kStrAnswerLanguage);
    // The two icon-clue boxes share one button: it is veiled only when neither is usable.
    const THitBox* greyed = nullptr;
    bool usable = false;
    for (const char* id : {"ICONCLUES", "QICONCLUES"}) {
        THitBox* box = FindHitBox(id);
        if (!box) continue;
        if (box->Disabled()) {
            if (!greyed) greyed = box;
            continue;
        }
        usable = true;
        // A tick box on the left of the label, filled when icon clues are on.
        const TRect r = box->Rect();
        const TRect tick = TRect::FromOriginSize(
            {r.Left + 8, r.Top + (r.Height() - kTickBoxSize) / 2}, kTickBoxSize, kTickBoxSize);
        image.FillRect(tick, 255);
        image.FrameRect(tick, kPanelFrameColour);
        if (useIcons_)
            image.FillRect({tick.Left + 3, tick.Top + 3, tick.Right - 3, tick.Bottom - 3},
                           kPanelFrameColour);
        DrawBoxText(*this, id, image, {tick.Right + 4, r.Top, r.Right, r.Bottom},
                    Str(kStrIconClues), {textFont_.get()});
    }
    if (greyed && !usable) DrawDisabledVeil(image, greyed->Rect());
}

void TStartRoom::DrawSpeedPanel(TPX8ImageData& image) {
    // The label stands right of the three icons.
    const int32_t iconsRight = 270 + kSpeedIconSize;
    DrawBoxText(*this, "SPEED", image,
                {iconsRight + 4, kSpeedPanel.Top, kSpeedPanel.Right, kSpeedPanel.Bottom},
                Str(kStrSpeed), {textFont_.get(), nullptr, TTextBlock::AlignLeft});
    if (!comGfx_) return;
    for (int speed = 1; speed <= 3; ++speed) {
        const bool current = speed == world_.SpeedSetting();
        const int32_t sourceX = 18 * speed + (current ? 54 : 0);
        image.Blit({230 + 20 * (speed - 1), 333}, comGfx_->Surface(),
                   TRect::FromOriginSize({sourceX, 106}, kSpeedIconSize, kSpeedIconSize));
    }
}

void TStartRoom::DrawLabel(TPX8ImageData& image, const char* boxId, int stringNumber) {
    THitBox* box = FindHitBox(boxId);
    if (!box) return;
    if (box->Disabled()) {
        DrawDisabledVeil(image, box->Rect());
        return;
    }
    DrawBoxText(*this, boxId, image, box->Rect(), Str(stringNumber),
                {textFont_.get(), nullptr, TTextBlock::AlignCentre, 2});
}

void AddStartRooms(TRoomFactory& factory) {
    factory.Add(TStartRoom::kPrefix, [](TWorld& world, const std::string& id) {
        return std::make_unique<TStartRoom>(world, id);
    });
    factory.Add(TInitialsRoom::kPrefix, [](TWorld& world, const std::string& id) {
        return std::make_unique<TInitialsRoom>(world, id);
    });
    factory.Add(TDiplomaRoom::kPrefix, [](TWorld& world, const std::string& id) {
        return std::make_unique<TDiplomaRoom>(world, id);
    });
}

} // namespace qr

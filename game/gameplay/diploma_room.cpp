// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/gameplay/diploma_room.h"

#include "foundation/polyglot.h"
#include "foundation/utils.h"
#include "game/world/pictures.h"
#include "game/world/text_fit.h"
#include "game/world/world.h"
#include "graphics/font.h"
#include "graphics/hot_image.h"
#include "wordlist/word_list.h"

namespace qr {

namespace {

constexpr uint8_t kMusicTrack = 6;
constexpr int kStrSpeed = 177;
constexpr int kStrLanguageCode = 247;
constexpr int kStrScore = 253;
constexpr int kStrLevels = 254;
constexpr int kStrLabelled = 256;

// The pattern is the language's own: French sets a space before the colon.
std::string Labelled(int stringNumber, int32_t value) {
    std::string pattern = Polyglot().GetString(kStrLabelled);
    if (pattern.find("%s") == std::string::npos || pattern.find("%d") == std::string::npos)
        pattern = "%s: %d";
    return FormatMessage(pattern, {Polyglot().GetString(stringNumber), std::to_string(value)});
}

} // namespace

TDiplomaRoom::TDiplomaRoom(TWorld& world, std::string_view id) : TQRRoom(world, id) {}

TDiplomaRoom::~TDiplomaRoom() = default;

void TDiplomaRoom::Enter(const std::string& previousId) {
    SetMusicTrack(kMusicTrack);
    TQRRoom::Enter(previousId);
    TPX8Library& library = world_.Library();
    redFont_ = std::make_unique<TPX8Font>(library, "04ab14rw", "abce14rw");
    yellowFont_ = std::make_unique<TPX8Font>(library, "04ab14by", "abce14by");
    bigFont_ = std::make_unique<TPX8Font>(library, "05ab48bw", "abce48bw");
}

void TDiplomaRoom::Unload(bool final) {
    redFont_.reset();
    yellowFont_.reset();
    bigFont_.reset();
    TQRRoom::Unload(final);
}

void TDiplomaRoom::RunScript(const std::string& name, const std::string& argument) {
    if (name == "EXIT")
        world_.GoRoom("MODSTART");
    else
        TQRRoom::RunScript(name, argument);
}

std::string TDiplomaRoom::PictureName() const {
    const std::string own = "uwin_" + Polyglot().GetString(kStrLanguageCode);
    const TPX8Library& library = world_.Library();
    return library.IsOpen() && library.ImageExists(own) ? own : "uwin_eng";
}

void TDiplomaRoom::DrawContents(TPX8ImageData& image) {
    TQRRoom::DrawContents(image);
    if (auto picture = FindPicture(world_.Library(), PictureName())) {
        TPX8ImageData& s = picture->Surface();
        image.Blit(
            {(world_.FrameWidth() - s.Width) / 2, kPictureTop + (kPictureBand - s.Height) / 2}, s,
            s.GetBounds());
    }
    const TQRWordList* list = world_.WordList();
    if (redFont_) {
        const std::string levels = Labelled(kStrLevels, list ? int32_t(list->LevelCount()) : 0);
        const std::string speed = Labelled(kStrSpeed, world_.SpeedSetting());
        const int32_t levelsLeft = kRightEdge - redFont_->TextWidth(levels);
        const int32_t speedLeft = kRightEdge - redFont_->TextWidth(speed);
        TPoint pen{levelsLeft, kFirstLine};
        redFont_->DrawText(image, pen, levels);
        pen = {speedLeft, kSecondLine};
        redFont_->DrawText(image, pen, speed);
        if (list) {
            // A long title or handle stops short of the numbers on its right.
            pen = {kTextLeft, kFirstLine};
            redFont_->DrawText(
                image, pen,
                FitLine(*this, "TITLE", *redFont_, list->Title(), levelsLeft - 8 - kTextLeft));
            pen = {kTextLeft, kSecondLine};
            redFont_->DrawText(
                image, pen,
                FitLine(*this, "HANDLE", *redFont_, list->Handle(), speedLeft - 8 - kTextLeft));
        }
    }
    if (yellowFont_) {
        const std::string score = Labelled(kStrScore, world_.RunningScore());
        TPoint pen{(world_.FrameWidth() - yellowFont_->TextWidth(score)) / 2, kScoreLine};
        yellowFont_->DrawText(image, pen, score);
    }
}

} // namespace qr

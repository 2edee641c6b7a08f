// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/rooms/title_room.h"

#include "foundation/random.h"
#include "game/world/pictures.h"
#include "game/world/room_factory.h"
#include "game/world/world.h"
#include "graphics/hot_image.h"

namespace qr {

using title::kCellHeight;
using title::kCellWidth;
using title::kTitleArea;
using title::LetterCell;

TTitleRoom::TTitleRoom(TWorld& world, std::string_view id) : TQRRoom(world, id) {}

TTitleRoom::~TTitleRoom() = default;

void TTitleRoom::Enter(const std::string& previousId) {
    // Two independent draws, background first.
    SetPicName(GameRandom().Random(100) < 50 ? "qrtitle" : "qrtitle3");
    titleName_ = GameRandom().Random(100) >= 50 ? "titlegf2" : "titlegfx";
    SetBackground(nullptr);
    TQRRoom::Enter(previousId);
    LoadImages();
    AddTimer(kTimerMusic, 10);
    AddTimer(kTimerSpark, 50);
    counter_ = 0;
    figureShown_ = false;
    letters_.fill(kHidden);
    sparkles_.fill({});
}

void TTitleRoom::LoadImages() {
    TPX8Library& library = world_.Library();
    fly_ = FindPicture(library, "titlefly");
    sparkle_ = FindPicture(library, "sparkle");
    title_ = FindPicture(library, titleName_);
    mask_ = FindPicture(library, "qrttlmsk");
    work_ = THotImage::CreateBlank(kCellWidth, kCellHeight, library);
    work_->Surface().SetTransparency(0, false);
    flyWidth_ = fly_ ? fly_->Surface().Width : 0;
    flyHeight_ = fly_ ? fly_->Surface().Height : 0;
    // Read and written a row at a time while composing letters: kept in memory while the
    // room is shown.
    work_->Surface().LockAll();
    if (title_) title_->Surface().LockAll();
    if (mask_) mask_->Surface().LockAll();
}

void TTitleRoom::FreeOwnedGraphics() {
    fly_.reset();
    sparkle_.reset();
    title_.reset();
    mask_.reset();
    work_.reset();
    flyWidth_ = flyHeight_ = 0;
}

void TTitleRoom::RunScript(const std::string& name, const std::string& argument) {
    if (name == "ENDMUSIC") {
        world_.GoRoom("HOME");
        return;
    }
    if (argument == "START") {
        world_.Host().StopMusic();
        world_.GoRoom("HOME");
        return;
    }
    if (argument == "ANIMATE") {
        Animate();
        return;
    }
    if (argument == "SPARK") {
        SparkStep();
        ReplaceTimer(kTimerSpark, 1);
        return;
    }
    if (argument == "MUSIC") {
        world_.Host().PlayMusic(kTitleTrack);
        ReplaceTimer(kTimerAnimate, 10);
        return;
    }
    TQRRoom::RunScript(name, argument);
}

void TTitleRoom::Animate() {
    if (counter_ < title::kFlightPoints) {
        FlightStep();
        ReplaceTimer(kTimerAnimate, 1);
    } else {
        FlashStep();
        ReplaceTimer(kTimerAnimate, 2);
    }
}

void TTitleRoom::FlightStep() {
    const int step = counter_;
    const TRect old = FigureRect();
    figurePos_ = title::FlightPath()[size_t(step)];
    figureShown_ = true;
    counter_ += 2;
    Repaint(Intersect(Union(old, FigureRect()), kTitleArea));
    if (const int letter = title::LetterUncoveredAt(step)) {
        SetLetter(letter, kShown);
        title::TSparkle& s = sparkles_[size_t(letter - 1)];
        if (s.Erase) {
            const TRect drawn = SparkleRect(letter);
            s.Erase = false;
            Repaint(drawn);
        }
        s.Start(GameRandom());
    }
}

void TTitleRoom::FlashStep() {
    if (counter_ < kFlashStart) {
        const TRect old = FigureRect();
        figureShown_ = false;
        Repaint(Intersect(old, kTitleArea));
        counter_ = kFlashStart;
        return;
    }
    const int c = ++counter_;
    if (c >= 505 && c <= 513 && c % 2 == 1) {
        SetLetter((c - 503) / 2, kHighlighted);
    } else if (c >= 506 && c <= 512 && c % 2 == 0) {
        SetLetter((c - 494) / 2, kHighlighted);
    } else if (c >= 560 && c <= 584 && (c - 560) % 6 == 0) {
        SetAllLetters(kHighlighted);
    } else if (c >= 563 && c <= 581 && (c - 563) % 6 == 0) {
        SetAllLetters(kShown);
    } else if (c == 590) {
        SetAllLetters(kHidden);
    } else if (c == kFlashEnd) {
        // Their last pictures go with them, or they would stay on the screen.
        for (int letter = 1; letter <= title::kLetters; ++letter) {
            title::TSparkle& s = sparkles_[size_t(letter - 1)];
            const TRect drawn = s.Erase ? SparkleRect(letter) : TRect{};
            s.Active = s.Erase = false;
            Repaint(drawn);
        }
        counter_ = 0;
    }
}

void TTitleRoom::SparkStep() {
    for (int letter = 1; letter <= title::kLetters; ++letter) {
        title::TSparkle& s = sparkles_[size_t(letter - 1)];
        if (!s.Active) continue;
        if (s.Erase) {
            const TRect drawn = SparkleRect(letter);
            s.Erase = false;
            Repaint(drawn);
        }
        s.Step();
        s.Erase = true;
        Repaint(SparkleRect(letter));
    }
}

void TTitleRoom::SetLetter(int letter, uint8_t state) {
    letters_[size_t(letter - 1)] = state;
    Repaint(LetterCell(letter));
}

void TTitleRoom::SetAllLetters(uint8_t state) {
    for (int letter = 1; letter <= title::kLetters; ++letter)
        SetLetter(letter, state);
}

TRect TTitleRoom::FigureRect() const {
    if (!figureShown_) return {};
    return TRect::FromOriginSize(figurePos_, flyWidth_, flyHeight_);
}

TRect TTitleRoom::SparkleRect(int letter) const {
    const title::TSparkle& s = sparkles_[size_t(letter - 1)];
    const TRect source = s.VisibleSource();
    return TRect::FromOriginSize(title::kLetterOrigins[size_t(letter - 1)] + s.VisiblePos(),
                                 source.Width(), source.Height());
}

void TTitleRoom::Repaint(TRect r) {
    TPX8ImageData* image = world_.WorkImage();
    if (!image || r.IsEmpty() || !HasFlag(kFlagDrawn) || HasFlag(kFlagFlash)) return;
    const TRect saved = image->ClipRect;
    if (image->SetClipRect(r)) {
        if (background_) {
            TPX8ImageData& layer = background_->Surface();
            image->Blit({0, 0}, layer, layer.GetBounds());
        } else {
            image->FillRect(r, 0);
        }
        DrawContents(*image);
    }
    image->ClipRect = saved;
}

void TTitleRoom::DrawContents(TPX8ImageData& image) {
    TQRRoom::DrawContents(image);
    for (int letter = 1; letter <= title::kLetters; ++letter)
        DrawLetter(image, letter);
    DrawFigure(image);
    for (int letter = 1; letter <= title::kLetters; ++letter)
        DrawSparkle(image, letter);
}

void TTitleRoom::DrawLetter(TPX8ImageData& image, int letter) {
    const uint8_t state = letters_[size_t(letter - 1)];
    if (state == kHidden || !title_ || !mask_ || !work_) return;
    const TRect cell = LetterCell(letter);
    if (!Intersects(cell, image.ClipRect)) return;
    TPX8ImageData& gfx = title_->Surface();
    TPX8ImageData& mask = mask_->Surface();
    // The graphic holds the nine letters in a row, shown above highlighted; the mask one row
    // of them, its clear colour in its top-left corner.
    const int32_t gx = (letter - 1) * kCellWidth, gy = (state - 1) * kCellHeight;
    if (gfx.Width < gx + kCellWidth || gfx.Height < gy + kCellHeight ||
        mask.Width < gx + kCellWidth || mask.Height < kCellHeight)
        return;
    // The letter's pixels (those the mask covers and the graphic paints) over the background
    // of its own cell: composed apart, then put on the screen in one piece.
    TPX8ImageData& work = work_->Surface();
    if (background_)
        work.Blit({0, 0}, background_->Surface(), cell);
    else
        work.FillRect(work.GetBounds(), 0);
    const uint8_t clear = mask.GetPixel({0, 0});
    const int key = gfx.GetTransparentColour();
    for (int32_t y = 0; y < kCellHeight; ++y) {
        uint8_t* out = work.StartLine(0, y);
        const uint8_t* m = mask.StartLine(gx, y);
        const uint8_t* g = gfx.StartLine(gx, gy + y);
        for (int32_t x = 0; x < kCellWidth; ++x)
            if (m[x] != clear && int(g[x]) != key) out[x] = g[x];
    }
    work.Damage.Clear(); // the private surface is never shown itself
    image.Blit(cell.TopLeft(), work, work.GetBounds());
}

void TTitleRoom::DrawFigure(TPX8ImageData& image) {
    if (!figureShown_ || !fly_) return;
    const TRect clip = Intersect(kTitleArea, image.ClipRect);
    if (clip.IsEmpty()) return;
    TPX8ImageData& fly = fly_->Surface();
    image.BlitClipped(figurePos_, fly, clip, fly.GetBounds());
}

void TTitleRoom::DrawSparkle(TPX8ImageData& image, int letter) {
    const title::TSparkle& s = sparkles_[size_t(letter - 1)];
    if (!s.Active || !s.Erase || !sparkle_) return;
    const TRect source = s.VisibleSource();
    if (source.IsEmpty()) return;
    image.Blit(title::kLetterOrigins[size_t(letter - 1)] + s.VisiblePos(), sparkle_->Surface(),
               source);
}

void AddTitleRoom(TRoomFactory& factory) {
    factory.Add(TTitleRoom::kPrefix, [](TWorld& world, const std::string& id) {
        return std::make_unique<TTitleRoom>(world, id);
    });
}

} // namespace qr

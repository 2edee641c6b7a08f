// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The title screen: one of two backgrounds and one of two colourings of the title, a small
// figure that flies across and uncovers the nine letters one by one, a sparkle circling
// every uncovered letter, then the letters flash and vanish and the flight starts again.
// The title music starts shortly after entering; a click or the end of the music leads on
// to the home room.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "game/rooms/title_motion.h"
#include "game/world/room.h"

namespace qr {

class TRoomFactory;
class THotImage;

class TTitleRoom : public TQRRoom {
  public:
    static constexpr const char* kPrefix = "TITLE";
    // Timer kinds of the room (their names are the scripts they run).
    static constexpr uint8_t kTimerAnimate = 6, kTimerMusic = 21, kTimerSpark = 52;
    static constexpr int kTitleTrack = 1;
    // Where the flashing begins and when it ends with a new flight.
    static constexpr int kFlashStart = 500, kFlashEnd = 600;

    enum : uint8_t { kHidden = 0, kShown = 1, kHighlighted = 2 };

    TTitleRoom(TWorld& world, std::string_view id);
    ~TTitleRoom() override;

    void Enter(const std::string& previousId) override;
    void DrawContents(TPX8ImageData& image) override;
    void RunScript(const std::string& name, const std::string& argument) override;

    int Counter() const { return counter_; }
    // State of letter 1..9.
    uint8_t LetterState(int letter) const { return letters_[size_t(letter - 1)]; }
    const title::TSparkle& Sparkle(int letter) const { return sparkles_[size_t(letter - 1)]; }
    // The chosen title colouring, "titlegfx" or "titlegf2".
    const std::string& TitleGraphic() const { return titleName_; }

  private:
    void LoadImages();
    void Animate();
    void FlightStep();
    void FlashStep();
    void SparkStep();
    void SetLetter(int letter, uint8_t state);
    void SetAllLetters(uint8_t state);
    // Draws everything the room shows inside r again: background, letters, figure, sparkles.
    void Repaint(TRect r);
    void DrawLetter(TPX8ImageData& image, int letter);
    void DrawFigure(TPX8ImageData& image);
    void DrawSparkle(TPX8ImageData& image, int letter);
    TRect FigureRect() const;
    TRect SparkleRect(int letter) const;
    void FreeOwnedGraphics() override;

    std::string titleName_ = "titlegfx";
    std::unique_ptr<THotImage> fly_, sparkle_, title_, mask_, work_;
    int32_t flyWidth_ = 0, flyHeight_ = 0;
    int counter_ = 0;
    bool figureShown_ = false;
    TPoint figurePos_;
    std::array<uint8_t, title::kLetters> letters_{};
    std::array<title::TSparkle, title::kLetters> sparkles_{};
};

// Adds the title room's class ("TITLEROOM").
void AddTitleRoom(TRoomFactory& factory);

} // namespace qr

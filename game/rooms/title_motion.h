// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How things move on the title screen, apart from any drawing: the flight of the figure that
// uncovers the title's nine letters, which step uncovers which letter, and the sparkle that
// runs clockwise around every uncovered letter.
#include <array>
#include <cstdint>

#include "foundation/geometry.h"

namespace qr {

class TRandom;

namespace title {

constexpr int kLetters = 9;
constexpr int kFlightPoints = 248;
// A letter cell of the title graphic and its mask.
constexpr int32_t kCellWidth = 63;
constexpr int32_t kCellHeight = 87;
// The figure is drawn only inside this part of the screen.
constexpr TRect kTitleArea{51, 82, 544, 308};

// Top-left corners of the letters 1..9 on the screen (index 0 is letter 1).
constexpr std::array<TPoint, kLetters> kLetterOrigins{{{51, 82},
                                                       {156, 82},
                                                       {263, 82},
                                                       {373, 82},
                                                       {481, 82},
                                                       {99, 221},
                                                       {205, 221},
                                                       {318, 221},
                                                       {428, 221}}};

inline TRect LetterCell(int letter) {
    return TRect::FromOriginSize(kLetterOrigins[size_t(letter - 1)], kCellWidth, kCellHeight);
}

// The figure's top-left corner for every value of the animation counter during the flight.
const std::array<TPoint, kFlightPoints>& FlightPath();

// The letter (1..9) that the flight step starting at this counter uncovers, 0 for none.
int LetterUncoveredAt(int counter);

// The sparkle of one letter. Its position is relative to the letter's origin and runs on a
// frame three pixels outside the cell; the sparkle picture holds a vertical spark (for the
// left and right edges) and a horizontal one (for the top and bottom edges).
struct TSparkle {
    static constexpr TRect kFrame{-3, -3, kCellWidth + 3, kCellHeight + 3};
    static constexpr TRect kHorizontalSource{3, 6, 12, 9};
    static constexpr TRect kVerticalSource{0, 0, 3, 9};

    TPoint Pos;
    TRect Source;
    uint8_t Side = 0; // 0: on the top or bottom edge, 1: on the left or right edge
    bool Active = false;
    bool Erase = false; // drawn at Pos, to be repainted before it moves

    // A fresh sparkle at a random place on the frame.
    void Start(TRandom& random);
    // One step clockwise along the frame; turns the corners.
    void Step();
    // The part of the sparkle picture that stays on the frame, and where it goes relative to
    // the letter's origin (a sparkle that has just turned a corner sticks out past it).
    TRect VisibleSource() const;
    TPoint VisiblePos() const;
};

} // namespace title
} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 256 colours a pixel value stands for, and the read-only view of an 8-bit surface
// with the copies that send parts of it to a screen. These are the plain types a display
// backend needs; they know no toolkit and no image library.
#include <array>
#include <cstdint>
#include <span>

#include "foundation/geometry.h"

namespace qr {

struct TRGBColour {
    uint8_t R = 0;
    uint8_t G = 0;
    uint8_t B = 0;
    friend bool operator==(const TRGBColour&, const TRGBColour&) = default;
};

// Every change gives the palette a new stamp, so tables cached from it (palette -> ARGB)
// can tell when they are stale.
class TPalette {
  public:
    TPalette();
    const TRGBColour& operator[](int index) const { return entries_[static_cast<uint8_t>(index)]; }
    void Set(int index, TRGBColour colour);
    void SetAll(const std::array<TRGBColour, 256>& entries);
    const std::array<TRGBColour, 256>& Entries() const { return entries_; }
    // Unique over the whole program run: two palettes never share a stamp.
    uint64_t Stamp() const { return stamp_; }

  private:
    void Touch();
    std::array<TRGBColour, 256> entries_{};
    uint64_t stamp_ = 0;
};

// A read-only view of an 8-bit surface as the graphics code stores it: rows bottom-up,
// cut into bands of RowsPerBand rows (the last band may hold fewer). Band k's memory row 0
// is surface row Height - 1 - k * RowsPerBand.
struct TSurfaceView {
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Stride = 0;
    int32_t RowsPerBand = 0;
    std::span<const uint8_t* const> Bands;
    // -1 for an opaque surface; otherwise pixels of this value leave the frame unchanged.
    int TransparentColour = -1;

    // Address of surface row y (top-down), column 0.
    const uint8_t* Row(int32_t y) const {
        const int32_t b = Height - 1 - y;
        return Bands[static_cast<size_t>(b / RowsPerBand)] +
               static_cast<size_t>(b % RowsPerBand) * Stride;
    }
};

// One copy: Source (in surface coordinates) lands with its top-left at Dest (in frame
// coordinates). Parts outside the frame are dropped.
struct TTransfer {
    TRect Source;
    TPoint Dest;
};

// Where surfaces are shown: the window's picture. The platform's displays implement it;
// the graphics code only sends rectangles to it.
class TPresentTarget {
  public:
    virtual ~TPresentTarget() = default;
    // Copies each transfer into the frame through the palette and returns the number of
    // rows copied. What is copied becomes visible at the next Show.
    virtual int Present(const TSurfaceView& surface, std::span<const TTransfer> transfers,
                        const TPalette& palette) = 0;
    // Makes everything presented since the last Show visible.
    virtual void Show() {}
};

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turns a TrueType font into the game's bitmap fonts: the font image (rows of 32 glyph
// cells), the image of the extra glyphs (rows of 12) and the metrics records the
// program compiles in. The layout depends only on the font file and the design, so the
// images of every colour variant share one metrics record.
#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "graphics/font.h"

namespace qr {

struct TFontDesign {
    int Slot = 0;
    uint32_t Height = 0;
    uint32_t RowHeight = 0;
    uint32_t Baseline = 0;
    int PixelSize = 0;
    // Glyph widths fixed by the design (byte -> width); others follow the font's advances.
    std::vector<std::pair<uint8_t, uint8_t>> Widths;
};

// The game's two designs: slot 4 (23/23/18) and slot 5 (72/74/57).
const TFontDesign& GameFontDesign(int slot);

// Coverage masks (1 = ink) of both images and their metrics.
struct TRasterFont {
    TFontMetrics Metrics;
    std::array<TGlyphEntry, kFontSpecialCount> Specials{};
    int32_t Width = 0, Height = 0;               // font image
    int32_t SpecialWidth = 0, SpecialHeight = 0; // extra-glyph image
    std::vector<uint8_t> Mask;
    std::vector<uint8_t> SpecialMask;
};

// Throws UvoException when the font cannot be read or lacks a glyph.
TRasterFont RasteriseFont(const std::string& ttfPath, const TFontDesign& design);

// Palette indices of a variant: ink, an optional outline (-1 none) and the transparent key.
struct TFontColours {
    int Ink = 0;
    int Outline = -1;
    int Key = 0;
};
// Pixels of a mask painted in the variant's colours. The main image also gets its
// bottom-right 10 x 2 mark in the ink colour.
std::vector<uint8_t> PaintMask(const std::vector<uint8_t>& mask, int32_t w, int32_t h,
                               const TFontColours& c, bool mark);

// C++ source defining the compiled-in records for the given designs.
std::string MetricsSource(const std::vector<std::pair<TRasterFont, int>>& fonts,
                          const std::string& ttfName);

int RunFontTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

inline const char* kDefaultGameFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Bitmap fonts: a font image in a library (rows of glyph cells) paired with a metrics
// record compiled into the program, plus an optional image of the extra glyphs: the 48
// special letters and the three Windows-1252 letters the main image has no cell for.
// Glyphs are blitted, so the font image's transparent colour lets the picture show
// between strokes.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/geometry.h"
#include "graphics/image_data.h"
#include "graphics/image_library.h"

namespace qr {

struct TGlyphEntry {
    uint16_t X = 0;    // left column of the glyph in its row
    uint8_t Width = 0; // pixels, without the one-column margins each side
    uint8_t Reserved = 0;
};

inline constexpr int kFontGlyphCount = 192;
inline constexpr int kFontSpecialCount = 51;
inline constexpr int kFontGlyphsPerRow = 32;
inline constexpr int kFontSpecialsPerRow = 12;
inline constexpr int kFontSpecialRows =
    (kFontSpecialCount + kFontSpecialsPerRow - 1) / kFontSpecialsPerRow;
inline constexpr int kFontSlotCount = 41;

struct TFontMetrics {
    uint32_t Height = 0;
    uint32_t RowHeight = 0;
    uint32_t Baseline = 0;
    std::array<TGlyphEntry, kFontGlyphCount> Glyphs{};
    const std::array<TGlyphEntry, kFontSpecialCount>* Specials = nullptr;
};

// Stores the record (not copied: it must live as long as the program) in slot index
// 0..40 with its extra-glyph table.
void RegisterFontMetrics(int index, TFontMetrics* record,
                         const std::array<TGlyphEntry, kFontSpecialCount>* specials);
const TFontMetrics* FontMetricsSlot(int index);
// Registers the game's own designs: slots 4 and 5.
void RegisterGameFontMetrics();
// The compiled-in records of the game's designs (for tools and tests).
TFontMetrics& GameFontMetrics(int slot);
const std::array<TGlyphEntry, kFontSpecialCount>& GameFontSpecials(int slot);
// Whether the game's font designs draw the byte: it maps to a glyph with a width. Line
// breaks, tabs and the codes Windows-1252 leaves undefined (129, 141, ... as far as the
// fonts' special letters leave them) draw nothing.
bool GameFontsDraw(uint8_t byte);

// What a byte draws: a glyph entry (0..191), an extra entry (0..50) or nothing.
struct TGlyphRef {
    enum Kind { None, Glyph, Special } kind = None;
    int index = 0;
};
TGlyphRef MapFontByte(uint8_t byte);

class TPX8Font {
  public:
    // Raises UvoException "Invalid font name" / "Font not loaded"; GetImage failures pass on.
    TPX8Font(TPX8Library& library, std::string_view name);
    TPX8Font(TPX8Library& library, std::string_view name, std::string_view specialName);
    ~TPX8Font();
    TPX8Font(const TPX8Font&) = delete;
    TPX8Font& operator=(const TPX8Font&) = delete;

    void LoadSpecials(std::string_view name);
    void DrawText(TPX8ImageData& dest, TPoint& pen, std::string_view text);
    TRect TextExtent(TPoint point, std::string_view text) const;
    int32_t TextWidth(std::string_view text) const { return TextExtent({0, 0}, text).Right; }
    uint8_t GetCornerColour();

    TImageNode* Node = nullptr;
    TImageNode* SpecialNode = nullptr;
    TPX8ImageData* Surface = nullptr;
    TPX8ImageData* SpecialSurface = nullptr;
    const std::array<TGlyphEntry, kFontGlyphCount>* Glyphs = nullptr;
    const std::array<TGlyphEntry, kFontSpecialCount>* Specials = nullptr;
    int32_t Height = 0;
    int32_t RowHeight = 0;
    int32_t Baseline = 0;
    TRect MarkRect;
    uint8_t MarkColour = 0;
    int32_t Spacing = 0;
    int32_t TopSkip = 0;

  private:
    void ReleaseSpecials();
    TPX8Library& library_;
};

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lays out and draws marked-up text in a rectangle of a surface: word wrap at spaces and
// soft hyphens, hard breaks, named fonts, tabs and fine spacing, four alignments and a
// background. Draw returns how many bytes fitted, so long texts are shown page by page.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "foundation/uvo_list.h"
#include "graphics/font.h"

namespace qr {

class TTileBG;

// What is painted behind a text block: nothing, a colour, a picture or tiles.
class TBGArea {
  public:
    enum : uint8_t { KindNone = 0, KindColour = 1, KindImage = 2, KindTiles = 3 };
    void SetKind(uint8_t kind) {
        if (kind <= KindTiles) Kind = kind;
    }
    void Draw(TPX8ImageData& dest, const TRect& rect);

    uint8_t Kind = KindNone;
    uint8_t Colour = 255;
    TPX8ImageData* Image = nullptr; // not owned
    TPoint Origin;
    TTileBG* Tiles = nullptr; // not owned
};

// A font of a block under its one-character ID (looked up without regard to case).
class TFontNode : public TIDNode {
  public:
    TFontNode(std::string_view id, TPX8Font* font) : TIDNode(id), Font(font) {}
    TPX8Font* Font; // not owned
};

class TFontList : public TIDList {};

class TTextBlock {
  public:
    enum : uint8_t { AlignLeft = 0, AlignRight = 1, AlignCentre = 2, AlignJustify = 3 };

    TTextBlock(TPX8Font* font, std::string_view id);
    void AddFont(std::string_view id, TPX8Font* font);
    void SetMargins(uint16_t left, uint16_t top, uint16_t right, uint16_t bottom);

    // Lays out text in rect, drawing into dest when given (else only measuring); stops at
    // limit when given. Returns the bytes consumed by the lines that fitted.
    size_t Draw(TPX8ImageData* dest, const TRect& rect, std::string_view text,
                std::optional<size_t> limit = {}, bool reset = true);

    TFontList Fonts;
    int32_t LineGap = 0;
    uint16_t MarginLeft = 6, MarginTop = 6, MarginRight = 6, MarginBottom = 6;
    uint16_t CurLeft = 6, CurTop = 6, CurRight = 6, CurBottom = 6;
    TPX8Font* CurrentFont = nullptr;
    uint8_t Alignment = AlignLeft;
    int8_t BlankLineHeight = 0;
    uint8_t BackgroundOverRect = 1;
    int8_t Indent = 0;
    std::unique_ptr<TBGArea> Background = std::make_unique<TBGArea>();

  private:
    TPX8Font* DefaultFont() const;
    TPX8Font* FontByID(char id) const;
};

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/font.h"

#include <stdexcept>

namespace qr {

namespace {
std::array<TFontMetrics*, kFontSlotCount>& Registry() {
    static std::array<TFontMetrics*, kFontSlotCount> slots{};
    return slots;
}
} // namespace

void RegisterFontMetrics(int index, TFontMetrics* record,
                         const std::array<TGlyphEntry, kFontSpecialCount>* specials) {
    if (index < 0 || index >= kFontSlotCount) throw UvoException("Invalid font name");
    Registry()[size_t(index)] = record;
    if (record) record->Specials = specials;
}

const TFontMetrics* FontMetricsSlot(int index) {
    if (index < 0 || index >= kFontSlotCount) return nullptr;
    return Registry()[size_t(index)];
}

TGlyphRef MapFontByte(uint8_t b) {
    if (b == 138)
        b = 127;
    else if (b == 154)
        b = 160;
    if (b >= 32 && b <= 127) return {TGlyphRef::Glyph, b - 32};
    if (b >= 160) return {TGlyphRef::Glyph, b - 64};
    int k = -1;
    if (b >= 1 && b <= 9)
        k = b - 1;
    else if (b == 29 || b == 30)
        k = b - 20;
    else if (b == 26)
        k = 11;
    else if (b >= 129 && b <= 137)
        k = b - 117;
    else if (b == 157 || b == 158)
        k = b - 136;
    else if (b == 128)
        k = 23;
    else if (b >= 14 && b <= 24)
        k = b + 10;
    else if (b == 27)
        k = 35;
    else if (b >= 142 && b <= 152)
        k = b - 106;
    else if (b == 155)
        k = 47;
    // Œ, œ and Ÿ are letters to the play room (French needs œ), but bytes 128-159 have no
    // cells in the main image: they get the extra entries after the special letters.
    else if (b == 140)
        k = 48;
    else if (b == 156)
        k = 49;
    else if (b == 159)
        k = 50;
    if (k < 0) return {};
    return {TGlyphRef::Special, k};
}

TPX8Font::TPX8Font(TPX8Library& library, std::string_view name) : library_(library) {
    // The first two characters select the metrics slot.
    if (name.size() < 2)
        throw std::invalid_argument("'" + std::string(name) + "' is not a valid integer value");
    int slot = 0;
    for (int i = 0; i < 2; ++i) {
        const char c = name[size_t(i)];
        if (c < '0' || c > '9')
            throw std::invalid_argument("'" + std::string(name.substr(0, 2)) +
                                        "' is not a valid integer value");
        slot = slot * 10 + (c - '0');
    }
    if (slot < 0 || slot > 40) throw UvoException("Invalid font name");
    const TFontMetrics* m = FontMetricsSlot(slot);
    if (!m) throw UvoException("Font not loaded");
    Node = library.GetImage(name);
    try {
        Surface = library.GetImageData(Node);
        MarkRect = TRect::FromOriginSize({Surface->Width - 11, Surface->Height - 2}, 10, 2);
        MarkColour = Surface->GetPixel({Surface->Width - 1, Surface->Height - 1});
    } catch (...) {
        if (Surface) library.ReleaseImageData(Node);
        library.ReleaseImage(Node);
        throw;
    }
    Glyphs = &m->Glyphs;
    Specials = m->Specials;
    Height = int32_t(m->Height);
    RowHeight = int32_t(m->RowHeight);
    Baseline = int32_t(m->Baseline);
}

TPX8Font::TPX8Font(TPX8Library& library, std::string_view name, std::string_view specialName)
    : TPX8Font(library, name) {
    try {
        LoadSpecials(specialName);
    } catch (...) {
        library_.ReleaseImageData(Node);
        library_.ReleaseImage(Node);
        throw;
    }
}

TPX8Font::~TPX8Font() {
    ReleaseSpecials();
    // Surfaces are counted too: release them so the last font frees the image.
    library_.ReleaseImageData(Node);
    library_.ReleaseImage(Node);
}

void TPX8Font::ReleaseSpecials() {
    if (SpecialNode) {
        if (SpecialSurface) library_.ReleaseImageData(SpecialNode);
        library_.ReleaseImage(SpecialNode);
    }
    SpecialNode = nullptr;
    SpecialSurface = nullptr;
}

void TPX8Font::LoadSpecials(std::string_view name) {
    ReleaseSpecials();
    SpecialNode = library_.GetImage(name);
    try {
        SpecialSurface = library_.GetImageData(SpecialNode);
    } catch (...) {
        library_.ReleaseImage(SpecialNode);
        SpecialNode = nullptr;
        throw;
    }
}

void TPX8Font::DrawText(TPX8ImageData& dest, TPoint& pen, std::string_view text) {
    for (char ch : text) {
        const TGlyphRef g = MapFontByte(uint8_t(ch));
        const TGlyphEntry* e = nullptr;
        TPX8ImageData* src = nullptr;
        int row = 0;
        if (g.kind == TGlyphRef::Glyph) {
            e = &(*Glyphs)[size_t(g.index)];
            src = Surface;
            row = g.index / kFontGlyphsPerRow;
        } else if (g.kind == TGlyphRef::Special && Specials && SpecialSurface) {
            e = &(*Specials)[size_t(g.index)];
            src = SpecialSurface;
            row = g.index / kFontSpecialsPerRow;
        }
        if (!e) continue;
        const TRect r = TRect::FromOriginSize({e->X - 1, row * RowHeight + TopSkip}, e->Width + 2,
                                              Height - TopSkip);
        dest.Blit(pen, *src, r);
        pen.X += e->Width + 2 + Spacing;
    }
}

TRect TPX8Font::TextExtent(TPoint point, std::string_view text) const {
    TRect r{point.X, point.Y + TopSkip, point.X, point.Y + Height};
    if (text.empty()) return {point.X, point.Y + TopSkip, point.X, point.Y + TopSkip};
    for (char ch : text) {
        const TGlyphRef g = MapFontByte(uint8_t(ch));
        r.Right += 2;
        if (g.kind == TGlyphRef::Glyph)
            r.Right += (*Glyphs)[size_t(g.index)].Width + Spacing;
        else if (g.kind == TGlyphRef::Special && Specials)
            r.Right += (*Specials)[size_t(g.index)].Width + Spacing;
    }
    return r;
}

bool GameFontsDraw(uint8_t byte) {
    const TGlyphRef g = MapFontByte(byte);
    if (g.kind == TGlyphRef::None) return false;
    for (int slot : {4, 5}) {
        const TGlyphEntry& e = g.kind == TGlyphRef::Glyph
                                   ? GameFontMetrics(slot).Glyphs[size_t(g.index)]
                                   : GameFontSpecials(slot)[size_t(g.index)];
        if (e.Width == 0) return false;
    }
    return true;
}

uint8_t TPX8Font::GetCornerColour() {
    return Surface->GetPixel({0, 0});
}

} // namespace qr

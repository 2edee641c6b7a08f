// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small libraries made in memory for the graphics tests.
#include <memory>
#include <string>
#include <vector>

#include "foundation/random.h"
#include "foundation/stream.h"
#include "graphics/image_data.h"
#include "graphics/image_library.h"
#include "graphics/image_writer.h"

namespace qr::test {

// A picture with the texture of real art: flat areas, gradients, an outlined shape and a
// little noise, so that every coder path is taken.
inline std::vector<uint8_t> ArtLikePixels(int w, int h, uint32_t seed = 1) {
    std::vector<uint8_t> p(size_t(w) * h);
    uint32_t s = seed * 2654435761u + 1;
    auto rnd = [&] {
        s = s * 134775813u + 1;
        return s >> 24;
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t v = uint8_t(20 + y * 40 / h); // sky gradient
            if ((x - w / 2) * (x - w / 2) + (y - h / 2) * (y - h / 2) < (w * h) / 8)
                v = 200;                                       // disc
            if (x % 17 == 3) v = uint8_t(x);                   // stripes
            if (y > h * 3 / 4) v = uint8_t(100 + (rnd() & 7)); // grass noise
            p[size_t(y) * w + x] = v;
        }
    return p;
}

inline std::vector<uint8_t> NoisePixels(int w, int h, uint32_t seed) {
    std::vector<uint8_t> p(size_t(w) * h);
    uint32_t s = seed;
    for (auto& v : p) {
        s = s * 134775813u + 1;
        v = uint8_t(s >> 24);
    }
    return p;
}

inline TPX8WriterImage Img(std::string name, int w, int h, std::vector<uint8_t> px,
                           TBandCoding coding = TBandCoding::LineCoded, bool transparent = false,
                           uint8_t key = 0) {
    TPX8WriterImage i;
    i.Name = std::move(name);
    i.Width = w;
    i.Height = h;
    i.Pixels = std::move(px);
    i.Coding = coding;
    i.Transparent = transparent;
    i.TransparentColour = key;
    return i;
}

inline TPX8Writer GreyWriter() {
    TPX8Writer w;
    for (int i = 0; i < 256; ++i)
        w.SetPaletteRGB(i, uint8_t(i), uint8_t(255 - i), uint8_t(i / 2));
    return w;
}

inline void OpenBytes(TPX8Library& lib, const std::vector<uint8_t>& bytes) {
    lib.OpenStream(std::make_unique<TMemoryStream>(bytes), "test.px8");
}

// The file header and palette alone (1030 bytes).
inline std::vector<uint8_t> EmptyLibraryBytes() {
    return GreyWriter().Bytes();
}

// Blank surfaces made in memory in an empty library, alive as long as the maker.
struct SurfaceMaker {
    SurfaceMaker() { OpenBytes(lib, EmptyLibraryBytes()); }
    TPX8ImageData& Make(int w, int h, uint8_t fill = 0) {
        TImageNode* n = lib.CreateImage("s" + std::to_string(refs.size()), w, h);
        refs.emplace_back(lib, n);
        TPX8ImageData& d = *refs.back();
        d.FillRect(d.GetBounds(), fill);
        d.Damage.Clear();
        return d;
    }
    TPX8Library lib;
    std::vector<TImageDataRef> refs;
};

} // namespace qr::test

#include "graphics/font.h"

namespace qr::test {

// Slot 8: every glyph is 4 wide (6 with its margins), cells 5 high in rows 6 apart. A
// glyph's pixels hold its entry number + 1, margins the transparent key 0; the space is
// blank; extra glyphs hold 201 + their entry. The library also has a 3x2 tile "tile1".
struct FixedFont {
    TFontMetrics metrics;
    std::array<TGlyphEntry, kFontSpecialCount> specials{};
    TPX8Library lib;

    FixedFont() {
        metrics.Height = 5;
        metrics.RowHeight = 6;
        metrics.Baseline = 4;
        for (int i = 0; i < kFontGlyphCount; ++i)
            metrics.Glyphs[size_t(i)] = {uint16_t(1 + 6 * (i % 32)), 4, 0};
        for (int k = 0; k < kFontSpecialCount; ++k)
            specials[size_t(k)] = {uint16_t(1 + 6 * (k % 12)), 4, 0};
        RegisterFontMetrics(8, &metrics, &specials);
        auto w = GreyWriter();
        w.Add(Img("08fixed", 192, 36, Cells(32, kFontGlyphCount, 1), TBandCoding::LineCoded, true,
                  0));
        w.Add(Img("abcefixe", 72, 6 * kFontSpecialRows, Cells(12, kFontSpecialCount, 201),
                  TBandCoding::LineCoded, true, 0));
        w.Add(Img("08second", 192, 36, Cells(32, kFontGlyphCount, 1), TBandCoding::LineCoded, true,
                  0));
        w.Add(Img("tile1", 3, 2, {1, 2, 3, 4, 5, 6}));
        OpenBytes(lib, w.Bytes());
    }
    ~FixedFont() { RegisterFontMetrics(8, nullptr, nullptr); }

    static std::vector<uint8_t> Cells(int perRow, int count, int base) {
        const int w = perRow * 6, h = (count + perRow - 1) / perRow * 6;
        std::vector<uint8_t> px(size_t(w) * h, 0);
        for (int i = base == 1 ? 1 : 0; i < count; ++i)
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 4; ++x)
                    px[size_t((i / perRow) * 6 + y) * w + 1 + 6 * (i % perRow) + x] =
                        uint8_t(base + i);
        return px;
    }
    // The colour a character's glyph is drawn in.
    static int Ink(char c) { return MapFontByte(uint8_t(c)).index + 1; }
};

} // namespace qr::test

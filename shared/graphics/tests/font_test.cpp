// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/font.h"

#include <gtest/gtest.h>

#include "fixtures.h"

namespace qr {
namespace {

// A made-up design in slot 7: every glyph entry i is Width 1 + i % 3 at X = 1 + 5 * (i % 32),
// cells 6 rows high; glyph pixels hold their entry number + 1, margins the key 0.
struct TestFont {
    TFontMetrics metrics;
    std::array<TGlyphEntry, kFontSpecialCount> specials{};
    TPX8Library lib;

    TestFont() {
        metrics.Height = 5;
        metrics.RowHeight = 6;
        metrics.Baseline = 4;
        for (int i = 0; i < kFontGlyphCount; ++i)
            metrics.Glyphs[size_t(i)] = {uint16_t(1 + 5 * (i % 32)), uint8_t(1 + i % 3), 0};
        for (int k = 0; k < kFontSpecialCount; ++k)
            specials[size_t(k)] = {uint16_t(1 + 5 * (k % 12)), 2, 0};
        RegisterFontMetrics(7, &metrics, &specials);
        auto w = test::GreyWriter();
        w.Add(test::Img("07test", 160, 36, Cells(32, kFontGlyphCount, metrics.Glyphs.data(), 0),
                        TBandCoding::LineCoded, true, 0));
        w.Add(test::Img("abcetest", 60, 6 * kFontSpecialRows,
                        Cells(12, kFontSpecialCount, specials.data(), 200), TBandCoding::LineCoded,
                        true, 0));
        test::OpenBytes(lib, w.Bytes());
    }
    ~TestFont() { RegisterFontMetrics(7, nullptr, nullptr); }

    std::vector<uint8_t> Cells(int perRow, int count, const TGlyphEntry* e, int base) {
        const int w = perRow * 5, h = (count + perRow - 1) / perRow * 6;
        std::vector<uint8_t> px(size_t(w) * h, 0);
        for (int i = 0; i < count; ++i)
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < e[i].Width; ++x)
                    px[size_t((i / perRow) * 6 + y) * w + e[i].X + x] =
                        uint8_t(base + (i % 200) + 1);
        return px;
    }
};

// The colour of each column of row 2 of a surface.
std::vector<int> Row2(TPX8ImageData& d) {
    std::vector<int> r;
    for (int x = 0; x < d.Width; ++x)
        r.push_back(d.GetPixel({x, 2}));
    return r;
}

TEST(FontBytes, MappingOfPrintableAndExtraBytes) {
    struct Case {
        int byte;
        TGlyphRef::Kind kind;
        int index;
    };
    const Case cases[] = {
        {32, TGlyphRef::Glyph, 0},     {127, TGlyphRef::Glyph, 95},   {138, TGlyphRef::Glyph, 95},
        {154, TGlyphRef::Glyph, 96},   {160, TGlyphRef::Glyph, 96},   {255, TGlyphRef::Glyph, 191},
        {1, TGlyphRef::Special, 0},    {9, TGlyphRef::Special, 8},    {29, TGlyphRef::Special, 9},
        {26, TGlyphRef::Special, 11},  {129, TGlyphRef::Special, 12}, {158, TGlyphRef::Special, 22},
        {128, TGlyphRef::Special, 23}, {14, TGlyphRef::Special, 24},  {24, TGlyphRef::Special, 34},
        {27, TGlyphRef::Special, 35},  {142, TGlyphRef::Special, 36}, {152, TGlyphRef::Special, 46},
        {155, TGlyphRef::Special, 47}, {140, TGlyphRef::Special, 48}, {156, TGlyphRef::Special, 49},
        {159, TGlyphRef::Special, 50}, {0, TGlyphRef::None, 0},       {10, TGlyphRef::None, 0},
        {13, TGlyphRef::None, 0},      {31, TGlyphRef::None, 0},      {139, TGlyphRef::None, 0},
    };
    for (const Case& c : cases) {
        const TGlyphRef g = MapFontByte(uint8_t(c.byte));
        EXPECT_EQ(g.kind, c.kind) << c.byte;
        if (g.kind != TGlyphRef::None) {
            EXPECT_EQ(g.index, c.index) << c.byte;
        }
    }
    // Every extra entry is reached by exactly one byte.
    std::array<int, kFontSpecialCount> hits{};
    for (int b = 0; b < 256; ++b)
        if (MapFontByte(uint8_t(b)).kind == TGlyphRef::Special)
            ++hits[size_t(MapFontByte(uint8_t(b)).index)];
    for (int h : hits)
        EXPECT_EQ(h, 1);
}

TEST(Font, DrawsGlyphCellsWithMarginsAndAdvances) {
    TestFont f;
    TPX8Font font(f.lib, "07test");
    TImageNode* back = f.lib.CreateImage("back", 30, 6);
    TPX8ImageData* d = f.lib.GetImageData(back);
    d->FillRect(d->GetBounds(), 99);
    TPoint pen{1, 0};
    font.DrawText(*d, pen, "!\x8A"); // entries 1 (width 2) and 95 (width 3), 138 drawn as 127
    EXPECT_EQ(pen.X, 1 + 4 + 5);
    const std::vector<int> want{99, 99, 2, 2, 99, 99, 96, 96, 96, 99, 99, 99};
    const std::vector<int> row = Row2(*d);
    EXPECT_EQ(std::vector<int>(row.begin(), row.begin() + 12), want);
    EXPECT_EQ(font.TextExtent({3, 4}, "!\x8A"), (TRect{3, 4, 12, 9}));
    f.lib.ReleaseImageData(back);
}

TEST(Font, ExtraCharactersNeedTheExtraImageToBeDrawnButAreAlwaysMeasured) {
    TestFont f;
    TImageNode* back = f.lib.CreateImage("back", 30, 6);
    TPX8ImageData* d = f.lib.GetImageData(back);
    {
        TPX8Font font(f.lib, "07test");
        TPoint pen{0, 0};
        font.DrawText(*d, pen, "\x01\x0D"); // an extra letter, and a byte without any glyph
        EXPECT_EQ(pen.X, 0);
        EXPECT_FALSE(d->HasDamage());
        EXPECT_EQ(font.TextWidth("\x01"), 4); // measured with the Specials table: 2 + 2
        EXPECT_EQ(font.TextWidth("\x0D"), 2); // no glyph: only its 2
        font.Spacing = 1;
        EXPECT_EQ(font.TextWidth("\x01\x0D"), 4 + 1 + 2);
    }
    TPX8Font font(f.lib, "07test", "abcetest");
    TPoint pen{0, 0};
    font.DrawText(*d, pen, "\x01\x0D");
    EXPECT_EQ(pen.X, 4);
    EXPECT_EQ(d->GetPixel({1, 2}), 201);
    f.lib.ReleaseImageData(back);
}

TEST(Font, TopSkipAndEmptyText) {
    TestFont f;
    TPX8Font font(f.lib, "07test");
    font.TopSkip = 2;
    EXPECT_EQ(font.TextExtent({5, 5}, ""), (TRect{5, 7, 5, 7}));
    EXPECT_EQ(font.TextExtent({5, 5}, "!"), (TRect{5, 7, 9, 10}));
    EXPECT_EQ(font.MarkRect, (TRect{149, 34, 159, 36}));
    EXPECT_EQ(font.GetCornerColour(), 0);
}

TEST(Font, NamesSelectARegisteredSlot) {
    TestFont f;
    auto message = [&](const char* name) {
        try {
            TPX8Font font(f.lib, name);
        } catch (const std::exception& e) {
            return std::string(e.what());
        }
        return std::string("(made)");
    };
    EXPECT_EQ(message("41abc"), "Invalid font name");
    EXPECT_EQ(message("09abc"), "Font not loaded");
    EXPECT_EQ(message("07nothere"), "Image \"07nothere\" does not exist");
    EXPECT_NE(message("xyfont"), "(made)");
    EXPECT_EQ(f.lib.Images().Count(), 0); // nothing left behind by the failures
}

TEST(Font, TheLastFontReleasesItsImages) {
    TestFont f;
    {
        TPX8Font a(f.lib, "07test", "abcetest");
        TPX8Font b(f.lib, "07TEST");
        EXPECT_EQ(a.Node, b.Node);
        EXPECT_EQ(a.Surface, b.Surface);
    }
    EXPECT_EQ(f.lib.Images().Count(), 0);
}

TEST(GameFonts, SlotsFourAndFiveHaveTheirDesignMetrics) {
    RegisterGameFontMetrics();
    const TFontMetrics* s4 = FontMetricsSlot(4);
    const TFontMetrics* s5 = FontMetricsSlot(5);
    ASSERT_TRUE(s4 && s5);
    EXPECT_EQ((std::array<uint32_t, 3>{s4->Height, s4->RowHeight, s4->Baseline}),
              (std::array<uint32_t, 3>{23, 23, 18}));
    EXPECT_EQ((std::array<uint32_t, 3>{s5->Height, s5->RowHeight, s5->Baseline}),
              (std::array<uint32_t, 3>{72, 74, 57}));
    ASSERT_NE(s4->Specials, nullptr);
    ASSERT_NE(s5->Specials, nullptr);
    EXPECT_EQ(s4->Glyphs['0' - 32].Width, 9); // so "0" is 11 wide with its margins
    EXPECT_EQ(s4->Glyphs[' ' - 32].Width, 3);
    EXPECT_EQ(s4->Glyphs['A' - 32].X, 17);
    EXPECT_EQ(s5->Glyphs['0' - 32].Width, 30);
    EXPECT_EQ(s5->Glyphs[' ' - 32].Width, 12);
}

} // namespace
} // namespace qr

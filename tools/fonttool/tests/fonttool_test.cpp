// SPDX-License-Identifier: GPL-3.0-or-later
#include "fonttool.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "graphics/font.h"
#include "graphics/image_writer.h"
#include "png_io.h"
#include "px8tool.h"

namespace qr {
namespace {

bool HaveGameFont() {
    return std::filesystem::exists(kDefaultGameFont);
}

// The compiled-in records must describe exactly the images the tool draws.
TEST(FontTool, CompiledMetricsMatchTheRasterisedFont) {
    if (!HaveGameFont()) GTEST_SKIP() << "fonts-dejavu-core is not installed";
    for (int slot : {4, 5}) {
        SCOPED_TRACE(slot);
        const TRasterFont f = RasteriseFont(kDefaultGameFont, GameFontDesign(slot));
        const TFontMetrics& m = GameFontMetrics(slot);
        EXPECT_EQ(f.Metrics.Height, m.Height);
        EXPECT_EQ(f.Metrics.RowHeight, m.RowHeight);
        EXPECT_EQ(f.Metrics.Baseline, m.Baseline);
        for (int i = 0; i < kFontGlyphCount; ++i) {
            EXPECT_EQ(f.Metrics.Glyphs[size_t(i)].X, m.Glyphs[size_t(i)].X) << i;
            EXPECT_EQ(f.Metrics.Glyphs[size_t(i)].Width, m.Glyphs[size_t(i)].Width) << i;
        }
        RegisterGameFontMetrics();
        ASSERT_NE(FontMetricsSlot(slot)->Specials, nullptr);
        for (int k = 0; k < kFontSpecialCount; ++k) {
            EXPECT_EQ(f.Specials[size_t(k)].X, (*FontMetricsSlot(slot)->Specials)[size_t(k)].X)
                << k;
            EXPECT_EQ(f.Specials[size_t(k)].Width,
                      (*FontMetricsSlot(slot)->Specials)[size_t(k)].Width)
                << k;
        }
        EXPECT_EQ(f.Height, 6 * int(m.RowHeight));
        EXPECT_EQ(f.SpecialHeight, kFontSpecialRows * int(m.RowHeight));
    }
}

// Renders slot 4 through the tool, packs it into a library and draws with the game's font
// code: every glyph lands at its pen position, inside its cell, in the ink colour.
TEST(FontTool, RenderedFontDrawsWithTheGameFontCode) {
    if (!HaveGameFont()) GTEST_SKIP() << "fonts-dejavu-core is not installed";
    const TRasterFont f = RasteriseFont(kDefaultGameFont, GameFontDesign(4));
    const TFontColours colours{15, 0, 254};
    TPX8Writer w;
    TPX8WriterImage img;
    img.Name = "04ab14by";
    img.Width = f.Width;
    img.Height = f.Height;
    img.Pixels = PaintMask(f.Mask, f.Width, f.Height, colours, true);
    img.Transparent = true;
    img.TransparentColour = 254;
    w.Add(img);
    img.Name = "abce14by";
    img.Width = f.SpecialWidth;
    img.Height = f.SpecialHeight;
    img.Pixels = PaintMask(f.SpecialMask, f.SpecialWidth, f.SpecialHeight, colours, false);
    w.Add(img);
    TPX8Library lib;
    lib.OpenStream(std::make_unique<TMemoryStream>(w.Bytes()));
    RegisterGameFontMetrics();
    TPX8Font font(lib, "04ab14by", "abce14by");
    EXPECT_EQ(font.TextWidth("0"), 11);
    EXPECT_EQ(font.MarkColour, 15);
    EXPECT_EQ(font.GetCornerColour(), 254);

    TImageNode* back = lib.CreateImage("back", 400, 30);
    TPX8ImageData* d = lib.GetImageData(back);
    d->FillRect(d->GetBounds(), 100);
    const std::string text = "Quill\x01\x8A\x9C"; // an extra letter (A ogonek), 138 and oe
    TPoint pen{5, 3};
    font.DrawText(*d, pen, text);
    EXPECT_EQ(pen.X, 5 + font.TextWidth(text));
    // Each character's ink lies within its own cell, and every cell has ink.
    int x = 5;
    for (char ch : text) {
        const int cw = font.TextWidth(std::string(1, ch));
        int ink = 0;
        for (int yy = 0; yy < 30; ++yy)
            for (int xx = 0; xx < 400; ++xx) {
                const uint8_t v = d->GetPixel({xx, yy});
                if (v == 15 && xx >= x && xx < x + cw && yy >= 3 && yy < 3 + 23) ++ink;
            }
        EXPECT_GT(ink, 5) << "character " << int(uint8_t(ch));
        x += cw;
    }
    for (int yy = 0; yy < 30; ++yy)
        for (int xx = 0; xx < 400; ++xx) {
            const uint8_t v = d->GetPixel({xx, yy});
            if (v == 15 || v == 0) {
                EXPECT_TRUE(xx >= 5 && xx < pen.X && yy >= 3 && yy < 26) << xx << "," << yy;
            }
        }
    lib.ReleaseImageData(back);
}

TEST(FontTool, CommandLine) {
    std::ostringstream out, err;
    EXPECT_EQ(RunFontTool({"render"}, out, err), 2);
    EXPECT_EQ(RunFontTool({"metrics", "/nonexistent.ttf", "/tmp/x.cpp"}, out, err), 1);
    EXPECT_NE(err.str().find("fonttool: /nonexistent.ttf: No such file"), std::string::npos)
        << err.str();
}

} // namespace
} // namespace qr

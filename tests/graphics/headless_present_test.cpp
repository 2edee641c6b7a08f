// SPDX-License-Identifier: GPL-3.0-or-later
// Surfaces, tiles and the headless display together: what reaches the window's picture.
#include <gtest/gtest.h>
#include <png.h>

#include "fixtures.h"
#include "graphics/image_data.h"
#include "graphics/tile_background.h"
#include "platform/headless/display_headless.h"

namespace qr {
namespace {

class HeadlessScreen : public ::testing::Test, public test::SurfaceMaker {};

TEST_F(HeadlessScreen, DisplaySendsOneTransferPerBandBottomFirstThroughThePalette) {
    TPX8ImageData& d = Make(256, 256, 0); // bands: rows 128..255 (band 0) and 0..127 (band 1)
    d.FillRect({0, 100, 256, 156}, 5);
    TPalette pal;
    pal.Set(5, {10, 20, 30});
    HeadlessDisplay screen(300, 300);
    screen.Fill({1, 1, 1});
    const int lines = d.Display(screen, pal, {7, 3}, {2, 100, 12, 156});
    EXPECT_EQ(lines, 56);
    ASSERT_EQ(screen.Transfers().size(), 2u);
    EXPECT_EQ(screen.Transfers()[0].Source, (TRect{2, 128, 12, 156}));
    EXPECT_EQ(screen.Transfers()[0].Dest, (TPoint{7, 31}));
    EXPECT_EQ(screen.Transfers()[1].Source, (TRect{2, 100, 12, 128}));
    EXPECT_EQ(screen.Transfers()[1].Dest, (TPoint{7, 3}));
    EXPECT_EQ(screen.Pixel(7, 3), (TRGBColour{10, 20, 30}));
    EXPECT_EQ(screen.Pixel(16, 58), (TRGBColour{10, 20, 30}));
    EXPECT_EQ(screen.Pixel(17, 58), (TRGBColour{1, 1, 1}));
    EXPECT_EQ(screen.Pixel(7, 59), (TRGBColour{1, 1, 1}));
}

TEST_F(HeadlessScreen, DisplayDamageSendsEachRectangleOnceThenForgetsThem) {
    TPX8ImageData& d = Make(20, 10, 0);
    d.SetTransparency(0, true);
    d.FillRect({2, 2, 4, 4}, 5);
    d.FillRect({10, 5, 12, 6}, 6);
    TPalette pal;
    pal.Set(5, {50, 50, 50});
    pal.Set(6, {60, 60, 60});
    HeadlessDisplay screen(40, 40);
    screen.Fill({9, 9, 9});
    d.InvalidateAll(); // replaces the first rectangle, which it contains; the second stays
    d.DisplayDamage(screen, pal, {5, 5});
    EXPECT_FALSE(d.HasDamage());
    EXPECT_EQ(screen.Shows(), 1);
    EXPECT_EQ(screen.Pixel(7, 7), (TRGBColour{50, 50, 50}));
    EXPECT_EQ(screen.Pixel(15, 10), (TRGBColour{60, 60, 60}));
    EXPECT_EQ(screen.Pixel(5, 5), (TRGBColour{9, 9, 9})); // transparent: the screen shows through
}

TEST_F(HeadlessScreen, ScreenshotWritesTheFrameAsAPng) {
    TPX8ImageData& d = Make(3, 2, 0);
    d.FillRect({1, 0, 3, 1}, 5);
    TPalette pal;
    pal.Set(5, {250, 20, 30});
    HeadlessDisplay screen(3, 2);
    d.InvalidateAll();
    d.DisplayDamage(screen, pal, {0, 0});
    const std::string path = ::testing::TempDir() + "/shot.png";
    screen.Screenshot(path);
    png_image img{};
    img.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&img, path.c_str()));
    img.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(img));
    ASSERT_TRUE(png_image_finish_read(&img, nullptr, rgb.data(), 0, nullptr));
    EXPECT_EQ(img.width, 3u);
    EXPECT_EQ(img.height, 2u);
    EXPECT_EQ(rgb,
              (std::vector<uint8_t>{0, 0, 0, 250, 20, 30, 250, 20, 30, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_THROW(screen.Screenshot(::testing::TempDir() + "/no/such/dir/shot.png"), UvoException);
}

// Rows are converted in blocks of eight with stores wider than a pixel: every width around
// the block edges must convert each pixel and leave the frame right of the row alone.
TEST_F(HeadlessScreen, PresentConvertsEveryWidthExactlyAndKeyedPixelsShowThrough) {
    TPalette pal;
    for (int i = 0; i < 256; ++i)
        pal.Set(i, {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)});
    for (const bool keyed : {false, true}) {
        for (int32_t w = 1; w <= 19; ++w) {
            SCOPED_TRACE(::testing::Message() << "width " << w << (keyed ? " keyed" : ""));
            TPX8ImageData& d = Make(w, 2, 0);
            for (int32_t x = 0; x < w; ++x)
                d.FillRect({x, 0, x + 1, 1}, uint8_t(x % 3 == 1 ? 3 : 20 + x));
            if (keyed) d.SetTransparency(3, true);
            HeadlessDisplay screen(w + 3, 2);
            screen.Fill({1, 2, 3});
            d.Display(screen, pal, {1, 0}, {0, 0, w, 1});
            EXPECT_EQ(screen.Pixel(0, 0), (TRGBColour{1, 2, 3}));
            for (int32_t x = 0; x < w; ++x) {
                const bool through = keyed && x % 3 == 1;
                const TRGBColour want =
                    through ? TRGBColour{1, 2, 3} : pal[x % 3 == 1 ? 3 : 20 + x];
                EXPECT_EQ(screen.Pixel(1 + x, 0), want) << "x " << x;
            }
            EXPECT_EQ(screen.Pixel(w + 1, 0), (TRGBColour{1, 2, 3}));
            EXPECT_EQ(screen.Pixel(w + 2, 0), (TRGBColour{1, 2, 3}));
            EXPECT_EQ(screen.Pixel(1, 1), (TRGBColour{1, 2, 3}));
        }
    }
}

TEST_F(HeadlessScreen, PresentKeepsOnlyTheLatestTransfersAndFollowsPaletteChanges) {
    TPX8ImageData& d = Make(4, 4, 5);
    TPalette pal;
    pal.Set(5, {10, 10, 10});
    HeadlessDisplay screen(8, 8);
    const size_t sent = HeadlessDisplay::kKeptTransfers + 10;
    for (size_t i = 0; i < sent; ++i)
        d.Display(screen, pal, {int32_t(i % 5), 0}, {0, 0, 1, 1});
    ASSERT_EQ(screen.Transfers().size(), HeadlessDisplay::kKeptTransfers);
    EXPECT_EQ(screen.Transfers().back().Dest, (TPoint{int32_t((sent - 1) % 5), 0}));
    EXPECT_EQ(screen.Transfers().front().Dest, (TPoint{int32_t(10 % 5), 0}));
    pal.Set(5, {40, 50, 60}); // the converted palette must not be reused after a change
    d.Display(screen, pal, {6, 6}, {0, 0, 1, 1});
    EXPECT_EQ(screen.Pixel(6, 6), (TRGBColour{40, 50, 60}));
    EXPECT_EQ(screen.Pixel(0, 0), (TRGBColour{10, 10, 10}));
}

// tile1 is 3 x 2: {1, 2, 3} over {4, 5, 6}.
TEST(TileBG, PaintCoversOnlyTheTilesThatMeetTheClipAlignedToTheGrid) {
    test::FixedFont f;
    TTileBG tiles(f.lib, "tile1");
    HeadlessDisplay screen(20, 10);
    screen.Fill({200, 200, 200});
    TRect over;
    tiles.PaintOver = [&](const TRect& r) { over = r; };
    tiles.Paint(screen, {4, 3, 7, 4});
    // The clip meets only the tiles at (3, 2) and (6, 2).
    ASSERT_EQ(screen.Transfers().size(), 2u);
    EXPECT_EQ(screen.Transfers()[0].Dest, (TPoint{3, 2}));
    EXPECT_EQ(screen.Transfers()[1].Dest, (TPoint{6, 2}));
    const auto pal = f.lib.GetHPal();
    EXPECT_EQ(screen.Pixel(4, 3), (*pal)[5]);
    EXPECT_EQ(screen.Pixel(2, 3), (TRGBColour{200, 200, 200}));
    EXPECT_EQ(over, (TRect{4, 3, 7, 4}));
}

} // namespace
} // namespace qr

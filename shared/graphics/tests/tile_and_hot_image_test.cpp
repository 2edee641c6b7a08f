// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "fixtures.h"
#include "graphics/hot_image.h"
#include "graphics/tile_background.h"

namespace qr {
namespace {

// tile1 is 3 x 2: {1, 2, 3} over {4, 5, 6}.
TEST(TileBG, PaintToContinuesTheGridThroughTheOriginAndKeepsTheClip) {
    test::FixedFont f;
    TTileBG tiles(f.lib, "tile1");
    TImageNode* n = f.lib.CreateImage("dest", 20, 6);
    TPX8ImageData* d = f.lib.GetImageData(n);
    d->FillRect(d->GetBounds(), 0);
    d->SetClipRect({0, 0, 19, 6});
    d->Damage.Clear();
    tiles.PaintTo(*d, {0, 0},
                  {3 + 5, 1, 14, 4}); // from W + 5 = 8 the grid gives a first tile at x = 6
    EXPECT_EQ(d->ClipRect, (TRect{0, 0, 19, 6}));
    EXPECT_EQ(d->GetPixel({8, 1}), 6); // column 8 = tile column 2, row 1 = tile row 1
    EXPECT_EQ(d->GetPixel({9, 2}), 1);
    EXPECT_EQ(d->GetPixel({7, 2}), 0); // outside the rectangle
    EXPECT_EQ(d->GetPixel({14, 2}), 0);
    f.lib.ReleaseImageData(n);
}

TEST(TileBG, MissingTileFailsWithTheLibraryMessage) {
    test::FixedFont f;
    try {
        TTileBG tiles(f.lib, "tile9");
        FAIL();
    } catch (const PX8Exception& e) {
        EXPECT_STREQ(e.what(), "Image \"tile9\" does not exist");
    }
}

TEST(HotImage, SharesNodesAndSurfacesAndOverridesTransparency) {
    test::FixedFont f;
    THotImage a("tile1", f.lib);
    THotImage b("TILE1", f.lib);
    EXPECT_EQ(a.Node, b.Node);
    a.OverrideTransparency = 1;
    a.OverrideColour = 5;
    EXPECT_EQ(&a.Surface(), &b.Surface());
    EXPECT_EQ(b.Surface().GetTransparentColour(), 5);
}

TEST(HotImage, PrivateImagesAreNumberedAndCopiesAreExact) {
    test::FixedFont f;
    THotImage::SetDefaultLibrary(&f.lib);
    THotImage tile("tile1");
    const int next = std::stoi(THotImage::NextPrivateName()) + 1;
    auto blank = THotImage::CreateBlank(4, 4);
    EXPECT_EQ(blank->Node->Name, std::to_string(next));

    TPX8ImageData& src = tile.Surface();
    src.SetTransparency(2, true);
    auto copy = THotImage::CreateCopy(src);
    EXPECT_EQ(copy->Node->Name, std::to_string(next + 1));
    EXPECT_EQ(copy->Surface().GetPixel({1, 0}), 2); // the transparent pixel is copied too
    EXPECT_EQ(copy->Surface().GetTransparentColour(), 2);
    EXPECT_EQ(src.GetTransparentColour(), 2); // the source gets its transparency back

    src.SetTransparency(2, false);
    auto cut = THotImage::CreateCut(src, f.lib, {1, 1, 3, 2});
    EXPECT_EQ(cut->Surface().Width, 2);
    EXPECT_EQ(cut->Surface().GetPixel({0, 0}), 5);
    EXPECT_EQ(cut->Surface().GetPixel({1, 0}), 6);
    EXPECT_EQ(cut->Surface().GetTransparentColour(), -1);

    const int before = f.lib.Images().Count();
    copy.reset();
    EXPECT_EQ(f.lib.Images().Count(), before - 1);
    THotImage::SetDefaultLibrary(nullptr);
}

} // namespace
} // namespace qr

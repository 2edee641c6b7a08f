// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/surface_image.h"

#include <gtest/gtest.h>

namespace qr {
namespace {

std::vector<uint8_t> Pixels(TPX8ImageData& s) {
    std::vector<uint8_t> out;
    for (int32_t y = 0; y < s.Height; ++y) {
        const uint8_t* row = s.StartLine(0, y);
        out.insert(out.end(), row, row + s.Width);
    }
    return out;
}

TEST(SurfaceImage, HoldsItsRowsTopFirstAndCopiesExactly) {
    const std::vector<uint8_t> rows = {1, 2, 3, 4, 5, 6}; // 3 x 2
    TSurfaceImage source("src", 3, 2, rows.data());
    TPX8ImageData& s = source.Surface();
    EXPECT_EQ(Pixels(s), rows);
    EXPECT_EQ(s.GetTransparentColour(), -1);
    EXPECT_FALSE(s.HasDamage());

    // A drawing would skip the key colour and mirror; a copy takes every pixel as stored
    // and leaves the source as it was.
    s.SetTransparency(2, true);
    s.FlipHorizontal = 1;
    auto copy = TSurfaceImage::Copy(s, {1, 0, 3, 2});
    EXPECT_EQ(Pixels(copy->Surface()), (std::vector<uint8_t>{2, 3, 5, 6}));
    EXPECT_EQ(copy->Surface().GetTransparentColour(), -1);
    EXPECT_EQ(s.GetTransparentColour(), 2);
    EXPECT_EQ(s.FlipHorizontal, 1);

    TSurfaceImage dest("dst", 4, 3);
    CopyPixels(dest.Surface(), {1, 1}, s, s.GetBounds());
    EXPECT_EQ(Pixels(dest.Surface()), (std::vector<uint8_t>{0, 0, 0, 0, 0, 1, 2, 3, 0, 4, 5, 6}));
    EXPECT_EQ(dest.Surface().Damage.Rects(), (std::vector<TRect>{{1, 1, 4, 3}}));

    // Sizes that cannot be banded are refused as the library refuses them.
    EXPECT_THROW(TSurfaceImage("zero", 0, 5), PX8Exception);
}

} // namespace
} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "quantise.h"

#include <gtest/gtest.h>

namespace qr {
namespace {

TQuantPalette GreyPalette() {
    TQuantPalette p{};
    for (int i = 0; i < 256; ++i)
        p[i] = {uint8_t(i), uint8_t(i), uint8_t(i)};
    p[200] = {255, 0, 255}; // the key colour
    return p;
}

std::vector<uint8_t> Pixels(std::initializer_list<std::array<uint8_t, 4>> px) {
    std::vector<uint8_t> out;
    for (const auto& p : px)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

TEST(Quantise, TransparentPixelsTakeTheKeyAndVisibleOnesNever) {
    TQuantPalette p = GreyPalette();
    // A pure magenta pixel is nearest to the key colour, yet must stay visible.
    auto out = QuantiseToPalette(
        Pixels({{10, 10, 10, 255}, {0, 0, 0, 0}, {255, 0, 255, 255}, {9, 9, 9, 127}}), 4, 1, p,
        {.key = 200});
    EXPECT_EQ(out[0], 10);
    EXPECT_EQ(out[1], 200);
    EXPECT_NE(out[2], 200);
    EXPECT_EQ(out[3], 200);
}

TEST(Quantise, TransparencyWithoutAKeyIsRefused) {
    EXPECT_THROW(QuantiseToPalette(Pixels({{0, 0, 0, 0}}), 1, 1, GreyPalette(), {}),
                 std::invalid_argument);
    EXPECT_THROW(QuantiseToPalette(Pixels({{0, 0, 0, 255}}), 2, 1, GreyPalette(), {}),
                 std::invalid_argument);
}

TEST(Quantise, DitheringKeepsTheAverageOfAColourBetweenEntries) {
    // Only black and white: a mid grey must come out as a mix, not as one of the two.
    TQuantPalette bw{};
    for (int i = 1; i < 256; ++i)
        bw[i] = {255, 255, 255};
    const int w = 16, h = 16;
    std::vector<uint8_t> grey;
    for (int i = 0; i < w * h; ++i)
        grey.insert(grey.end(), {128, 128, 128, 255});
    auto plain = QuantiseToPalette(grey, w, h, bw, {});
    auto dithered = QuantiseToPalette(grey, w, h, bw, {.dither = true});
    int whitePlain = 0, whiteDithered = 0;
    for (int i = 0; i < w * h; ++i) {
        whitePlain += plain[i] != 0;
        whiteDithered += dithered[i] != 0;
    }
    EXPECT_TRUE(whitePlain == 0 || whitePlain == w * h);
    EXPECT_NEAR(whiteDithered, w * h / 2, w * h / 10);
}

} // namespace
} // namespace qr

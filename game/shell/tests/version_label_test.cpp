// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/version_label.h"

#include <gtest/gtest.h>

using namespace qr;

namespace {
std::vector<uint8_t> Pixels(TPX8ImageData& s) {
    std::vector<uint8_t> out;
    for (int32_t y = 0; y < s.Height; ++y) {
        const uint8_t* row = s.StartLine(0, y);
        out.insert(out.end(), row, row + s.Width);
    }
    return out;
}
} // namespace

TEST(VersionLabel, ShowsWhiteTextAndGivesTheSurroundBack) {
    if (TVersionLabel::FontPath().empty()) GTEST_SKIP() << "no system font installed";
    std::vector<uint8_t> checks(632 * 453);
    for (int32_t y = 0; y < 453; ++y)
        for (int32_t x = 0; x < 632; ++x)
            checks[size_t(y) * 632 + size_t(x)] = uint8_t((x / 8 + y / 8) % 2 ? 40 : 41);
    TSurfaceImage image("client", 632, 453, checks.data());
    TPX8ImageData& client = image.Surface();
    const std::vector<uint8_t> before = Pixels(client);
    TVersionLabel label("Quill-Rush 0.1", {24, 420});

    TRect shown = label.SetVisible(client, true);
    ASSERT_FALSE(shown.IsEmpty());
    EXPECT_GE(shown.Left, 24);
    EXPECT_GE(shown.Top, 420);
    // The change reaches the screen as damage.
    EXPECT_EQ(client.Damage.Rects(), std::vector<TRect>{shown});
    int white = 0;
    const std::vector<uint8_t> with = Pixels(client);
    for (int32_t y = 0; y < 453; ++y)
        for (int32_t x = 0; x < 632; ++x) {
            if (with[size_t(y) * 632 + size_t(x)] == 255) {
                ++white;
                EXPECT_TRUE(shown.Contains({x, y})) << x << "," << y;
            }
        }
    EXPECT_GT(white, 20);
    // Showing it again changes nothing.
    EXPECT_TRUE(label.SetVisible(client, true).IsEmpty());

    EXPECT_EQ(label.SetVisible(client, false), shown);
    EXPECT_EQ(Pixels(client), before);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/version_label.h"

#include <gtest/gtest.h>

using namespace qr;

TEST(VersionLabel, ShowsWhiteTextAndGivesTheSurroundBack) {
    if (TVersionLabel::FontPath().empty()) GTEST_SKIP() << "no system font installed";
    TMemoryPicture client(632, 453);
    for (int32_t y = 0; y < 453; ++y)
        for (int32_t x = 0; x < 632; ++x)
            client.At(x, y) = uint8_t((x / 8 + y / 8) % 2 ? 40 : 41);
    const std::vector<uint8_t> before = client.Pixels();
    TVersionLabel label("Quill-Rush 0.1", {24, 420});

    TRect shown = label.SetVisible(client, true);
    ASSERT_FALSE(shown.IsEmpty());
    EXPECT_GE(shown.Left, 24);
    EXPECT_GE(shown.Top, 420);
    int white = 0;
    for (int32_t y = 0; y < 453; ++y)
        for (int32_t x = 0; x < 632; ++x) {
            if (client.At(x, y) == 255) {
                ++white;
                EXPECT_TRUE(shown.Contains({x, y})) << x << "," << y;
            }
        }
    EXPECT_GT(white, 20);
    // Showing it again changes nothing.
    EXPECT_TRUE(label.SetVisible(client, true).IsEmpty());

    EXPECT_EQ(label.SetVisible(client, false), shown);
    EXPECT_EQ(client.Pixels(), before);
}

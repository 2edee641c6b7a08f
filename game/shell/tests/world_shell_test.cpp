// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/world_shell.h"

#include <cstdio>
#include <gtest/gtest.h>

using namespace qr;

TEST(CursorPictures, ComeFromTheLibraryWithTransparencyAndHotSpots) {
    TMemoryLibrary lib;
    auto arrow = std::make_unique<TMemoryPicture>(4, 3, 255);
    arrow->At(0, 0) = 253;
    arrow->At(1, 0) = 0;
    arrow->SetTransparentColour(253);
    lib.Add("cur03", std::move(arrow));
    lib.Add("busy", std::make_unique<TMemoryPicture>(5, 5, 1));
    lib.Add("cur26", std::make_unique<TMemoryPicture>(5, 5, 1));
    const std::string dir = ::testing::TempDir();
    std::FILE* f = std::fopen((dir + "/cursors.txt").c_str(), "w");
    std::fputs("# slot picture x y\n3 cur03 1 2 an arrow\n0 busy 9 9 hourglass\n26 cur26 0 0 no "
               "such slot\n"
               "4 missing 0 0\nbad line\n",
               f);
    std::fclose(f);

    TScreenPalette pal = DefaultScreenPalette();
    auto pictures = LoadCursorPictures(lib, pal, dir + "/");
    ASSERT_EQ(pictures.size(), 2u);
    const TCursorPicture& hourglass = pictures[0];
    const TCursorPicture& c3 = pictures[1];
    EXPECT_EQ(hourglass.number, kCursorHourglass);
    EXPECT_EQ(hourglass.hotX, 4); // kept inside the picture
    EXPECT_EQ(c3.number, 3);
    EXPECT_EQ(c3.width, 4);
    EXPECT_EQ(c3.height, 3);
    EXPECT_EQ(c3.hotX, 1);
    EXPECT_EQ(c3.hotY, 2);
    EXPECT_EQ(c3.argb[0], 0u);          // the picture's transparent colour is see-through
    EXPECT_EQ(c3.argb[1], 0xFF000000u); // black, opaque
    EXPECT_EQ(c3.argb[2], 0xFFFFFFFFu); // white, opaque
    EXPECT_EQ(lib.Outstanding(), 0);
    std::remove((dir + "/cursors.txt").c_str());
}

TEST(ArgbPicture, TheWindowIconKeepsItsTransparencyAndIsCutToSize) {
    TMemoryLibrary lib;
    auto icon = std::make_unique<TMemoryPicture>(3, 70, 253);
    icon->At(1, 0) = 255;
    icon->At(2, 0) = 0;
    icon->SetTransparentColour(253);
    lib.Add("appicon", std::move(icon));
    const TScreenPalette pal = DefaultScreenPalette();
    EXPECT_FALSE(LoadArgbPicture(lib, pal, "noicon", 64));
    std::optional<TArgbPicture> p = LoadArgbPicture(lib, pal, "AppIcon", 64);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->width, 3);
    EXPECT_EQ(p->height, 64);
    ASSERT_EQ(p->argb.size(), 3u * 64u);
    EXPECT_EQ(p->argb[0], 0u);
    EXPECT_EQ(p->argb[1], 0xFFFFFFFFu);
    EXPECT_EQ(p->argb[2], 0xFF000000u);
    EXPECT_EQ(lib.Outstanding(), 0);
}

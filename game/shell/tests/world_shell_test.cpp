#include "game/shell/world_shell.h"

#include <cstdio>
#include <gtest/gtest.h>

using namespace qr;

TEST(CursorPictures, ComeFromTheLibraryWithTransparencyAndHotSpots) {
    TMemoryLibrary lib;
    auto arrow = std::make_unique<TMemoryPicture>(4, 3, 255);
    arrow->At(0, 0) = 0;
    lib.Add("cursor3", std::move(arrow));
    lib.Add("cursor0", std::make_unique<TMemoryPicture>(5, 5, 1));
    lib.Add("cursor26", std::make_unique<TMemoryPicture>(5, 5, 1)); // no such slot
    const std::string dir = ::testing::TempDir();
    std::FILE* f = std::fopen((dir + "/cursors.txt").c_str(), "w");
    std::fputs("3 1 2\n0 9 9\n", f);
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
    EXPECT_EQ(c3.argb[0], 0u);          // colour 0 is see-through
    EXPECT_EQ(c3.argb[1], 0xFFFFFFFFu); // white, opaque
    EXPECT_EQ(lib.Outstanding(), 0);
    std::remove((dir + "/cursors.txt").c_str());
}

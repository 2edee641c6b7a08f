// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <gtest/gtest.h>

#include "foundation/stream.h"
#include "game/shell/cursor_pictures.h"
#include "game/world/world_host.h"
#include "graphics/image_library.h"
#include "graphics/image_writer.h"

using namespace qr;

TEST(CursorPictures, ComeFromTheLibraryWithTransparencyAndHotSpots) {
    TPX8Writer writer;
    writer.SetPaletteRGB(1, 10, 20, 30);
    TPX8WriterImage arrow{"cur03", 4, 3, std::vector<uint8_t>(12, 255), true, 253};
    arrow.Pixels[0] = 253;
    arrow.Pixels[1] = 0;
    writer.Add(arrow);
    writer.Add({"busy", 5, 5, std::vector<uint8_t>(25, 1)});
    writer.Add({"cur26", 5, 5, std::vector<uint8_t>(25, 1)});
    TPX8Library lib;
    lib.OpenStream(std::make_unique<TMemoryStream>(writer.Bytes()));
    const std::string dir = ::testing::TempDir();
    std::FILE* f = std::fopen((dir + "/cursors.txt").c_str(), "w");
    std::fputs("# slot picture x y\n3 cur03 1 2 an arrow\n0 busy 9 9 hourglass\n26 cur26 0 0 no "
               "such slot\n"
               "4 missing 0 0\nbad line\n",
               f);
    std::fclose(f);

    auto pictures = LoadCursorPictures(lib, *lib.GetHPal(), dir + "/");
    ASSERT_EQ(pictures.size(), 2u);
    const TCursorPicture& hourglass = pictures[0];
    const TCursorPicture& c3 = pictures[1];
    EXPECT_EQ(hourglass.number, kCursorHourglass);
    EXPECT_EQ(hourglass.hotX, 4); // kept inside the picture
    EXPECT_EQ(hourglass.argb[0], 0xFF0A141Eu);
    EXPECT_EQ(c3.number, 3);
    EXPECT_EQ(c3.width, 4);
    EXPECT_EQ(c3.height, 3);
    EXPECT_EQ(c3.hotX, 1);
    EXPECT_EQ(c3.hotY, 2);
    EXPECT_EQ(c3.argb[0], 0u);          // the picture's transparent colour is see-through
    EXPECT_EQ(c3.argb[1], 0xFF000000u); // black, opaque
    EXPECT_EQ(c3.argb[2], 0xFFFFFFFFu); // white, opaque
    EXPECT_EQ(lib.Images().Count(), 0);
    std::remove((dir + "/cursors.txt").c_str());
}

TEST(ArgbPicture, TheWindowIconKeepsItsTransparencyAndIsCutToSize) {
    TPX8Writer writer;
    TPX8WriterImage icon{"appicon", 3, 70, std::vector<uint8_t>(3 * 70, 253), true, 253};
    icon.Pixels[1] = 255;
    icon.Pixels[2] = 0;
    writer.Add(icon);
    TPX8Library lib;
    lib.OpenStream(std::make_unique<TMemoryStream>(writer.Bytes()));
    EXPECT_FALSE(LoadArgbPicture(lib, *lib.GetHPal(), "noicon", 64));
    std::optional<TArgbPicture> p = LoadArgbPicture(lib, *lib.GetHPal(), "AppIcon", 64);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->width, 3);
    EXPECT_EQ(p->height, 64);
    ASSERT_EQ(p->argb.size(), 3u * 64u);
    EXPECT_EQ(p->argb[0], 0u);
    EXPECT_EQ(p->argb[1], 0xFFFFFFFFu);
    EXPECT_EQ(p->argb[2], 0xFF000000u);
    EXPECT_EQ(lib.Images().Count(), 0);
}

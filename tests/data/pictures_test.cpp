// SPDX-License-Identifier: GPL-3.0-or-later
// The image libraries as the game opens them: every picture the screens name exists in
// the library they take it from, with the size their drawing code assumes, and all
// libraries share the one game palette.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <map>

#include "data_tree.h"
#include "foundation/obf_text.h"
#include "foundation/text_codec.h"
#include "foundation/utils.h"
#include "graphics/font.h"
#include "graphics/image_library.h"

namespace qr {
namespace {

using namespace datatest;
namespace fs = std::filesystem;

constexpr int kKey = 253;

struct Size {
    int w = 0, h = 0;
    bool transparent = false;
};

// Fonts are transparent in their paper colour 15, every other picture in the key colour.
int KeyOf(const std::string& name) {
    bool font = name.rfind("abce", 0) == 0 || (name.size() > 2 && std::isdigit(uint8_t(name[0])) &&
                                               std::isdigit(uint8_t(name[1])));
    return font ? 15 : kKey;
}

Size SizeOf(TPX8Library& lib, const std::string& name) {
    TImageNode* node = lib.GetImage(name);
    Size s{node->Image->Width, node->Image->Height, node->Image->Transparent != 0};
    if (s.transparent) {
        EXPECT_EQ(node->Image->TransparentColour, KeyOf(name)) << name;
    }
    lib.ReleaseImage(node);
    return s;
}

TEST(Pictures, GameLibraryHoldsEveryNamedPictureAtItsSize) {
    TPX8Library lib;
    lib.Open(TreePath("imglib/game.px8"));
    struct Want {
        std::string name;
        int w, h; // 0: any
    };
    std::vector<Want> exact = {
        {"qrtitle", 600, 400},     {"qrtitle3", 600, 400},  {"home", 600, 400},
        {"start", 600, 400},       {"play", 600, 400},      {"credits", 600, 400},
        {"author", 600, 400},      {"language", 600, 400},  {"initials", 600, 400},
        {"diploma", 600, 400},     {"letmesh", 46, 62},     {"logos", 0, 220},
        {"lives", 6 * 19, 6 * 39}, {"sparkle", 12, 9},      {"qrttlmsk", 9 * 63, 87},
        {"titlegfx", 9 * 63, 0},   {"titlegf2", 9 * 63, 0}, {"titlefly", 0, 0},
        {"chase", 0, 0},           {"pagebtns", 0, 0},      {"uwin_eng", 0, 0},
        {"appicon", 64, 64},       {"dlgbtn", 60, 90},
    };
    for (int p = 1; p <= 6; ++p)
        exact.push_back({"playhlp" + std::to_string(p), 430, 260});
    for (int t = 1; t <= 5; ++t)
        exact.push_back({"tile" + std::to_string(t), 0, 0});
    for (int c = 1; c <= 25; ++c)
        exact.push_back({(c < 10 ? "cur0" : "cur") + std::to_string(c), 32, 32});
    for (const Want& want : exact) {
        ASSERT_TRUE(lib.ImageExists(want.name)) << want.name;
        Size s = SizeOf(lib, want.name);
        if (want.w) {
            EXPECT_EQ(s.w, want.w) << want.name;
        }
        if (want.h) {
            EXPECT_EQ(s.h, want.h) << want.name;
        }
    }
    // Copied from at fixed places: digits and their rolling forms, the score box, speed
    // icons, popup frames and the bonus cards of six kinds in three frames.
    Size com = SizeOf(lib, "comgfx");
    EXPECT_GE(com.w, 191);
    EXPECT_GE(com.h, 199);
    // The logo band at (202, 372) must leave the lives area (from x 317) alone.
    EXPECT_LE(SizeOf(lib, "logos").w, 317 - 202);
    // Help pages at (20, 45) and the diploma picture centred in its 163-pixel slot.
    Size uwin = SizeOf(lib, "uwin_eng");
    EXPECT_LE(uwin.h, 163);
    EXPECT_LE(uwin.w, 600);
    for (const char* code : {"deu", "fra"}) {
        if (lib.ImageExists(std::string("uwin_") + code)) {
            EXPECT_LE(SizeOf(lib, std::string("uwin_") + code).h, 163);
        }
    }
    // Cursors and sprites drawn over pictures must be transparent.
    // The window icon's rounded corners too.
    for (const char* name :
         {"cur01", "letmesh", "comgfx", "lives", "titlefly", "sparkle", "appicon"})
        EXPECT_TRUE(SizeOf(lib, name).transparent) << name;
}

TEST(Pictures, FontsOfEveryNameOpenWithTheirExtraGlyphs) {
    RegisterGameFontMetrics();
    TPX8Library lib;
    lib.Open(TreePath("imglib/game.px8"));
    // Names of the rooms and the play room's cells, title and card, the home room, the
    // editor's measuring font, and the colour variants the text rooms build.
    for (const char* name : {"04ab14by", "04ab14rw", "04ab14uw", "04ab14bw", "04ab14bz", "04ab14gw",
                             "04ab14xx", "05ab48bw", "05ab48rw", "05ab48uw", "05ab48gw"}) {
        std::string special = std::string("abce") + (name + 4);
        ASSERT_TRUE(lib.ImageExists(name)) << name;
        ASSERT_TRUE(lib.ImageExists(special)) << special;
        TPX8Font font(lib, name, special);
        const TFontMetrics* m = FontMetricsSlot(std::stoi(std::string(name, 2)));
        ASSERT_NE(m, nullptr) << name;
        // Six rows of 32 glyphs and the rows of 12 extra glyphs must be in the pictures.
        EXPECT_GE(font.Surface->Height, int32_t(6 * m->RowHeight)) << name;
        ASSERT_NE(font.SpecialSurface, nullptr) << name;
        EXPECT_GE(font.SpecialSurface->Height, int32_t(kFontSpecialRows * m->RowHeight)) << special;
        // The pause and quit panels are filled with the font's corner colour: the paper.
        EXPECT_EQ(font.GetCornerColour(), 15) << name;
        EXPECT_GT(font.TextWidth("Quill-Rush \x81"), 0) << name;
    }
}

// Every byte the play room treats as a letter (its two cases differ) is drawn by every
// font of the game: a glyph with a width, and ink in its cell of the font's pictures. A
// letter without one would be an empty card and white cells to a child.
TEST(Pictures, EveryFontDrawsEveryLetter) {
    RegisterGameFontMetrics();
    TPX8Library lib;
    lib.Open(TreePath("imglib/game.px8"));
    int fonts = 0;
    for (const std::string& name : lib.GetImageNames()) {
        // Fonts are named by their metrics slot, "ab" and their size and colours.
        if (name.size() != 8 || !std::isdigit(uint8_t(name[0])) ||
            !std::isdigit(uint8_t(name[1])) || name.compare(2, 2, "ab") != 0)
            continue;
        ++fonts;
        SCOPED_TRACE(name);
        TPX8Font font(lib, name, "abce" + name.substr(4));
        ASSERT_NE(font.SpecialSurface, nullptr);
        const uint8_t paper = font.Surface->GetPixel({0, 0});
        for (int b = 0; b < 256; ++b) {
            if (!IsLetter(uint8_t(b))) continue;
            const TGlyphRef g = MapFontByte(uint8_t(b));
            ASSERT_NE(g.kind, TGlyphRef::None) << "byte " << b;
            const bool extra = g.kind == TGlyphRef::Special;
            const TGlyphEntry& e =
                extra ? (*font.Specials)[size_t(g.index)] : (*font.Glyphs)[size_t(g.index)];
            EXPECT_GT(e.Width, 0) << "byte " << b;
            TPX8ImageData& picture = extra ? *font.SpecialSurface : *font.Surface;
            const int32_t top =
                (g.index / (extra ? kFontSpecialsPerRow : kFontGlyphsPerRow)) * font.RowHeight;
            int ink = 0;
            for (int32_t y = top; y < top + font.Height; ++y)
                for (int32_t x = e.X; x < e.X + e.Width; ++x)
                    ink += picture.GetPixel({x, y}) != paper;
            EXPECT_GT(ink, 0) << "byte " << b << " has an empty cell";
        }
    }
    EXPECT_GE(fonts, 12);
    EXPECT_TRUE(GameFontsDraw(0x9C) && GameFontsDraw(0x8C) && GameFontsDraw(0x9F));
    EXPECT_FALSE(GameFontsDraw(139) || GameFontsDraw(141) || GameFontsDraw(153) ||
                 GameFontsDraw(13));
}

TEST(Pictures, ScreensAndFrameSetsOfTheWorldScriptExist) {
    TPX8Library lib;
    lib.Open(TreePath("imglib/game.px8"));
    TObfText script(TreePath("dat/init.dat"));
    int frameSets = 0;
    while (!script.EndOfData()) {
        std::string line = Trim(script.ReadLine());
        std::string_view rest = line;
        std::string key = NextWord(rest);
        if (key == "PIC") {
            std::string pic = NextWord(rest);
            EXPECT_TRUE(lib.ImageExists(pic)) << "PIC " << pic;
            if (lib.ImageExists(pic)) {
                Size s = SizeOf(lib, pic);
                EXPECT_TRUE(s.w >= 600 && s.h >= 400) << pic;
            }
        } else if (key == "FS" || key == "FRAMESET") {
            std::string id = NextWord(rest), image = NextWord(rest);
            int height = std::stoi(NextWord(rest)), count = std::stoi(NextWord(rest));
            int x = std::stoi(NextWord(rest)), y = std::stoi(NextWord(rest));
            ASSERT_TRUE(lib.ImageExists(image)) << "frame set " << id << ": " << image;
            Size s = SizeOf(lib, image);
            EXPECT_EQ(s.h, height * count) << "frame set " << id << ": " << image;
            EXPECT_LE(x + s.w, 600) << id;
            EXPECT_LE(y + height, 400) << id;
            ++frameSets;
        }
    }
    EXPECT_GT(frameSets, 10);
}

TEST(Pictures, PlayScenesOfferBackgroundsAndCardsAsTheWorldScansThem) {
    int backgrounds = 0, cardTotal = 0;
    for (const auto& entry : fs::directory_iterator(TreePath("imglib"))) {
        if (entry.path().extension() != ".px8") continue;
        TPX8Library lib;
        lib.Open(entry.path().string());
        for (const std::string& name : lib.GetImageNames()) {
            Size s = SizeOf(lib, name);
            if (name.rfind("bg", 0) == 0) {
                EXPECT_TRUE(s.w == 600 && s.h == 400) << name << " would be skipped by the scan";
                backgrounds += s.w == 600 && s.h == 400;
            }
            if (name.rfind("cards", 0) == 0) {
                EXPECT_EQ(s.w, 136) << name;
                EXPECT_EQ(s.h % 25, 0) << name;
                if (s.w == 136 && s.h >= 25) cardTotal += s.h / 25 * 8;
            }
        }
    }
    EXPECT_GE(backgrounds, 3) << "the world should have a choice of backgrounds";
    EXPECT_GE(cardTotal, 16);
}

TEST(Pictures, SaveAndLoadLibraryHoldsItsRoomPicture) {
    // The room takes the picture that carries its library's name.
    TPX8Library lib;
    lib.Open(TreePath("imglib/ldsv_gfx.px8"));
    ASSERT_TRUE(lib.ImageExists("ldsv_gfx"));
    Size s = SizeOf(lib, "ldsv_gfx");
    EXPECT_EQ(s.w, 600);
    EXPECT_EQ(s.h, 400);
}

TEST(Pictures, AllLibrariesShareTheGamePalette) {
    TPX8Library game;
    game.Open(TreePath("imglib/game.px8"));
    const std::vector<uint8_t> palette = game.RawPalette();
    ASSERT_EQ(palette.size(), 1024u);
    auto rgb = [&](int i) {
        return std::array<int, 3>{palette[i * 4 + 2], palette[i * 4 + 1], palette[i * 4]};
    };
    EXPECT_EQ(rgb(0), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(rgb(255), (std::array<int, 3>{255, 255, 255}));
    // The colours the game's code names must be distinct from each other and from the key.
    std::map<std::array<int, 3>, int> named;
    for (int i : {0, 10, 13, 14, 15, 23, 26, 37, 255, kKey})
        EXPECT_TRUE(named.emplace(rgb(i), i).second) << i;
    for (const auto& entry : fs::directory_iterator(TreePath("imglib"))) {
        if (entry.path().extension() != ".px8") continue;
        TPX8Library lib;
        lib.Open(entry.path().string());
        EXPECT_EQ(lib.RawPalette(), palette) << entry.path();
    }
}

} // namespace
} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "px8tool.h"

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "foundation/stream.h"
#include "png_io.h"

namespace qr {
namespace {

namespace fs = std::filesystem;

class Px8Tool : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::path(::testing::TempDir()) / ("px8tool_" + std::to_string(::getpid()));
        fs::create_directories(dir);
        for (int i = 0; i < 256; ++i)
            palette[size_t(i)] = {uint8_t(i), uint8_t(i / 2), uint8_t(255 - i)};
        WritePalFile(P("game.pal"), palette);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string P(const std::string& name) const { return (dir / name).string(); }
    int Run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return RunPx8Tool(args, out, err);
    }
    void WriteFile(const std::string& name, const std::string& text) {
        std::ofstream(P(name)) << text;
    }

    fs::path dir;
    TRgbPalette palette{};
    std::ostringstream out, err;
};

std::vector<uint8_t> Indices(int w, int h) {
    std::vector<uint8_t> px(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            px[size_t(y) * w + x] = uint8_t(y < h / 2 ? 30 : (x * 5 + y) % 256);
    return px;
}

TEST_F(Px8Tool, PacksEveryStorageListsAndExtractsTheSamePixels) {
    WriteIndexedPng(P("a.png"), 300, 260, Indices(300, 260), palette); // two bands
    WriteIndexedPng(P("b.png"), 17, 9, Indices(17, 9), palette);
    // A truecolour picture drawn with palette colours, transparent at the left column.
    png_image rgba{};
    rgba.version = PNG_IMAGE_VERSION;
    rgba.width = 5;
    rgba.height = 2;
    rgba.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> tc;
    std::vector<uint8_t> want;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x) {
            const int i = 40 + x * 10 + y;
            const auto& c = palette[size_t(i)];
            tc.insert(tc.end(), {c[0], c[1], c[2], uint8_t(x == 0 ? 0 : 255)});
            want.push_back(x == 0 ? 7 : uint8_t(i));
        }
    ASSERT_TRUE(png_image_write_to_file(&rgba, P("c.png").c_str(), 0, tc.data(), 0, nullptr));
    WriteFile("lib.txt", "# test library\n"
                         "palette game.pal\n"
                         "image Alpha a.png raw\n"
                         "image b b.png lines key=30\n"
                         "\n"
                         "image CardC c.png runs key=7\n"
                         "image a2 a.png runs\n");
    ASSERT_EQ(Run({"pack", P("out.px8"), P("lib.txt")}), 0) << err.str();
    ASSERT_EQ(Run({"list", P("out.px8")}), 0) << err.str();
    EXPECT_EQ(out.str(), "Alpha 300 260 2 0 0\nb 17 9 1 1 30\nCardC 5 2 1 1 7\na2 300 260 1 0 0\n");

    ASSERT_EQ(Run({"extract", P("out.px8"), "alpha", P("a.raw")}), 0) << err.str();
    EXPECT_EQ(ReadFileBytes(P("a.raw")), Indices(300, 260));
    ASSERT_EQ(Run({"extract", P("out.px8"), "A2", P("a2.raw")}), 0) << err.str();
    EXPECT_EQ(ReadFileBytes(P("a2.raw")), Indices(300, 260));
    ASSERT_EQ(Run({"extract", P("out.px8"), "cardc", P("c.raw")}), 0) << err.str();
    EXPECT_EQ(ReadFileBytes(P("c.raw")), want);

    ASSERT_EQ(Run({"extract", P("out.px8"), "b", P("b2.png")}), 0) << err.str();
    const TPngImage back = ReadPng(P("b2.png"));
    ASSERT_TRUE(back.Indexed);
    EXPECT_EQ(back.Pixels, Indices(17, 9));
    EXPECT_EQ(back.Palette[77], palette[77]);
}

TEST_F(Px8Tool, PaletteExportAndImportRoundTrip) {
    WriteIndexedPng(P("a.png"), 4, 4, Indices(4, 4), palette);
    WriteFile("lib.txt", "palette game.pal\nimage a a.png\n");
    ASSERT_EQ(Run({"pack", P("out.px8"), P("lib.txt")}), 0) << err.str();
    ASSERT_EQ(Run({"palette", "export", P("out.px8"), P("exported.pal")}), 0) << err.str();
    EXPECT_EQ(ReadPaletteFile(P("exported.pal")), palette);

    TRgbPalette other = palette;
    other[9] = {1, 2, 3};
    WritePalFile(P("other.pal"), other);
    ASSERT_EQ(Run({"palette", "import", P("out.px8"), P("other.pal"), P("new.px8")}), 0)
        << err.str();
    ASSERT_EQ(Run({"palette", "export", P("new.px8"), P("new.png")}), 0) << err.str();
    EXPECT_EQ(ReadPaletteFile(P("new.png"))[9], other[9]);
    // The images are carried over untouched.
    ASSERT_EQ(Run({"extract", P("new.px8"), "a", P("a.raw")}), 0) << err.str();
    EXPECT_EQ(ReadFileBytes(P("a.raw")), Indices(4, 4));
}

TEST_F(Px8Tool, BadManifestsAndFilesAreReportedWithTheirPlace) {
    WriteIndexedPng(P("a.png"), 4, 4, Indices(4, 4), palette);
    struct Case {
        std::string manifest;
        std::string message;
    };
    const Case cases[] = {
        {"palette game.pal\nfoo bar\n", "lib.txt:2: unknown keyword \"foo\""},
        {"palette game.pal\nimage toolongname a.png\n", "1 to 8 characters"},
        {"palette game.pal\nimage a a.png key=300\n", "lib.txt:2: key must be 0-255 or none"},
        {"palette game.pal\nimage a missing.png\n", "missing.png"},
        {"palette game.pal\nimage a a.png sideways\n", "unknown option \"sideways\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.manifest);
        WriteFile("lib.txt", c.manifest);
        EXPECT_EQ(Run({"pack", P("out.px8"), P("lib.txt")}), 1);
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
        EXPECT_FALSE(fs::exists(P("out.px8")));
    }
    WriteFile("junk.px8", "PX not really");
    EXPECT_EQ(Run({"list", P("junk.px8")}), 1);
    EXPECT_NE(err.str().find("junk.px8: not an image library (bad header)"), std::string::npos)
        << err.str();
    EXPECT_EQ(Run({"frobnicate"}), 2);
}

} // namespace
} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
// The animal tool: the text form round trip, its errors, the JSON dump, traces and
// contact sheets.
#include "tools/anmtool/anmtool.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "foundation/stream.h"
#include "game/gameplay/animal.h"
#include "graphics/image_writer.h"
#include "test_support/temp_dir.h"
#include "tools/anmtool/animal_text.h"
#include "tools/px8tool/png_io.h"

namespace qr {
namespace {

// Every feature of the text form once.
const char* const kSource = R"(# a comment
picture backdrop
library animals.px8
restrict-slow-cpu 1

object body width=4 height=4 frames=3
  scene 0
    show x=2 y=3 frame=1 overlay=ovl ox=4 oy=5
    motion dur=6 dx=1 dy=-2 interval=2 step=-1
    loop target=1 count=2        # twice
    wait release
    end
  scene 2
    frame time=7 dur=0 frame=2 use-overlay
    hide oname=x%20y
    kind12 dur=3

object LETTER width=6 height=5 frames=1
  scene 1
    show x=10 y=10
    hold dur=2
    unhold

object my%23eye width=20 height=16 frames=3 background
  scene 0
    show
)";

class AnmTool : public ::testing::Test {
  protected:
    int Run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return RunAnmTool(args, out, err);
    }
    std::string Write(const std::string& name, const std::string& text) {
        return dir.Write(name, text);
    }
    test::TempDir dir;
    std::ostringstream out, err;
};

TEST_F(AnmTool, BuildExportBuildGivesTheSameBytes) {
    const std::string src = Write("a.txt", kSource);
    ASSERT_EQ(Run({"build", src, dir.Path("a.anm")}), 0) << err.str();
    ASSERT_EQ(Run({"export", dir.Path("a.anm"), dir.Path("b.txt")}), 0) << err.str();
    ASSERT_EQ(Run({"build", dir.Path("b.txt"), dir.Path("b.anm")}), 0) << err.str();
    EXPECT_EQ(dir.Read("a.anm"), dir.Read("b.anm"));

    TAnimal a;
    TMemoryStream s(ReadFileBytes(dir.Path("a.anm")));
    a.LoadFromStream(s);
    ASSERT_EQ(a.Objects.size(), 3u);
    EXPECT_EQ(a.RestrictSlowCpu, 1);
    const TSceneEventList& s0 = a.Objects[0]->Scenes[0];
    ASSERT_EQ(s0.size(), 5u);
    EXPECT_EQ(s0[1].Time, 1) << "times follow each other";
    EXPECT_EQ(s0[2].Time, 7);
    EXPECT_EQ(s0[2].LoopCount, 2);
    EXPECT_TRUE(s0[3].WaitRelease);
    EXPECT_TRUE(s0[0].UseOverlay);
    EXPECT_EQ(s0[0].OverlayName, "ovl");
    const TSceneEventList& s2 = a.Objects[0]->Scenes[2];
    EXPECT_EQ(s2[0].Time, 7);
    EXPECT_EQ(s2[0].Duration, 0);
    EXPECT_EQ(s2[1].Time, 8) << "a duration of 0 still takes a tick";
    EXPECT_FALSE(s2[1].UseOverlay);
    EXPECT_EQ(s2[1].OverlayName, "x y");
    EXPECT_EQ(s2[2].Kind, 12);
    EXPECT_TRUE(a.Objects[1]->IsLetter);
    EXPECT_EQ(a.Objects[2]->Name, "my#eye");
    EXPECT_TRUE(a.Objects[2]->Background);
}

TEST_F(AnmTool, SourceErrorsNameTheirLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"picture p\nlibrary l\nobject o\n  scene 0\n    jump x=1\n", "line 5: unknown event"},
        {"picture p\nlibrary l\n  show\n", "line 3: \"show\" is no setting"},
        {"picture p\nlibrary l\nobject o\n  scene 7\n", "line 4: scene: 7 is outside 0..6"},
        {"picture p\nlibrary l\nobject o\n  scene 0\n    move x=40000\n", "line 5: x: 40000"},
        {"picture p\nlibrary l\nobject o\n  scene 0\n    wait\n  scene 0\n", "given twice"},
        {"library l\n", "no \"picture\""},
    };
    for (const auto& [text, message] : cases) {
        const std::string src = Write("bad.txt", text);
        EXPECT_EQ(Run({"build", src, dir.Path("bad.anm")}), 1) << text;
        EXPECT_NE(err.str().find(message), std::string::npos) << err.str();
    }
}

TEST_F(AnmTool, DumpPrintsTheFileAsJsonOrItsFault) {
    // A version-5 file: no width stored, no background byte.
    TMemoryStream s;
    s.WriteU32(kAnimalMagic);
    s.WriteU16(5);
    s.WriteShortString("bg");
    s.WriteShortString("lib.px8");
    s.WriteU16(1);
    s.WriteShortString("Body");
    for (int block = 0; block < 6; ++block) {
        s.WriteU16(block == 1 ? 1 : 0);
        if (block != 1) continue;
        s.WriteU8(sekShow);
        for (int16_t v : {0, 1, 5, 6, 0, 0, 0, 0, 0, 2})
            s.WriteI16(v);
        s.WriteU16(0);
        s.WriteI16(0);
        s.WriteI16(0);
        s.WriteU8(0);
        s.WriteU8(0);
        s.WriteU8(1);
        s.WriteU16(3);
        s.WriteShortString("\xe9t\xe9");
    }
    s.WriteI16(40);
    s.WriteI16(2);
    const std::string file = Write("v5.anm", s.Bytes());
    ASSERT_EQ(Run({"dump", file}), 0) << err.str();
    const auto j = nlohmann::json::parse(out.str());
    EXPECT_EQ(j["version"], 5);
    EXPECT_EQ(j["pictureName"], "bg");
    EXPECT_EQ(j["libraryName"], "lib.px8");
    EXPECT_EQ(j["restrictSlowCpu"], 0);
    const auto& o = j["objects"][0];
    EXPECT_EQ(o["name"], "Body");
    EXPECT_TRUE(o["width"].is_null());
    EXPECT_EQ(o["height"], 40);
    EXPECT_EQ(o["frameCount"], 2);
    EXPECT_EQ(o["background"], false);
    EXPECT_EQ(o["isLetter"], false);
    ASSERT_EQ(o["scenes"].size(), 7u);
    EXPECT_EQ(o["scenes"][1].size(), 1u);
    const auto& e = o["scenes"][1][0];
    EXPECT_EQ(e["kind"], 3);
    EXPECT_EQ(e["duration"], 1);
    EXPECT_EQ(e["x"], 5);
    EXPECT_EQ(e["y"], 6);
    EXPECT_EQ(e["frame"], 2);
    EXPECT_EQ(e["waitRelease"], true);
    EXPECT_EQ(e["loopCount"], 3);
    EXPECT_EQ(e["overlayName"], "\xc3\xa9t\xc3\xa9") << "names are shown in UTF-8";

    const std::string bad = Write("bad.anm", "RIFF....");
    EXPECT_EQ(Run({"dump", bad}), 1);
    EXPECT_EQ(err.str(), "anmtool: " + bad + ": Corrupt animation file\n");
    EXPECT_TRUE(out.str().empty());
}

TEST_F(AnmTool, TraceAndRenderPlayASceneThroughTheGamesAnimal) {
    const std::string src = Write("t.txt", R"(picture backdrop
library animals.px8
object body width=4 height=4 frames=3
  scene 2
    show x=1 y=2
    motion dur=2 dx=3 interval=1 step=1
    wait release
    end
object LETTER width=6 height=5 frames=1
  scene 2
    show x=10 y=20
)");
    std::filesystem::create_directories(dir.Path("dat"));
    ASSERT_EQ(Run({"build", src, dir.Path("dat/t.anm")}), 0) << err.str();

    ASSERT_EQ(Run({"trace", dir.Path("dat/t.anm"), "--scene", "2", "--release-at", "5"}), 0)
        << err.str();
    std::vector<nlohmann::json> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);)
        lines.push_back(nlohmann::json::parse(line));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0]["tick"], 0);
    EXPECT_EQ(lines[0]["objects"][0]["x"], 1);
    EXPECT_EQ(lines[1]["objects"][0]["x"], 4);
    EXPECT_EQ(lines[2]["objects"][0]["x"], 7);
    EXPECT_EQ(lines[2]["objects"][0]["frame"], 2);
    EXPECT_EQ(lines[2]["objects"][1]["name"], "LETTER");
    EXPECT_EQ(lines[4]["released"], false);
    EXPECT_EQ(lines[5]["released"], true);
    EXPECT_EQ(lines.back()["end"], 6);

    ASSERT_EQ(Run({"trace", dir.Path("dat/t.anm"), "--scene", "4"}), 0);
    EXPECT_EQ(nlohmann::json::parse(out.str())["empty"], true);
    EXPECT_EQ(Run({"trace", dir.Path("dat/t.anm"), "--scene", "9"}), 2);

    // The picture library goes where an installation keeps it: imglib/ beside dat/.
    TPX8Writer w;
    std::filesystem::create_directories(dir.Path("imglib"));
    {
        TPX8WriterImage bg;
        bg.Name = "backdrop";
        bg.Width = 113;
        bg.Height = 367;
        bg.Pixels.assign(113 * 367, 1);
        w.Add(bg);
        TPX8WriterImage body;
        body.Name = "body";
        body.Width = 4;
        body.Height = 12;
        body.Pixels.assign(4 * 12, 2);
        w.Add(body);
        w.SetPaletteRGB(1, 10, 20, 30);
        w.SaveToFile(dir.Path("imglib/animals.px8"));
    }
    ASSERT_EQ(Run({"render", dir.Path("dat/t.anm"), "--scene", "2", "--release-at", "5", "--every",
                   "1", dir.Path("sheet.png")}),
              0)
        << err.str();
    const TPngImage png = ReadPng(dir.Path("sheet.png"));
    EXPECT_EQ(png.Width, 7 * (113 + 4) + 4) << "one cell for each of the seven ticks";
    EXPECT_EQ(png.Height, 367 + 9 + 4 + 4);
    ASSERT_TRUE(png.Indexed);
    auto at = [&](int x, int y) { return png.Pixels[size_t(y * png.Width + x)]; };
    const int top = 4 + 9; // first cell, below its tick label
    EXPECT_EQ(at(4 + 50, top + 300), 1) << "backdrop";
    EXPECT_EQ(at(4 + 1, top + 2), 2) << "the body at tick 0";
    EXPECT_EQ(at(4 + 10, top + 22), 10) << "the stand-in card's frame";
    EXPECT_EQ(png.Palette[1], (std::array<uint8_t, 3>{10, 20, 30}));

    EXPECT_EQ(Run({"render", dir.Path("dat/t.anm"), "--scene", "2", "--imglib", dir.Path("none"),
                   dir.Path("x.png")}),
              1);
}

} // namespace
} // namespace qr

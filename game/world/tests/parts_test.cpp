// SPDX-License-Identifier: GPL-3.0-or-later
// Hit boxes in their stream form, frame sets and the save and load room.
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

#include "game/world/disk_ops_room.h"
#include "game/world/qr_exception.h"
#include "world_fixture.h"

using namespace qr;
using namespace qr::test;
namespace fs = std::filesystem;

TEST(HitBoxStream, EveryKindSurvivesARoundTrip) {
    THitBoxList list;
    auto go = std::make_unique<TGoBox>("G", TRect{1, 2, 3, 4});
    go->SetTarget("home");
    list.Append(std::move(go));
    list.Append(std::make_unique<TSayBox>("S", TRect{-5, -6, 7, 8})); // text absent
    auto say = std::make_unique<TSayBox>("S2", TRect{0, 0, 1, 1});
    say->SetText(""); // empty, not absent
    list.Append(std::move(say));
    list.Append(std::make_unique<TReturnBox>("R", TRect{0, 0, 1, 1}));
    auto sc = std::make_unique<TScriptBox>("Q", TRect{0, 0, 1, 1});
    sc->SetScript("MaybeExitGame");
    sc->SetEnabled(false);
    list.Append(std::move(sc));
    auto c = std::make_unique<TControlBox>("C", TRect{0, 0, 9, 9});
    c->SetScript("ctl");
    c->SetCursor(-1);
    list.Append(std::move(c));

    TMemoryStream s;
    list.SaveToStream(s);
    // The say box without text ends in 0, 0; the empty one in 0, 1.
    TMemoryStream one;
    list.FindByID("S")->SaveToStream(one);
    auto b = one.Bytes();
    EXPECT_EQ(b.substr(b.size() - 2), std::string("\0\0", 2));
    TMemoryStream two;
    list.FindByID("S2")->SaveToStream(two);
    b = two.Bytes();
    EXPECT_EQ(b.substr(b.size() - 2), std::string("\0\1", 2));
    EXPECT_EQ(b.size(), 1u + 3u + 2u + 1u + 16u + 1u + 2u);

    s.Seek(0);
    THitBoxList back;
    back.LoadFromStream(s);
    ASSERT_EQ(back.Count(), 6);
    EXPECT_EQ(dynamic_cast<TGoBox*>(back.FindByID("G"))->Target(), "HOME");
    EXPECT_EQ(back.FindByID("S")->Rect(), (TRect{-5, -6, 7, 8}));
    EXPECT_EQ(back.FindByID("S")->Cursor(), 2);
    EXPECT_NE(dynamic_cast<TReturnBox*>(back.FindByID("R")), nullptr);
    auto* q = dynamic_cast<TScriptBox*>(back.FindByID("Q"));
    EXPECT_EQ(q->ScriptNumber(), kGlobalMaybeExitGame);
    EXPECT_TRUE(q->Disabled());
    auto* cb = dynamic_cast<TControlBox*>(back.FindByID("C"));
    ASSERT_NE(cb, nullptr);
    EXPECT_TRUE(cb->RawMouse());
    EXPECT_EQ(cb->Script(), "CTL");
    EXPECT_EQ(cb->Cursor(), -1);
    EXPECT_THROW(back.FindByIDOrFail("nope"), QRException);

    // A truncated stream fails cleanly.
    std::string bytes = s.Bytes();
    TMemoryStream cut(bytes.substr(0, bytes.size() - 3));
    THitBoxList partial;
    EXPECT_THROW(partial.LoadFromStream(cut), UvoException);
}

TEST(FrameSets, FramesAreRowsOfTheStripAndFlipsComeFromTheID) {
    TPX8Library lib;
    TPX8WriterImage strip = Picture("strip", 4, 100);
    for (int32_t y = 0; y < 100; ++y)
        for (int32_t x = 0; x < 4; ++x)
            At(strip, x, y) = uint8_t(y);
    OpenPictures(lib, {strip});
    TSurfaceImage work("work", 50, 50);
    TPX8ImageData& image = work.Surface();
    TFrameSet fs("lamp", &lib, "STRIP", 20, 5, {10, 10});
    fs.SetFrame(image, 3);
    EXPECT_EQ(PixelAt(image, 10, 10), 60);
    EXPECT_EQ(PixelAt(image, 13, 29), 79);
    EXPECT_EQ(PixelAt(image, 10, 30), 0);
    fs.SetFrame(image, 5); // equal to the count: unchanged
    EXPECT_EQ(fs.Frame(), 3);
    fs.SetVisible(false);
    TSurfaceImage other("other", 50, 50);
    fs.Draw(other.Surface());
    EXPECT_FALSE(other.Surface().HasDamage());
    EXPECT_EQ(HeldPictures(lib), 1);
    fs.Release();
    EXPECT_EQ(HeldPictures(lib), 0);

    TFrameSet flipped("L^", &lib, "strip", 20, 5, {0, 0});
    flipped.Draw(image);
    // The frame's own rows, bottom row first.
    EXPECT_EQ(PixelAt(image, 0, 0), 19);
    EXPECT_EQ(PixelAt(image, 0, 19), 0);
    TFrameSet missing("M", &lib, "nothere", 20, 5, {0, 0});
    image.Damage.Clear();
    missing.Draw(image);
    EXPECT_FALSE(image.HasDamage());
    EXPECT_FALSE(missing.PictureLoaded());
    TFrameSetList list;
    EXPECT_THROW(list.FindByIDOrFail("X"), QRException);
}

TEST(FrameSets, TransparentPicturesLeaveTheBackgroundShowing) {
    for (bool keyed : {true, false}) {
        TPX8WriterImage sprite = Picture("sprite", 3, 2, 253); // all "transparent" colour
        At(sprite, 1, 0) = 7;
        At(sprite, 1, 1) = 7;
        sprite.Transparent = keyed;
        sprite.TransparentColour = 253;
        TPX8Library lib;
        OpenPictures(lib, {sprite});
        TSurfaceImage work("work", 10, 10);
        TPX8ImageData& image = work.Surface();
        image.FillRect(image.GetBounds(), 40);
        TFrameSet fs("spr~", &lib, "sprite", 2, 1, {2, 2}); // mirrored
        fs.Draw(image);
        TFrameSet plain("spr", &lib, "sprite", 2, 1, {6, 6});
        plain.Draw(image);
        SCOPED_TRACE(keyed);
        EXPECT_EQ(PixelAt(image, 3, 2), 7);
        EXPECT_EQ(PixelAt(image, 7, 7), 7);
        // An opaque picture copies every pixel, its "transparent" colour included.
        EXPECT_EQ(PixelAt(image, 2, 2), keyed ? 40 : 253);
        EXPECT_EQ(PixelAt(image, 8, 7), keyed ? 40 : 253);
    }
}

namespace {
class DiskOpsTest : public ::testing::Test, public WorldFixture {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("qr_disk_" + std::to_string(getpid()));
        fs::create_directories(dir);
        world.SetSaveFolder(dir.string() + "/");
    }
    void TearDown() override { fs::remove_all(dir); }
    void Write(const std::string& name, const std::string& bytes) {
        FILE* f = fopen((dir / name).c_str(), "wb");
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
    }
    fs::path dir;
};
} // namespace

TEST(DiskOpsHeader, OnlyOurVersionOfTheHeaderPasses) {
    const std::pair<std::string, bool> cases[] = {
        {std::string("QRL\0\0", 5), true},  {std::string("QRL\1\0", 5), false},
        {std::string("QRX\0\0", 5), false}, {std::string("qrl\0\0", 5), false},
        {std::string("QRL\0", 4), false},   {std::string(), false},
    };
    for (const auto& [bytes, valid] : cases) {
        TMemoryStream s(bytes);
        uint8_t level = 9;
        EXPECT_EQ(TDiskOpsRoom::CheckHeader(s, level), valid) << bytes.size();
        EXPECT_EQ(level, 0);
    }
}

TEST_F(DiskOpsTest, SlotButtonsFollowTheValidSaveFiles) {
    TSurfaceImage pic("slot", 12, 8);
    pic.Surface().FillRect(pic.Surface().GetBounds(), 5);
    TDiskOpsRoom::WriteSlotFile((dir / "QR_sg2.dat").string(), pic.Surface());
    Write("QR_sg3.dat", std::string("QRL\1\0", 5) + std::string(4, '\0'));
    Write("QR_sg4.dat", "garbage");
    LoadScript(world,
               "ROOM TITLE\nDISKOPSROOM DISK Save\n"
               "CONTROLBOX 1 0 0 10 10 s\nCONTROLBOX 2 10 0 10 10 s\nCONTROLBOX 3 20 0 10 10 s\n"
               "CONTROLBOX 4 30 0 10 10 s\nCONTROLBOX S 0 20 10 10 s\nCONTROLBOX C 10 20 10 10 s\n"
               "CONTROLBOX X 20 20 10 10 s\nCONTROLBOX M 30 20 10 10 s\n");
    world.GoRoom("TITLE");
    world.GoRoom("DISK");
    auto* disk = dynamic_cast<TDiskOpsRoom*>(world.FindRoom("DISK"));
    ASSERT_NE(disk, nullptr);
    EXPECT_EQ(disk->StateLevel(), 65535);
    EXPECT_TRUE(disk->CameFromTitle());
    const std::pair<const char*, bool> enabled[] = {{"1", false}, {"2", true}, {"3", false},
                                                    {"4", false}, {"S", true}, {"C", false},
                                                    {"X", true},  {"M", true}};
    for (auto [id, on] : enabled)
        EXPECT_EQ(!disk->FindHitBox(id)->Disabled(), on) << id;
    // The saved game's picture is read back and drawn inside its button.
    const TRect two = TDiskOpsRoom::ButtonRect(2);
    EXPECT_EQ(PixelAt(*world.WorkImage(), two.Left + 4, two.Top + 4), 5);
    EXPECT_EQ(PixelAt(*world.WorkImage(), two.Left + 15, two.Top + 11), 5);
    EXPECT_NE(PixelAt(*world.WorkImage(), two.Left + 16, two.Top + 12), 5);

    // Pressing a button highlights it until the release.
    world.MouseDown(1, 0, 25, 25);
    EXPECT_EQ(disk->PressedButton(), 12);
    world.MouseUp(25, 25);
    EXPECT_EQ(disk->PressedButton(), 0);
    EXPECT_EQ(world.CapturedBox(), nullptr);
}

TEST_F(DiskOpsTest, WorldStateFileKeepsItsHeader) {
    std::string state = (dir / "state.dat").string();
    {
        RecordingHost h;
        TPX8Library lib;
        TWorld w(h, lib);
        std::vector<uint8_t> text{'R', 'O', 'O', 'M', ' ', 'A', '\n'};
        auto script = TObfText::FromBytes(TObfText::CompileBytes(text, WorldScriptFilter));
        w.Init(script, EngineRooms(), state);
    } // the world saves its state when it goes
    auto bytes = ReadFileBytes(state);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), std::string("QRL\0\0", 5));
}

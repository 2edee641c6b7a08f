// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/world/world_script.h"

#include <gtest/gtest.h>

#include "foundation/random.h"
#include "game/world/disk_ops_room.h"
#include "game/world/qr_exception.h"
#include "world_fixture.h"

using namespace qr;
using namespace qr::test;

TEST(WorldScriptWords, AbbreviationsBothWaysAndCompileFilter) {
    const std::pair<const char*, const char*> table[] = {
        {"HITBOX", "HBX"},         {"INFORMONENTRY", "IOE"}, {"HITACTION", "HACT"},
        {"HITCURSOR", "HCUR"},     {"FRAMESET", "FS"},       {"ROOMSCRIPTBOX", "RSB"},
        {"XROOMSCRIPTBOX", "XRB"},
    };
    for (auto [word, abbr] : table) {
        EXPECT_EQ(AbbreviateKeyword(word), abbr);
        EXPECT_EQ(ExpandKeyword(abbr), word);
    }
    // Words without an entry, and fragments of entries, stay as they are.
    EXPECT_EQ(AbbreviateKeyword("GOBOX"), "GOBOX");
    EXPECT_EQ(ExpandKeyword("BX"), "BX");
    EXPECT_EQ(ExpandKeyword("hbx"), "hbx");
    EXPECT_EQ(AbbreviateKeyword("hitbox"), "HBX");

    std::string line = "   HITBOX  GO B1 1 2 3 4  ";
    ASSERT_TRUE(WorldScriptFilter(line));
    EXPECT_EQ(line, "HBX GO B1 1 2 3 4");
    line = "TRAP";
    ASSERT_TRUE(WorldScriptFilter(line));
    EXPECT_EQ(line, "TRAP");
    line = "    ";
    EXPECT_FALSE(WorldScriptFilter(line));
}

TEST(WorldScriptWords, NumbersAndRectangles) {
    EXPECT_EQ(StrToInt("-12"), -12);
    EXPECT_EQ(StrToInt("+7"), 7);
    for (const char* bad : {"", "1x", "x", "99999999999", "1.5"})
        EXPECT_THROW(StrToInt(bad), ConvertError) << bad;

    std::string rest = "10 20 30 40 home GO";
    TRect r = ExtractBounds(rest);
    EXPECT_EQ(r, (TRect{10, 20, 40, 60}));
    EXPECT_EQ(rest, "home GO");
    for (const char* bad : {"1 2 3", "1 2 -3 4", "1 2 3 -4", "a 2 3 4"}) {
        std::string s = bad;
        try {
            ExtractBounds(s);
            ADD_FAILURE() << bad;
        } catch (const QRException& e) {
            EXPECT_STREQ(e.what(), "ExtractBounds: invalid rectangle");
        }
    }
}

class WorldScriptTest : public ::testing::Test, public WorldFixture {};

TEST_F(WorldScriptTest, GoBoxLineAndItsAbbreviatedTwin) {
    LoadScript(world, "BEGIN home\nROOM HOME Home sweet home\nGOBOX B1 10 20 30 40 home GO\n"
                      "HBX GO B2 10 20 30 40\nhbx GO B3 10 20 30 40\n");
    EXPECT_EQ(world.StartRoomID(), "HOME");
    TRoom* home = world.FindRoom("home");
    ASSERT_NE(home, nullptr);
    EXPECT_EQ(home->GetTitle(), "Home sweet home");
    auto* b1 = dynamic_cast<TGoBox*>(home->FindHitBox("b1"));
    ASSERT_NE(b1, nullptr);
    EXPECT_EQ(b1->Rect(), (TRect{10, 20, 40, 60}));
    EXPECT_TRUE(b1->HitTest(39, 59));
    EXPECT_FALSE(b1->HitTest(40, 59));
    EXPECT_EQ(b1->Target(), "HOME");
    EXPECT_EQ(b1->Cursor(), 3);
    auto* b2 = dynamic_cast<TGoBox*>(home->FindHitBox("B2"));
    ASSERT_NE(b2, nullptr);
    EXPECT_EQ(b2->Rect(), b1->Rect());
    EXPECT_EQ(b2->Cursor(), 3);
    // Keywords are case-sensitive: the lower-case abbreviation is no keyword at all.
    EXPECT_EQ(home->FindHitBox("B3"), nullptr);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(WorldScriptTest, ScriptErrorsAreReportedAndReadingGoesOn) {
    LoadScript(world, "PIC nowhere\n"
                      "BEGIN A\n"
                      "ROOM A First\n"
                      "XYZROOM Q Lost\n"
                      "SAYBOX S1 0 0 5 5 \"hello there\" TAKE\n"
                      "HITBOX WOBBLE W1 0 0 1 1\n"
                      "HITACTION NOPE X\n"
                      "HITDISABLE NOPE\n"
                      "GOBOX G1 0 0 1 1 B SIDEWAYS\n"
                      "HCUR G1 sideways\n"
                      "UNKNOWNWORD whatever\n"
                      "ROOM B Second\n");
    EXPECT_EQ(host.messages, (std::vector<std::string>{
                                 "Script Error:\n\nUnknown command \"PIC\" in prologue",
                                 "Script Error:\n\nCan't create room \"Q\"",
                                 "Script Error:\n\nInvalid hitbox type \"WOBBLE\" (ID=\"W1\")",
                                 "Script Error:\n\nInvalid hitbox ID \"NOPE\"",
                                 "Script Error:\n\nInvalid hitbox ID \"NOPE\"",
                                 "Script Error:\n\nInvalid cursor keyword \"SIDEWAYS\"",
                                 "Script Error:\n\nInvalid cursor keyword \"SIDEWAYS\"",
                             }));
    TRoom* a = world.FindRoom("A");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(world.FindRoom("Q"), nullptr);
    // The lines after the failed room went to the room before it.
    auto* say = dynamic_cast<TSayBox*>(a->FindHitBox("S1"));
    ASSERT_NE(say, nullptr);
    EXPECT_EQ(say->Text(), "hello there");
    EXPECT_EQ(say->Cursor(), 4);
    EXPECT_EQ(a->FindHitBox("W1"), nullptr);
    // A bad cursor leaves the box with its default cursor.
    ASSERT_NE(a->FindHitBox("G1"), nullptr);
    EXPECT_EQ(a->FindHitBox("G1")->Cursor(), 3);
    EXPECT_NE(world.FindRoom("B"), nullptr);
}

TEST_F(WorldScriptTest, BadRectangleOrNumberEndsReading) {
    EXPECT_THROW(LoadScript(world, "ROOM A\nGOBOX G 1 2 -3 4 B\n"), QRException);
    EXPECT_THROW(LoadScript(world, "ROOM C\nROOMFLAG two\n"), ConvertError);
    EXPECT_THROW(LoadScript(world, "ROOM D\nFS F pic 10 x 0 0\n"), ConvertError);
}

TEST_F(WorldScriptTest, RoomBodyKeywords) {
    LoadScript(
        world,
        "ROOM F1\nROOMFLAG 1\nROOM F2\nROOMFLAG 2\nROOM F3\nROOMFLAG 3\nROOM F4\nROOMFLAG 4\n"
        "ROOM F9\nROOMFLAG 9\n"
        "ROOM Disk Saving\nPIC Back1\nIOE Welcome  back\nHOME 7\nTRAP\nROOMINIT 1 2\n"
        "BACKBOX BK 0 0 10 10\n"
        "SCRIPTBOX Q 0 0 10 10 ExitGame OUT\n"
        "RSB R1 0 0 10 10 doit\n"
        "XRB R2 0 0 10 10 doit2 DYNAMIC1\n"
        "CONTROLBOX C1 0 0 10 10 ctl\n"
        "XCONTROLBOX C2 0 0 10 10 ctl2\n"
        "HITBOX access AC 0 0 10 10\n"
        "HACT AC study\n"
        "HITBOX say SY 0 0 1 1\nHACT SY Some words\n"
        "HITBOX SCRIPT SC 0 0 1 1\nHACT SC maybeexitgame\n"
        "HITBOX RETURN RT 0 0 1 1\n"
        "HITDISABLE rt\n");
    const std::pair<const char*, uint32_t> flags[] = {
        {"F1", 1}, {"F2", 2}, {"F3", 4}, {"F4", 8}, {"F9", 1}};
    for (auto [id, value] : flags)
        EXPECT_EQ(world.FindRoom(id)->Flags(), 0x280u | value) << id;

    TRoom* d = world.FindRoom("DISK");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Kind(), 1);
    EXPECT_EQ(world.FindRoom("F1")->Kind(), 0);
    EXPECT_EQ(d->GetPicName(), "Back1");
    EXPECT_EQ(d->GetEntryNotice(), "Welcome  back");
    EXPECT_EQ(d->HomeByte(), 7);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("RoomInit"), std::string::npos);

    EXPECT_EQ(d->FindHitBox("BK")->Cursor(), 11);
    auto* q = dynamic_cast<TScriptBox*>(d->FindHitBox("Q"));
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->ScriptNumber(), kGlobalExitGame);
    EXPECT_EQ(q->Cursor(), 11);
    EXPECT_EQ(dynamic_cast<TRoomScriptBox*>(d->FindHitBox("R1"))->Script(), "DOIT");
    EXPECT_NE(dynamic_cast<TXRoomScriptBox*>(d->FindHitBox("R2")), nullptr);
    EXPECT_EQ(d->FindHitBox("R2")->Cursor(), 100);
    auto* c1 = dynamic_cast<TControlBox*>(d->FindHitBox("C1"));
    ASSERT_NE(c1, nullptr);
    EXPECT_TRUE(c1->RawMouse());
    EXPECT_EQ(c1->Script(), "CTL");
    EXPECT_NE(dynamic_cast<TXControlBox*>(d->FindHitBox("C2")), nullptr);
    auto* ac = dynamic_cast<TAccessBox*>(d->FindHitBox("AC"));
    ASSERT_NE(ac, nullptr);
    EXPECT_EQ(ac->Target(), "STUDY");
    EXPECT_EQ(dynamic_cast<TSayBox*>(d->FindHitBox("SY"))->Text(), "Some words");
    EXPECT_EQ(dynamic_cast<TScriptBox*>(d->FindHitBox("SC"))->ScriptNumber(), kGlobalMaybeExitGame);
    EXPECT_TRUE(d->FindHitBox("RT")->Disabled());
    // Declared last lies on top.
    EXPECT_EQ(d->HitBoxes().First(), d->FindHitBox("RT"));
}

TEST_F(WorldScriptTest, FrameSetLines) {
    GameRandom().SetSeed(99);
    LoadScript(
        world,
        "ROOM A\nFS LAMP LongPictureName 20 4 30 40 R\nFS B~^ pic 10 3 0 0 2\nFS C pic 10 3 0 0\n");
    TRoom* a = world.FindRoom("A");
    TFrameSet* lamp = a->FrameSets().FindByID("lamp");
    ASSERT_NE(lamp, nullptr);
    EXPECT_EQ(lamp->PictureName(), "longpict");
    EXPECT_EQ(lamp->FrameHeight(), 20);
    EXPECT_EQ(lamp->FrameCount(), 4);
    EXPECT_EQ(lamp->Position(), (TPoint{30, 40}));
    EXPECT_LT(lamp->Frame(), 4);
    EXPECT_EQ(a->FrameSets().FindByID("B~^")->Frame(), 2);
    EXPECT_EQ(a->FrameSets().FindByID("C")->Frame(), 0);

    // Over many seeds the random start covers every frame and no other.
    std::vector<int> seen(4);
    for (uint32_t seed = 0; seed < 200; ++seed) {
        GameRandom().SetSeed(seed);
        WorldFixture f;
        LoadScript(f.world, "ROOM A\nFS LAMP x 20 4 30 40 r\n");
        int frame = f.world.FindRoom("A")->FrameSets().FindByID("LAMP")->Frame();
        ASSERT_LT(frame, 4);
        ++seen[size_t(frame)];
    }
    for (int n : seen)
        EXPECT_GT(n, 0);
}

TEST_F(WorldScriptTest, RoomPrefixesChooseTheClass) {
    // A room class registered under "PLAY" is made by the keyword PLAYROOM.
    struct PlayLike : TQRRoom {
        using TQRRoom::TQRRoom;
    };
    TRoomFactory rooms = EngineRooms();
    rooms.Add("PLAY",
              [](TWorld& w, const std::string& id) { return std::make_unique<PlayLike>(w, id); });
    LoadScript(world, "PLAYROOM Play1 The game\nDISKOPSROOM disk Saving\nROOM PLAIN\nTITLEROOM T\n",
               rooms);
    TRoom* play = world.FindRoom("PLAY1");
    ASSERT_NE(play, nullptr);
    EXPECT_NE(dynamic_cast<PlayLike*>(play), nullptr);
    EXPECT_EQ(play->GetID(), "PLAY1");
    EXPECT_EQ(play->GetTitle(), "The game");
    EXPECT_NE(dynamic_cast<TDiskOpsRoom*>(world.FindRoom("DISK")), nullptr);
    EXPECT_EQ(typeid(*world.FindRoom("PLAIN")), typeid(TRoom));
    // Prefixes of classes that have not landed give the script error.
    EXPECT_EQ(host.messages,
              (std::vector<std::string>{"Script Error:\n\nCan't create room \"T\""}));
}

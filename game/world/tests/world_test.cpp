// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/world/world.h"

#include <gtest/gtest.h>

#include "foundation/polyglot.h"
#include "foundation/text_codec.h"
#include "game/gameplay/high_score_man.h"
#include "game/world/qr_exception.h"
#include "wordlist/word_list.h"
#include "world_fixture.h"

using namespace qr;
using namespace qr::test;

namespace {

// A room that records what reaches it, for routing tests.
class ProbeRoom : public TRoom {
  public:
    using TRoom::TRoom;
    std::vector<std::string> scripts;
    std::vector<std::string> events;
    bool answer = true;
    int dynamicCursor = 0;
    void RunScript(const std::string& name, const std::string& argument) override {
        scripts.push_back(name + "(" + argument + ")");
        if (name == "SHIFT" || name == "DELETE" || name == "ESCAPE" || name == "FOCUS" ||
            name == "DOIT" || argument == "TICK" || argument == "TIMER" || argument == "DELAY" ||
            name == "ANIMATE" || name == "ANIMAL" || argument == "MUSICDELAY")
            return;
        TRoom::RunScript(name, argument);
    }
    bool ControlEvent(TControlBox& box, TControlEventKind event) override {
        events.push_back(box.GetID() + ":" + std::to_string(int(event)) + "@" +
                         std::to_string(box.Point().X) + "," + std::to_string(box.Point().Y));
        return answer;
    }
    int GetDynamicCursor(const std::string& id, int32_t x, int32_t y) override {
        return dynamicCursor + x;
    }
};

// The engine's rooms and the probes of these tests.
TRoomFactory ProbeRooms() {
    TRoomFactory rooms = EngineRooms();
    rooms.Add("PROBE",
              [](TWorld& w, const std::string& id) { return std::make_unique<ProbeRoom>(w, id); });
    rooms.Add("QRTEST",
              [](TWorld& w, const std::string& id) { return std::make_unique<TQRRoom>(w, id); });
    return rooms;
}

class WorldTest : public ::testing::Test, public WorldFixture {
  protected:
    void Load(const std::string& text) { LoadScript(world, text, ProbeRooms()); }
    ProbeRoom* Probe(const char* id) { return dynamic_cast<ProbeRoom*>(world.FindRoom(id)); }
    std::string Current() { return world.CurrentRoom() ? world.CurrentRoom()->GetID() : "-"; }
    std::vector<std::string> StackIds() {
        std::vector<std::string> ids;
        for (auto* n : world.RoomStack().Nodes<TRoomStackNode>())
            ids.push_back(n->Room()->GetID());
        return ids;
    }
    void Click(int x, int y) {
        world.MouseDown(1, 0, x, y);
        world.MouseUp(x, y);
    }
    // A string table in English whose standard languages are, by their numbers, English 0,
    // French 1, German 2, Spanish 3.
    void LoadStandardLanguages() {
        std::string strings;
        for (int i = 0; i < 30; ++i)
            strings += (i == 0 ? "English" : "s") + std::string("\n");
        for (const char* l : {"English", "French", "German", "Spanish"})
            strings += std::string(l) + "\n";
        Polyglot().LoadFromBytes(strings);
    }
};

} // namespace

TEST_F(WorldTest, RoomStackKeepsTenAndReturnUndoesAVisit) {
    std::string script;
    for (int i = 0; i < 13; ++i)
        script += "ROOM R" + std::to_string(i) + "\n";
    Load(script);
    for (int i = 0; i < 13; ++i)
        world.GoRoom("R" + std::to_string(i));
    // Twelve rooms were left; the two oldest are gone.
    EXPECT_EQ(StackIds(), (std::vector<std::string>{"R2", "R3", "R4", "R5", "R6", "R7", "R8", "R9",
                                                    "R10", "R11"}));

    WorldFixture f;
    LoadScript(f.world, "ROOM A\nROOM B\nROOM C\n");
    f.world.GoRoom("C");
    f.world.GoRoom("A");
    auto before = f.world.RoomStack().Count();
    f.world.GoRoom("B");
    f.world.Return();
    EXPECT_EQ(f.world.CurrentRoom()->GetID(), "A");
    EXPECT_EQ(f.world.RoomStack().Count(), before);
    f.world.Return();
    EXPECT_EQ(f.world.CurrentRoom()->GetID(), "C");
    EXPECT_EQ(f.world.RoomStack().Count(), 0);
    f.world.Return(); // nothing to return to
    EXPECT_EQ(f.world.CurrentRoom()->GetID(), "C");
}

TEST_F(WorldTest, UnknownRoomShowsTheStagedMessagesAndKeepsInputAlive) {
    Load("ROOM A\n");
    world.GoRoom("A");
    world.GoRoom("NOWHERE");
    EXPECT_EQ(host.messages, (std::vector<std::string>{"GoRoom: exception A1 caught"}));
    EXPECT_EQ(host.questions, (std::vector<std::string>{"NIL pointer detected\n\nQuit game?"}));
    EXPECT_EQ(Current(), "A");
    EXPECT_FALSE(world.HasFlag(TWorld::kQuit));
    EXPECT_FALSE(world.HasFlag(TWorld::kBusy));

    host.yesNoAnswers = {true};
    world.GoRoom("NOWHERE");
    EXPECT_TRUE(world.HasFlag(TWorld::kQuit));
}

TEST_F(WorldTest, StartWithIntroGoesToMgtextWithDarkToReturnTo) {
    Load("BEGIN intro\nROOM INTRO\nROOM MGTEXT\nROOM DARK\n");
    world.Start();
    EXPECT_EQ(Current(), "MGTEXT");
    EXPECT_EQ(StackIds(), (std::vector<std::string>{"DARK"}));
}

TEST_F(WorldTest, CaptionFollowsTitleAndWordList) {
    Load("ROOM A\nROOM B The Game\n");
    world.GoRoom("A");
    EXPECT_EQ(world.Caption(), "Quill-Rush");
    world.GoRoom("B");
    EXPECT_EQ(world.Caption(), "The Game");
    world.SetWordListPath("/home/kid/lists/animals.qrw");
    EXPECT_EQ(world.Caption(), "The Game: animals.qrw");
    EXPECT_EQ(host.captions,
              (std::vector<std::string>{"Quill-Rush", "The Game", "The Game: animals.qrw"}));
}

TEST_F(WorldTest, KeyChangesRunScriptsOncePerChange) {
    Load("PROBEROOM P\nROOMFLAG 1\n");
    world.GoRoom("P");
    ProbeRoom* p = Probe("P");
    p->SetFlag(TRoom::kFlagShift | TRoom::kFlagDelete | TRoom::kFlagEscape);
    host.keys[kVkShift] = true;
    for (int i = 0; i < 5; ++i)
        world.Tick(1);
    host.keys[kVkControl] = true;
    world.Tick(1);
    host.keys[kVkShift] = host.keys[kVkControl] = false;
    world.Tick(1);
    host.keys[kVkDelete] = true;
    world.Tick(1);
    host.keys[kVkDelete] = false; // going up runs nothing
    world.Tick(1);
    host.keys[kVkEscape] = true;
    world.Tick(1);
    EXPECT_EQ(p->scripts, (std::vector<std::string>{"SHIFT(Sc)", "SHIFT(SC)", "SHIFT(sc)",
                                                    "DELETE(sc)", "ESCAPE()"}));

    // A room without the flags hears nothing.
    p->scripts.clear();
    p->ClearFlag(TRoom::kFlagShift | TRoom::kFlagDelete | TRoom::kFlagEscape);
    host.keys[kVkShift] = true;
    host.keys[kVkEscape] = false;
    world.Tick(1);
    EXPECT_TRUE(p->scripts.empty());
}

TEST_F(WorldTest, LargeFrameSwitchesTheWorkImageAndScreenOffset) {
    Load("ROOM N\nROOM L\n");
    world.FindRoom("L")->SetFlag(TRoom::kFlagLargeFrame);
    world.GoRoom("N");
    EXPECT_EQ(world.WorkImage()->Width, 600);
    world.Tick(1);
    ASSERT_FALSE(host.presented.empty());
    EXPECT_EQ(host.presented.back().offset, (TPoint{1, 1}));
    EXPECT_TRUE(host.presented.back().frame);
    world.GoRoom("L");
    EXPECT_EQ(world.WorkImage()->Width, 602);
    EXPECT_EQ(world.WorkImage()->Height, 402);
    EXPECT_TRUE(world.HasFlag(TWorld::kLargeFrame));
    world.Tick(1);
    EXPECT_EQ(host.presented.back().offset, (TPoint{0, 0}));
    EXPECT_FALSE(host.presented.back().frame);
    world.GoRoom("N");
    EXPECT_EQ(world.WorkImage()->Width, 600);
    EXPECT_FALSE(world.HasFlag(TWorld::kLargeFrame));
    // Nothing changed since: nothing is sent.
    world.Tick(1);
    auto n = host.presented.size();
    world.Tick(1);
    EXPECT_EQ(host.presented.size(), n);
}

TEST_F(WorldTest, ClicksGoToTheTopmostEnabledBox) {
    LoadScript(
        world,
        "ROOM A\nROOM B\nROOM C\nROOM D\n"
        "ROOM HOME\nGOBOX GA 0 0 100 100 A\nGOBOX GB 0 0 100 100 B\nGOBOX GC 50 50 100 100 C\n"
        "HITDISABLE GC\nBACKBOX BK 300 300 10 10\n");
    world.GoRoom("D");
    world.GoRoom("HOME");
    Click(10, 10);
    EXPECT_EQ(Current(), "B");
    world.GoRoom("HOME");
    // The disabled box on top lets the click through to the one below.
    Click(60, 60);
    EXPECT_EQ(Current(), "B");
    world.GoRoom("HOME");
    Click(305, 305);
    EXPECT_EQ(Current(), "B"); // back box returns to where HOME was entered from
    world.GoRoom("HOME");
    Click(500, 500); // no box: nothing
    EXPECT_EQ(Current(), "HOME");
}

TEST_F(WorldTest, CursorsComeFromTheBoxUnderTheMouse) {
    Load("PROBEROOM P\nGOBOX G 0 0 10 10 P\nGOBOX D2 20 0 10 10 P DYNAMIC2\n"
         "GOBOX D1 40 0 10 10 P DYNAMIC1\nGOBOX OFF 60 0 10 10 P TAKE\nHITDISABLE OFF\n");
    host.mouse = {5, 5};
    world.GoRoom("P");
    EXPECT_EQ(world.PaintBoxCursor(), 3);
    world.SetDefaultCursor(7);
    const std::pair<TPoint, int> cases[] = {
        {{5, 5}, 3}, {{25, 5}, 7}, {{43, 5}, 3}, {{65, 5}, 7}, {{200, 200}, 7},
    };
    for (auto [p, cursor] : cases) {
        world.MouseMove(p.X, p.Y);
        EXPECT_EQ(world.PaintBoxCursor(), cursor) << p.X;
    }
    // While busy the hourglass shows and the mouse is ignored.
    world.SetBusy(true);
    EXPECT_EQ(host.cursors.back(), kCursorHourglass);
    world.MouseMove(5, 5);
    EXPECT_EQ(host.cursors.back(), kCursorHourglass);
    world.SetBusy(false);
    EXPECT_EQ(host.cursors.back(), 7);
}

TEST_F(WorldTest, ScriptBoxesQuitOrAsk) {
    Polyglot().LoadFromBytes(std::string(74, '\n') + "Spiel beenden?\n");
    Load("ROOM A\nSCRIPTBOX Q 0 0 10 10 exitGAME\nSCRIPTBOX M 20 0 10 10 MAYBEEXITGAME\n"
         "SCRIPTBOX O 40 0 10 10 leave\n");
    world.GoRoom("A");
    Click(45, 5);
    EXPECT_FALSE(world.HasFlag(TWorld::kQuit));
    Click(25, 5);
    // The question of the working language, as the close button asks it.
    EXPECT_EQ(host.confirms, (std::vector<std::string>{"Quill-Rush | Spiel beenden? | 3"}));
    EXPECT_FALSE(world.HasFlag(TWorld::kQuit));
    host.confirmAnswers = {6};
    Click(25, 5);
    EXPECT_TRUE(world.HasFlag(TWorld::kQuit));
    world.ClearFlag(TWorld::kQuit);
    Click(5, 5);
    EXPECT_TRUE(world.HasFlag(TWorld::kQuit));
    EXPECT_EQ(host.confirms.size(), 2u);
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(WorldTest, SayBoxPlaysTheExamineSoundWhenQuiet) {
    Load("ROOM A\nSAYBOX S 0 0 10 10 \"Hi\"\n");
    world.GoRoom("A");
    Click(1, 1);
    host.wavePlaying = true;
    Click(1, 1);
    EXPECT_EQ(host.played, (std::vector<int>{11}));
}

TEST_F(WorldTest, ControlBoxesCaptureTheMouseOnlyWhenTheRoomSaysSo) {
    Load("PROBEROOM P\nCONTROLBOX C 100 100 50 50 ctl\nGOBOX H 300 300 10 10 P\n");
    world.GoRoom("P");
    ProbeRoom* p = Probe("P");
    p->answer = false;
    world.MouseDown(1, 0, 110, 120);
    world.MouseMove(130, 130);
    world.MouseUp(130, 130);
    world.Tick(1);
    EXPECT_EQ(p->events, (std::vector<std::string>{"C:0@10,20"}));
    EXPECT_EQ(world.CapturedBox(), nullptr);

    p->events.clear();
    p->answer = true;
    world.MouseDown(1, 0, 110, 120);
    EXPECT_EQ(world.CapturedBox(), world.FindRoom("P")->FindHitBox("C"));
    host.mouse = {90, 95};
    world.MouseMove(90, 95); // drags go on outside the box
    world.Tick(1);           // the press asked for a cursor refresh: one more drag, then the hold
    p->answer = false;
    world.MouseUp(90, 95);
    world.MouseMove(120, 120);
    EXPECT_EQ(p->events, (std::vector<std::string>{"C:0@10,20", "C:1@-10,-5", "C:1@-10,-5",
                                                   "C:3@-10,-5", "C:2@-10,-5"}));
    EXPECT_EQ(world.CapturedBox(), nullptr);

    // Hover boxes are told when the mouse comes onto them.
    p->events.clear();
    p->answer = true;
    world.FindRoom("P")->FindHitBox("C")->SetHover(true);
    world.MouseMove(101, 101);
    EXPECT_EQ(p->events, (std::vector<std::string>{"C:4@1,1"}));
}

TEST_F(WorldTest, RoomScriptBoxesRunTheirScriptAndUnknownScriptsAreReported) {
    Load("PROBEROOM P\nRSB R 0 0 10 10 doit\nROOM A\nRSB R 0 0 10 10 whatever\n");
    world.GoRoom("P");
    Click(1, 1);
    EXPECT_EQ(Probe("P")->scripts, (std::vector<std::string>{"DOIT(R)"}));
    world.GoRoom("A");
    try {
        Click(1, 1);
        ADD_FAILURE();
    } catch (const QRException& e) {
        EXPECT_STREQ(
            e.what(),
            "Caught an attempt to run an unknown script called \"WHATEVER\" (sender = \"R\")");
    }
}

TEST_F(WorldTest, CloseRequestGoesThroughTheRoom) {
    Polyglot().LoadFromBytes(std::string(74, '\n') + "Do you want to stop playing?\n");
    Load("QRTESTROOM Q\nCONTROLBOX MUSICBTN 0 0 10 10 MUSICBTN\nFS MUSIC m 10 2 0 0\nROOM PLAIN\n");
    world.GoRoom("Q");
    world.SetFlag(TWorld::kCloseRequest);
    world.Tick(1);
    EXPECT_EQ(host.confirms,
              (std::vector<std::string>{"Quill-Rush | Do you want to stop playing? | 3"}));
    EXPECT_FALSE(world.HasFlag(TWorld::kQuit));
    host.confirmAnswers = {6};
    world.SetFlag(TWorld::kCloseRequest);
    world.Tick(1);
    EXPECT_TRUE(world.HasFlag(TWorld::kQuit));

    // A room that does not handle the request keeps running (the failure is reported).
    world.ClearFlag(TWorld::kQuit);
    world.GoRoom("PLAIN");
    world.SetFlag(TWorld::kCloseRequest);
    EXPECT_THROW(world.Tick(1), QRException);
    EXPECT_FALSE(world.HasFlag(TWorld::kQuit));
    // The guard is released after the failed tick.
    auto clock = world.Clock();
    world.Tick(1);
    EXPECT_EQ(world.Clock(), clock + 1);
}

TEST_F(WorldTest, MusicButtonAndTrackTimers) {
    Load("QRTESTROOM Q\nCONTROLBOX MUSICBTN 0 0 10 10 MUSICBTN\nFS MUSIC m 10 2 0 0\n"
         "QRTESTROOM BAD\n");
    auto* q = dynamic_cast<TQRRoom*>(world.FindRoom("Q"));
    q->SetMusicTrack(3);
    host.midi = false;
    world.GoRoom("Q");
    EXPECT_TRUE(q->FindHitBox("MUSICBTN")->Disabled());
    EXPECT_EQ(q->FrameSets().FindByID("MUSIC")->Frame(), 1);
    EXPECT_EQ(q->TimeLeft(kTimerMusicDelay), 20);
    for (int i = 0; i < 21; ++i)
        world.Tick(1);
    EXPECT_EQ(host.music, (std::vector<int>{3}));
    q->RunScript("MUSICBTN", "MUSICBTN");
    EXPECT_FALSE(host.musicOn);
    EXPECT_EQ(q->FrameSets().FindByID("MUSIC")->Frame(), 0);
    q->RunScript("MUSICBTN", "MUSICBTN");
    EXPECT_TRUE(host.musicOn);
    EXPECT_EQ(host.music, (std::vector<int>{3, 3}));
    q->RunScript("ENDMUSIC", "2");
    EXPECT_EQ(q->TimeLeft(kTimerMusicDelay), 40);
    q->RunScript("ENDMUSIC", "-1");
    // ENDMUSIC adds a timer; the first pending one of the kind is reported.
    q->RemoveTimer(kTimerMusicDelay);
    EXPECT_EQ(q->TimeLeft(kTimerMusicDelay), 10);

    // A music room without its button cannot be entered; the player is asked.
    world.GoRoom("BAD");
    EXPECT_EQ(host.questions, (std::vector<std::string>{"NIL pointer detected\n\nQuit game?"}));
}

TEST_F(WorldTest, FocusRunsTheScriptAndRedrawsWhenIdle) {
    Load("PROBEROOM P\n");
    world.GoRoom("P");
    world.Tick(1);
    world.SetFocus(true);
    world.SetFocus(true);
    world.SetFocus(false);
    world.SetFocus(true);
    EXPECT_EQ(Probe("P")->scripts, (std::vector<std::string>{"FOCUS(T)", "FOCUS(F)", "FOCUS(T)"}));
    host.presented.clear();
    world.Tick(1); // not idle yet: nothing to redraw
    EXPECT_TRUE(host.presented.empty());
    world.SetFlag(TWorld::kIdle);
    world.Tick(1);
    ASSERT_EQ(host.presented.size(), 1u);
    EXPECT_EQ(host.presented[0].rects, (std::vector<TRect>{{0, 0, 600, 400}}));
}

TEST_F(WorldTest, WordListLanguagesFollowTheListAndTheCaptionItsName) {
    LoadStandardLanguages();
    const std::string dir = ::testing::TempDir();
    TQRWordList list;
    list.SetListType(TListType::Vocabulary);
    list.SetPrimaryLanguage("French");
    list.AddLanguage("Spanish");
    list.AddClueWord("", "chat", 1);
    const std::string path = dir + "/beasts.qrw";
    ASSERT_TRUE(list.SaveToFile(path));

    Load("ROOM A Menu\n");
    world.GoRoom("A");
    world.SetLanguages({"German", 2}, {"German", 2});
    ASSERT_TRUE(world.LoadWordList(path));
    EXPECT_EQ(world.ClueLanguage().name, "French");
    EXPECT_EQ(world.AnswerLanguage().name, "Spanish");
    EXPECT_EQ(world.Caption(), "Menu: beasts.qrw");

    // Languages the list offers stay as they are.
    world.SetLanguages({"Spanish", 3}, {"French", 1});
    ASSERT_TRUE(world.LoadWordList(path));
    EXPECT_EQ(world.ClueLanguage(), (TWorldLanguage{"Spanish", 3}));
    EXPECT_EQ(world.AnswerLanguage(), (TWorldLanguage{"French", 1}));

    // A file that is no word list: reported, nothing loaded, the caption loses the name.
    FILE* f = fopen((dir + "/junk.qrw").c_str(), "wb");
    fputs("not a list", f);
    fclose(f);
    EXPECT_FALSE(world.LoadWordList(dir + "/junk.qrw"));
    EXPECT_EQ(world.WordList(), nullptr);
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(world.Caption(), "Menu");
    EXPECT_FALSE(world.HasFlag(TWorld::kBusy));
}

TEST_F(WorldTest, AControlBoxThatSwitchesRoomsDoesNotKeepTheMouse) {
    // The room answers true to the press but leaves on it: the old box must not stay captured.
    class Leaving : public ProbeRoom {
      public:
        using ProbeRoom::ProbeRoom;
        bool ControlEvent(TControlBox& box, TControlEventKind event) override {
            ProbeRoom::ControlEvent(box, event);
            World().GoRoom("B");
            return true;
        }
    };
    Load("ROOM B\n");
    TRoom* a = world.AddRoom(std::make_unique<Leaving>(world, "A"));
    a->HitBoxes().InsertFirst(std::make_unique<TControlBox>("C", TRect{0, 0, 10, 10}));
    world.GoRoom("A");
    world.MouseDown(1, 0, 5, 5);
    EXPECT_EQ(Current(), "B");
    EXPECT_EQ(world.CapturedBox(), nullptr);
    world.MouseMove(6, 6);
    world.MouseUp(6, 6);
    EXPECT_EQ(dynamic_cast<ProbeRoom*>(a)->events.size(), 1u);
}

TEST(WorldSettings, InitialsAndSpeedsKeepTheirRanges) {
    RecordingHost host;
    TPX8Library lib;
    TWorld world(host, lib);
    const std::pair<const char*, const char*> initials[] = {
        {"", "---"}, {"ABCDE", "ABC"}, {"Jo", "Jo"}};
    for (auto [in, out] : initials) {
        world.SetInitials(in);
        EXPECT_EQ(world.Initials(), out);
    }
    world.SetSpeedValue(1, 5);
    world.SetSpeedValue(3, 5000);
    EXPECT_EQ(world.SpeedValue(1), 20);
    EXPECT_EQ(world.SpeedValue(3), 900);
    world.SetSpeedSetting(7);
    EXPECT_EQ(world.SpeedSetting(), 3);
    world.SetSpeedSetting(0);
    EXPECT_EQ(world.SpeedSetting(), 1);
}

TEST_F(WorldTest, RoomStackStreamsByIDAndPaintResendsTheFrame) {
    Load("ROOM A\nROOM B\nROOM C\n");
    world.GoRoom("A");
    world.GoRoom("B");
    world.GoRoom("C");
    TMemoryStream s;
    world.RoomStack().SaveToStream(s);
    // Count, then per entry the tag 12 and the room's ID.
    EXPECT_EQ(s.Bytes(), std::string("\x02\x00\x0c\x01"
                                     "A\x0c\x01"
                                     "B",
                                     8));
    std::string bytes = s.Bytes();
    bytes.replace(bytes.size() - 1, 1, "Z"); // a room that is not there
    TMemoryStream back(bytes);
    world.RoomStack().LoadFromStream(back);
    EXPECT_EQ(world.RoomStack().Count(), 2);
    // The entry whose room is gone is passed over.
    world.Return();
    EXPECT_EQ(Current(), "A");

    host.presented.clear();
    world.Paint({0, 0, 602, 402});
    ASSERT_EQ(host.presented.size(), 1u);
    EXPECT_EQ(host.presented[0].rects, (std::vector<TRect>{{0, 0, 600, 400}}));
    EXPECT_EQ(host.presented[0].offset, (TPoint{1, 1}));
}

namespace qr {
namespace {

TEST_F(WorldTest, TheHighScoreTableFollowsListLanguagesIconsAndSpeed) {
    LoadStandardLanguages();
    const std::string file = ::testing::TempDir() + "/world_hiscores.dat";
    std::remove(file.c_str());
    TQRWordList list;
    list.SetListType(TListType::Vocabulary);
    list.SetTitle("Beasts");
    list.SetHandle("uvo");
    list.SetPrimaryLanguage("French");
    list.AddLanguage("Spanish");
    list.AddClueWord("", "chat", 1);
    list.SetUsesIconClues(true);
    const std::string path = ::testing::TempDir() + "/world_beasts.qrw";
    ASSERT_TRUE(list.SaveToFile(path));
    {
        TWorld w(host, library);
        w.SetHighScores(std::make_unique<THighScoreMan>(file));
        const THighScoreMan& scores = *w.HighScores();
        auto key = [&] { return scores.Lines()[size_t(scores.Current())].substr(90); };
        EXPECT_EQ(key(), "#=&+^:///*@///!?2") << "no list yet";
        w.SetUseIcons(false);
        ASSERT_TRUE(w.LoadWordList(path));
        EXPECT_EQ(key(), "#=BEASTS&+UVO^:1*@3!?2") << "French clues, Spanish answers";
        w.HighScores()->AddScore("ABC", 40);
        w.SetSpeedSetting(3);
        EXPECT_EQ(key().back(), '3');
        EXPECT_EQ(scores.GetScore(1), 0);
        w.SetUseIcons(true);
        EXPECT_NE(key().find("^:ICONS*@"), std::string::npos) << key();
        w.SetUseIcons(false);
        w.SetSpeedSetting(2);
        EXPECT_EQ(scores.GetScore(1), 40) << "back to the first table";
        w.SetLanguages({"Spanish", 255}, {"French", 255});
        EXPECT_EQ(key(), "#=BEASTS&+UVO^:Spanish*@French!?2");
    } // the world saves the tables when it goes
    {
        THighScoreMan saved(file);
        ASSERT_EQ(saved.Lines().size(), 5u);
        EXPECT_EQ(saved.Lines()[1].substr(0, 9), "ABC000040");
    }
    // The tables, their backup and the list stay nowhere after the test.
    for (const char* name : {"/world_hiscores.dat", "/world_hiscores.bak", "/world_beasts.qrw"})
        std::remove((::testing::TempDir() + name).c_str());
}

} // namespace
} // namespace qr

namespace qr {
namespace {

// String tables in English and in German whose standard languages are, by their numbers,
// English 0, French 1, German 2; with the messages about lists that cannot be played.
void LoadStrings(bool german) {
    std::vector<std::string> lines(150, "s");
    lines[0] = german ? "Deutsch" : "English";
    lines[30] = german ? "Englisch" : "English";
    lines[31] = german ? "Französisch" : "French";
    lines[32] = german ? "Deutsch" : "German";
    lines[75] = lines[76] = lines[77] = german ? "Quiz-Zeit" : "Quiz time";
    lines[144] = german ? "Die Wortliste \"%s\" kann nicht gespielt werden." : "List %s: no.";
    lines[145] = german ? "Beschädigt." : "Damaged.";
    lines[146] = german ? "Leer oder zu kurz." : "Short.";
    lines[147] = german ? "Keine Wortliste." : "Not a list.";
    lines[148] = german ? "Zu neu." : "Too new.";
    lines[149] = german ? "Lässt sich nicht öffnen." : "Cannot open.";
    std::string bytes;
    for (const std::string& l : lines)
        bytes += FromUtf8(l) + "\n";
    Polyglot().LoadFromBytes(bytes);
}

TEST_F(WorldTest, AListShowsItsOwnTextsInTheWorkingLanguageWhenItHasThem) {
    LoadStrings(false);
    TQRWordList list;
    list.SetNameLanguage("English");
    list.Reset();
    list.SetTitle("Beasts");
    list.SetHandle("uvo");
    list.AddDescriptionLine("All about beasts");
    list.SetLevelName(0, "First words");
    list.AddTextLanguage("German");
    list.SetTitleIn("German", "Tiere");
    list.AddDescriptionLineIn("German", FromUtf8("Alles über Tiere"));
    list.SetLevelNameIn("German", 0, FromUtf8("Erste Wörter"));
    list.AddClueWord("Miaow?", "chat", 0);
    const std::string path = ::testing::TempDir() + "/world_translated.qrw";
    ASSERT_TRUE(list.SaveToFile(path));
    const std::string file = ::testing::TempDir() + "/world_translated_hiscores.dat";
    std::remove(file.c_str());
    world.SetHighScores(std::make_unique<THighScoreMan>(file));
    const THighScoreMan& scores = *world.HighScores();
    auto tableTitle = [&] {
        const std::string& line = scores.Lines()[size_t(scores.Current())];
        return line.substr(92, line.find("&+") - 92);
    };
    auto expectTexts = [&](const char* title, const char* description, const char* level) {
        const TQRWordList* loaded = world.WordList();
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(ToUtf8(loaded->Title()), title);
        EXPECT_EQ(ToUtf8(loaded->DescriptionLine(0)), description);
        EXPECT_EQ(ToUtf8(loaded->LevelName(0)), level);
        EXPECT_EQ(tableTitle(), "BEASTS") << "one table in every language";
    };

    LoadStrings(true);
    ASSERT_TRUE(world.LoadWordList(path));
    expectTexts("Tiere", "Alles über Tiere", "Erste Wörter");
    EXPECT_EQ(world.WordList()->TitleIn("Englisch"), "Beasts") << "kept, only moved";

    // The language room switches back to English: the English texts return.
    LoadStrings(false);
    world.RenameLanguages();
    expectTexts("Beasts", "All about beasts", "First words");
    LoadStrings(true);
    world.RenameLanguages();
    expectTexts("Tiere", "Alles über Tiere", "Erste Wörter");

    // In a language the list has no texts in, its own default ones show.
    LoadStrings(false);
    ASSERT_TRUE(world.LoadWordList(path));
    expectTexts("Beasts", "All about beasts", "First words");
}

TEST_F(WorldTest, AListThatCannotBeLoadedIsReportedInTheWorkingLanguageByName) {
    LoadStrings(true);
    const std::string dir = ::testing::TempDir();
    TQRWordList list;
    list.AddClueWord("Miaow?", "chat", 0);
    std::string good = list.SaveToBytes();
    std::string damaged = good;
    damaged[damaged.find("chat")] = 'k';
    std::string newer = good;
    newer[4] = 13;
    const struct {
        const char* name;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"bad checksum.qrw", damaged, "Beschädigt."},
        {"empty.qrw", "", "Leer oder zu kurz."},
        {"cut.qrw", good.substr(0, 30), "Beschädigt."},
        {"random.qrw", "\x13\x37 nothing like a list", "Keine Wortliste."},
        {"newer.qrw", newer, "Zu neu."},
        {"not there.qrw", "", "Lässt sich nicht öffnen."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir + "/" + c.name;
        std::remove(path.c_str());
        if (std::string(c.name) != "not there.qrw") {
            TFileStream out(path, TFileStream::Mode::Create);
            out.WriteBytes(c.bytes);
        }
        host.messages.clear();
        EXPECT_FALSE(world.LoadWordList(path));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(ToUtf8(host.messages[0]), "Die Wortliste \"" + std::string(c.name) +
                                                "\" kann nicht gespielt werden.\n" + c.reason);
    }
}

} // namespace
} // namespace qr

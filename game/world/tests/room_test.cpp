// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/world/room.h"

#include <gtest/gtest.h>

#include "game/world/qr_exception.h"
#include "world_fixture.h"

using namespace qr;
using namespace qr::test;

namespace {

// Records the timer scripts it is given.
class TimerRoom : public TRoom {
  public:
    using TRoom::TRoom;
    std::vector<std::string> fired;
    std::string exitOnTick;
    void RunScript(const std::string& name, const std::string& argument) override {
        if (argument == "SNAPFLASH" || argument == "EXIT") return TRoom::RunScript(name, argument);
        fired.push_back(name + "(" + argument + ")@" + std::to_string(World().Clock()));
        if (argument == "TICK" && !exitOnTick.empty()) World().GoRoom(exitOnTick);
    }
};

class RoomTest : public ::testing::Test, public WorldFixture {
  protected:
    void SetUp() override {
        rooms.Add("TIMER", [](TWorld& w, const std::string& id) {
            return std::make_unique<TimerRoom>(w, id);
        });
    }
    void Load(const std::string& text) { LoadScript(world, text, rooms); }
    TRoomFactory rooms = EngineRooms();
    TimerRoom* Room(const char* id) { return dynamic_cast<TimerRoom*>(world.FindRoom(id)); }
};

} // namespace

TEST(TimerScripts, KindsMapToNamesAndArguments) {
    const struct {
        uint8_t kind;
        const char* name;
        const char* argument;
    } cases[] = {
        {0, "", ""},          {3, "", "TICK"},       {7, "ANIMATE", "1"}, {17, "ANIMATE", "11"},
        {23, "", "GO_L_END"}, {37, "", "SNAPFLASH"}, {43, "ANIMAL", "5"}, {51, "", "MUSICDELAY"},
        {52, "", "SPARK"},    {53, "", ""},          {255, "", ""},
    };
    for (const auto& c : cases) {
        std::string name, argument;
        TimerScript(c.kind, 5, name, argument);
        EXPECT_EQ(name, c.name) << int(c.kind);
        EXPECT_EQ(argument, c.argument) << int(c.kind);
    }
}

TEST_F(RoomTest, TimersFireInOrderWithTheirLateness) {
    Load("TIMERROOM T\nROOM OTHER\n");
    world.GoRoom("T");
    TimerRoom* t = Room("T");
    t->AddTimer(3, 2);
    t->AddTimer(4, 2);
    t->AddTimer(43, 0);
    t->AddTimer(5, 1);
    EXPECT_EQ(t->TimeLeft(4), 2);
    EXPECT_EQ(t->TimeLeft(9), -1);
    world.Tick(3); // fires at clock 0: the delay-0 timer
    world.Tick(1); // clock 3: all the others, in the order they were added
    EXPECT_EQ(t->fired,
              (std::vector<std::string>{"ANIMAL(0)@0", "(TICK)@3", "(TIMER)@3", "(DELAY)@3"}));
    t->fired.clear();
    t->AddTimer(43, 1); // due at 5
    world.Tick(5);      // clock 4: not yet
    world.Tick(1);      // clock 9: four steps late
    EXPECT_EQ(t->fired, (std::vector<std::string>{"ANIMAL(4)@9"}));

    t->ReplaceTimer(3, 50);
    t->ReplaceTimer(3, 60);
    EXPECT_EQ(t->Timers().Count(), 1);
    // Leaving discards the timers; coming back does not bring them back.
    world.GoRoom("OTHER");
    world.GoRoom("T");
    EXPECT_EQ(t->Timers().Count(), 0);
}

TEST_F(RoomTest, SnapFlashHoldsOtherTimersUntilItEnds) {
    OpenPictures(library, {Picture("back", 600, 400, 9)});
    Load("TIMERROOM T\nPIC back\n");
    world.GoRoom("T");
    TimerRoom* t = Room("T");
    EXPECT_EQ(PixelAt(*world.WorkImage(), 10, 10), 9);
    t->AddTimer(43, 2);
    t->RunScript("", "SNAPFLASH");
    EXPECT_TRUE(t->HasFlag(TRoom::kFlagFlash));
    EXPECT_EQ(PixelAt(*world.WorkImage(), 10, 10), 255);
    for (int i = 0; i < 10; ++i)
        world.Tick(1);
    EXPECT_TRUE(t->fired.empty()); // the other timer waits for the flash
    world.Tick(1);                 // clock 10: the flash ends
    EXPECT_FALSE(t->HasFlag(TRoom::kFlagFlash));
    EXPECT_EQ(PixelAt(*world.WorkImage(), 10, 10), 9);
    EXPECT_TRUE(t->fired.empty());
    world.Tick(1); // the waiting timer, 9 steps late
    EXPECT_EQ(t->fired, (std::vector<std::string>{"ANIMAL(9)@11"}));
}

TEST_F(RoomTest, ATimerThatLeavesTheRoomEndsTheWalk) {
    Load("TIMERROOM T\nTIMERROOM U\n");
    world.GoRoom("T");
    TimerRoom* t = Room("T");
    t->exitOnTick = "U";
    t->AddTimer(3, 0);
    t->AddTimer(4, 0);
    t->AddTimer(5, 0);
    world.Tick(1);
    EXPECT_EQ(world.CurrentRoom()->GetID(), "U");
    EXPECT_EQ(t->fired, (std::vector<std::string>{"(TICK)@0"}));
    EXPECT_EQ(t->Timers().Count(), 0);
}

TEST_F(RoomTest, DrawTakesTheVisiblePartAndFlips) {
    TPX8WriterImage pic = Picture("wide", 1000, 400);
    for (int32_t x = 0; x < 1000; ++x)
        for (int32_t y = 0; y < 400; ++y)
            At(pic, x, y) = uint8_t((x / 100) * 10 + (y < 200 ? 0 : 1));
    OpenPictures(library, {pic});
    Load("ROOM W\nPIC wide\nROOMFLAG 3\n");
    TRoom* w = world.FindRoom("W");
    w->SetRoomWidth(1000);
    world.GoRoom("W");
    // Flipped vertically: the lower half of the picture shows at the top.
    EXPECT_EQ(PixelAt(*world.WorkImage(), 0, 0), 1);
    w->ScrollTo(150);
    w->ClearFlag(TRoom::kFlagFlipVertical);
    w->Draw(world.WorkImage());
    EXPECT_EQ(PixelAt(*world.WorkImage(), 0, 0), 10);
    EXPECT_EQ(PixelAt(*world.WorkImage(), 0, 399), 11);
    EXPECT_TRUE(w->HasFlag(TRoom::kFlagDrawn));
    EXPECT_THROW(w->Draw(nullptr), QRException);
    // Leaving gives every picture back.
    world.GoRoom("W");
    EXPECT_EQ(HeldPictures(library), 1);
    TRoom* other = world.AddRoom(std::make_unique<TRoom>(world, "EMPTY"));
    world.GoRoom(other->GetID());
    EXPECT_EQ(HeldPictures(library), 0);
}

TEST_F(RoomTest, ScrollingMovesFrameSetsAndHashBoxes) {
    Load("ROOM W\nGOBOX #120 120 5 10 10 W\nGOBOX #ABC 7 5 10 10 W\nFS F pic 10 1 200 0\n");
    TRoom* w = world.FindRoom("W");
    w->SetRoomWidth(1000);
    w->ScrollTo(40);
    EXPECT_EQ(w->FindHitBox("#120")->Rect().Left, 80);
    EXPECT_EQ(w->FindHitBox("#120")->Rect().Width(), 10);
    EXPECT_EQ(w->FindHitBox("#ABC")->Rect().Left, 7);
    EXPECT_EQ(w->FrameSets().FindByID("F")->Position().X, 160);
    w->ScrollTo(0);
    EXPECT_EQ(w->FindHitBox("#120")->Rect().Left, 120);
    EXPECT_EQ(w->FrameSets().FindByID("F")->Position().X, 200);
    const std::pair<int32_t, int32_t> clamps[] = {{-5, 0}, {399, 399}, {401, 400}, {5000, 400}};
    for (auto [asked, got] : clamps) {
        w->ScrollTo(asked);
        EXPECT_EQ(w->ScrollOffset(), got) << asked;
    }
    // Entering re-places the boxes from the current scroll offset.
    w->FindHitBox("#120")->SetRect({0, 5, 10, 15});
    world.GoRoom("W");
    EXPECT_EQ(w->FindHitBox("#120")->Rect().Left, 120 - 400);
}

TEST_F(RoomTest, RoomScriptsOfTheBaseRoom) {
    Load("ROOM A\nROOM B\n");
    world.GoRoom("A");
    TRoom* a = world.FindRoom("A");
    a->RunScript("ENDOFSOUND", "x");
    a->RunScript("NIL", "x");
    a->RunScript("FOCUS", "T");
    EXPECT_EQ(host.stopWaves, 0);
    a->RunScript("FOCUS", "F");
    EXPECT_EQ(host.stopWaves, 1);
    a->RunScript("B", "EXIT");
    EXPECT_EQ(world.CurrentRoom()->GetID(), "B");
    world.FindRoom("B")->SetDelayedExitTarget("A");
    world.FindRoom("B")->RunScript("", "DELAYEDEXIT");
    EXPECT_EQ(world.CurrentRoom()->GetID(), "A");
    EXPECT_THROW(a->RunScript("", ""), QRException);
}

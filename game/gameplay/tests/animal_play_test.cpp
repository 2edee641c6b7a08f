// SPDX-License-Identifier: GPL-3.0-or-later
// Playing scenes: waits for the release, the hold counter, loops, motions, background
// objects, drawing with overlays and the letter card, and scripts that would never end.
#include <gtest/gtest.h>

#include "game/gameplay/tests/animal_fixture.h"

namespace qr {
namespace {

using test::AddObject;
using test::Script;

// Steps until the scene ends; returns the tick at which it ended (or -1 past `limit`).
int32_t RunToEnd(TAnimal& a, int limit = 1000) {
    for (int i = 0; i < limit; ++i)
        if (!a.Step()) return a.Tick;
    return -1;
}

TEST(AnimalPlay, AWaitForTheReleaseHoldsTheObjectUntilReleased) {
    TAnimal a;
    Script s;
    s.Show(0, 0);
    s.Add(sekWait).WaitRelease = true;
    s.Add(sekEnd);
    AddObject(a, "body").Scenes[1] = s.events;
    ASSERT_TRUE(a.StartScene(1));
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(a.Step()) << i;
    a.Released = true;
    EXPECT_TRUE(a.Step());  // passes the wait
    EXPECT_FALSE(a.Step()); // and ends on the next tick
    EXPECT_EQ(a.Tick, 51);
}

TEST(AnimalPlay, AHoldKeepsTheReleaseBackUntilItsUnhold) {
    TAnimal a;
    Script holder;
    holder.Add(sekHold, 5);
    holder.Add(sekUnhold, 50);
    holder.Add(sekEnd);
    Script waiter;
    waiter.Show(0, 0);
    waiter.Add(sekWait).WaitRelease = true;
    waiter.Add(sekEnd);
    AddObject(a, "holder").Scenes[2] = holder.events;
    AddObject(a, "body").Scenes[2] = waiter.events;
    ASSERT_TRUE(a.StartScene(2));
    a.Released = true;
    EXPECT_EQ(RunToEnd(a), 6); // unhold at tick 5, the wait passes then, the end follows
    EXPECT_EQ(a.HoldCounter, 0);
    // Starting a scene clears both the release and the hold counter.
    a.HoldCounter = 3;
    a.StartScene(2);
    EXPECT_FALSE(a.Released);
    EXPECT_EQ(a.HoldCounter, 0);
}

TEST(AnimalPlay, ACountedLoopRunsItsBodyThatManyTimes) {
    TAnimal a;
    Script s;
    s.Show(0, 0);
    s.Motion(3, 2, 0, 1);
    s.Loop(1, 3);
    s.Add(sekEnd);
    TAnimObject& o = AddObject(a, "body");
    o.Scenes[0] = s.events;
    a.StartScene(0);
    EXPECT_EQ(RunToEnd(a), 11);
    EXPECT_EQ(o.X, 3 * 3 * 2); // three passes of three moves by 2
    EXPECT_EQ(o.Scenes[0][2].Counter, 0) << "a loop that has run out starts afresh";
    // Playing the scene again gives the same result.
    a.StartScene(0);
    EXPECT_EQ(RunToEnd(a), 11);
    EXPECT_EQ(o.X, 18);
}

TEST(AnimalPlay, AnUncountedLoopRunsUntilReleasedOrUntilTheTickLimit) {
    TAnimal a;
    Script s;
    s.Show(0, 0);
    s.Motion(2, 1, 0, 1);
    s.Loop(1, 0, true);
    s.Add(sekEnd);
    TAnimObject& o = AddObject(a, "body");
    o.Scenes[2] = s.events;
    a.StartScene(2);
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(a.Step());
    EXPECT_GT(o.X, 40);
    a.Released = true;
    const int32_t releasedAt = a.Tick;
    EXPECT_LE(RunToEnd(a), releasedAt + 3);

    // Without the wait flag nothing leaves the loop: the scene stops at the tick limit.
    o.Scenes[2][2].WaitRelease = false;
    a.StartScene(2);
    int steps = 0;
    while (a.Step())
        ++steps;
    EXPECT_EQ(steps, kAnimalTickLimit);
    EXPECT_EQ(a.Tick, kAnimalTickLimit);
    // A tick is 55 ms: a damaged file holds its level up for a minute and a half at most,
    // not for half an hour.
    EXPECT_LE(steps, 90000 / 55);
}

TEST(AnimalPlay, MotionsMoveAndStepFramesBothWays) {
    TAnimal a;
    Script s;
    s.Show(10, 20, 0);
    s.Motion(6, 1, -2, 2, 1); // ticks 1, 3, 5
    s.Motion(4, 0, 0, 1, -1); // ticks 7, 8, 9, 10
    s.Add(sekEnd);
    TAnimObject& o = AddObject(a, "body");
    o.Scenes[0] = s.events;
    a.StartScene(0);
    struct Expect {
        int16_t x, y, frame;
    };
    const Expect after[] = {{10, 20, 0}, {11, 18, 1}, {11, 18, 1}, {12, 16, 2},
                            {12, 16, 2}, {13, 14, 0}, {13, 14, 0}, {13, 14, 2},
                            {13, 14, 1}, {13, 14, 0}, {13, 14, 2}};
    for (size_t tick = 0; tick < std::size(after); ++tick) {
        ASSERT_TRUE(a.Step()) << tick;
        EXPECT_EQ(o.X, after[tick].x) << tick;
        EXPECT_EQ(o.Y, after[tick].y) << tick;
        EXPECT_EQ(o.Frame, after[tick].frame) << tick;
    }
    EXPECT_FALSE(a.Step());
    EXPECT_EQ(a.Tick, 11);
}

TEST(AnimalPlay, BackgroundObjectsRunAcrossScenesWithoutKeepingOneAlive) {
    TAnimal a;
    Script eye;
    eye.Show(1, 1, 0);
    eye.Motion(1000, 0, 0, 2, 1);
    Script placeholder;
    placeholder.Add(sekWait);
    Script body;
    body.Show(5, 5);
    body.Add(sekWait, 3);
    body.Add(sekEnd);

    TAnimObject& b = AddObject(a, "body");
    b.Scenes[0] = body.events;
    b.Scenes[2] = body.events;
    TAnimObject& e = AddObject(a, "eye");
    e.Background = true;
    e.Scenes[0] = eye.events;
    e.Scenes[1] = placeholder.events;
    e.Scenes[2] = placeholder.events;

    EXPECT_TRUE(a.SceneIsEmpty(1)) << "only a background object has events there";
    EXPECT_FALSE(a.StartScene(1));
    EXPECT_FALSE(a.Step());

    a.StartScene(0);
    EXPECT_EQ(RunToEnd(a), 4) << "the scene ends with the body, the eye runs on";
    EXPECT_TRUE(e.Visible);
    const int16_t frame = e.Frame;

    a.StartScene(2);
    EXPECT_FALSE(b.Visible) << "ordinary objects start afresh";
    EXPECT_TRUE(e.Visible);
    EXPECT_EQ(e.Frame, frame) << "the background object keeps its state";
    a.Step();
    a.Step();
    EXPECT_NE(e.Frame, frame) << "and its schedule";
    EXPECT_EQ(e.X, 1);
}

class AnimalDraw : public ::testing::Test {
  protected:
    void SetUp() override {
        work.Initialise("work", nullptr, 40, 60);
        workData = work.CreateImageData();
        workData->FillRect(workData->GetBounds(), 0);
        std::vector<uint8_t> cardPixels(6 * 5, 7);
        card.Initialise("card", cardPixels.data(), 6, 5);
        cardData = card.CreateImageData();
        AddObject(animal, "body");
        AddObject(animal, "LETTER", 6, 5, 1);
        animal.PictureName = "backdrop";
        animal.SetLibrary(test::AnimalLibrary());
        animal.SetArea({10, 20, 30, 50});
        animal.SetWorkImage(workData.get());
        animal.SetCardCallback([this] { return cardData.get(); });
    }
    uint8_t Pixel(int x, int y) { return workData->GetPixel({x, y}); }

    TAnimal animal;
    TPX8Image work, card;
    std::unique_ptr<TPX8ImageData> workData, cardData;
};

TEST_F(AnimalDraw, BackdropFramesOverlaysAndTheLetterCard) {
    Script body;
    TSceneEvent& show = body.Show(2, 3, 1);
    show.UseOverlay = true;
    show.OverlayName = "ovl";
    show.OverlayX = 4; // the overlay lands on the frame's bottom-right quarter
    show.OverlayY = 5;
    body.Add(sekWait, 5);
    Script letter;
    letter.Show(10, 10);
    letter.Add(sekWait, 5);
    animal.Objects[0]->Scenes[1] = body.events;
    animal.Objects[1]->Scenes[1] = letter.events;
    animal.StartScene(1);
    animal.Step();
    EXPECT_EQ(animal.GetDamage(), (TRect{10, 20, 30, 50}));
    animal.Draw();
    EXPECT_TRUE(animal.GetDamage().IsEmpty());

    EXPECT_EQ(Pixel(5, 5), 0) << "outside the area";
    EXPECT_EQ(Pixel(10, 20), 1) << "backdrop";
    EXPECT_EQ(Pixel(12, 23), 1) << "the frame's transparent pixel";
    EXPECT_EQ(Pixel(13, 23), 3) << "frame 1";
    EXPECT_EQ(Pixel(13, 26), 3);
    EXPECT_EQ(Pixel(14, 25), 9) << "overlay";
    EXPECT_EQ(Pixel(15, 26), 9);
    EXPECT_EQ(Pixel(16, 26), 1) << "the overlay is cut to the frame";
    EXPECT_EQ(Pixel(20, 30), 7) << "letter card";
    EXPECT_EQ(Pixel(25, 34), 7);
    EXPECT_EQ(Pixel(26, 35), 1);
}

TEST_F(AnimalDraw, OnlyTheDamageInsideTheClipIsDrawnAndForgotten) {
    Script body;
    body.Show(0, 0, 0);
    body.Add(sekWait, 5);
    animal.Objects[0]->Scenes[0] = body.events;
    animal.StartScene(0);
    animal.Step();
    workData->SetClipRect({0, 0, 40, 35}); // the upper half of the area
    animal.Draw();
    EXPECT_EQ(workData->ClipRect, (TRect{0, 0, 40, 35})) << "the clip is restored";
    EXPECT_EQ(Pixel(15, 34), 1);
    EXPECT_EQ(Pixel(15, 35), 0);
    EXPECT_EQ(animal.GetDamage(), (TRect{10, 35, 30, 50}));
    workData->ResetClipRect();
    animal.Draw();
    EXPECT_EQ(Pixel(15, 35), 1);
    EXPECT_TRUE(animal.GetDamage().IsEmpty());

    // A move damages where the object was and where it is.
    Script move;
    move.Show(0, 0, 0);
    move.Add(sekMove).X = 8;
    move.Add(sekWait, 5);
    animal.Objects[0]->Scenes[0] = move.events;
    animal.StartScene(0);
    animal.Step();
    animal.Draw();
    animal.Step();
    EXPECT_EQ(animal.GetDamage(), (TRect{10, 20, 22, 24}));
}

TEST_F(AnimalDraw, FramesAndSizesThePictureDoesNotHaveDrawNothing) {
    struct Case {
        int16_t frame, width, height;
    };
    for (const Case c : {Case{3, 4, 4}, Case{-1, 4, 4}, Case{0, -4, 4}, Case{0, 4, 0},
                         Case{1, 50, 90}, Case{0, 50, 90}}) {
        TAnimObject& o = *animal.Objects[0];
        o.Width = c.width;
        o.Height = c.height;
        Script s;
        s.Show(1, 1, c.frame);
        s.Add(sekWait, 3);
        o.Scenes[0] = s.events;
        animal.StartScene(0);
        animal.Step();
        animal.Draw(); // must stay inside the picture
        if (c.frame != 0 || c.width != 50) {
            EXPECT_EQ(Pixel(12, 22), 1) << c.frame << " " << c.width << " " << c.height;
        }
    }
    // A frame larger than the picture is cut to what the picture holds.
    EXPECT_EQ(Pixel(12, 22), 2);
    EXPECT_EQ(Pixel(12, 30), 4);
    EXPECT_EQ(Pixel(12, 34), 1);
}

TEST(AnimalPlay, ScriptsThatWouldNeverEndStillEnd) {
    struct Case {
        const char* what;
        std::function<void(Script&)> build;
    };
    const Case cases[] = {
        {"a loop target outside the scene",
         [](Script& s) {
             s.Show(0, 0);
             s.Loop(500, 0);
         }},
        {"loops that jump to each other within one tick",
         [](Script& s) {
             s.Add(sekWait, 10);
             s.Loop(2, 0);
             s.Loop(1, 0).Time = 5;
         }},
        {"a motion without an interval",
         [](Script& s) {
             s.Show(0, 0);
             s.Motion(5, 1, 1, 0);
         }},
        {"a negative duration and no end event",
         [](Script& s) {
             s.Show(0, 0);
             s.Add(sekWait, -7);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TAnimal a;
        Script s;
        c.build(s);
        AddObject(a, "body").Scenes[3] = s.events;
        ASSERT_TRUE(a.StartScene(3));
        const int32_t end = RunToEnd(a);
        EXPECT_GE(end, 0);
        EXPECT_LT(end, 100);
    }
    TAnimal none;
    AddObject(none, "body").Scenes[0] = Script{}.events;
    EXPECT_FALSE(none.StartScene(9)) << "there is no scene 9";
    EXPECT_FALSE(none.Step());
}

} // namespace
} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/rooms/title_room.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "foundation/random.h"
#include "game/world/tests/world_fixture.h"

namespace qr {
namespace {

using test::At;
using test::Picture;
using test::PixelAt;

// Colours of the test pictures.
constexpr uint8_t kDay = 10, kNight = 11;      // the two backgrounds
constexpr uint8_t kPlain = 20, kBright = 21;   // "titlegfx": its two rows
constexpr uint8_t kPlain2 = 30, kBright2 = 31; // "titlegf2"
constexpr uint8_t kFly = 40, kSpark = 50, kKey = 253;
// Where the test mask covers a letter cell; in column kHole the graphic is see-through.
constexpr TRect kCovered{10, 10, 50, 70};
constexpr int32_t kHole = 30;

TPX8WriterImage TitleGraphic(const char* name, uint8_t plain, uint8_t bright) {
    TPX8WriterImage g = Picture(name, 9 * 63, 2 * 87, plain);
    for (int32_t y = 87; y < 174; ++y)
        for (int32_t x = 0; x < g.Width; ++x)
            At(g, x, y) = bright;
    for (int32_t y = 0; y < 174; ++y)
        for (int letter = 0; letter < 9; ++letter)
            At(g, letter * 63 + kHole, y) = kKey;
    g.Transparent = true;
    g.TransparentColour = kKey;
    return g;
}

class StopCountingHost : public test::RecordingHost {
  public:
    int stopMusic = 0;
    void StopMusic() override { ++stopMusic; }
};

class TitleRoomTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TPX8WriterImage mask = Picture("qrttlmsk", 9 * 63, 87, 0);
        for (int letter = 0; letter < 9; ++letter)
            for (int32_t y = kCovered.Top; y < kCovered.Bottom; ++y)
                for (int32_t x = kCovered.Left; x < kCovered.Right; ++x)
                    At(mask, letter * 63 + x, y) = 255;
        TPX8WriterImage fly = Picture("titlefly", 56, 40, kFly);
        TPX8WriterImage spark = Picture("sparkle", 12, 9, kSpark);
        test::OpenPictures(library, {Picture("qrtitle", 600, 400, kDay),
                                     Picture("qrtitle3", 600, 400, kNight),
                                     TitleGraphic("titlegfx", kPlain, kBright),
                                     TitleGraphic("titlegf2", kPlain2, kBright2), std::move(mask),
                                     std::move(fly), std::move(spark),
                                     Picture("musicbtn", 22, 40, 60), Picture("home", 600, 400)});
        TRoomFactory rooms = EngineRooms();
        AddTitleRoom(rooms);
        test::LoadScript(world,
                         "TITLEROOM TITLE Quill-Rush\nPIC qrtitle\n"
                         "ROOMSCRIPTBOX START 0 0 600 400 CLICK\n"
                         "ROOMSCRIPTBOX MUSICBTN 574 376 22 20 MUSICBTN\n"
                         "FRAMESET MUSIC musicbtn 20 2 574 376 1\n"
                         "ROOM HOME\nPIC home\n",
                         rooms);
    }

    TTitleRoom& Title() { return *dynamic_cast<TTitleRoom*>(world.FindRoom("TITLE")); }

    void Enter(uint32_t seed) {
        GameRandom().SetSeed(seed);
        world.GoRoom("TITLE");
        ASSERT_EQ(world.CurrentRoom(), &Title());
    }

    // Ticks until the condition holds (false after maxTicks).
    bool TickUntil(const std::function<bool()>& done, int maxTicks = 2000) {
        for (int i = 0; i < maxTicks; ++i) {
            if (done()) return true;
            world.Tick(1);
        }
        return done();
    }

    uint8_t Screen(TPoint p) { return PixelAt(*world.WorkImage(), p.X, p.Y); }

    // Every pixel of the letter's cell as the letter in that colour (or the background).
    void ExpectLetter(int letter, uint8_t ink, uint8_t background) {
        const TRect cell = title::LetterCell(letter);
        for (int32_t y = 0; y < cell.Height(); ++y)
            for (int32_t x = 0; x < cell.Width(); ++x) {
                const bool inked = kCovered.Contains({x, y}) && x != kHole;
                ASSERT_EQ(Screen(cell.TopLeft() + TPoint{x, y}), inked ? ink : background)
                    << "letter " << letter << " at " << x << "," << y;
            }
    }

    StopCountingHost host;
    TPX8Library library;
    TWorld world{host, library};
};

TEST_F(TitleRoomTest, BackgroundAndTitleColouringAreChosenIndependently) {
    std::set<std::pair<std::string, std::string>> seen;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        Enter(seed);
        seen.insert({Title().GetPicName(), Title().TitleGraphic()});
        EXPECT_EQ(Screen({5, 5}), Title().GetPicName() == "qrtitle" ? kDay : kNight);
        world.GoRoom("HOME");
    }
    EXPECT_EQ(seen, (std::set<std::pair<std::string, std::string>>{{"qrtitle", "titlegfx"},
                                                                   {"qrtitle", "titlegf2"},
                                                                   {"qrtitle3", "titlegfx"},
                                                                   {"qrtitle3", "titlegf2"}}));
}

// Two whole rounds: the letters appear in flight order, are shown from the plain row of the
// graphic where the mask covers them, flash from its bright row, vanish, and the next flight
// uncovers them again on a clean screen.
TEST_F(TitleRoomTest, FlightUncoversFlashingHighlightsThenTheTitleStartsAgain) {
    Enter(3);
    const bool day = Title().GetPicName() == "qrtitle";
    const bool first = Title().TitleGraphic() == "titlegfx";
    const uint8_t bg = day ? kDay : kNight, plain = first ? kPlain : kPlain2,
                  bright = first ? kBright : kBright2;
    EXPECT_TRUE(host.music.empty());
    world.Tick(10);
    EXPECT_TRUE(host.music.empty());
    world.Tick(1);
    EXPECT_EQ(host.music, std::vector<int>{TTitleRoom::kTitleTrack});

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::vector<int> order;
        std::array<uint8_t, 9> before{};
        ASSERT_TRUE(TickUntil([&] {
            for (int letter = 1; letter <= 9; ++letter) {
                const uint8_t now = Title().LetterState(letter);
                if (before[size_t(letter - 1)] == TTitleRoom::kHidden && now != 0)
                    order.push_back(letter);
                before[size_t(letter - 1)] = now;
            }
            return Title().Counter() >= TTitleRoom::kFlashStart;
        }));
        EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4, 5, 9, 8, 7, 6}));
        for (int letter = 1; letter <= 9; ++letter) {
            EXPECT_EQ(Title().LetterState(letter), TTitleRoom::kShown);
            EXPECT_TRUE(Title().Sparkle(letter).Active);
            ExpectLetter(letter, plain, bg);
        }

        // One by one highlighted, letters 1 and 6 first, letter 9 last.
        ASSERT_TRUE(TickUntil([&] { return Title().Counter() == 506; }));
        EXPECT_EQ(Title().LetterState(1), TTitleRoom::kHighlighted);
        EXPECT_EQ(Title().LetterState(6), TTitleRoom::kHighlighted);
        EXPECT_EQ(Title().LetterState(2), TTitleRoom::kShown);
        ExpectLetter(1, bright, bg);
        ASSERT_TRUE(TickUntil([&] { return Title().Counter() == 513; }));
        for (int letter = 1; letter <= 9; ++letter)
            EXPECT_EQ(Title().LetterState(letter), TTitleRoom::kHighlighted);

        // Flashing all together: highlighted at 560, plain at 563.
        ASSERT_TRUE(TickUntil([&] { return Title().Counter() == 563; }));
        for (int letter = 1; letter <= 9; ++letter)
            ExpectLetter(letter, plain, bg);
        ASSERT_TRUE(TickUntil([&] { return Title().Counter() == 584; }));
        for (int letter = 1; letter <= 9; ++letter)
            ExpectLetter(letter, bright, bg);

        // Blank from 590 on, with the sparkles still running.
        ASSERT_TRUE(TickUntil([&] { return Title().Counter() == 590; }));
        for (int letter = 1; letter <= 9; ++letter) {
            EXPECT_EQ(Title().LetterState(letter), TTitleRoom::kHidden);
            ExpectLetter(letter, bg, bg);
        }
        EXPECT_TRUE(Title().Sparkle(1).Active);

        // At 600 the sparkles stop and leave nothing behind; the counter starts over.
        ASSERT_TRUE(TickUntil([&] { return Title().Counter() < TTitleRoom::kFlashStart; }));
        EXPECT_EQ(Title().Counter(), 0);
        const TRect around{title::kTitleArea.Left - 3, title::kTitleArea.Top - 3,
                           title::kTitleArea.Right + 3, title::kTitleArea.Bottom + 3};
        for (int32_t y = around.Top; y < around.Bottom; ++y)
            for (int32_t x = around.Left; x < around.Right; ++x)
                ASSERT_EQ(Screen({x, y}), bg) << x << "," << y;
        for (int letter = 1; letter <= 9; ++letter)
            EXPECT_FALSE(Title().Sparkle(letter).Active);
    }
}

// While it flies the figure shows only inside the title area, and a sparkle is on the screen
// where the room says it is.
TEST_F(TitleRoomTest, FigureIsClippedToTheTitleAreaAndSparklesAreDrawn) {
    Enter(5);
    const uint8_t bg = Title().GetPicName() == "qrtitle" ? kDay : kNight;
    // The flight has just begun: the figure's point lies left of the area.
    ASSERT_TRUE(TickUntil([&] { return Title().Counter() == 30; }));
    const TPoint at = title::FlightPath()[28];
    ASSERT_LT(at.X, title::kTitleArea.Left);
    ASSERT_GT(at.X + 56, title::kTitleArea.Left);
    const int32_t y = at.Y + 20;
    EXPECT_EQ(Screen({title::kTitleArea.Left - 1, y}), bg);
    EXPECT_EQ(Screen({title::kTitleArea.Left, y}), kFly);

    ASSERT_TRUE(TickUntil([&] { return Title().Sparkle(1).Erase; }));
    const title::TSparkle& s = Title().Sparkle(1);
    const TPoint spark = title::kLetterOrigins[0] + s.VisiblePos();
    EXPECT_EQ(Screen(spark), kSpark);
}

TEST_F(TitleRoomTest, AClickOrTheEndOfTheMusicLeadsHome) {
    Enter(1);
    world.MouseDown(1, 0, 300, 200);
    world.MouseUp(300, 200);
    EXPECT_EQ(world.CurrentRoom()->GetID(), "HOME");
    EXPECT_EQ(host.stopMusic, 1);

    Enter(1);
    world.Tick(30);
    Title().RunScript("ENDMUSIC", "1");
    EXPECT_EQ(world.CurrentRoom()->GetID(), "HOME");
    EXPECT_EQ(host.stopMusic, 1);
}

TEST_F(TitleRoomTest, MissingPicturesLeaveTheRoomRunning) {
    TPX8Library empty;
    TWorld bare{host, empty};
    TRoomFactory rooms = EngineRooms();
    AddTitleRoom(rooms);
    test::OpenPictures(empty, {Picture("musicbtn", 22, 40, 60)});
    test::LoadScript(bare,
                     "TITLEROOM TITLE\nROOMSCRIPTBOX MUSICBTN 574 376 22 20 MUSICBTN\n"
                     "FRAMESET MUSIC musicbtn 20 2 574 376 1\n",
                     rooms);
    bare.GoRoom("TITLE");
    auto* room = dynamic_cast<TTitleRoom*>(bare.CurrentRoom());
    ASSERT_NE(room, nullptr);
    int highest = 0;
    for (int i = 0; i < 360; ++i) {
        bare.Tick(1);
        highest = std::max(highest, room->Counter());
    }
    EXPECT_EQ(highest, TTitleRoom::kFlashEnd - 1);
    EXPECT_LT(room->Counter(), TTitleRoom::kFlashStart);
}

} // namespace
} // namespace qr

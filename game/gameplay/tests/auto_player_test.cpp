// SPDX-License-Identifier: GPL-3.0-or-later
// The stand-in player of scripted runs, and whole games played with it.
#include "game/gameplay/auto_player.h"

#include "play_fixture.h"

namespace qr::testing {
namespace {

class AutoPlay : public PlayRulesTest {
  protected:
    // Ticks the level with the player clicking; returns the clicks it made.
    std::vector<TAutoClick> Play(int maxTicks = 100000) {
        std::vector<TAutoClick> clicks;
        for (int i = 0; i < maxTicks && !host.roomLeft; ++i) {
            if (auto click = player.Tick(rules)) {
                clicks.push_back(*click);
                EXPECT_TRUE(rules.CellClick(click->row, click->point.X, click->point.Y));
            }
            host.Tick();
        }
        EXPECT_TRUE(host.roomLeft) << "the level did not end";
        return clicks;
    }
    // Plays levels until the game leaves the play room for good.
    int PlayGame() {
        int levels = 0;
        for (host.room = "PLAY"; host.room == "PLAY"; ++levels) {
            Enter();
            Play();
        }
        return levels;
    }
    void AddLevels(int n) {
        const char* words[] = {"apple", "pear", "plum",  "cherry", "melon", "grape", "lime", "kiwi",
                               "fig",   "date", "peach", "lemon",  "mango", "guava", "olive"};
        for (int l = 0; l < n; ++l)
            AddLevel({words[(5 * l) % 15], words[(5 * l + 1) % 15], words[(5 * l + 2) % 15],
                      words[(5 * l + 3) % 15], words[(5 * l + 4) % 15]});
    }

    TAutoPlayer player;
};

TEST_F(AutoPlay, ClicksOncePerCardAfterTheDelay) {
    AddLevels(1);
    Enter();
    player.Start(100, 7);
    ASSERT_TRUE(UntilCardUp());
    for (int i = 0; i < 7; ++i) {
        EXPECT_FALSE(player.Tick(rules)) << i;
        host.Tick();
    }
    auto click = player.Tick(rules);
    ASSERT_TRUE(click);
    EXPECT_TRUE(click->right);
    EXPECT_EQ(rules.GetDynamicCursor(click->row, click->point.X, click->point.Y), 1);
    EXPECT_EQ(LowerChar(uint8_t(
                  rules.Answers[size_t(click->row)][size_t(click->point.X / board::kCellPitch)])),
              uint8_t(rules.LetterQueue[0]));
    EXPECT_FALSE(player.Tick(rules)) << "one click per card";
}

TEST_F(AutoPlay, AccuracyZeroOnlyMissesAndStopStops) {
    AddLevels(1);
    Enter();
    player.Start(0, 0);
    int misses = 0;
    for (int i = 0; i < 3000 && misses < 5; ++i) {
        if (auto click = player.Tick(rules)) {
            EXPECT_FALSE(click->right);
            EXPECT_TRUE(rules.CellClick(click->row, click->point.X, click->point.Y));
            ++misses;
        }
        host.Tick();
    }
    EXPECT_EQ(misses, 5);
    EXPECT_EQ(ReportsStartingWith("WRONG").size(), 5u);
    EXPECT_TRUE(ReportsStartingWith("PLACE").empty());
    player.Stop();
    ASSERT_TRUE(UntilCardUp());
    EXPECT_FALSE(player.Tick(rules));
}

TEST_F(AutoPlay, APerfectPlayerReachesTheDiplomaOfAThreeLevelList) {
    AddLevels(3);
    player.Start(100, -1);
    EXPECT_EQ(PlayGame(), 3);
    EXPECT_EQ(host.room, "DIPLOMA");
    EXPECT_EQ(host.lives, 5);
    ASSERT_EQ(host.highScores.size(), 1u);
    EXPECT_EQ(host.highScores[0], host.runningScore);
    EXPECT_EQ(ReportsStartingWith("LEVEL ").size(), 3u);
    EXPECT_TRUE(ReportsStartingWith("WRONG").empty());
}

TEST_F(AutoPlay, APoorPlayerLosesEveryLifeAndEndsInTheStartRoom) {
    AddLevels(15);
    player.Start(30, 3);
    const int levels = PlayGame();
    EXPECT_LT(levels, 15);
    EXPECT_EQ(host.room, "MODSTART");
    EXPECT_EQ(host.lives, 0);
    ASSERT_EQ(host.highScores.size(), 1u);
    EXPECT_FALSE(ReportsStartingWith("WRONG").empty());
    EXPECT_FALSE(ReportsStartingWith("TALLY").empty());
}

} // namespace
} // namespace qr::testing

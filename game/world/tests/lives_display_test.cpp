// SPDX-License-Identifier: GPL-3.0-or-later
// The lives the world keeps between levels.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "foundation/random.h"
#include "game/world/lives_display.h"

namespace qr {
namespace {

std::multiset<int32_t> Offsets(const TLivesDisplay& d) {
    std::multiset<int32_t> out;
    for (const auto& s : d.Slots())
        if (s.present) out.insert(s.offset);
    return out;
}

TEST(LivesDisplay, ANewGameStandsFiveDifferentFiguresInRandomOrder) {
    std::set<std::vector<int32_t>> orders;
    for (uint32_t seed = 0; seed < 50; ++seed) {
        GameRandom().SetSeed(seed);
        TLivesDisplay d;
        d.Reset();
        EXPECT_EQ(d.Count(), 5);
        std::set<int> figures;
        std::vector<int32_t> order;
        for (const auto& s : d.Slots()) {
            EXPECT_TRUE(s.present);
            EXPECT_GE(s.figure, 1);
            EXPECT_LE(s.figure, 6);
            EXPECT_GE(s.pose, 1);
            EXPECT_LE(s.pose, 6);
            EXPECT_GE(s.height, 0);
            EXPECT_LE(s.height, 2);
            figures.insert(s.figure);
            order.push_back(s.offset);
        }
        EXPECT_EQ(figures.size(), 5u);
        EXPECT_EQ(Offsets(d), (std::multiset<int32_t>{0, 12, 24, 36, 48}));
        orders.insert(order);
    }
    EXPECT_GT(orders.size(), 10u) << "the offsets are dealt in random order";
}

TEST(LivesDisplay, LivesLeaveFromTheRightAndComeBackThere) {
    GameRandom().SetSeed(3);
    TLivesDisplay d;
    d.Reset();
    for (int32_t expected : {48, 36, 24}) {
        auto taken = d.TakeLife();
        ASSERT_TRUE(taken);
        EXPECT_EQ(taken->offset, expected);
    }
    EXPECT_EQ(d.Count(), 2);
    d.AddLife();
    EXPECT_EQ(d.Count(), 3);
    EXPECT_EQ(Offsets(d), (std::multiset<int32_t>{0, 12, 24}));
    d.AddLife();
    d.AddLife();
    d.AddLife(); // a sixth does not fit
    EXPECT_EQ(d.Count(), 5);
    EXPECT_EQ(Offsets(d), (std::multiset<int32_t>{0, 12, 24, 36, 48}));
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(d.TakeLife());
    EXPECT_FALSE(d.TakeLife());
    EXPECT_EQ(d.Count(), 0);
    d.AddLife();
    EXPECT_EQ(Offsets(d), (std::multiset<int32_t>{0}));
}

TEST(LivesDisplay, FiguresFidgetWithinTheirRanges) {
    GameRandom().SetSeed(11);
    TLivesDisplay d;
    d.Reset();
    d.TakeLife();
    int poseChanges = 0, heightChanges = 0;
    const int rounds = 2000;
    for (int i = 0; i < rounds; ++i) {
        auto before = d.Slots();
        d.FidgetLives();
        for (size_t k = 0; k < before.size(); ++k) {
            const auto& s = d.Slots()[k];
            EXPECT_EQ(s.present, before[k].present);
            if (!s.present) {
                EXPECT_EQ(s.pose, before[k].pose) << "an empty slot does not move";
                continue;
            }
            EXPECT_EQ(s.figure, before[k].figure);
            EXPECT_EQ(s.offset, before[k].offset);
            poseChanges += s.pose != before[k].pose;
            heightChanges += s.height != before[k].height;
        }
    }
    // 4 in 10 draw a pose (5 in 6 of them differ), 3 in 10 a height (2 in 3 differ).
    const double n = rounds * 4.0;
    EXPECT_NEAR(poseChanges / n, 0.4 * 5 / 6, 0.03);
    EXPECT_NEAR(heightChanges / n, 0.3 * 2 / 3, 0.03);
}

TEST(LivesDisplay, FiguresStandInTheLivesArea) {
    TLivesDisplay::Slot s;
    s.offset = 48;
    s.height = 0;
    const TPoint p = TLivesDisplay::Position(s);
    EXPECT_EQ(p.X, 317 + 48);
    EXPECT_EQ(p.Y + 39, 400);
    EXPECT_LE(p.X + 19, TLivesDisplay::kArea.Right);
}

} // namespace
} // namespace qr

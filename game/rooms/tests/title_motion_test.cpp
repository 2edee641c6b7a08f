// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/rooms/title_motion.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "foundation/random.h"

namespace qr::title {
namespace {

TEST(TitleFlight, KeepsItsFixedEndsAndMovesSmoothly) {
    const auto& path = FlightPath();
    const std::vector<TPoint> start{{-56, 114}, {-52, 112}, {-48, 112}};
    const std::vector<TPoint> end{{2, 169}, {-6, 166}, {-14, 163}, {-22, 160}};
    EXPECT_EQ(std::vector<TPoint>(path.begin(), path.begin() + 3), start);
    EXPECT_EQ(std::vector<TPoint>(path.end() - 4, path.end()), end);
    // The figure (56x40) is drawn at every second point: each picture overlaps the one
    // before, so it never jumps.
    for (size_t c = 2; c < path.size(); c += 2) {
        EXPECT_LT(std::abs(path[c].X - path[c - 2].X), 56) << "counter " << c;
        EXPECT_LT(std::abs(path[c].Y - path[c - 2].Y), 40) << "counter " << c;
    }
}

TEST(TitleFlight, UncoversTheLettersInFlightOrderWhereTheFigurePasses) {
    const auto& path = FlightPath();
    std::vector<int> order;
    for (int counter = 0; counter < kFlightPoints; counter += 2) {
        const int letter = LetterUncoveredAt(counter);
        if (!letter) continue;
        order.push_back(letter);
        // The figure's centre (it is 56x40) crosses the letter during the last four
        // pictures up to the one that uncovers it.
        bool crossed = false;
        for (int c = counter - 8; c <= counter; c += 2)
            crossed = crossed || LetterCell(letter).Contains(path[size_t(c)] + TPoint{28, 20});
        EXPECT_TRUE(crossed) << "letter " << letter << " at counter " << counter;
    }
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4, 5, 9, 8, 7, 6}));
    // An odd counter (never reached by steps of two) names the same letter as the even one.
    EXPECT_EQ(LetterUncoveredAt(43), 1);
    EXPECT_EQ(LetterUncoveredAt(157), 5);
    EXPECT_EQ(LetterUncoveredAt(44), 0);
}

TEST(TitleSparkle, StepsClockwiseAndTurnsTheCorners) {
    struct Case {
        TPoint from;
        uint8_t side;
        TPoint to;
        uint8_t toSide;
    };
    const Case cases[] = {
        {{10, -3}, 0, {17, -3}, 0}, // top edge, rightwards
        {{50, -3}, 0, {57, -3}, 0}, // still fits on the top edge
        {{56, -3}, 0, {63, -3}, 1}, // round the top-right corner
        {{63, 10}, 1, {63, 16}, 1}, // right edge, downwards
        {{63, 75}, 1, {63, 81}, 1}, // still fits on the right edge
        {{63, 78}, 1, {63, 87}, 0}, // round the bottom-right corner
        {{30, 87}, 0, {23, 87}, 0}, // bottom edge, leftwards
        {{2, 87}, 0, {-3, 87}, 1},  // round the bottom-left corner
        {{-3, 40}, 1, {-3, 34}, 1}, // left edge, upwards
        {{-3, 0}, 1, {-3, -3}, 0},  // round the top-left corner
    };
    for (const Case& c : cases) {
        TSparkle s;
        s.Pos = c.from;
        s.Side = c.side;
        s.Step();
        EXPECT_EQ(s.Pos, c.to) << c.from.X << "," << c.from.Y;
        EXPECT_EQ(s.Side, c.toSide) << c.from.X << "," << c.from.Y;
        EXPECT_EQ(s.Source, c.toSide ? TSparkle::kVerticalSource : TSparkle::kHorizontalSource);
    }
}

TEST(TitleSparkle, CutsWhatSticksOutPastACorner) {
    struct Case {
        TPoint pos;
        uint8_t side;
        TRect source;
    };
    const Case cases[] = {
        {{63, 87}, 0, {3, 6, 6, 9}}, // just round the bottom-right corner: 3 of 9 columns
        {{-3, 87}, 1, {0, 0, 3, 3}}, // just round the bottom-left corner: 3 of 9 rows
        {{63, -3}, 1, {0, 0, 3, 9}}, // round the top-right corner it fits whole
        {{20, 87}, 0, {3, 6, 12, 9}},
    };
    for (const Case& c : cases) {
        TSparkle s;
        s.Pos = c.pos;
        s.Side = c.side;
        s.Source = c.side ? TSparkle::kVerticalSource : TSparkle::kHorizontalSource;
        EXPECT_EQ(s.VisibleSource(), c.source) << c.pos.X << "," << c.pos.Y;
        EXPECT_EQ(s.VisiblePos(), c.pos);
    }
}

// Every sparkle, wherever it starts, stays on the frame and visits the edges in clockwise
// order: top, right, bottom, left.
TEST(TitleSparkle, StartsOnTheFrameAndCirclesClockwise) {
    enum Edge { kTop, kRight, kBottom, kLeft };
    auto edgeOf = [](const TSparkle& s) {
        if (s.Side == 0) {
            EXPECT_TRUE(s.Pos.Y == -3 || s.Pos.Y == 87);
            EXPECT_TRUE(s.Pos.X >= -3 && s.Pos.X + 9 <= 72);
            return s.Pos.Y == -3 ? kTop : kBottom;
        }
        EXPECT_TRUE(s.Pos.X == -3 || s.Pos.X == 63);
        EXPECT_TRUE(s.Pos.Y >= -3 && s.Pos.Y + 9 <= 96);
        return s.Pos.X == 63 ? kRight : kLeft;
    };
    TRandom random;
    random.SetSeed(7);
    bool seen[4] = {};
    for (int run = 0; run < 200; ++run) {
        TSparkle s;
        s.Start(random);
        EXPECT_TRUE(s.Active);
        EXPECT_FALSE(s.Erase);
        Edge edge = edgeOf(s);
        seen[edge] = true;
        if (s.Side)
            EXPECT_TRUE(s.Pos.Y >= 3 && s.Pos.Y <= 80);
        else
            EXPECT_TRUE(s.Pos.X >= 3 && s.Pos.X <= 56);
        int turns = 0;
        for (int step = 0; step < 120; ++step) {
            s.Step();
            const TRect shown = TRect::FromOriginSize(s.VisiblePos(), s.VisibleSource().Width(),
                                                      s.VisibleSource().Height());
            EXPECT_EQ(Intersect(shown, TSparkle::kFrame), shown);
            const Edge next = edgeOf(s);
            if (next != edge) {
                EXPECT_EQ(next, (edge + 1) % 4) << "run " << run << " step " << step;
                ++turns;
            }
            edge = next;
        }
        EXPECT_GE(turns, 4) << "run " << run;
    }
    for (bool e : seen)
        EXPECT_TRUE(e);
}

} // namespace
} // namespace qr::title

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/rooms/title_motion.h"

#include <cmath>

#include "foundation/random.h"

namespace qr::title {

namespace {

struct TKey {
    int counter;
    double x, y;
};

// Where the figure is at chosen counters; the path runs smoothly through them. The figure
// (56x40) enters on the left, crosses the top row left to right with its centre over each
// letter at the step that uncovers it, loops once between the third and fourth letters,
// swings down on the right and crosses the bottom row right to left, then climbs out on the
// left. The first three and the last four points are fixed.
constexpr TKey kKeys[] = {
    {0, -56, 114},   {1, -52, 112},   {2, -48, 112},   {20, 12, 94},    {42, 72, 100},
    {52, 124, 90},   {62, 180, 100},  {72, 232, 90},   {82, 285, 100},  {90, 330, 112},
    {97, 356, 140},  {104, 336, 166}, {110, 306, 150}, {116, 312, 116}, {126, 386, 100},
    {138, 430, 86},  {148, 462, 118}, {158, 490, 100}, {168, 514, 134}, {176, 508, 172},
    {184, 484, 206}, {191, 452, 234}, {198, 412, 246}, {207, 360, 252}, {216, 306, 240},
    {225, 250, 236}, {234, 196, 244}, {238, 128, 240}, {241, 70, 210},  {244, 2, 169},
    {245, -6, 166},  {246, -14, 163}, {247, -22, 160},
};
constexpr int kKeyCount = int(std::size(kKeys));
static_assert(kKeys[0].counter == 0 && kKeys[kKeyCount - 1].counter == kFlightPoints - 1);

// Velocity at a key, per counter step: the slope between its neighbours (one-sided at the
// ends), so the speed changes smoothly where the keys are unevenly spaced.
void Tangent(int i, double& dx, double& dy) {
    const int a = i > 0 ? i - 1 : i, b = i < kKeyCount - 1 ? i + 1 : i;
    const double dc = kKeys[b].counter - kKeys[a].counter;
    dx = (kKeys[b].x - kKeys[a].x) / dc;
    dy = (kKeys[b].y - kKeys[a].y) / dc;
}

std::array<TPoint, kFlightPoints> MakePath() {
    std::array<TPoint, kFlightPoints> path{};
    for (int i = 0; i + 1 < kKeyCount; ++i) {
        const TKey &p = kKeys[i], &q = kKeys[i + 1];
        const double h = q.counter - p.counter;
        double mpx, mpy, mqx, mqy;
        Tangent(i, mpx, mpy);
        Tangent(i + 1, mqx, mqy);
        for (int c = p.counter; c < q.counter; ++c) {
            // Cubic Hermite segment between the two keys.
            const double t = (c - p.counter) / h, t2 = t * t, t3 = t2 * t;
            const double h00 = 2 * t3 - 3 * t2 + 1, h10 = t3 - 2 * t2 + t, h01 = -2 * t3 + 3 * t2,
                         h11 = t3 - t2;
            const double x = h00 * p.x + h10 * h * mpx + h01 * q.x + h11 * h * mqx;
            const double y = h00 * p.y + h10 * h * mpy + h01 * q.y + h11 * h * mqy;
            path[size_t(c)] = {int32_t(std::lround(x)), int32_t(std::lround(y))};
        }
    }
    const TKey& last = kKeys[kKeyCount - 1];
    path[size_t(last.counter)] = {int32_t(last.x), int32_t(last.y)};
    return path;
}

} // namespace

const std::array<TPoint, kFlightPoints>& FlightPath() {
    static const std::array<TPoint, kFlightPoints> path = MakePath();
    return path;
}

int LetterUncoveredAt(int counter) {
    // The top row left to right, then the bottom row right to left, as the figure flies.
    static constexpr struct {
        int counter, letter;
    } kUncover[] = {{42, 1},  {62, 2},  {82, 3},  {126, 4}, {157, 5},
                    {198, 9}, {216, 8}, {233, 7}, {246, 6}};
    for (const auto& u : kUncover)
        if (counter == u.counter || counter == u.counter + 1) return u.letter;
    return 0;
}

void TSparkle::Start(TRandom& random) {
    // Sequenced one draw at a time: the order of the draws is part of a seeded run.
    Side = random.Random(150) >= 63 ? 1 : 0;
    if (Side == 1) {
        Pos.X = random.Random(100) >= 50 ? kFrame.Right - 3 : kFrame.Left;
        Pos.Y = int32_t(random.Random(78)) + 3;
    } else {
        Pos.X = int32_t(random.Random(54)) + 3;
        Pos.Y = random.Random(100) >= 50 ? kFrame.Bottom - 3 : kFrame.Top;
    }
    Source = Side ? kVerticalSource : kHorizontalSource;
    Active = true;
    Erase = false;
}

void TSparkle::Step() {
    const int32_t right = kFrame.Right - 3, bottom = kFrame.Bottom - 3;
    if (Side == 0) {
        if (Pos.Y == bottom) {
            Pos.X -= 7;
            if (Pos.X < kFrame.Left) {
                Pos.X = kFrame.Left;
                Side = 1;
            }
        } else {
            Pos.X += 7;
            if (Pos.X + 9 > kFrame.Right) {
                Pos.X = right;
                Side = 1;
            }
        }
    } else {
        if (Pos.X == kFrame.Left) {
            Pos.Y -= 6;
            if (Pos.Y < kFrame.Top) {
                Pos.Y = kFrame.Top;
                Side = 0;
            }
        } else {
            Pos.Y += 6;
            if (Pos.Y + 9 > kFrame.Bottom) {
                Pos.Y = bottom;
                Side = 0;
            }
        }
    }
    Source = Side ? kVerticalSource : kHorizontalSource;
}

TRect TSparkle::VisibleSource() const {
    const TRect placed = TRect::FromOriginSize(Pos, Source.Width(), Source.Height());
    const TRect kept = Intersect(placed, kFrame);
    if (kept.IsEmpty()) return {};
    return TRect::FromOriginSize({Source.Left + kept.Left - Pos.X, Source.Top + kept.Top - Pos.Y},
                                 kept.Width(), kept.Height());
}

TPoint TSparkle::VisiblePos() const {
    return Intersect(TRect::FromOriginSize(Pos, Source.Width(), Source.Height()), kFrame).TopLeft();
}

} // namespace qr::title

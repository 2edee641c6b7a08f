// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/image_data.h"

#include <gtest/gtest.h>

#include "fixtures.h"
#include "graphics/image_library.h"

namespace qr {
namespace {

// A library with blank surfaces made in memory.
class Surfaces : public ::testing::Test, public test::SurfaceMaker {
  protected:
    // A source whose pixel (x, y) is 10 * y + x + 1.
    TPX8ImageData& Numbered(int w, int h) {
        TPX8ImageData& d = Make(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                d.StartLine(x, y)[0] = uint8_t(10 * y + x + 1);
        return d;
    }
    static std::vector<std::vector<int>> Grid(TPX8ImageData& d) {
        std::vector<std::vector<int>> g(size_t(d.Height));
        for (int y = 0; y < d.Height; ++y)
            for (int x = 0; x < d.Width; ++x)
                g[size_t(y)].push_back(d.GetPixel({x, y}));
        return g;
    }
};

TEST_F(Surfaces, RowAccessIsTopDownOverBottomUpBands) {
    TPX8ImageData& d = Make(256, 256); // two bands of 128 rows
    d.StartLine(0, 0)[0] = 42;
    // The top row is the last row of band 1.
    EXPECT_EQ(d.Image().Segments[1]->Locked[127 * 256], 42);
    int y = 127;
    uint8_t* line = d.StartLine(5, y);
    uint8_t* next = d.NextStartLine(line, 5, y); // crosses into band 0
    EXPECT_EQ(y, 128);
    EXPECT_EQ(next, d.StartLine(5, 128));
    uint8_t* prev = d.PrevStartLine(next, 5, y);
    EXPECT_EQ(y, 127);
    EXPECT_EQ(prev, d.StartLine(5, 127));
    EXPECT_EQ(d.SegmentRect(0), (TRect{0, 128, 256, 256}));
    EXPECT_EQ(d.SegmentRect(1), (TRect{0, 0, 256, 128}));
    EXPECT_EQ(d.SegmentRect(2), (TRect{}));
}

TEST_F(Surfaces, RowAccessOutsideRaisesTheOperationsMessages) {
    TPX8ImageData& d = Make(4, 4);
    auto msg = [](auto f) {
        try {
            f();
        } catch (const PX8Exception& e) {
            return std::string(e.what());
        }
        return std::string("(none)");
    };
    int y = 0;
    EXPECT_EQ(msg([&] { d.StartLine(4, 0); }), "StartLine: co-ordinates outside drawing area");
    EXPECT_EQ(msg([&] { d.StartLine(0, -1); }), "StartLine: co-ordinates outside drawing area");
    EXPECT_EQ(msg([&] { d.PrevStartLine(d.StartLine(0, 0), 0, y); }),
              "PrevStartLine: co-ordinates outside drawing area");
    y = 3;
    EXPECT_EQ(msg([&] { d.NextStartLine(d.StartLine(0, 3), 0, y); }),
              "NextStartLine: co-ordinates outside drawing area");
    EXPECT_EQ(msg([&] { d.UnlockSegment(0, 4); }),
              "UnlockSegment: co-ordinates outside drawing area");
}

TEST_F(Surfaces, BlitClipsMirrorsAndKeysLikeTheReferenceLoop) {
    // Every combination of flips, transparency and awkward rectangles against the plain
    // per-pixel loop, on bands of several rows.
    TPX8ImageData& src = Make(40, 300);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 40; ++x)
            src.StartLine(x, y)[0] = uint8_t((x * 7 + y * 3) % 11); // 0 is common
    const TRect sourceRects[] = {
        {0, 0, 40, 300}, {-5, -7, 30, 20}, {3, 250, 38, 299}, {35, 10, 5, 2}, {0, 0, 0, 5}};
    const TPoint dests[] = {{0, 0}, {-9, 3}, {20, -4}, {25, 190}, {-100, 0}};
    const TRect clips[] = {{0, 0, 64, 200}, {10, 5, 30, 100}};
    int cases = 0;
    for (int flags = 0; flags < 8; ++flags)
        for (const TRect& sr : sourceRects)
            for (TPoint dp : dests)
                for (const TRect& clip : clips) {
                    src.FlipHorizontal = flags & 1;
                    src.FlipVertical = (flags >> 1) & 1;
                    src.SetTransparency(0, flags & 4);
                    TPX8ImageData& fast = Make(64, 200, 99);
                    TPX8ImageData& ref = Make(64, 200, 99);
                    fast.SetClipRect(clip);
                    ref.SetClipRect(clip);
                    fast.Blit(dp, src, sr);
                    ref.BlitReference(dp, src, sr);
                    ASSERT_EQ(Grid(fast), Grid(ref))
                        << "flags " << flags << " dest " << dp.X << "," << dp.Y;
                    ASSERT_EQ(fast.Damage.Rects(), ref.Damage.Rects());
                    refs.pop_back();
                    refs.pop_back();
                    ++cases;
                }
    EXPECT_EQ(cases, 400);
}

TEST_F(Surfaces, BlitExamples) {
    TPX8ImageData& src = Numbered(3, 2); // rows {1,2,3} {11,12,13}
    {
        TPX8ImageData& d = Make(4, 3);
        d.Blit({1, 1}, src, {-1, -1, 3, 2}); // a negative corner shifts the destination
        EXPECT_EQ(Grid(d),
                  (std::vector<std::vector<int>>{{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 1, 2}}));
        EXPECT_EQ(d.Damage.Rects(), (std::vector<TRect>{{2, 2, 4, 3}}));
    }
    {
        TPX8ImageData& d = Make(3, 1);
        d.Blit({-1, 0}, src, {0, 0, 3, 1}); // clipped on the left: source columns from the left
        EXPECT_EQ(Grid(d), (std::vector<std::vector<int>>{{2, 3, 0}}));
        src.FlipHorizontal = 1; // ... but from the right end when mirrored
        d.Blit({-1, 0}, src, {0, 0, 3, 1});
        EXPECT_EQ(Grid(d), (std::vector<std::vector<int>>{{2, 1, 0}}));
        src.FlipHorizontal = 0;
    }
    {
        TPX8ImageData& d = Make(3, 2, 50);
        src.SetTransparency(12, true);
        d.Blit({0, 0}, src, src.GetBounds());
        EXPECT_EQ(Grid(d), (std::vector<std::vector<int>>{{1, 2, 3}, {11, 50, 13}}));
        src.SetTransparency(12, false); // opaque: the key colour is copied like any other
        d.Blit({0, 0}, src, src.GetBounds());
        EXPECT_EQ(Grid(d), (std::vector<std::vector<int>>{{1, 2, 3}, {11, 12, 13}}));
    }
    {
        TPX8ImageData& d = Make(3, 2);
        d.BlitClipped({0, 0}, src, {1, 0, 2, 2}, src.GetBounds());
        EXPECT_EQ(Grid(d), (std::vector<std::vector<int>>{{0, 2, 0}, {0, 12, 0}}));
        EXPECT_EQ(d.ClipRect, d.GetBounds()); // restored
    }
}

TEST_F(Surfaces, BlitScreenCopiesEveryStepthPixelInAShiftingPattern) {
    TPX8ImageData& src = Make(8, 3, 1);
    TPX8ImageData& all = Make(8, 3);
    all.BlitScreen({0, 0}, src, 1, src.GetBounds());
    EXPECT_EQ(Grid(all), Grid(src));
    TPX8ImageData& d = Make(8, 3);
    d.BlitScreen({0, 0}, src, 4, src.GetBounds());
    // Row phases 2, 0, 2: counted from the right end, pixels k = p, p + 4, ...
    EXPECT_EQ(Grid(d),
              (std::vector<std::vector<int>>{
                  {0, 1, 0, 0, 0, 1, 0, 0}, {0, 0, 0, 1, 0, 0, 0, 1}, {0, 1, 0, 0, 0, 1, 0, 0}}));
}

TEST_F(Surfaces, FillFrameAndLineClipToTheClipRect) {
    TPX8ImageData& d = Make(5, 4);
    d.SetClipRect({0, 1, 5, 4});
    d.FrameRect({0, 0, 5, 4}, 3); // the top edge is clipped away: no full top row
    EXPECT_EQ(Grid(d), (std::vector<std::vector<int>>{
                           {0, 0, 0, 0, 0}, {3, 0, 0, 0, 3}, {3, 0, 0, 0, 3}, {3, 3, 3, 3, 3}}));
    EXPECT_EQ(d.Damage.Rects(), (std::vector<TRect>{{0, 1, 5, 4}}));
    d.ResetClipRect();
    d.Damage.Clear();
    d.FillRect({4, 3, 1, 2}, 7); // reversed corners are normalised
    d.HLine({-2, 0}, 4, 9);
    EXPECT_EQ(Grid(d), (std::vector<std::vector<int>>{
                           {9, 9, 0, 0, 0}, {3, 0, 0, 0, 3}, {3, 7, 7, 7, 3}, {3, 3, 3, 3, 3}}));
    d.FillRect({10, 10, 20, 20}, 1); // nothing visible: no damage
    EXPECT_EQ(d.Damage.Count(), 2);
}

TEST_F(Surfaces, OpaqueBounds) {
    TPX8ImageData& d = Make(6, 5, 0);
    TRect r;
    d.GetOpaqueBounds(r);
    EXPECT_EQ(r, d.GetBounds()); // opaque: the whole surface
    d.SetTransparency(0, true);
    d.GetOpaqueBounds(r);
    EXPECT_TRUE(r.IsEmpty());
    EXPECT_EQ(r.Left, 6);
    d.StartLine(1, 3)[0] = 4;
    d.StartLine(4, 2)[0] = 4;
    d.GetOpaqueBounds(r);
    EXPECT_EQ(r, (TRect{1, 2, 5, 4}));
}

TEST_F(Surfaces, DamageMergeRule) {
    struct Step {
        TRect add;
        std::vector<TRect> after;
    };
    TPX8ImageData& d = Make(100, 100);
    const Step steps[] = {
        {{10, 10, 20, 20}, {{10, 10, 20, 20}}},
        {{12, 12, 15, 15}, {{10, 10, 20, 20}}},                   // inside: nothing added
        {{15, 15, 30, 30}, {{10, 10, 20, 20}, {15, 15, 30, 30}}}, // overlap: both kept
        {{0, 0, 25, 25}, {{0, 0, 25, 25}, {15, 15, 30, 30}}},     // contains the first: replaces it
        {{20, 0, 10, 5}, {{0, 0, 25, 25}, {15, 15, 30, 30}}},     // reversed, inside
        {{-50, 90, 200, 300}, {{0, 0, 25, 25}, {15, 15, 30, 30}, {0, 90, 100, 100}}}, // clamped
        {{25, 0, 30, 5},
         {{0, 0, 25, 25}, {15, 15, 30, 30}, {0, 90, 100, 100}, {25, 0, 30, 5}}}, // touching only
    };
    for (const Step& s : steps) {
        d.Invalidate(s.add);
        EXPECT_EQ(d.Damage.Rects(), s.after);
    }
}

TEST_F(Surfaces, ShrinkPointSamples) {
    TPX8ImageData& src = Numbered(6, 4);
    TPX8ImageData& d = Make(3, 2);
    d.Shrink(src, 2);
    EXPECT_EQ(Grid(d), (std::vector<std::vector<int>>{{1, 3, 5}, {21, 23, 25}}));
    EXPECT_FALSE(d.HasDamage());
}

} // namespace
} // namespace qr

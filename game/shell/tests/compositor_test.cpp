// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/compositor.h"

#include <gtest/gtest.h>

#include "graphics/image_library.h"

using namespace qr;

namespace {

// The world's picture in the small frame: its 602x402 work image one pixel in, so its last
// column and row fall on the frame's black edge. A change there must leave the edge black;
// a change elsewhere must send only itself, not the frame's long edges with it.
TEST(Compositor, TheBlackFrameIsRedrawnOnlyWhereAChangeCoveredIt) {
    TCompositor compositor(nullptr);
    TPX8Library noLibrary;
    compositor.PaintSurround(noLibrary, "tile");
    TSurfaceImage work("work", 602, 402);
    work.Surface().FillRect(work.Surface().GetBounds(), 7);
    compositor.PlaceWork(work.Surface(), {1, 1}, true);
    compositor.Flush();
    work.Surface().Damage.Clear();

    const TRect frame = TClientLayout::Frame();
    const TPoint o = frame.TopLeft() + TPoint{1, 1}; // where the work's (0, 0) lands
    struct Case {
        const char* what;
        TRect change;   // in the work image
        TRect expected; // sent, in the client
    };
    const Case cases[] = {
        {"inside", {100, 100, 110, 110}, TRect::FromOriginSize(o + TPoint{100, 100}, 10, 10)},
        {"over the right edge", {590, 50, 602, 60}, {o.X + 590, o.Y + 50, frame.Right, o.Y + 60}},
        {"over the bottom-right corner",
         {595, 395, 602, 402},
         {o.X + 595, o.Y + 395, frame.Right, frame.Bottom}},
    };
    TPX8ImageData& client = compositor.Client();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        work.Surface().FillRect(c.change, 9);
        compositor.PlaceWork(work.Surface(), {1, 1}, true);
        work.Surface().Damage.Clear();
        const std::vector<TRect> sent = compositor.Flush();
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0], c.expected);
        // The change shows up to the edge, and the edge stays black.
        const TRect shown = Intersect(c.expected, frame);
        EXPECT_EQ(*client.StartLine(shown.Left, shown.Top), 9);
        if (shown.Right == frame.Right) {
            EXPECT_EQ(*client.StartLine(frame.Right - 1, shown.Top), 0);
        }
        if (shown.Bottom == frame.Bottom) {
            EXPECT_EQ(*client.StartLine(shown.Left, frame.Bottom - 1), 0);
        }
    }
}

} // namespace

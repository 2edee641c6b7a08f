// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/compositor.h"

#include "graphics/image_library.h"
#include "graphics/tile_background.h"
#include "platform/display.h"

namespace qr {

namespace {
// The colour of the surround when the tile picture is missing.
constexpr uint8_t kSurroundColour = 40;
} // namespace

TCompositor::TCompositor(Display* display)
    : display_(display), client_("client", TClientLayout::kWidth, TClientLayout::kHeight),
      palette_(std::make_shared<TPalette>()) {}

void TCompositor::PaintSurround(TPX8Library& library, const std::string& tileName) {
    TPX8ImageData& c = Client();
    if (library.IsOpen() && library.ImageExists(tileName)) {
        TTileBG tiles(library, tileName);
        tiles.PaintTo(c, {0, 0}, c.GetBounds());
    } else {
        c.FillRect(c.GetBounds(), kSurroundColour);
    }
    const TPoint o = TClientLayout::FrameOrigin();
    c.FillRect(TRect::FromOriginSize({o.X + TClientLayout::kShadow, o.Y + TClientLayout::kShadow},
                                     TClientLayout::kFrameWidth, TClientLayout::kFrameHeight),
               0);
    // The paint box's black brush until the world draws.
    c.FillRect(TClientLayout::Frame(), 0);
}

void TCompositor::PlaceWork(TPX8ImageData& work, TPoint offset, bool blackFrame) {
    TPX8ImageData& c = Client();
    const TRect frame = TClientLayout::Frame();
    const TPoint at = TClientLayout::FrameOrigin() + offset;
    const TRect edges[] = {{frame.Left, frame.Top, frame.Right, frame.Top + 1},
                           {frame.Left, frame.Bottom - 1, frame.Right, frame.Bottom},
                           {frame.Left, frame.Top, frame.Left + 1, frame.Bottom},
                           {frame.Right - 1, frame.Top, frame.Right, frame.Bottom}};
    for (TDamageNode* n : work.Damage.Nodes<TDamageNode>()) {
        c.BlitClipped(at + n->Rect.TopLeft(), work, frame, n->Rect);
        if (!blackFrame) continue;
        // Only where this change covered the black frame: the whole frame every tick
        // would send its long thin edges, and the bands the damage list joins them into,
        // to the window 18 times a second.
        const TRect placed =
            TRect::FromOriginSize(at + n->Rect.TopLeft(), n->Rect.Width(), n->Rect.Height());
        for (const TRect& edge : edges)
            c.FillRect(Intersect(edge, placed), 0);
    }
}

std::vector<TRect> TCompositor::Flush() {
    TPX8ImageData& c = Client();
    std::vector<TRect> sent = c.Damage.Rects();
    if (display_)
        c.DisplayDamage(*display_, *palette_, {0, 0});
    else
        c.Damage.Clear();
    return sent;
}

} // namespace qr

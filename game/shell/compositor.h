// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 632x453 client area as the player sees it: the tiled surround, the frame with its
// drop shadow, the world's picture inside the frame and the version label below it. It
// is one surface of the graphics code; what changes in it goes, as damage, through the
// platform's Display to the window (or to the headless frame that screenshots read).
#include <memory>
#include <string>
#include <vector>

#include "foundation/geometry.h"
#include "graphics/palette.h"
#include "graphics/surface_image.h"

namespace qr {

class Display;
class TPX8Library;

// The client area's design.
struct TClientLayout {
    static constexpr int32_t kWidth = 632, kHeight = 453;
    static constexpr int32_t kFrameWidth = 602, kFrameHeight = 402, kShadow = 12;
    // The frame plus its shadow is centred (integer halving).
    static constexpr TPoint FrameOrigin() {
        return {(kWidth - (kFrameWidth + kShadow)) / 2, (kHeight - (kFrameHeight + kShadow)) / 2};
    }
    static TRect Frame() { return TRect::FromOriginSize(FrameOrigin(), kFrameWidth, kFrameHeight); }
};

class TCompositor {
  public:
    // The display may be null (nothing is shown; the client picture is still kept).
    explicit TCompositor(Display* display);

    TPX8ImageData& Client() { return client_.Surface(); }
    const TPalette& Palette() const { return *palette_; }
    void SetPalette(std::shared_ptr<const TPalette> palette) { palette_ = std::move(palette); }

    // Draws the surround: the library's tile picture repeated from the top-left corner (a
    // plain colour when there is none), the frame's shadow and the black paint box.
    void PaintSurround(TPX8Library& library, const std::string& tileName);
    // Copies the work image's damaged rectangles into the frame at the offset; with
    // blackFrame the frame's one-pixel black edge is drawn over them.
    void PlaceWork(TPX8ImageData& work, TPoint offset, bool blackFrame);
    // Sends what changed in the client picture to the display, shows it, and returns the
    // rectangles sent (client coordinates).
    std::vector<TRect> Flush();

  private:
    Display* display_;
    TSurfaceImage client_;
    std::shared_ptr<const TPalette> palette_;
};

} // namespace qr

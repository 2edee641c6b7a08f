// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The repeating tile that covers the window around the game picture, and the same
// pattern painted into a rectangle of a surface (text-block backgrounds).
#include <functional>
#include <string_view>

#include "graphics/image_data.h"
#include "graphics/image_library.h"

namespace qr {

class TTileBG {
  public:
    // GetImage failures ("Image "..." does not exist") pass on; nothing is then held.
    TTileBG(TPX8Library& library, std::string_view imageName);
    ~TTileBG();
    TTileBG(const TTileBG&) = delete;
    TTileBG& operator=(const TTileBG&) = delete;

    // Repaints clip of the display with tiles aligned to multiples of the tile size from
    // the display's top-left, then calls PaintOver with clip. Visible after dc.Show().
    void Paint(TPresentTarget& dc, const TRect& clip);
    // Fills rect of dest with the pattern; the tile grid passes through origin - rect's
    // corner. Dest's ClipRect is left as it was.
    void PaintTo(TPX8ImageData& dest, TPoint origin, const TRect& rect);

    // Called after the tiles of a Paint, with the painted rectangle.
    std::function<void(const TRect&)> PaintOver;

    TPX8Library& Library;
    TImageNode* Node = nullptr;
    TPX8ImageData* Tile = nullptr;
};

} // namespace qr

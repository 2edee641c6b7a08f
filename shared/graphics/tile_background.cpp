// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/tile_background.h"

#include <cstdlib>

namespace qr {

TTileBG::TTileBG(TPX8Library& library, std::string_view imageName) : Library(library) {
    Node = library.GetImage(imageName);
    try {
        Tile = library.GetImageData(Node);
    } catch (...) {
        library.ReleaseImage(Node);
        throw;
    }
}

TTileBG::~TTileBG() {
    Library.ReleaseImageData(Node);
    Library.ReleaseImage(Node);
}

void TTileBG::Paint(TPresentTarget& dc, const TRect& clip) {
    const int32_t w = Tile->Width, h = Tile->Height;
    if (clip.IsEmpty()) return;
    // Floor to the tile grid, also for a clip that starts left of or above the origin.
    auto floorTo = [](int32_t v, int32_t step) { return v - (((v % step) + step) % step); };
    const int32_t x0 = floorTo(clip.Left, w), y0 = floorTo(clip.Top, h);
    for (int32_t y = y0; y < clip.Bottom; y += h)
        for (int32_t x = x0; x < clip.Right; x += w)
            Library.DrawImageAt(dc, {x, y}, Node);
    if (PaintOver) PaintOver(clip);
}

void TTileBG::PaintTo(TPX8ImageData& dest, TPoint origin, const TRect& rect) {
    const int32_t w = Tile->Width, h = Tile->Height;
    const int32_t x0 = rect.Left - std::abs((origin.X + rect.Left) % w);
    const int32_t y0 = rect.Top - std::abs((origin.Y + rect.Top) % h);
    const TRect saved = dest.ClipRect;
    dest.SetClipRect(rect);
    try {
        for (int32_t y = y0; y < rect.Bottom; y += h)
            for (int32_t x = x0; x < rect.Right; x += w)
                dest.Blit({x, y}, *Tile, Tile->GetBounds());
    } catch (...) {
        dest.ClipRect = saved;
        throw;
    }
    dest.ClipRect = saved;
}

} // namespace qr

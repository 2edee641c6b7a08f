// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's picture on the desktop: 8-bit surfaces are turned into 32-bit pixels
// through the palette into a streaming texture, only where they were damaged, and the
// renderer shows the texture scaled to the window (only the changed parts of it where the
// renderer draws straight into the window).
#include <SDL.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "platform/display.h"

namespace qr {

// Palette -> ARGB8888 table; rebuilt only when the palette's stamp changes.
class TArgbTable {
  public:
    const std::array<uint32_t, 256>& For(const TPalette& palette);

  private:
    std::array<uint32_t, 256> table_{};
    uint64_t stamp_ = 0;
};

// Converts rect of surface into 32-bit pixels at dst (pitch in bytes), keeping dst where
// the surface is transparent.
void ConvertIndexedToArgb(const TSurfaceView& surface, const TRect& rect,
                          const std::array<uint32_t, 256>& table, uint32_t* dst, int dstPitch);

class SdlDisplay : public Display {
  public:
    // The renderer belongs to the window; the display owns its texture.
    SdlDisplay(SDL_Renderer* renderer, int32_t width, int32_t height);

    int32_t Width() const override { return width_; }
    int32_t Height() const override { return height_; }
    int Present(const TSurfaceView& surface, std::span<const TTransfer> transfers,
                const TPalette& palette) override;
    // Uploads what changed to the texture, then draws it (or, when onShow is set, leaves
    // drawing to onShow: a window that draws once per turn of its loop).
    void Show() override;
    // Draws the texture again (after the window was exposed or resized).
    void Redraw();
    // Draws what changed since the last drawing: only that part of the window where the
    // renderer draws straight into it, else the whole texture.
    void DrawChanges();
    std::function<void()> onShow;

  private:
    void NoteUndrawn(const TRect& r);
    struct TextureDeleter {
        void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
    };
    SDL_Renderer* renderer_;
    int32_t width_;
    int32_t height_;
    std::unique_ptr<SDL_Texture, TextureDeleter> texture_;
    std::vector<uint32_t> frame_; // what the texture shows, for keyed transfers
    TArgbTable table_;
    TRect dirty_;
    std::vector<TRect> undrawn_; // uploaded to the texture, not yet drawn in the window
    bool partial_;               // the renderer keeps the window's pixels between drawings
    bool drawn_ = false;         // the whole window was drawn once (the margins are cleared)
};

} // namespace qr

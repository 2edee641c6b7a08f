// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/display_sdl.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "foundation/uvo_exception.h"

namespace qr {

const std::array<uint32_t, 256>& TArgbTable::For(const TPalette& palette) {
    if (stamp_ != palette.Stamp()) {
        for (int i = 0; i < 256; ++i) {
            const TRGBColour c = palette[i];
            table_[size_t(i)] = 0xFF000000u | (uint32_t(c.R) << 16) | (uint32_t(c.G) << 8) | c.B;
        }
        stamp_ = palette.Stamp();
    }
    return table_;
}

void ConvertIndexedToArgb(const TSurfaceView& surface, const TRect& rect,
                          const std::array<uint32_t, 256>& table, uint32_t* dst, int dstPitch) {
    const int32_t w = rect.Width();
    const uint32_t* t = table.data();
    for (int32_t y = rect.Top; y < rect.Bottom; ++y) {
        const uint8_t* s = surface.Row(y) + rect.Left;
        uint32_t* d = reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(dst) +
                                                  size_t(y - rect.Top) * dstPitch);
        if (surface.TransparentColour < 0) {
            int32_t i = 0;
            // Eight indices per load: the table lookups are then the only memory reads.
            for (; i + 8 <= w; i += 8) {
                uint64_t v;
                std::memcpy(&v, s + i, 8);
                d[i] = t[v & 0xFF];
                d[i + 1] = t[(v >> 8) & 0xFF];
                d[i + 2] = t[(v >> 16) & 0xFF];
                d[i + 3] = t[(v >> 24) & 0xFF];
                d[i + 4] = t[(v >> 32) & 0xFF];
                d[i + 5] = t[(v >> 40) & 0xFF];
                d[i + 6] = t[(v >> 48) & 0xFF];
                d[i + 7] = t[v >> 56];
            }
            for (; i < w; ++i)
                d[i] = t[s[i]];
        } else {
            const uint8_t key = uint8_t(surface.TransparentColour);
            for (int32_t i = 0; i < w; ++i)
                if (s[i] != key) d[i] = t[s[i]];
        }
    }
}

SdlDisplay::SdlDisplay(SDL_Renderer* renderer, int32_t width, int32_t height)
    : renderer_(renderer), width_(width), height_(height),
      frame_(size_t(width) * size_t(height), 0xFF000000u) {
    texture_.reset(SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                     SDL_TEXTUREACCESS_STREAMING, width, height));
    if (!texture_)
        throw UvoException(std::string("Cannot create the window's texture: ") + SDL_GetError());
    dirty_ = {0, 0, width, height};
    // SDL's software renderer draws into the window's own surface, which keeps its pixels;
    // an accelerated renderer's back buffer is undefined after each present.
    SDL_RendererInfo info;
    partial_ = SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE);
}

int SdlDisplay::Present(const TSurfaceView& surface, std::span<const TTransfer> transfers,
                        const TPalette& palette) {
    const auto& table = table_.For(palette);
    int lines = 0;
    for (const TTransfer& t : transfers) {
        TRect src = Intersect(t.Source, {0, 0, surface.Width, surface.Height});
        if (src.IsEmpty()) continue;
        const TPoint dest{t.Dest.X + (src.Left - t.Source.Left),
                          t.Dest.Y + (src.Top - t.Source.Top)};
        const TRect d = Intersect(TRect::FromOriginSize(dest, src.Width(), src.Height()),
                                  {0, 0, width_, height_});
        if (d.IsEmpty()) continue;
        src = TRect::FromOriginSize({src.Left + d.Left - dest.X, src.Top + d.Top - dest.Y},
                                    d.Width(), d.Height());
        ConvertIndexedToArgb(surface, src, table, frame_.data() + size_t(d.Top) * width_ + d.Left,
                             int(width_ * sizeof(uint32_t)));
        dirty_ = Union(dirty_, d);
        NoteUndrawn(d);
        lines += d.Height();
    }
    return lines;
}

void SdlDisplay::NoteUndrawn(const TRect& r) {
    // The title's figure and its sparkles change small parts far apart; one rectangle
    // around them all would be most of the window. Past a few, one rectangle is cheaper.
    constexpr size_t kMostParts = 16;
    for (TRect& u : undrawn_)
        if (!Intersect(u, r).IsEmpty()) {
            u = Union(u, r);
            return;
        }
    if (undrawn_.size() < kMostParts) {
        undrawn_.push_back(r);
        return;
    }
    TRect all = r;
    for (const TRect& u : undrawn_)
        all = Union(all, u);
    undrawn_.assign(1, all);
}

void SdlDisplay::Show() {
    if (!dirty_.IsEmpty()) {
        const SDL_Rect r{dirty_.Left, dirty_.Top, dirty_.Width(), dirty_.Height()};
        SDL_UpdateTexture(texture_.get(), &r,
                          frame_.data() + size_t(dirty_.Top) * width_ + dirty_.Left,
                          int(width_ * sizeof(uint32_t)));
        dirty_ = {};
        if (onShow)
            onShow();
        else
            DrawChanges();
    }
}

void SdlDisplay::Redraw() {
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_.get(), nullptr, nullptr);
    SDL_RenderPresent(renderer_);
    undrawn_.clear();
    drawn_ = true;
}

void SdlDisplay::DrawChanges() {
    if (!partial_ || !drawn_) return Redraw();
    if (undrawn_.empty()) return;
    // Scaling and sending the whole 2x window 18 times a second is most of the animated
    // title's processor time; the flying figure changes a small part of it.
    SDL_Window* window = SDL_RenderGetWindow(renderer_);
    if (!window) return Redraw();
    for (const TRect& u : undrawn_) {
        const SDL_Rect r{u.Left, u.Top, u.Width(), u.Height()};
        SDL_RenderCopy(renderer_, texture_.get(), &r, &r);
    }
    SDL_Rect view;
    float sx = 1, sy = 1;
    int w = 0, h = 0;
    SDL_RenderGetViewport(renderer_, &view);
    SDL_RenderGetScale(renderer_, &sx, &sy);
    if (SDL_RenderFlush(renderer_) != 0 || SDL_GetRendererOutputSize(renderer_, &w, &h) != 0)
        return Redraw();
    std::vector<SDL_Rect> out;
    for (const TRect& u : undrawn_) {
        // In window pixels, a pixel wider on each side against rounding.
        const int left = std::max(0, int((view.x + u.Left) * sx) - 1);
        const int top = std::max(0, int((view.y + u.Top) * sy) - 1);
        const int right = std::min(w, int((view.x + u.Right) * sx + 0.999f) + 1);
        const int bottom = std::min(h, int((view.y + u.Bottom) * sy + 0.999f) + 1);
        if (right > left && bottom > top) out.push_back({left, top, right - left, bottom - top});
    }
    undrawn_.clear();
    if (!out.empty() && SDL_UpdateWindowSurfaceRects(window, out.data(), int(out.size())) != 0)
        Redraw();
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/world/world_gfx.h"

#include <cstring>

#include "foundation/utils.h"

namespace qr {

TMemoryPicture::TMemoryPicture(int32_t width, int32_t height, uint8_t colour)
    : width_(width > 0 ? width : 0), height_(height > 0 ? height : 0),
      pixels_(size_t(width_) * size_t(height_), colour) {}

uint8_t TMemoryPicture::PixelAt(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    if (flipH_) x = width_ - 1 - x;
    if (flipV_) y = height_ - 1 - y;
    return pixels_[size_t(y) * size_t(width_) + size_t(x)];
}

TMemoryPicture* TMemoryLibrary::Add(const std::string& name,
                                    std::unique_ptr<TMemoryPicture> picture) {
    auto& e = entries_[AsciiLower(name)];
    e.picture = std::move(picture);
    e.created = false;
    return e.picture.get();
}

TWorldPicture* TMemoryLibrary::GetImage(const std::string& name) {
    auto it = entries_.find(AsciiLower(name));
    if (it == entries_.end()) return nullptr;
    ++it->second.refs;
    return it->second.picture.get();
}

void TMemoryLibrary::ReleaseImage(TWorldPicture* picture) {
    if (!picture) return;
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->second.picture.get() != picture) continue;
        if (it->second.refs > 0) --it->second.refs;
        if (it->second.refs == 0 && it->second.created) entries_.erase(it);
        return;
    }
}

TWorldPicture* TMemoryLibrary::CreateImage(const std::string& name, int32_t width, int32_t height) {
    auto& e = entries_[AsciiLower(name)];
    e.picture = std::make_unique<TMemoryPicture>(width, height);
    e.refs = 1;
    e.created = true;
    return e.picture.get();
}

std::vector<TWorldLibrary::ImageInfo> TMemoryLibrary::List() const {
    std::vector<ImageInfo> out;
    for (const auto& [name, e] : entries_)
        out.push_back({name, e.picture->Width(), e.picture->Height()});
    return out;
}

int TMemoryLibrary::Outstanding() const {
    int n = 0;
    for (const auto& [name, e] : entries_)
        n += e.refs;
    return n;
}

TMemorySurface::TMemorySurface(int32_t width, int32_t height) : pixels_(width, height) {
    clip_ = Bounds();
}

void TMemorySurface::Fill(uint8_t colour) {
    for (int32_t y = clip_.Top; y < clip_.Bottom; ++y)
        for (int32_t x = clip_.Left; x < clip_.Right; ++x)
            pixels_.At(x, y) = colour;
    Invalidate(clip_);
}

void TMemorySurface::Draw(const TWorldPicture& src, TRect srcRect, TPoint dst) {
    srcRect = Intersect(srcRect, {0, 0, src.Width(), src.Height()});
    if (srcRect.IsEmpty()) return;
    TRect target = Intersect(TRect::FromOriginSize(dst, srcRect.Width(), srcRect.Height()), clip_);
    if (target.IsEmpty()) return;
    // Unflipped pictures of bytes are copied a row at a time; everything else a pixel at a time.
    const int key = src.TransparentColour();
    auto* plain = dynamic_cast<const TMemoryPicture*>(&src);
    if (plain && key < 0 && !plain->FlipHorizontal() && !plain->FlipVertical()) {
        for (int32_t y = target.Top; y < target.Bottom; ++y)
            std::memcpy(&pixels_.At(target.Left, y),
                        plain->Row(srcRect.Top + (y - dst.Y)) + srcRect.Left +
                            (target.Left - dst.X),
                        size_t(target.Width()));
        Invalidate(target);
        return;
    }
    for (int32_t y = target.Top; y < target.Bottom; ++y)
        for (int32_t x = target.Left; x < target.Right; ++x) {
            const uint8_t c = src.PixelAt(srcRect.Left + (x - dst.X), srcRect.Top + (y - dst.Y));
            if (c != key) pixels_.At(x, y) = c;
        }
    Invalidate(target);
}

void TMemorySurface::Invalidate(TRect r) {
    r = Intersect(r, Bounds());
    if (r.IsEmpty()) return;
    // Overlapping areas are merged so a busy tick sends few rectangles; a merge can make
    // the area reach rectangles already passed, so the walk starts again after one.
    for (bool merged = true; merged;) {
        merged = false;
        for (auto it = damage_.begin(); it != damage_.end(); ++it) {
            if (Intersects(*it, r)) {
                r = Union(r, *it);
                damage_.erase(it);
                merged = true;
                break;
            }
        }
    }
    damage_.push_back(r);
}

std::vector<TRect> TMemorySurface::TakeDamage() {
    std::vector<TRect> out;
    out.swap(damage_);
    return out;
}

void TMemorySurface::ReadRow(int32_t x, int32_t y, int32_t n, uint8_t* out) const {
    std::memcpy(out, pixels_.Row(y) + x, size_t(n));
}

std::unique_ptr<TWorldPicture> TMemorySurface::Snapshot() const {
    auto copy = std::make_unique<TMemoryPicture>(Width(), Height());
    for (int32_t y = 0; y < Height(); ++y)
        for (int32_t x = 0; x < Width(); ++x)
            copy->At(x, y) = pixels_.PixelAt(x, y);
    return copy;
}

} // namespace qr

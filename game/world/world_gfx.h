// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the world needs from pictures: a library that hands out counted references to
// named 8-bit pictures, and the off-screen work image the current room draws into,
// which records the rectangles that changed so only those reach the screen. The world
// is written against these interfaces; the memory implementation below is what tests
// and the headless game draw with.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "foundation/geometry.h"

namespace qr {

// One picture of a library, drawn from with its two flips.
class TWorldPicture {
  public:
    virtual ~TWorldPicture() = default;
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    virtual void SetFlips(bool horizontal, bool vertical) = 0;
    virtual bool FlipHorizontal() const = 0;
    virtual bool FlipVertical() const = 0;
    // The colour index at (x, y) as drawn, that is with the flips applied; 0 outside.
    virtual uint8_t PixelAt(int32_t x, int32_t y) const = 0;
    // The colour that leaves the destination untouched when this picture is drawn, or -1
    // for an opaque picture (which copies every pixel, that colour included).
    virtual int TransparentColour() const { return -1; }
};

// Counted references to named pictures; every GetImage is paired with a ReleaseImage.
class TWorldLibrary {
  public:
    struct ImageInfo {
        std::string name;
        int32_t width = 0;
        int32_t height = 0;
    };
    virtual ~TWorldLibrary() = default;
    // Null when there is no picture of that name (names compare without regard to case).
    virtual TWorldPicture* GetImage(const std::string& name) = 0;
    virtual void ReleaseImage(TWorldPicture* picture) = 0;
    // A blank picture of the library's own (a room's "#0"); released like the others.
    virtual TWorldPicture* CreateImage(const std::string& name, int32_t width, int32_t height) = 0;
    virtual std::vector<ImageInfo> List() const = 0;
};

// The work image. Every change goes through a call that records damage.
class TWorldSurface {
  public:
    virtual ~TWorldSurface() = default;
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    virtual void Fill(uint8_t colour) = 0;
    // Copies src's rectangle (as drawn, flips applied) to dst, clipped to the surface and
    // the clip rectangle.
    virtual void Draw(const TWorldPicture& src, TRect srcRect, TPoint dst) = 0;
    virtual void Invalidate(TRect r) = 0;
    virtual bool HasDamage() const = 0;
    virtual std::vector<TRect> TakeDamage() = 0;
    // Drawing is limited to this rectangle; the whole surface by default.
    virtual TRect Clip() const = 0;
    virtual void SetClip(TRect r) = 0;
    virtual uint8_t PixelAt(int32_t x, int32_t y) const = 0;
    // n pixels of row y from x on (the caller keeps inside the surface).
    virtual void ReadRow(int32_t x, int32_t y, int32_t n, uint8_t* out) const {
        for (int32_t i = 0; i < n; ++i)
            out[i] = PixelAt(x + i, y);
    }
    // A picture holding a copy of the surface as it is now.
    virtual std::unique_ptr<TWorldPicture> Snapshot() const = 0;
};

// A picture kept as plain bytes.
class TMemoryPicture : public TWorldPicture {
  public:
    TMemoryPicture(int32_t width, int32_t height, uint8_t colour = 0);
    int32_t Width() const override { return width_; }
    int32_t Height() const override { return height_; }
    void SetFlips(bool horizontal, bool vertical) override {
        flipH_ = horizontal;
        flipV_ = vertical;
    }
    bool FlipHorizontal() const override { return flipH_; }
    bool FlipVertical() const override { return flipV_; }
    uint8_t PixelAt(int32_t x, int32_t y) const override;
    int TransparentColour() const override { return transparent_; }
    void SetTransparentColour(int colour) { transparent_ = colour; }
    // Stored (unflipped) pixels.
    uint8_t& At(int32_t x, int32_t y) { return pixels_[size_t(y) * size_t(width_) + size_t(x)]; }
    const std::vector<uint8_t>& Pixels() const { return pixels_; }
    const uint8_t* Row(int32_t y) const { return pixels_.data() + size_t(y) * size_t(width_); }

  private:
    int32_t width_;
    int32_t height_;
    bool flipH_ = false;
    bool flipV_ = false;
    int transparent_ = -1;
    std::vector<uint8_t> pixels_;
};

// A library held in memory; it counts references so tests can see a leak.
class TMemoryLibrary : public TWorldLibrary {
  public:
    // Adds (or replaces) a picture; the library owns it.
    TMemoryPicture* Add(const std::string& name, std::unique_ptr<TMemoryPicture> picture);
    TWorldPicture* GetImage(const std::string& name) override;
    void ReleaseImage(TWorldPicture* picture) override;
    TWorldPicture* CreateImage(const std::string& name, int32_t width, int32_t height) override;
    std::vector<ImageInfo> List() const override;
    // References handed out and not yet given back.
    int Outstanding() const;

  private:
    struct Entry {
        std::unique_ptr<TMemoryPicture> picture;
        int refs = 0;
        bool created = false; // made by CreateImage: dropped at its last release
    };
    std::map<std::string, Entry> entries_; // key: lower-case name
};

class TMemorySurface : public TWorldSurface {
  public:
    TMemorySurface(int32_t width, int32_t height);
    int32_t Width() const override { return pixels_.Width(); }
    int32_t Height() const override { return pixels_.Height(); }
    void Fill(uint8_t colour) override;
    void Draw(const TWorldPicture& src, TRect srcRect, TPoint dst) override;
    void Invalidate(TRect r) override;
    bool HasDamage() const override { return !damage_.empty(); }
    std::vector<TRect> TakeDamage() override;
    TRect Clip() const override { return clip_; }
    void SetClip(TRect r) override { clip_ = Intersect(r, Bounds()); }
    uint8_t PixelAt(int32_t x, int32_t y) const override { return pixels_.PixelAt(x, y); }
    void ReadRow(int32_t x, int32_t y, int32_t n, uint8_t* out) const override;
    std::unique_ptr<TWorldPicture> Snapshot() const override;

    TRect Bounds() const { return {0, 0, Width(), Height()}; }

  private:
    TMemoryPicture pixels_;
    TRect clip_;
    std::vector<TRect> damage_;
};

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drawable form of an image: row access to its bands, blits with transparency,
// clipping and mirroring, fills and frames, and the list of rectangles changed since the
// window last showed them. The game composes every screen on one such back surface and
// sends only the damaged rectangles to the window each tick.
#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/geometry.h"
#include "foundation/uvo_list.h"
#include "graphics/palette.h"
#include "graphics/px8_exception.h"

namespace qr {

class TPX8Image;
class TPX8ImageSegment;

// One damaged rectangle.
class TDamageNode : public TUvoNode {
  public:
    explicit TDamageNode(const TRect& r) : Rect(r) {}
    TRect Rect;
};

// Damaged rectangles in insertion order.
class TDamageList : public TUvoList {
  public:
    std::vector<TRect> Rects() const;
};

class TPX8ImageData {
  public:
    // Made by TPX8Image::CreateImageData; the image must outlive the surface.
    explicit TPX8ImageData(TPX8Image& image);
    ~TPX8ImageData();
    TPX8ImageData(const TPX8ImageData&) = delete;
    TPX8ImageData& operator=(const TPX8ImageData&) = delete;

    // Row access. Each call locks the band it points into (which loads it on first use).
    uint8_t* StartLine(int32_t x, int32_t y);
    uint8_t* PrevStartLine(uint8_t* line, int32_t x, int32_t& y);
    uint8_t* NextStartLine(uint8_t* line, int32_t x, int32_t& y);
    void UnlockSegment(int32_t x, int32_t y);
    void LockAll();

    TRect GetBounds() const { return {0, 0, Width, Height}; }
    int GetTransparentColour() const { return Transparent ? TransparentColour : -1; }
    void SetTransparency(uint8_t colour, bool flag) {
        TransparentColour = colour;
        Transparent = flag ? 1 : 0;
    }
    bool SetClipRect(const TRect& rect);
    void ResetClipRect() { ClipRect = GetBounds(); }
    uint8_t GetPixel(TPoint p);
    void GetOpaqueBounds(TRect& rect);
    TRect SegmentRect(int index) const;

    // Drawing into this surface; each adds the rectangle it changed to the damage list.
    void Blit(TPoint dest, TPX8ImageData& source, TRect sourceRect);
    void BlitClipped(TPoint dest, TPX8ImageData& source, const TRect& clip, TRect sourceRect);
    void BlitScreen(TPoint dest, TPX8ImageData& source, uint8_t step, TRect sourceRect);
    void FillRect(TRect rect, uint8_t colour);
    void FrameRect(TRect rect, uint8_t colour);
    void HLine(TPoint p, int32_t length, uint8_t colour);
    // Point-sampled reduction of source into the whole surface; adds no damage.
    void Shrink(TPX8ImageData& source, int32_t factor);

    void Invalidate(TRect rect);
    void InvalidateAll() { Invalidate(GetBounds()); }
    bool HasDamage() const { return !Damage.IsEmpty(); }

    // Copies rect of the surface to the display with its top-left at point, one transfer
    // per band, bottom band first; returns the number of rows sent.
    int Display(TPresentTarget& dc, const TPalette& palette, TPoint point, TRect rect);
    // Sends every damaged rectangle (offset by origin), then forgets them.
    void DisplayDamage(TPresentTarget& dc, const TPalette& palette, TPoint origin);

    // A plain reference implementation of Blit (one pixel at a time), kept for tests of
    // the specialised loops.
    void BlitReference(TPoint dest, TPX8ImageData& source, TRect sourceRect);

    TPX8Image& Image() const { return image_; }
    int32_t RowsPerBand() const { return rowsPerBand_; }

    uint8_t SegmentCount = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Stride = 0;
    uint8_t TransparentColour = 0;
    uint8_t Transparent = 0;
    TDamageList Damage;
    TRect ClipRect;
    uint8_t AllLocked = 0;
    uint8_t FlipVertical = 0;
    uint8_t FlipHorizontal = 0;

  private:
    TPX8ImageSegment& BandOf(int32_t y, int32_t& rowInBand) const;
    TRect Normalise(TRect r) const;
    TPX8Image& image_;
    int32_t rowsPerBand_ = 0;
};

// RAII holder of one GetImageData reference.
class TPX8Library;
class TImageNode;
class TImageDataRef {
  public:
    TImageDataRef() = default;
    TImageDataRef(TPX8Library& lib, TImageNode* node);
    ~TImageDataRef() { Reset(); }
    TImageDataRef(TImageDataRef&& o) noexcept : lib_(o.lib_), node_(o.node_), data_(o.data_) {
        o.node_ = nullptr;
        o.data_ = nullptr;
    }
    TImageDataRef& operator=(TImageDataRef&& o) noexcept;
    void Reset();
    TPX8ImageData* get() const { return data_; }
    TPX8ImageData* operator->() const { return data_; }
    TPX8ImageData& operator*() const { return *data_; }
    explicit operator bool() const { return data_ != nullptr; }

  private:
    TPX8Library* lib_ = nullptr;
    TImageNode* node_ = nullptr;
    TPX8ImageData* data_ = nullptr;
};

} // namespace qr

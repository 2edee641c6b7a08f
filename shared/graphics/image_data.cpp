// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/image_data.h"

#include <algorithm>
#include <cstring>

#include "graphics/blit_kernels.h"
#include "graphics/image_library.h"

namespace qr {

std::vector<TRect> TDamageList::Rects() const {
    std::vector<TRect> out;
    for (TDamageNode* n : Nodes<TDamageNode>())
        out.push_back(n->Rect);
    return out;
}

TPX8ImageData::TPX8ImageData(TPX8Image& image) : image_(image) {
    SegmentCount = image.SegmentCount;
    Width = image.Width;
    Height = image.Height;
    Stride = image.Layout().Stride;
    TransparentColour = image.TransparentColour;
    Transparent = image.Transparent;
    rowsPerBand_ = image.Layout().RowsPerBand;
    ClipRect = GetBounds();
}

TPX8ImageData::~TPX8ImageData() {
    for (auto& seg : image_.Segments)
        seg->Unlock();
}

TPX8ImageSegment& TPX8ImageData::BandOf(int32_t y, int32_t& rowInBand) const {
    const int32_t b = Height - 1 - y;
    rowInBand = b % rowsPerBand_;
    return *image_.Segments[size_t(b / rowsPerBand_)];
}

uint8_t* TPX8ImageData::StartLine(int32_t x, int32_t y) {
    if (x < 0 || x >= Width || y < 0 || y >= Height)
        throw PX8Exception("StartLine: co-ordinates outside drawing area");
    int32_t row;
    TPX8ImageSegment& seg = BandOf(y, row);
    uint8_t* p = seg.Locked ? seg.Locked : seg.Lock();
    if (!p) throw PX8Exception("StartLine: Lock failed");
    return p + size_t(row) * Stride + x;
}

uint8_t* TPX8ImageData::PrevStartLine(uint8_t* line, int32_t x, int32_t& y) {
    const int32_t ny = y - 1;
    if (x < 0 || x >= Width || ny < 0 || ny >= Height || y >= Height)
        throw PX8Exception("PrevStartLine: co-ordinates outside drawing area");
    y = ny;
    // Moving up the picture is moving forwards in the bottom-up memory of a band.
    if ((Height - 1 - ny) / rowsPerBand_ == (Height - 1 - (ny + 1)) / rowsPerBand_)
        return line + Stride;
    UnlockSegment(x, ny + 1);
    return StartLine(x, ny);
}

uint8_t* TPX8ImageData::NextStartLine(uint8_t* line, int32_t x, int32_t& y) {
    const int32_t ny = y + 1;
    if (x < 0 || x >= Width || ny < 0 || ny >= Height || y < 0)
        throw PX8Exception("NextStartLine: co-ordinates outside drawing area");
    y = ny;
    if ((Height - 1 - ny) / rowsPerBand_ == (Height - 1 - (ny - 1)) / rowsPerBand_)
        return line - Stride;
    UnlockSegment(x, ny - 1);
    return StartLine(x, ny);
}

void TPX8ImageData::UnlockSegment(int32_t x, int32_t y) {
    if (x < 0 || x >= Width || y < 0 || y >= Height)
        throw PX8Exception("UnlockSegment: co-ordinates outside drawing area");
    if (AllLocked) return; // bands locked for good stay locked
    int32_t row;
    BandOf(y, row).Unlock();
}

void TPX8ImageData::LockAll() {
    if (AllLocked) return;
    for (auto& seg : image_.Segments)
        if (!seg->Lock()) throw PX8Exception("StartLine: Lock failed");
    AllLocked = 1;
}

bool TPX8ImageData::SetClipRect(const TRect& rect) {
    ClipRect = Intersect(rect, GetBounds());
    return !ClipRect.IsEmpty();
}

uint8_t TPX8ImageData::GetPixel(TPoint p) {
    return *StartLine(p.X, p.Y);
}

TRect TPX8ImageData::Normalise(TRect r) const {
    if (r.Left > r.Right) std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
    r.Left = std::max(r.Left, 0);
    r.Top = std::max(r.Top, 0);
    r.Right = std::min(r.Right, Width);
    r.Bottom = std::min(r.Bottom, Height);
    return r;
}

void TPX8ImageData::GetOpaqueBounds(TRect& rect) {
    rect = GetBounds();
    const int t = GetTransparentColour();
    if (t < 0) return;
    auto rowClear = [&](int32_t y) {
        const uint8_t* p = StartLine(0, y);
        for (int32_t x = 0; x < Width; ++x)
            if (p[x] != t) return false;
        return true;
    };
    while (rect.Top < rect.Bottom && rowClear(rect.Top))
        ++rect.Top;
    while (rect.Bottom > rect.Top && rowClear(rect.Bottom - 1))
        --rect.Bottom;
    if (rect.Top == rect.Bottom) {
        rect = {Width, rect.Top, 0, rect.Bottom};
        return;
    }
    int32_t left = Width, right = -1;
    for (int32_t y = rect.Top; y < rect.Bottom; ++y) {
        const uint8_t* p = StartLine(0, y);
        for (int32_t x = 0; x < Width; ++x)
            if (p[x] != t) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    }
    rect.Left = left;
    rect.Right = right + 1;
}

TRect TPX8ImageData::SegmentRect(int index) const {
    if (index < 0 || index >= SegmentCount) return {};
    const int32_t rows = image_.Layout().RowsOf(index);
    return {0, Height - (index * rowsPerBand_ + rows), Width, Height - index * rowsPerBand_};
}

// ---------------------------------------------------------------------------------------
// Blits

namespace {

// Where a blit reads and writes once clipping has been applied.
struct BlitPlan {
    TRect dest;
    TRect src;
    bool empty = true;
};

BlitPlan PlanBlit(const TPX8ImageData& dst, TPoint dp, const TPX8ImageData& src, TRect sr,
                  const TRect& clip, bool negativeCorner, bool mirror) {
    BlitPlan p;
    if (negativeCorner) {
        if (sr.Left < 0) {
            dp.X -= sr.Left;
            sr.Left = 0;
        }
        if (sr.Top < 0) {
            dp.Y -= sr.Top;
            sr.Top = 0;
        }
    }
    if (sr.Left > sr.Right) std::swap(sr.Left, sr.Right);
    if (sr.Top > sr.Bottom) std::swap(sr.Top, sr.Bottom);
    sr.Left = std::max(sr.Left, 0);
    sr.Top = std::max(sr.Top, 0);
    sr.Right = std::min(sr.Right, src.Width);
    sr.Bottom = std::min(sr.Bottom, src.Height);
    if (sr.IsEmpty()) return p;
    TRect d = Intersect(TRect{dp.X, dp.Y, dp.X + sr.Width(), dp.Y + sr.Height()}, clip);
    if (d.IsEmpty()) return p;
    const int32_t dx = d.Left - dp.X, dy = d.Top - dp.Y;
    if (mirror && src.FlipHorizontal) {
        sr.Right -= dx;
        sr.Left = sr.Right - d.Width();
    } else {
        sr.Left += dx;
        sr.Right = sr.Left + d.Width();
    }
    if (mirror && src.FlipVertical) {
        sr.Bottom -= dy;
        sr.Top = sr.Bottom - d.Height();
    } else {
        sr.Top += dy;
        sr.Bottom = sr.Top + d.Height();
    }
    if (sr.IsEmpty()) return p;
    p.dest = d;
    p.src = sr;
    p.empty = false;
    return p;
}

} // namespace

void TPX8ImageData::Blit(TPoint dest, TPX8ImageData& source, TRect sourceRect) {
    const int t = source.GetTransparentColour();
    const BlitPlan p = PlanBlit(*this, dest, source, sourceRect, ClipRect, true, true);
    if (p.empty) return;
    const int32_t w = p.dest.Width();
    const bool flipV = source.FlipVertical, flipH = source.FlipHorizontal;
    int32_t sy = flipV ? p.src.Bottom - 1 : p.src.Top;
    int32_t dy = p.dest.Top;
    const uint8_t* s = source.StartLine(p.src.Left, sy);
    uint8_t* d = StartLine(p.dest.Left, dy);
    const TRowCopy copy = SelectRowCopy(t >= 0, flipH);
    for (int32_t row = 0;; ++row) {
        copy(d, s, w, uint8_t(t));
        if (row == p.dest.Height() - 1) break;
        s = flipV ? source.PrevStartLine(const_cast<uint8_t*>(s), p.src.Left, sy)
                  : source.NextStartLine(const_cast<uint8_t*>(s), p.src.Left, sy);
        d = NextStartLine(d, p.dest.Left, dy);
    }
    if (&source != this) source.UnlockSegment(p.src.Left, sy);
    UnlockSegment(p.dest.Left, dy);
    Invalidate(p.dest);
}

void TPX8ImageData::BlitReference(TPoint dest, TPX8ImageData& source, TRect sourceRect) {
    const int t = source.GetTransparentColour();
    const BlitPlan p = PlanBlit(*this, dest, source, sourceRect, ClipRect, true, true);
    if (p.empty) return;
    for (int32_t r = 0; r < p.dest.Height(); ++r) {
        const int32_t sy = source.FlipVertical ? p.src.Bottom - 1 - r : p.src.Top + r;
        for (int32_t i = 0; i < p.dest.Width(); ++i) {
            const int32_t sx = source.FlipHorizontal ? p.src.Right - 1 - i : p.src.Left + i;
            const uint8_t v = *source.StartLine(sx, sy);
            if (t >= 0 && v == t) continue;
            *StartLine(p.dest.Left + i, p.dest.Top + r) = v;
        }
    }
    Invalidate(p.dest);
}

void TPX8ImageData::BlitClipped(TPoint dest, TPX8ImageData& source, const TRect& clip,
                                TRect sourceRect) {
    const TRect saved = ClipRect;
    ClipRect = Intersect(clip, GetBounds());
    try {
        Blit(dest, source, sourceRect);
    } catch (...) {
        ClipRect = saved;
        throw;
    }
    ClipRect = saved;
}

void TPX8ImageData::BlitScreen(TPoint dest, TPX8ImageData& source, uint8_t step, TRect sourceRect) {
    if (step == 0) return; // no pattern to follow; nothing is copied
    const int t = source.GetTransparentColour();
    const BlitPlan p = PlanBlit(*this, dest, source, sourceRect, ClipRect, false, false);
    if (p.empty) return;
    const int32_t w = p.dest.Width();
    const int32_t half = step / 2;
    int32_t phase = step;
    for (int32_t r = 0; r < p.dest.Height(); ++r) {
        phase = phase >= half ? phase - half : phase - half + step;
        // Only Step 1 can leave the phase at Step; it must still copy every pixel.
        phase %= step;
        const uint8_t* s = source.StartLine(p.src.Left, p.src.Top + r);
        uint8_t* d = StartLine(p.dest.Left, p.dest.Top + r);
        // k counts pixels from the right end of the row.
        for (int32_t k = phase; k < w; k += step) {
            const int32_t i = w - 1 - k;
            if (t >= 0 && s[i] == t) continue;
            d[i] = s[i];
        }
        if (&source != this) source.UnlockSegment(p.src.Left, p.src.Top + r);
        UnlockSegment(p.dest.Left, p.dest.Top + r);
    }
    Invalidate(p.dest);
}

void TPX8ImageData::FillRect(TRect rect, uint8_t colour) {
    const TRect r = Intersect(Normalise(rect), ClipRect);
    if (r.IsEmpty()) return;
    for (int32_t y = r.Top; y < r.Bottom; ++y)
        std::memset(StartLine(r.Left, y), colour, size_t(r.Width()));
    Invalidate(r);
}

void TPX8ImageData::FrameRect(TRect rect, uint8_t colour) {
    const TRect r = Intersect(Normalise(rect), ClipRect);
    if (r.IsEmpty()) return;
    // Edges compare with the rectangle as given: an edge clipped away is not drawn.
    for (int32_t y = r.Top; y < r.Bottom; ++y) {
        uint8_t* p = StartLine(r.Left, y);
        if (y == rect.Top || y == rect.Bottom - 1) {
            std::memset(p, colour, size_t(r.Width()));
        } else {
            if (r.Left == rect.Left) p[0] = colour;
            if (r.Right == rect.Right) p[r.Width() - 1] = colour;
        }
    }
    Invalidate(r);
}

void TPX8ImageData::HLine(TPoint p, int32_t length, uint8_t colour) {
    FillRect({p.X, p.Y, p.X + length, p.Y + 1}, colour);
}

void TPX8ImageData::Shrink(TPX8ImageData& source, int32_t factor) {
    // Sizes the caller got wrong would read outside the source: those pixels are skipped.
    for (int32_t y = 0; y < Height; ++y) {
        const int32_t sy = factor * y;
        if (sy >= source.Height) break;
        uint8_t* d = StartLine(0, y);
        const uint8_t* s = source.StartLine(0, sy);
        for (int32_t x = 0; x < Width && factor * x < source.Width; ++x)
            d[x] = s[factor * x];
    }
}

// ---------------------------------------------------------------------------------------
// Damage and display

void TPX8ImageData::Invalidate(TRect rect) {
    const TRect r = Normalise(rect);
    if (r.IsEmpty()) return;
    for (TDamageNode* n : Damage.Nodes<TDamageNode>()) {
        const TRect i = Intersect(n->Rect, r);
        if (i.IsEmpty()) continue;
        if (i == r) return;
        if (i == n->Rect) {
            n->Rect = r;
            return;
        }
    }
    Damage.Append(std::make_unique<TDamageNode>(r));
}

int TPX8ImageData::Display(TPresentTarget& dc, const TPalette& palette, TPoint point, TRect rect) {
    std::vector<const uint8_t*> bands(size_t(SegmentCount), nullptr);
    const TSurfaceView view{Width, Height, Stride, rowsPerBand_, bands, GetTransparentColour()};
    int lines = 0;
    int32_t y = point.Y + rect.Height();
    for (int i = 0; i < SegmentCount; ++i) {
        const TRect s = SegmentRect(i);
        const TRect inter = Intersect(rect, s);
        if (inter.IsEmpty()) continue;
        y -= inter.Height();
        TPX8ImageSegment& seg = *image_.Segments[size_t(i)];
        bands[size_t(i)] = seg.Lock();
        const TTransfer t{inter, {point.X, y}};
        try {
            lines += dc.Present(view, std::span<const TTransfer>(&t, 1), palette);
        } catch (...) {
            if (!AllLocked) seg.Unlock();
            throw;
        }
        if (!AllLocked) seg.Unlock();
    }
    return lines;
}

void TPX8ImageData::DisplayDamage(TPresentTarget& dc, const TPalette& palette, TPoint origin) {
    for (TDamageNode* n : Damage.Nodes<TDamageNode>())
        Display(dc, palette, {origin.X + n->Rect.Left, origin.Y + n->Rect.Top}, n->Rect);
    Damage.Clear();
    dc.Show();
}

// ---------------------------------------------------------------------------------------

TImageDataRef::TImageDataRef(TPX8Library& lib, TImageNode* node)
    : lib_(&lib), node_(node), data_(lib.GetImageData(node)) {}

TImageDataRef& TImageDataRef::operator=(TImageDataRef&& o) noexcept {
    if (this != &o) {
        Reset();
        lib_ = o.lib_;
        node_ = o.node_;
        data_ = o.data_;
        o.node_ = nullptr;
        o.data_ = nullptr;
    }
    return *this;
}

void TImageDataRef::Reset() {
    if (node_) lib_->ReleaseImageData(node_);
    node_ = nullptr;
    data_ = nullptr;
}

} // namespace qr

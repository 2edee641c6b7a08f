// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Points and rectangles in top-down surface coordinates, (0, 0) at the top left.
// Rectangles are half-open: Right and Bottom are exclusive, so two rectangles that
// only touch (a.Right == b.Left) do not intersect, and Width = Right - Left.
#include <algorithm>
#include <cstdint>

namespace qr {

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

inline TPoint operator+(TPoint a, TPoint b) {
    return {a.X + b.X, a.Y + b.Y};
}
inline TPoint operator-(TPoint a, TPoint b) {
    return {a.X - b.X, a.Y - b.Y};
}

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    static TRect FromOriginSize(TPoint origin, int32_t width, int32_t height) {
        return {origin.X, origin.Y, origin.X + width, origin.Y + height};
    }
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    TPoint TopLeft() const { return {Left, Top}; }
    bool Contains(TPoint p) const {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }
    void Offset(TPoint d) {
        Left += d.X;
        Right += d.X;
        Top += d.Y;
        Bottom += d.Y;
    }
    // Keeps the size, moves the top-left corner.
    void MoveTo(TPoint p) { *this = FromOriginSize(p, Width(), Height()); }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect operator+(TRect r, TPoint d) {
    r.Offset(d);
    return r;
}
inline TRect operator-(TRect r, TPoint d) {
    r.Offset({-d.X, -d.Y});
    return r;
}

// Empty when the two only touch or do not meet.
inline TRect Intersect(const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    if (r.IsEmpty()) return {};
    return r;
}
inline bool Intersects(const TRect& a, const TRect& b) {
    return !Intersect(a, b).IsEmpty();
}
inline TRect Union(const TRect& a, const TRect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
}

} // namespace qr

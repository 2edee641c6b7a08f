// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless/display_headless.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "foundation/uvo_exception.h"

namespace qr {

HeadlessDisplay::HeadlessDisplay(int32_t width, int32_t height)
    : width_(width), height_(height), frame_(size_t(width) * size_t(height)) {}

static_assert(sizeof(TRGBColour) == 3, "frames are written to PNG as packed RGB");

void HeadlessDisplay::Fill(TRGBColour c) {
    std::fill(frame_.begin(), frame_.end(), c);
}

namespace {

// Converts one row of indices to packed RGB. Each pixel is one table load and one 4-byte
// store whose fourth byte the next pixel overwrites; the last pixel is stored as 3 bytes
// so that nothing right of the row changes.
void ConvertRow(const uint8_t* s, int32_t w, const uint32_t* t, uint8_t* d) {
    if (w <= 0) return;
    int32_t i = 0;
    for (; i + 8 < w; i += 8) {
        uint64_t v;
        std::memcpy(&v, s + i, 8);
        for (int k = 0; k < 8; ++k) {
            const uint32_t c = t[(v >> (8 * k)) & 0xFF];
            std::memcpy(d + 3 * (i + k), &c, 4);
        }
    }
    for (; i + 1 < w; ++i)
        std::memcpy(d + 3 * i, &t[s[i]], 4);
    std::memcpy(d + 3 * i, &t[s[i]], 3);
}

void ConvertKeyedRow(const uint8_t* s, int32_t w, const uint32_t* t, uint8_t key, uint8_t* d) {
    for (int32_t i = 0; i < w; ++i)
        if (s[i] != key) std::memcpy(d + 3 * i, &t[s[i]], 3);
}

} // namespace

int HeadlessDisplay::Present(const TSurfaceView& surface, std::span<const TTransfer> transfers,
                             const TPalette& palette) {
    if (tableStamp_ != palette.Stamp()) {
        for (int i = 0; i < 256; ++i) {
            const TRGBColour c = palette[i];
            const uint8_t rgb[4] = {c.R, c.G, c.B, 0};
            std::memcpy(&table_[size_t(i)], rgb, 4);
        }
        tableStamp_ = palette.Stamp();
    }
    int lines = 0;
    for (const TTransfer& t : transfers) {
        if (transfers_.size() == kKeptTransfers) transfers_.pop_front();
        transfers_.push_back(t);
        const TRect src = Intersect(t.Source, {0, 0, surface.Width, surface.Height});
        if (src.IsEmpty()) continue;
        const TPoint dest{t.Dest.X + (src.Left - t.Source.Left),
                          t.Dest.Y + (src.Top - t.Source.Top)};
        const TRect d = Intersect(TRect::FromOriginSize(dest, src.Width(), src.Height()),
                                  {0, 0, width_, height_});
        if (d.IsEmpty()) continue;
        for (int32_t y = d.Top; y < d.Bottom; ++y) {
            const uint8_t* row = surface.Row(src.Top + (y - dest.Y)) + src.Left + (d.Left - dest.X);
            auto* out = reinterpret_cast<uint8_t*>(frame_.data() + size_t(y) * width_ + d.Left);
            if (surface.TransparentColour >= 0)
                ConvertKeyedRow(row, d.Width(), table_.data(), uint8_t(surface.TransparentColour),
                                out);
            else
                ConvertRow(row, d.Width(), table_.data(), out);
        }
        lines += d.Height();
    }
    return lines;
}

void HeadlessDisplay::Screenshot(const std::string& path) const {
    WriteRgbPng(path, width_, height_, frame_);
}

void WriteRgbPng(const std::string& path, int32_t width, int32_t height,
                 const std::vector<TRGBColour>& rgb) {
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "wb"), std::fclose);
    if (!f) throw UvoException("Cannot create \"" + path + "\"");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        throw UvoException("Cannot write \"" + path + "\"");
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw UvoException("Cannot write \"" + path + "\"");
    }
    png_init_io(png, f.get());
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int32_t y = 0; y < height; ++y)
        png_write_row(png, reinterpret_cast<png_const_bytep>(rgb.data() + size_t(y) * width));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless/display_headless.h"

#include <png.h>

#include <cstdio>
#include <memory>

#include "foundation/uvo_exception.h"

namespace qr {

HeadlessDisplay::HeadlessDisplay(int32_t width, int32_t height)
    : width_(width), height_(height), frame_(size_t(width) * size_t(height)) {}

static_assert(sizeof(TRGBColour) == 3, "frames are written to PNG as packed RGB");

void HeadlessDisplay::Fill(TRGBColour c) {
    std::fill(frame_.begin(), frame_.end(), c);
}

int HeadlessDisplay::Present(const TSurfaceView& surface, std::span<const TTransfer> transfers,
                             const TPalette& palette) {
    int lines = 0;
    for (const TTransfer& t : transfers) {
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
            TRGBColour* out = frame_.data() + size_t(y) * width_ + d.Left;
            for (int32_t x = 0; x < d.Width(); ++x) {
                if (surface.TransparentColour >= 0 && row[x] == surface.TransparentColour) continue;
                out[x] = palette[row[x]];
            }
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

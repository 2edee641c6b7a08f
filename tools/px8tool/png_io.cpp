// SPDX-License-Identifier: GPL-3.0-or-later
#include "png_io.h"

#include <png.h>

#include <cstdio>
#include <memory>

#include "foundation/uvo_exception.h"

namespace qr {

namespace {
using FilePtr = std::unique_ptr<FILE, int (*)(FILE*)>;

// libpng prints its complaints itself unless told otherwise; the reason belongs in our
// one message about the file instead.
void KeepError(png_structp png, png_const_charp message) {
    *static_cast<std::string*>(png_get_error_ptr(png)) = message;
    png_longjmp(png, 1);
}
void IgnoreWarning(png_structp, png_const_charp) {}

// Far beyond any picture of the game (the largest are screens of 600x400); a header that
// claims more is damaged, and believing it would ask for gigabytes.
constexpr uint32_t kMaxSide = 8192;
constexpr uint64_t kMaxPixels = 16u << 20;
} // namespace

TPngImage ReadPng(const std::string& path) {
    FilePtr f(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!f) throw FileOpenError("Cannot open \"" + path + "\"");
    std::string reason;
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, &reason, KeepError, IgnoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        throw UvoException("Cannot read \"" + path + "\"");
    }
    TPngImage img;
    std::vector<png_bytep> rows;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        throw UvoException("\"" + path + "\" is not a readable PNG file" +
                           (reason.empty() ? "" : " (" + reason + ")"));
    }
    png_init_io(png, f.get());
    // A header may claim any size; a picture of the game is far below this.
    png_set_user_limits(png, kMaxSide, kMaxSide);
    png_read_info(png, info);
    const uint32_t width = png_get_image_width(png, info), height = png_get_image_height(png, info);
    if (width > kMaxSide || height > kMaxSide || uint64_t(width) * height > kMaxPixels) {
        png_destroy_read_struct(&png, &info, nullptr);
        throw UvoException("\"" + path + "\": the picture is too large");
    }
    img.Width = int32_t(png_get_image_width(png, info));
    img.Height = int32_t(png_get_image_height(png, info));
    const int colourType = png_get_color_type(png, info);
    const int depth = png_get_bit_depth(png, info);
    img.Indexed = colourType == PNG_COLOR_TYPE_PALETTE;
    if (img.Indexed) {
        if (depth < 8) png_set_packing(png);
        png_colorp plte = nullptr;
        int n = 0;
        if (png_get_PLTE(png, info, &plte, &n)) {
            img.PaletteSize = n;
            for (int i = 0; i < n && i < 256; ++i)
                img.Palette[size_t(i)] = {plte[i].red, plte[i].green, plte[i].blue};
        }
    } else {
        if (depth == 16) png_set_strip_16(png);
        if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
            png_set_gray_to_rgb(png);
        if (depth < 8 && colourType == PNG_COLOR_TYPE_GRAY) png_set_expand_gray_1_2_4_to_8(png);
        if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
        if (!(colourType & PNG_COLOR_MASK_ALPHA)) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const size_t rowBytes = png_get_rowbytes(png, info);
    const size_t bpp = img.Indexed ? 1 : 4;
    if (rowBytes != size_t(img.Width) * bpp) {
        png_destroy_read_struct(&png, &info, nullptr);
        throw UvoException("\"" + path + "\": unsupported PNG layout");
    }
    img.Pixels.resize(rowBytes * size_t(img.Height));
    rows.resize(size_t(img.Height));
    for (int32_t y = 0; y < img.Height; ++y)
        rows[size_t(y)] = img.Pixels.data() + rowBytes * size_t(y);
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return img;
}

void WriteIndexedPng(const std::string& path, int32_t width, int32_t height,
                     const std::vector<uint8_t>& indices,
                     const std::array<std::array<uint8_t, 3>, 256>& palette) {
    FilePtr f(std::fopen(path.c_str(), "wb"), std::fclose);
    if (!f) throw FileOpenError("Cannot create \"" + path + "\"");
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
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color plte[256];
    for (int i = 0; i < 256; ++i)
        plte[i] = {palette[size_t(i)][0], palette[size_t(i)][1], palette[size_t(i)][2]};
    png_set_PLTE(png, info, plte, 256);
    png_write_info(png, info);
    for (int32_t y = 0; y < height; ++y)
        png_write_row(png, indices.data() + size_t(y) * size_t(width));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
}

} // namespace qr

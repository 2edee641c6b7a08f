// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An image that belongs to no library, with its surface: the world's work image, the
// window's client picture, a saved game's small picture. Its bands stay locked for its
// whole life, so drawing into it never pays for a lock.
#include <cstdint>
#include <memory>
#include <string_view>

#include "graphics/image_data.h"
#include "graphics/image_library.h"

namespace qr {

class TSurfaceImage {
  public:
    // Width x Height pixels of colour 0 (or the raw rows given, top row first); opaque.
    // Sizes that cannot be banded throw PX8Exception.
    TSurfaceImage(std::string_view name, int32_t width, int32_t height,
                  const uint8_t* rawSource = nullptr);
    TSurfaceImage(const TSurfaceImage&) = delete;
    TSurfaceImage& operator=(const TSurfaceImage&) = delete;

    // An exact copy of every pixel of source's rect (transparent ones included, no flips),
    // opaque.
    static std::unique_ptr<TSurfaceImage> Copy(TPX8ImageData& source, const TRect& rect);

    TPX8ImageData& Surface() { return *data_; }
    const TPX8ImageData& Surface() const { return *data_; }
    int32_t Width() const { return data_->Width; }
    int32_t Height() const { return data_->Height; }
    // Row y (top-down) of the pixels.
    uint8_t* Row(int32_t y) { return data_->StartLine(0, y); }

  private:
    TPX8Image image_;
    std::unique_ptr<TPX8ImageData> data_;
};

// Copies rect of source into dest at point exactly: every pixel, the transparent colour
// included, without the source's flips (a copy, not a drawing).
void CopyPixels(TPX8ImageData& dest, TPoint point, TPX8ImageData& source, const TRect& rect);

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/surface_image.h"

namespace qr {

TSurfaceImage::TSurfaceImage(std::string_view name, int32_t width, int32_t height,
                             const uint8_t* rawSource) {
    image_.Initialise(name, rawSource, width, height);
    data_ = image_.CreateImageData();
    data_->LockAll();
}

std::unique_ptr<TSurfaceImage> TSurfaceImage::Copy(TPX8ImageData& source, const TRect& rect) {
    auto copy = std::make_unique<TSurfaceImage>("copy", rect.Width(), rect.Height());
    CopyPixels(copy->Surface(), {0, 0}, source, rect);
    copy->Surface().Damage.Clear();
    return copy;
}

void CopyPixels(TPX8ImageData& dest, TPoint point, TPX8ImageData& source, const TRect& rect) {
    const uint8_t transparent = source.Transparent;
    const uint8_t flipH = source.FlipHorizontal, flipV = source.FlipVertical;
    source.Transparent = 0;
    source.FlipHorizontal = source.FlipVertical = 0;
    try {
        dest.Blit(point, source, rect);
    } catch (...) {
        source.Transparent = transparent;
        source.FlipHorizontal = flipH;
        source.FlipVertical = flipV;
        throw;
    }
    source.Transparent = transparent;
    source.FlipHorizontal = flipH;
    source.FlipVertical = flipV;
}

} // namespace qr

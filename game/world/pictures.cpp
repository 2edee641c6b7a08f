// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/world/pictures.h"

#include "graphics/hot_image.h"
#include "graphics/image_data.h"
#include "graphics/image_library.h"

namespace qr {

std::unique_ptr<THotImage> FindPicture(TPX8Library& library, std::string_view name) {
    if (!library.IsOpen() || !library.ImageExists(name)) return nullptr;
    return std::make_unique<THotImage>(name, library);
}

std::unique_ptr<TPX8Library> OpenLibraryFile(const std::string& path) {
    auto library = std::make_unique<TPX8Library>();
    try {
        library->Open(path);
    } catch (const UvoException&) {
        return nullptr;
    }
    return library;
}

void DrawDisabledVeil(TPX8ImageData& image, const TRect& button) {
    constexpr int32_t kInset = 3; // the buttons' rounded corners stay as they are
    const TRect r = Intersect(TRect{button.Left + kInset, button.Top + kInset,
                                    button.Right - kInset, button.Bottom - kInset},
                              image.ClipRect);
    if (r.IsEmpty()) return;
    for (int32_t y = r.Top; y < r.Bottom; ++y) {
        uint8_t* row = image.StartLine(r.Left, y);
        for (int32_t x = r.Left + ((r.Left + y) & 1); x < r.Right; x += 2)
            row[x - r.Left] = kDisabledVeilColour;
    }
    image.Invalidate(r);
}

} // namespace qr

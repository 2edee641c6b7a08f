// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/icon_library.h"

#include <cstdio>
#include <cstring>

#include "foundation/uvo_exception.h"
#include "graphics/image_data.h"
#include "graphics/image_library.h"

namespace qr {

namespace {
std::string IconImageName(int n) {
    char name[16];
    std::snprintf(name, sizeof name, "icons%.2d", n);
    return name;
}
} // namespace

int CountIcons(const std::string& path, const std::function<void(const std::string&)>& warn) {
    TPX8Library lib;
    try {
        lib.Open(path);
    } catch (const std::exception&) {
        return 0;
    }
    int count = 0;
    for (int n = 0; n < 1000; ++n) {
        const std::string name = IconImageName(n);
        if (!lib.ImageExists(name)) break;
        int32_t w = 0, h = 0;
        try {
            TImageNode* node = lib.GetImage(name);
            lib.GetImageSize(node, w, h);
            lib.ReleaseImage(node);
        } catch (const std::exception&) {
            break;
        }
        const int cells = (w / kIconSize) * (h / kIconSize);
        if (cells <= 0 && warn)
            warn(std::string("Image \"") + name + "\" is too small to contain any icons!");
        count += cells > 0 ? cells : 0;
    }
    return count;
}

std::optional<TIconPixels> FindIcon(TPX8Library& library, int icon) {
    if (icon < 0) return std::nullopt;
    for (int n = 0; n < 1000; ++n) {
        const std::string name = IconImageName(n);
        if (!library.ImageExists(name)) return std::nullopt;
        try {
            TImageRef image(library, name);
            int32_t w = 0, h = 0;
            library.GetImageSize(image.get(), w, h);
            const int across = w / kIconSize;
            const int cells = across * (h / kIconSize);
            if (icon >= cells) {
                icon -= cells > 0 ? cells : 0;
                continue;
            }
            struct DataRef {
                TPX8Library& lib;
                TImageNode* node;
                TPX8ImageData* data;
                ~DataRef() { lib.ReleaseImageData(node); }
            } ref{library, image.get(), library.GetImageData(image.get())};
            TIconPixels pixels{};
            const int left = (icon % across) * kIconSize, top = (icon / across) * kIconSize;
            for (int y = 0; y < kIconSize; ++y)
                std::memcpy(&pixels[size_t(y * kIconSize)], ref.data->StartLine(left, top + y),
                            kIconSize);
            return pixels;
        } catch (const std::exception&) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace qr

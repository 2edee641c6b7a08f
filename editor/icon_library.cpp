// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/icon_library.h"

#include <cstdio>

#include "foundation/uvo_exception.h"
#include "graphics/image_library.h"

namespace qr {

int CountIcons(const std::string& path, const std::function<void(const std::string&)>& warn) {
    TPX8Library lib;
    try {
        lib.Open(path);
    } catch (const std::exception&) {
        return 0;
    }
    int count = 0;
    for (int n = 0; n < 1000; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "icons%.2d", n);
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

} // namespace qr

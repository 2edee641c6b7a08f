// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/world/pictures.h"

#include "graphics/hot_image.h"
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

} // namespace qr

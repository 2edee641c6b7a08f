// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/world/px8_world_library.h"

#include <cstring>

#include "foundation/utils.h"
#include "graphics/image_data.h"
#include "graphics/image_library.h"

namespace qr {

TPX8WorldLibrary::TPX8WorldLibrary(TPX8Library& library) : lib_(library) {}

TPX8WorldLibrary::TPX8WorldLibrary(std::unique_ptr<TPX8Library> library)
    : owned_(std::move(library)), lib_(*owned_) {}

TPX8WorldLibrary::~TPX8WorldLibrary() = default;

TWorldPicture* TPX8WorldLibrary::GetImage(const std::string& name) {
    const std::string key = AsciiLower(name);
    auto it = cache_.find(key);
    if (it != cache_.end()) {
        ++it->second.refs;
        return it->second.picture.get();
    }
    if (!lib_.IsOpen() || !lib_.ImageExists(key)) return nullptr;
    TImageRef node(lib_, key);
    TImageDataRef data(lib_, node.get());
    if (!data) return nullptr;
    auto picture = std::make_unique<TMemoryPicture>(data->Width, data->Height);
    if (const TPX8Image* image = node.get()->Image.get(); image && image->Transparent)
        picture->SetTransparentColour(image->TransparentColour);
    for (int32_t y = 0; y < data->Height; ++y) {
        const uint8_t* row = data->StartLine(0, y);
        std::memcpy(&picture->At(0, y), row, size_t(data->Width));
        data->UnlockSegment(0, y);
    }
    Entry& e = cache_[key];
    e.picture = std::move(picture);
    e.refs = 1;
    return e.picture.get();
}

void TPX8WorldLibrary::ReleaseImage(TWorldPicture* picture) {
    if (!picture) return;
    for (auto it = cache_.begin(); it != cache_.end(); ++it) {
        if (it->second.picture.get() != picture) continue;
        if (--it->second.refs <= 0) cache_.erase(it);
        return;
    }
}

TWorldPicture* TPX8WorldLibrary::CreateImage(const std::string& name, int32_t width,
                                             int32_t height) {
    Entry& e = cache_[AsciiLower(name)];
    e.picture = std::make_unique<TMemoryPicture>(width, height);
    e.refs = 1;
    return e.picture.get();
}

std::vector<TWorldLibrary::ImageInfo> TPX8WorldLibrary::List() const {
    std::vector<ImageInfo> out;
    if (!lib_.IsOpen()) return out;
    for (const std::string& name : lib_.GetImageNames()) {
        try {
            TImageRef node(lib_, name);
            int32_t w = 0, h = 0;
            lib_.GetImageSize(node.get(), w, h);
            out.push_back({name, w, h});
        } catch (const UvoException&) {
            // A damaged entry is left out of the scans; drawing it reports nothing either.
        }
    }
    return out;
}

std::array<uint32_t, 256> TPX8WorldLibrary::Palette() const {
    std::array<uint32_t, 256> p{};
    auto pal = lib_.GetHPal();
    if (!pal) return p;
    for (int i = 0; i < 256; ++i) {
        const TRGBColour& c = (*pal)[i];
        p[size_t(i)] = uint32_t(c.R) << 16 | uint32_t(c.G) << 8 | c.B;
    }
    return p;
}

int TPX8WorldLibrary::Outstanding() const {
    int n = 0;
    for (const auto& [k, e] : cache_)
        n += e.refs;
    return n;
}

std::unique_ptr<TWorldLibrary> OpenPX8WorldLibrary(const std::string& path) {
    auto lib = std::make_unique<TPX8Library>();
    try {
        lib->Open(path);
    } catch (const UvoException&) {
        return nullptr;
    }
    return std::make_unique<TPX8WorldLibrary>(std::move(lib));
}

} // namespace qr

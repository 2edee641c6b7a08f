// SPDX-License-Identifier: GPL-3.0-or-later
// Opens arbitrary bytes as an image library, then loads, decodes and draws every image.
#include <cstdint>
#include <memory>

#include "graphics/image_data.h"
#include "graphics/image_library.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qr::TPX8Library lib;
    try {
        lib.OpenStream(std::make_unique<qr::TMemoryStream>(std::vector<uint8_t>(data, data + size)),
                       "fuzz.px8");
    } catch (const qr::UvoException&) {
        return 0;
    }
    // Longer than any name a file can hold: GetImage of a file name never finds it.
    qr::TImageNode* back = lib.CreateImage("fuzz-back-surface", 64, 48);
    qr::TPX8ImageData* dest = lib.GetImageData(back);
    for (const std::string& name : lib.GetImageNames()) {
        try {
            qr::TImageRef node(lib, name);
            qr::TImageDataRef surface(lib, node.get());
            // Every pixel is read through the row walker, then the image is drawn both ways.
            for (int32_t y = 0; y < surface->Height; ++y)
                (void)surface->StartLine(surface->Width - 1, y)[0];
            dest->Blit({-3, -2}, *surface, surface->GetBounds());
            surface->FlipHorizontal = surface->FlipVertical = 1;
            dest->Blit({5, 7}, *surface, {-4, -4, 30, 30});
            qr::TRect opaque;
            surface->GetOpaqueBounds(opaque);
        } catch (const qr::UvoException&) {
        }
    }
    lib.ReleaseImageData(back);
    return 0;
}

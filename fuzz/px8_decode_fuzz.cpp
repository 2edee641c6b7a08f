// SPDX-License-Identifier: GPL-3.0-or-later
// Decodes arbitrary bytes as one band: the first bytes choose the geometry, escapes and
// flags, the rest is the coded data. The decoder must never touch memory outside.
#include <cstdint>
#include <vector>

#include "graphics/image_codec.h"
#include "graphics/image_library.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5) return 0;
    const int32_t width = 1 + data[0] % 64;
    const int32_t rows = 1 + data[1] % 16;
    const qr::TBandGeometry g{width, qr::StrideOf(width), rows};
    std::vector<uint8_t> out(size_t(g.Stride) * g.Rows);
    // An exact-size copy so that any read past the data is caught by the sanitizer.
    std::vector<uint8_t> src(data + 5, data + size);
    try {
        qr::DecodeBand(src.data(), src.size(), out.data(), g, data[2], data[3], data[4]);
    } catch (const qr::PX8Exception&) {
    }
    return 0;
}

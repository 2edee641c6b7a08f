// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the image tools' readers: as a PNG picture, and as a palette
// file both in JASC-PAL text and in an indexed PNG. A file that cannot be used is refused
// with a message naming it; anything else (a crash, a huge allocation) is a fault.
#include <cstdlib>

#include "foundation/uvo_exception.h"
#include "fuzz_temp_file.h"
#include "png_io.h"
#include "px8tool.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string png = qr::fuzz::WriteTemp("in.png", data, size);
    try {
        qr::TPngImage img = qr::ReadPng(png);
        const size_t bpp = img.Indexed ? 1 : 4;
        if (img.Pixels.size() != size_t(img.Width) * size_t(img.Height) * bpp) std::abort();
    } catch (const qr::UvoException&) {
    }
    try {
        (void)qr::ReadPaletteFile(png);
    } catch (const qr::UvoException&) {
    }
    try {
        (void)qr::ReadPaletteFile(qr::fuzz::WriteTemp("in.pal", data, size));
    } catch (const qr::UvoException&) {
    }
    return 0;
}

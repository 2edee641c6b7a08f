// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as a PNG the way the tools read art: faults must come out as the
// tools' own exceptions (never a crash, a libpng abort or a giant allocation).
#include <cstdio>
#include <string>
#include <unistd.h>

#include "foundation/uvo_exception.h"
#include "png_io.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The reader takes a file name, as the tools do.
    static const std::string path = "/tmp/qr_fuzz_png_" + std::to_string(getpid()) + ".png";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
    try {
        qr::TPngImage png = qr::ReadPng(path);
        (void)png;
    } catch (const qr::UvoException&) {
    }
    std::remove(path.c_str());
    return 0;
}

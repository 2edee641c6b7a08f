// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as text lines.
#include "foundation/utils.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qr::TMemoryStream s(std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        for (;;) {
            std::string line = qr::ReadLine(s);
            if (line.size() > 255) std::abort();
            for (unsigned char c : line)
                if (c < 32 || (c > 126 && c < 160)) std::abort();
        }
    } catch (const qr::StreamReadError&) {
    }
    return 0;
}

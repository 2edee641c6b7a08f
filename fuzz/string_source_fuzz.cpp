// SPDX-License-Identifier: GPL-3.0-or-later
// Parses arbitrary bytes as a numbered string source, generates its file and checks it
// against itself: faults must come out as StringSourceError, nothing else.
#include <string_view>

#include "string_source.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        qr::TStringSource src = qr::TStringSource::Parse(
            std::string_view(reinterpret_cast<const char*>(data), size), "fuzz");
        std::string out = src.Generate();
        src.CheckAgainst(src);
        (void)out;
    } catch (const qr::StringSourceError&) {
    }
    return 0;
}

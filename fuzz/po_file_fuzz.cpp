// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as a translator's PO file against a small English source: faults
// must come out as PoError or StringSourceError, nothing else.
#include <string_view>

#include "po_file.h"
#include "string_source.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string_view kEnglish = "# the language's own name\n0 English\n"
                                             "# %s: a file name\n5 Open %s?\n7 Cancel\n";
    try {
        (void)qr::ImportPo(std::string_view(reinterpret_cast<const char*>(data), size), kEnglish,
                           "fuzz.po", "eng.txt");
    } catch (const qr::PoError&) {
    } catch (const qr::StringSourceError&) {
    }
    return 0;
}

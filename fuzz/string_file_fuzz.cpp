// SPDX-License-Identifier: GPL-3.0-or-later
// Loads arbitrary bytes as a language string file and asks for every string.
#include "foundation/polyglot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qr::TPolyglot p;
    p.LoadFromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    for (int i = -1; i <= int(p.LineCount()); ++i)
        (void)p.GetString(i);
    for (int k = 0; k < 24; ++k)
        (void)p.LanguageName(k);
    (void)p.LanguageNumber("English");
    return 0;
}

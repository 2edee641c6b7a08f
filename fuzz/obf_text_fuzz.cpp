// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as a compiled text file, and compiles them as a text file.
#include "foundation/obf_text.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    auto t = qr::TObfText::FromBytes(bytes);
    for (int guard = 0; !t.EndOfData() && guard < 100000; ++guard)
        t.ReadLine();
    auto compiled = qr::TObfText::CompileBytes(bytes, nullptr);
    if (compiled.size() % qr::TObfText::BlockCount(compiled.size()) != 0) std::abort();
    return 0;
}

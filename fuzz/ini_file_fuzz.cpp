// SPDX-License-Identifier: GPL-3.0-or-later
// Parses arbitrary bytes as an ini file, reads from it and writes it back.
#include "platform/ini_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto lines = qr::IniFile::Parse(text);
    // What is written must parse back to the same sections and entries.
    auto again = qr::IniFile::Parse(qr::IniFile::Render(lines));
    size_t entries = 0, entries2 = 0;
    for (auto& l : lines)
        entries += l.kind != qr::IniFile::Line::Other;
    for (auto& l : again)
        entries2 += l.kind != qr::IniFile::Line::Other;
    if (entries != entries2) std::abort();
    return 0;
}

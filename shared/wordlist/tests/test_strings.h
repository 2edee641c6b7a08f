// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The string table the word-list tests run under: the fixture file, optionally with
// the language names translated, as happens when the player switches language.
#include <string>

#include "foundation/polyglot.h"
#include "foundation/stream.h"

namespace qr::testing {

inline std::string FixtureStringsPath() {
    return std::string(QR_SOURCE_DIR) + "/shared/wordlist/tests/fixtures/qr_test.str";
}

inline void UseEnglishStrings() {
    Polyglot().Load(FixtureStringsPath());
}

// The same table as a German interface would have it: string 0 and the language names
// (only those the tests use) read in German.
inline void UseGermanStrings() {
    auto bytes = ReadFileBytes(FixtureStringsPath());
    std::string text(bytes.begin(), bytes.end());
    auto replaceLine = [&](int number, const std::string& value) {
        size_t pos = 0;
        for (int i = 0; i < number; ++i)
            pos = text.find('\n', pos) + 1;
        size_t end = text.find('\n', pos);
        text.replace(pos, end - pos, value);
    };
    replaceLine(0, "Deutsch");
    replaceLine(32, "Englisch");
    replaceLine(34, "Franz\xF6sisch");
    replaceLine(35, "Deutsch");
    Polyglot().LoadFromBytes(text);
}

} // namespace qr::testing

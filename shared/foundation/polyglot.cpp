// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/polyglot.h"

#include "foundation/stream.h"

namespace qr {

void TPolyglot::Load(const std::string& path) {
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    LoadFromBytes(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void TPolyglot::LoadFromBytes(std::string_view bytes) {
    lines_.clear();
    size_t start = 0;
    size_t i = 0;
    while (i < bytes.size()) {
        char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines_.emplace_back(bytes.substr(start, i - start));
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < bytes.size()) lines_.emplace_back(bytes.substr(start));
}

std::string TPolyglot::GetString(int number) const {
    if (number >= 0 && size_t(number) < lines_.size()) return lines_[size_t(number)];
    return kAccessError;
}

int TPolyglot::LanguageNumber(std::string_view name) const {
    for (int k = 0; k < kLanguageCount; ++k)
        if (GetString(kFirstLanguageString + k) == name) return k;
    return -1;
}

std::string TPolyglot::LanguageName(int k) const {
    if (k < 0 || k >= kLanguageCount) return {};
    return GetString(kFirstLanguageString + k);
}

TPolyglot& Polyglot() {
    static TPolyglot table;
    return table;
}

} // namespace qr

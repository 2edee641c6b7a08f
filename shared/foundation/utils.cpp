// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/utils.h"

#include <map>

namespace qr {

std::string TrimLeft(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    return std::string(s.substr(i));
}

std::string TrimRight(std::string_view s) {
    size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ')
        --n;
    return std::string(s.substr(0, n));
}

std::string Trim(std::string_view s) {
    return TrimLeft(TrimRight(s));
}

std::string AsciiUpper(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return r;
}

std::string AsciiLower(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return r;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && AsciiUpper(a) == AsciiUpper(b);
}

std::string ReadLine(TStream& stream) {
    std::string line;
    for (;;) {
        uint8_t b = stream.ReadU8();
        if (b == 10) return line;
        if (b == 9) b = 32;
        if ((b >= 32 && b <= 126) || b >= 160) {
            if (line.size() < 255) line.push_back(static_cast<char>(b));
        }
    }
}

std::string NextWord(std::string_view& rest) {
    size_t i = 0;
    while (i < rest.size() && rest[i] == ' ')
        ++i;
    size_t j = i;
    while (j < rest.size() && rest[j] != ' ')
        ++j;
    std::string word(rest.substr(i, j - i));
    rest.remove_prefix(j);
    return word;
}

static std::map<int, std::string>& ResTable() {
    static std::map<int, std::string> table;
    return table;
}

void RegisterResStrings(const ResString* table, size_t count) {
    for (size_t i = 0; i < count; ++i)
        ResTable()[table[i].id] = table[i].text;
}

std::string LoadResString(int id) {
    auto it = ResTable().find(id);
    if (it == ResTable().end()) return {};
    return it->second.substr(0, 255);
}

std::string FormatMessage(std::string_view format, std::initializer_list<std::string_view> args) {
    std::string out;
    auto arg = args.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c == '%' && i + 1 < format.size()) {
            char k = format[i + 1];
            if (k == '%') {
                out.push_back('%');
                ++i;
                continue;
            }
            if ((k == 's' || k == 'd') && arg != args.end()) {
                out.append(*arg++);
                ++i;
                continue;
            }
        }
        out.push_back(c);
    }
    return out;
}

} // namespace qr

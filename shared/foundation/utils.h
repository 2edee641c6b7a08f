// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small string and line-reading routines the rest of the code uses everywhere.
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/geometry.h"
#include "foundation/stream.h"

namespace qr {

// Only the space character counts; tabs and other blanks stay.
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
std::string Trim(std::string_view s);

inline int32_t Min(int32_t a, int32_t b) {
    return a < b ? a : b;
}
inline int32_t Max(int32_t a, int32_t b) {
    return a > b ? a : b;
}

// ASCII-only case change, as used for IDs, keywords and file names.
std::string AsciiUpper(std::string_view s);
std::string AsciiLower(std::string_view s);
bool EqualsNoCase(std::string_view a, std::string_view b);

// Reads one text line a byte at a time: line feed ends it (not kept), tab becomes a
// space, bytes 32-126 and 160-255 are kept, every other byte is dropped. At most 255
// characters are kept (the rest of a longer line is read and discarded). The end of
// the stream before a line feed raises StreamReadError, so a last line without a
// line feed is never returned.
std::string ReadLine(TStream& stream);

// Splits at runs of spaces.
std::string NextWord(std::string_view& rest);

// The program's built-in string resources (numbers 1024 and up): each program
// registers its own table once at start-up. Up to 255 characters; empty when absent.
struct ResString {
    int id;
    const char* text;
};
void RegisterResStrings(const ResString* table, size_t count);
std::string LoadResString(int id);

// printf-like formatting of a resource text with "%s" and "%d" arguments, the way the
// program's messages are written ("Sorry! We cannot find the needed file "%s".").
std::string FormatMessage(std::string_view format, std::initializer_list<std::string_view> args);

} // namespace qr

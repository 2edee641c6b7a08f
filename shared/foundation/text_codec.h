// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's text is bytes: Windows-1252 plus 48 special letters of the game's fonts
// placed on control and 0x80-0x9F codes. This is the one place that knows what each
// byte stands for; everything converts to UTF-8 only at the edges (window captions,
// message boxes, Qt widgets, JSON dumps) through these functions.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qr {

// The Unicode code point a byte stands for.
char32_t ByteToCodePoint(uint8_t b);
// Byte text to UTF-8.
std::string ToUtf8(std::string_view bytes);
// UTF-8 to byte text; a character with no byte becomes '?', invalid UTF-8 is taken
// byte by byte as Windows-1252, so no input is ever lost silently or crashes.
std::string FromUtf8(std::string_view utf8);
// UTF-8 to byte text for a text the game must draw, where a stand-in would be wrong:
// every character needs a byte that is not a control code. Returns the first character
// without one (U+FFFD for bytes that are not UTF-8); nothing when `out` holds the text.
std::optional<char32_t> FromUtf8Showable(std::string_view utf8, std::string& out);
bool IsValidUtf8(std::string_view s);
// Plain Windows-1252 (as other programs save it, without the game's special letters)
// to UTF-8; the five undefined codes become their C1 control characters.
std::string Windows1252ToUtf8(std::string_view bytes);

// The game's case mapping: A-Z and 0xC0-0xDE except 0xD7 differ by 32; 0x8A and 0x8C
// by 16; 0x9F pairs with 0xFF; the special capitals pair with the code plus 0x80.
uint8_t LowerChar(uint8_t c);
uint8_t UpperChar(uint8_t c);
std::string LowerCase(std::string_view s);
std::string UpperCase(std::string_view s);
// A letter is a character whose two cases differ.
inline bool IsLetter(uint8_t c) {
    return LowerChar(c) != UpperChar(c);
}

// True for the 48 codes that hold the fonts' special letters.
bool IsSpecialLetter(uint8_t c);

// The editor's typing convention for the special letters: ">" followed by a key
// character stands for the code ("&gt;a" -> 0x81).
std::string ToStoredForm(std::string_view display);
std::string ToDisplayForm(std::string_view stored);

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts that must keep their place on the screen. A single line too wide for its place is
// shortened at the last whole character and ends in "..."; any text that is cut anyway
// (wrapped out of its box, left blank) is reported to the world's host, so that a test can
// walk every room in every language and see each text that did not fit.
#include <cstdint>
#include <string>
#include <string_view>

namespace qr {

class TPX8Font;
class TRoom;

// Byte 133, the ellipsis of Windows-1252, holds one of the fonts' special letters, so the
// game's fonts have no ellipsis glyph: three dots stand in.
inline constexpr std::string_view kEllipsis = "...";

// The text when it is at most width pixels wide in the font; otherwise its longest
// beginning of whole characters that fits with "..." after it (blanks before the dots
// dropped), or as many of the dots as fit.
std::string ShortenToWidth(const TPX8Font& font, std::string_view text, int32_t width);
// How many bytes of a text too wide for width pixels the shortened text keeps before its
// dots.
size_t ShortenedLength(const TPX8Font& font, std::string_view text, int32_t width);

// The line as it can be shown in width pixels of its place in the room; a shortened line
// is reported as such.
std::string FitLine(TRoom& room, std::string_view where, const TPX8Font& font,
                    std::string_view text, int32_t width);

// Whether the font draws every byte of the text with a glyph that has a width (a special
// letter needs the font's extra image too).
bool FontDrawsAll(const TPX8Font& font, std::string_view text);

// A text of the room that did not fit its place (cut, wrapped out of its box, left blank).
void ReportTextCut(TRoom& room, std::string_view where, std::string_view text);

} // namespace qr

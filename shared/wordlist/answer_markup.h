// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Answers may hide parts from play: "{...}" is never asked for, and "[x]" shows as x
// alone. The game asks for the shown form; the editor measures it.
#include <cstddef>
#include <string>
#include <string_view>

namespace qr {

// An answer of this many shown characters or more does not fit the play room's cells.
inline constexpr size_t kAnswerShownLimit = 22;

// Braced parts go first, always the leftmost "{" with its first following "}"; then
// every bracketed single character is replaced by itself. A "{" without a closing
// brace and brackets around more than one character stay as typed.
std::string ShownAnswer(std::string_view answer);

inline bool AnswerTooLong(std::string_view answer) {
    return ShownAnswer(answer).size() >= kAnswerShownLimit;
}

} // namespace qr

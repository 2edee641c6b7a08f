// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The light scrambling that keeps an author's password (and the signature) from being
// read off a word-list file with a text viewer. It is not encryption: the key travels
// in the first and last byte.
#include <string>
#include <string_view>

namespace qr {

// Both draw their key from the shared generator and reseed it from the clock
// afterwards, so a scramble never leaves the game's random sequence predictable.
std::string ScrambleText(std::string_view plain);
// A scrambled text shorter than 2 bytes unscrambles to the empty text.
std::string UnscrambleText(std::string_view scrambled);

} // namespace qr

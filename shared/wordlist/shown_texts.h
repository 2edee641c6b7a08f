// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every text of a word list that the game shows somewhere, each with a short name of
// where it comes from ("title", "word 3", "level 2 name (Deutsch)"), for checks that
// look at all of them: which characters the game can draw, how long texts are.
#include <string>
#include <vector>

#include "wordlist/word_list.h"

namespace qr {

struct TShownText {
    std::string where; // plain ASCII words and numbers, counted from 1
    std::string text;  // as stored
};

std::vector<TShownText> ShownTexts(const TQRWordList& list);

} // namespace qr

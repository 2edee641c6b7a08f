// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A word list as a spreadsheet: the way back from the game's format to the one people
// edit lists in elsewhere, and the form the CSV import reads again.
#include <string>

#include "wordlist/word_list.h"

namespace qr {

// UTF-8 with a byte-order mark (so that spreadsheets take it as UTF-8), comma-separated,
// CRLF line ends. The header names the languages (anagram and quiz lists: the language
// and "clue"), then "group"; a group is written by its name, or its number as people
// count (1..100) when it has none.
std::string ExportCsv(const TQRWordList& list);

} // namespace qr

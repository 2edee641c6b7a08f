// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A word list as one JSON object with every model field, texts in UTF-8: what
// "qrwtool dump" prints for authors, reviewers and tests.
#include <string>

#include "wordlist/word_list.h"

namespace qr {

std::string WordListToJson(const TQRWordList& list);

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The readable text form of a word list: how the bundled lists are kept in the
// repository and how authors can write or generate lists without the editor. Building
// a list from its text and exporting it back gives the same text and, built again,
// the same file bytes. docs/wordlist.md describes the format.
#include <string>
#include <string_view>

#include "wordlist/word_list.h"

namespace qr {

class TWordListSource {
  public:
    // Replaces the list with the one the UTF-8 text describes. Language codes not
    // written in the text are looked up in the active string table. Throws
    // WordListException naming the line for text it cannot read.
    static void Build(std::string_view text, TQRWordList& list);
    // The text of a list, with every code and secret written out so that nothing
    // depends on the string table when it is built again.
    static std::string Export(const TQRWordList& list);

  private:
    class Parser;
};

} // namespace qr

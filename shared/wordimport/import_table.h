// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a reader found in another program's vocabulary file, before it becomes a word
// list: languages, rows of texts, lessons. Texts are UTF-8 as the file had them; the
// list builder converts them to the game's bytes and decides what fits.
#include <string>
#include <vector>

#include "foundation/uvo_exception.h"

namespace qr {

// An import that cannot go on: the message names the line (when there is one) and says
// what is wrong. Nothing has been written when it is raised.
class ImportException : public UvoException {
  public:
    using UvoException::UvoException;
};

struct TImportLanguage {
    std::string id;   // the file's key for it: a locale ("de", "en_GB") or a column header
    std::string name; // the file's own name for it; may be empty
};

struct TImportRow {
    std::vector<std::string> texts; // one per language, same index; empty = none
    std::vector<std::string> hints; // per language, its comment: the clue of a one-language list
    int group = -1;                 // index into groups; -1 = in no lesson
    int line = 0;                   // where the entry starts in the file
    bool inactive = false;          // the other program keeps it out of practice
};

struct TImportGroup {
    std::string name;
    int level = 0;   // index into TImportTable::levels
    int number = -1; // the group number the file gave it (0..99); -1 = the next in order
};

struct TImportTable {
    std::string title;
    std::vector<std::string> authors;
    std::string comment;
    std::vector<TImportLanguage> languages;
    std::vector<TImportRow> rows;
    std::vector<TImportGroup> groups;  // in file order
    std::vector<std::string> levels;   // names of the top-level lessons
    std::vector<std::string> warnings; // from reading
    size_t duplicates = 0;             // entries the reader left out as repeated
};

// Files above this size are refused before parsing: a list of the most words a list can
// hold fits, and a hostile file cannot make the parsed document take all memory.
constexpr size_t kMaxImportFileSize = 16u << 20;
// Readers stop at this many entries, well above what a list holds (some may be left out
// on the way), so that the rows read stay bounded too.
constexpr size_t kMaxImportRows = 4 * 65536;
[[noreturn]] inline void TooManyRows() {
    throw ImportException("the file has more entries than the 65535 a word list can hold");
}

} // namespace qr

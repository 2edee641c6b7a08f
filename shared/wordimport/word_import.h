// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Importing the word lists people already keep elsewhere (KVTML from the KDE education
// programs, CSV from spreadsheets) as a list the game can play. The readers collect what
// the file holds; the builder here decides the list type, maps the languages onto the
// game's standard ones, converts every text to the game's characters and keeps the
// format's limits. The command-line tool and the editor both call ImportWordListFile.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "wordimport/import_table.h"
#include "wordlist/word_list.h"

namespace qr {

struct TImportOptions {
    std::optional<TListType> type;      // decided from the file when not given
    std::vector<std::string> languages; // languages to take, main language first: names,
                                        // locales or codes as the file has them
    std::string title;                  // UTF-8; replaces the file's title
    bool skipUnshowable = false; // leave out entries the game cannot show, instead of failing
};

struct TImportSummary {
    size_t imported = 0;   // rows in the list
    size_t skipped = 0;    // entries of the file left out
    size_t unshowable = 0; // of those, the ones with a text the game cannot show or store
    // Entries kept whose "å" the file wrote as "ĺ" (Latin-1 read as Latin-2), now repaired.
    size_t repairedAring = 0;
    std::vector<std::string> warnings;
};

struct TImportResult {
    TQRWordList list; // a new list, not yet saved
    TImportSummary summary;
};

enum class TImportFormat { Kvtml, Csv };

// By extension (".kvtml"; ".csv", ".tsv", ".txt"), else by the first bytes.
TImportFormat DetectImportFormat(std::string_view path, std::string_view bytes);

// Throws ImportException when the file cannot become a list; the message names the line
// and, for an entry, the entry. `sourceName` is the file name the list records.
TImportResult ImportWordList(std::string_view bytes, TImportFormat format,
                             const TImportOptions& options, std::string_view sourceName);
// The same for a file on disk (FileOpenError when it cannot be read).
TImportResult ImportWordListFile(const std::string& path, const TImportOptions& options);

// The builder; a class so that it may set language codes that the list's own
// operations would look up in the interface language's string table.
class TWordListImport {
  public:
    static TImportResult Build(const TImportTable& table, const TImportOptions& options,
                               std::string_view sourceName);
};

// The answer as the game draws it: a comment in braces (and one blank before it) left
// out, "[x]" shown as x. Its length is the number of cells of the row.
std::string ShownAnswer(std::string_view answer);
constexpr size_t kMaxAnswerCells = 21;

} // namespace qr

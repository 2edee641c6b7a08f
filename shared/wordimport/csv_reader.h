// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reader of word lists kept in spreadsheets and saved as CSV (RFC 4180): the header row
// names the languages, one column may be "group" and one "clue" (or "hint"), and every
// further row is one entry. The delimiter (comma, semicolon or tab) and the encoding
// (UTF-8 with or without byte-order mark, else Windows-1252) are found out from the file.
#include <string_view>

#include "wordimport/import_table.h"

namespace qr {

// Throws ImportException naming the line for a file it cannot read.
TImportTable ReadCsv(std::string_view bytes);

} // namespace qr

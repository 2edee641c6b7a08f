// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reader of KVTML 2, the XML vocabulary format of the KDE education programs (Parley,
// KWordQuiz, KHangMan): identifiers become languages, entries rows, lessons groups. Files
// of the older KVTML 1 are read too.
#include <string_view>

#include "wordimport/import_table.h"

namespace qr {

// Throws ImportException for anything that is not a KVTML document, naming the line.
// Entities are never expanded and nothing is fetched from the network.
TImportTable ReadKvtml(std::string_view bytes);

// True when the bytes look like an XML document rather than a spreadsheet.
bool LooksLikeXml(std::string_view bytes);

} // namespace qr

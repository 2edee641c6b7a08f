// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Choosing the string file of the working language among "str/qr_*.str".
#include <string>

namespace qr {

class TPolyglot;

// A string file holds at least the strings up to the last language name, and its name
// (string 0) is a real language name.
bool IsUsableStringTable(const TPolyglot& table);

// The file name (not path) chosen: the first file whose string 0 equals `wantedName`;
// failing that, the last file whose string 2 contains `windowsCode` (lower-cased);
// failing that, "qr_eng.str". Files that cannot be read or fail IsUsableStringTable are
// passed over.
std::string ChooseWorkingLanguage(const std::string& stringFolder, const std::string& wantedName,
                                  const std::string& windowsCode);

} // namespace qr

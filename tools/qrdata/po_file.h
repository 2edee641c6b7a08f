// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Translators work in gettext PO files (Poedit, Weblate, Launchpad), the game in numbered
// string files. A string's number is its msgctxt, the English text its msgid, the
// translation its msgstr. Everything else in a string source (its comments and blank
// lines) travels as translator comments, so that a source sent out and taken back
// unchanged comes back byte for byte.
//
// In a source, the two characters "\n" are a line break of a text block; in the PO file
// they are a real line break, which is what translation editors show as one.
#include <string>
#include <string_view>

#include "string_source.h"

namespace qr {

class PoError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The PO file of a translation. `english` and `translation` are the sources' texts;
// `language` goes into the header. The English source's comments become the entries'
// extracted comments, with a note where a text has a fit limit or a placeholder. The
// names are those a fault in a source is reported with.
std::string ExportPo(std::string_view english, std::string_view translation,
                     std::string_view language, const std::string& englishName = "eng.txt",
                     const std::string& translationName = "translation");

// The template: the same entries with empty translations.
std::string ExportPot(std::string_view english, const std::string& englishName = "eng.txt");

// The string source written back from a PO file. Raises PoError naming the entry
// (its string number and English text) for a translation that is missing or fuzzy,
// drops or adds a placeholder, or does not fit where the game draws it; and for a PO
// file that is not one, naming the line.
std::string ImportPo(std::string_view po, std::string_view english, const std::string& name,
                     const std::string& englishName = "eng.txt");

} // namespace qr

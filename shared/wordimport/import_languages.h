// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How other programs name languages (locales such as "de_AT" or "sr@latin", ISO codes
// such as "deu", names such as "German") mapped onto the game's standard languages, so
// that an imported list offers its languages under the names and codes the game knows.
#include <string>
#include <string_view>

namespace qr {

// The standard language code (0..22) the key names, or -1. The key may be a locale or
// ISO 639 code, the language's name in English, in itself, in German or in French (any
// ASCII case), or a name of the active string table. Codes follow the order of the game's string
// files (French 0, German 1, English 2, ...); a loaded table that lists the language under its
// English name at another place wins, so the code always matches the table in use.
int StandardLanguageCode(std::string_view key);

// The name of a standard language in the active string table, or its English name when
// no table is loaded; in the game's bytes, as a list stores it.
std::string StandardLanguageDisplayName(int code);

// An English name for a language the game does not know ("ca" -> "Catalan"); empty
// when the locale is not one we can name.
std::string FurtherLanguageName(std::string_view locale);

} // namespace qr

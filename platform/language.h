// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Windows three-letter language code ("enu", "deu", "fra", ...) of the user's locale,
// which picks the natural string file when none has been chosen yet.
#include <string>
#include <string_view>

namespace qr {

// From a POSIX locale name such as "de_DE.UTF-8" or "fr_CA"; "enu" when unknown.
std::string WindowsLanguageCode(std::string_view locale);
// From LC_ALL, LC_MESSAGES, then LANG.
std::string SystemLanguageCode();

} // namespace qr

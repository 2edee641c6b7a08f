// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The interface languages the editor can work in: one per installed string file
// "str/qr_*.str", each with its help file "hlp/quarry_*.hlp" when that exists.
#include <string>
#include <vector>

namespace qr {

struct TWorkLangUI {
    std::string name;          // entry 0 of the string file: the record's key
    std::string menuCaption;   // entry 1
    std::string buttonCaption; // entry 3
    std::string helpFile;      // full path; empty when the language has none
    std::string stringFile;    // full path
};

// At most this many languages are offered (the Welcome page has room for no more).
inline constexpr size_t kMaxWorkingLanguages = 14;

// Scans the string folder in directory order. A file that cannot be read is skipped.
std::vector<TWorkLangUI> BuildWorkingLanguages(const std::string& stringFolder,
                                               const std::string& helpFolder);

// "qr_eng.str" -> "quarry_eng.hlp".
std::string HelpFileName(const std::string& stringFileName);

// The help file that serves a language: its own, else the English one.
std::string HelpFileFor(const TWorkLangUI& language, const std::string& helpFolder);

// Index of the language with this name, or -1.
int FindWorkingLanguage(const std::vector<TWorkLangUI>& languages, const std::string& name);

// How the Welcome page stacks the language buttons: with more than 10 they sit closer
// together, and with more than 12 the welcome line makes room for them.
struct TLanguageButtonLayout {
    int pitch = 20; // from one button's top to the next
    bool welcomeVisible = true;
    bool rearranged = false; // more than 7: centred between the two labels
};
TLanguageButtonLayout LanguageButtonLayout(size_t count);

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/working_language.h"

#include "foundation/polyglot.h"
#include "foundation/utils.h"
#include "game/shell/settings.h"
#include "platform/files.h"

namespace qr {

bool IsUsableStringTable(const TPolyglot& table) {
    // Up to the last language name, with a name of its own that could go into the settings.
    const std::string name = table.GetString(0);
    return table.LineCount() >=
               size_t(TPolyglot::kFirstLanguageString + TPolyglot::kLanguageCount) &&
           IsLanguageName(name) && name.find('\0') == std::string::npos;
}

std::string ChooseWorkingLanguage(const std::string& stringFolder, const std::string& wantedName,
                                  const std::string& windowsCode) {
    std::string candidate = "qr_eng.str";
    const std::string code = AsciiLower(windowsCode);
    for (const std::string& name : FindFiles(stringFolder, "qr_*.str")) {
        TPolyglot table;
        try {
            table.Load(WithSeparator(stringFolder) + name);
        } catch (const UvoException&) {
            continue;
        }
        if (!IsUsableStringTable(table)) continue;
        if (!code.empty() && table.GetString(2).find(code) != std::string::npos) candidate = name;
        if (table.GetString(0) == wantedName) return name;
    }
    return candidate;
}

} // namespace qr

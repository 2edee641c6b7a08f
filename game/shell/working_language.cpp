// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/working_language.h"

#include "foundation/polyglot.h"
#include "foundation/utils.h"
#include "platform/files.h"

namespace qr {

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
        if (!code.empty() && table.GetString(2).find(code) != std::string::npos) candidate = name;
        if (table.GetString(0) == wantedName) return name;
    }
    return candidate;
}

} // namespace qr

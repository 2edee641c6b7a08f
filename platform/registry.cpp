// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry.h"

#include <cstdlib>
#include <filesystem>

#include "foundation/uvo_exception.h"
#include "platform/files.h"

namespace qr {

std::string Registry::DefaultPath() {
    if (const char* p = std::getenv("QUILRUSH_REGISTRY"); p && *p) return p;
    std::string base = XdgFolder("XDG_CONFIG_HOME", ".config");
    if (base.empty()) base = ".";
    return base + "/uvo-software/registry.ini";
}

void Registry::WriteString(std::string_view key, std::string_view value, std::string_view data) {
    // The file keeps one value a line: a line break would cut the value (a path) short.
    if (HasLineBreak(data))
        throw UvoException("Cannot keep \"" + std::string(data) + "\" in the registry file \"" +
                           Path() + "\": it holds a line break.");
    file_.WriteString(key, value, data);
}

bool Registry::FileExists() const {
    std::error_code ec;
    return std::filesystem::is_regular_file(file_.FileName(), ec);
}

} // namespace qr

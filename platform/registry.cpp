// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry.h"

#include <cstdlib>
#include <filesystem>

namespace qr {

std::string Registry::DefaultPath() {
    if (const char* p = std::getenv("QUILRUSH_REGISTRY"); p && *p) return p;
    std::string base;
    if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x)
        base = x;
    else if (const char* h = std::getenv("HOME"); h && *h)
        base = std::string(h) + "/.config";
    else
        base = ".";
    return base + "/uvo-software/registry.ini";
}

bool Registry::FileExists() const {
    std::error_code ec;
    return std::filesystem::is_regular_file(file_.FileName(), ec);
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/rooms/module_order.h"

#include <algorithm>

#include "foundation/stream.h"
#include "foundation/text_codec.h"
#include "foundation/utils.h"

namespace qr {

std::vector<std::string> OrderModules(std::vector<std::string> paths,
                                      const std::vector<std::string>& remembered) {
    std::stable_sort(paths.begin(), paths.end(), [](const std::string& a, const std::string& b) {
        return UpperCase(a) < UpperCase(b);
    });
    for (const std::string& known : remembered) {
        auto it = std::find_if(paths.begin(), paths.end(),
                               [&](const std::string& p) { return EqualsNoCase(p, known); });
        if (it != paths.end()) std::rotate(it, it + 1, paths.end());
    }
    return paths;
}

std::vector<std::string> ReadModuleOrder(const std::string& file) {
    std::vector<std::string> paths;
    std::vector<uint8_t> bytes;
    try {
        bytes = ReadFileBytes(file);
    } catch (const std::exception&) {
        return paths;
    }
    std::string line;
    auto flush = [&] {
        if (!Trim(line).empty()) paths.push_back(line);
        line.clear();
    };
    for (uint8_t b : bytes) {
        if (b == '\n' || b == '\r')
            flush();
        else
            line += char(b);
    }
    flush();
    return paths;
}

void WriteModuleOrder(const std::string& file, const std::vector<std::string>& paths) {
    std::string text;
    for (const std::string& p : paths)
        text += p + "\n";
    WriteFileAtomic(file, text.data(), text.size());
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as the menu's "modules.dat" and orders a folder's files by it, as
// the home room does on every visit: whatever the lines hold, every found file is listed
// exactly once.
#include <algorithm>
#include <cstdlib>

#include "fuzz_temp_file.h"
#include "game/rooms/module_order.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string file = qr::fuzz::WriteTemp("modules.dat", data, size);
    const std::vector<std::string> remembered = qr::ReadModuleOrder(file);
    std::vector<std::string> found = {"/l/a.qrw", "/l/B.qrw", "/l/c d.qrw"};
    for (size_t i = 0; i < remembered.size() && i < 4; ++i)
        found.push_back(remembered[i]);
    std::vector<std::string> ordered = qr::OrderModules(found, remembered);
    std::sort(found.begin(), found.end());
    std::sort(ordered.begin(), ordered.end());
    if (ordered != found) std::abort();
    return 0;
}

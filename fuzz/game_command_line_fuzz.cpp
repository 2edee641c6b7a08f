// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary words to the game's command-line parser: the input is the argument list,
// the words separated by zero bytes. Every list is either taken, with values inside their
// ranges, or refused with a reason; anything else is a fault.
#include <cstdlib>
#include <string>
#include <vector>

#include "game/shell/game_command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> args(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += char(data[i]);
    }
    const qr::GameCommandLine c = qr::ParseGameCommandLine(args);
    if (c.action == qr::GameCommandLine::Action::Error) {
        if (c.error.empty()) std::abort();
    } else if (!c.error.empty() || c.depth < 1 || c.depth > 32) {
        std::abort();
    }
    return 0;
}

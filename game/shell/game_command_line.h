// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's command line: options, the old switches, and what to do about them.
#include <string>
#include <vector>

#include "game/shell/program.h"

namespace qr {

struct GameCommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    std::string error; // Action::Error: what was wrong (raw bytes; print with Printable)
    ProgramOptions options;
    bool headless = false;
    std::string script = "-"; // the drive script; "-" is standard input
    int depth = 32;
};

// `arguments` without the program's name.
GameCommandLine ParseGameCommandLine(const std::vector<std::string>& arguments);

// The usage text, ending with a line feed.
const char* GameUsage();

} // namespace qr

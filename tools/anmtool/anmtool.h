// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The animal tool for animators and the data build: dump a file as JSON, build a file from
// its text form and export it back, and play a scene through the game's own animal code as
// a contact sheet or a trace. The commands are a function so that tests run them without
// a process.
#include <iosfwd>
#include <string>
#include <vector>

namespace qr {

// Runs one command line (without the program name); returns the exit status.
int RunAnmTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The line filters with which the game turns its world script and sound table from ".txt"
// into ".dat". The data build compiles both files ahead of time with the same filters,
// so an installed copy, whose folders are read-only, never needs to compile them.
#include <string>

namespace qr {

// Trims the line and writes its first word in its short form (HITBOX -> HBX, ...);
// answers false for an empty line.
bool WorldScriptCompileFilter(std::string& line);

// Keeps only the first word (the wave file's base name); drops empty lines, section
// headers ("[") and comments ("#").
bool SoundTableCompileFilter(std::string& line);

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The image-library tool for authors and the data build: list, extract, pack from a
// manifest, export and import the palette. The commands are functions so that tests
// run them without a process.
#include <array>
#include <iosfwd>
#include <string>
#include <vector>

namespace qr {

using TRgbPalette = std::array<std::array<uint8_t, 3>, 256>;

// Runs one command line (without the program name); returns the exit status.
int RunPx8Tool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// A palette file: JASC-PAL text (".pal") or the palette of an indexed PNG.
TRgbPalette ReadPaletteFile(const std::string& path);
void WritePalFile(const std::string& path, const TRgbPalette& palette);

// Index of the palette colour nearest to (r, g, b).
uint8_t NearestColour(const TRgbPalette& palette, uint8_t r, uint8_t g, uint8_t b);

} // namespace qr

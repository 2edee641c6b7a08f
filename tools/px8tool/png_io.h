// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PNG files as the image tools need them: indexed pictures with their palette, and
// truecolour pictures with alpha to be quantised to a palette.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qr {

struct TPngImage {
    int32_t Width = 0;
    int32_t Height = 0;
    bool Indexed = false;
    // Indexed: one palette index per pixel. Otherwise: RGBA, 4 bytes per pixel.
    std::vector<uint8_t> Pixels;
    // Indexed only: the file's palette (entries past its length are black).
    std::array<std::array<uint8_t, 3>, 256> Palette{};
    int PaletteSize = 0;
};

// Throws UvoException with the file name for anything unreadable.
TPngImage ReadPng(const std::string& path);
// An 8-bit indexed PNG with the full 256-entry palette (RGB per entry).
void WriteIndexedPng(const std::string& path, int32_t width, int32_t height,
                     const std::vector<uint8_t>& indices,
                     const std::array<std::array<uint8_t, 3>, 256>& palette);

} // namespace qr

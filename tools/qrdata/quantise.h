// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Art is drawn in full colour (SVG rendered to PNG) and brought to the one game palette
// here, before packing, so that gradients can be dithered and the transparent key colour
// is never picked for a visible pixel.
#include <array>
#include <cstdint>
#include <vector>

namespace qr {

using TQuantPalette = std::array<std::array<uint8_t, 3>, 256>;

struct QuantiseOptions {
    int key = -1;        // palette index of transparent pixels (alpha below 128); -1: none
    bool dither = false; // Floyd-Steinberg error diffusion
};

// `rgba` holds width x height pixels, 4 bytes each, top row first. Returns one palette
// index per pixel. Raises std::invalid_argument when a pixel is transparent but no key
// colour was given (it would silently become a visible colour).
std::vector<uint8_t> QuantiseToPalette(const std::vector<uint8_t>& rgba, int width, int height,
                                       const TQuantPalette& palette,
                                       const QuantiseOptions& options);

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "quantise.h"

#include <algorithm>
#include <stdexcept>

namespace qr {

namespace {

int Nearest(const TQuantPalette& palette, int key, int r, int g, int b) {
    int best = -1;
    long bestDist = 0;
    for (int i = 0; i < 256; ++i) {
        if (i == key) continue;
        const long dr = palette[i][0] - r, dg = palette[i][1] - g, db = palette[i][2] - b;
        // The same weighting as the packer's, so undithered art comes out alike either way.
        const long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (best < 0 || d < bestDist) {
            best = i;
            bestDist = d;
        }
    }
    return best;
}

} // namespace

std::vector<uint8_t> QuantiseToPalette(const std::vector<uint8_t>& rgba, int width, int height,
                                       const TQuantPalette& palette,
                                       const QuantiseOptions& options) {
    const size_t count = size_t(width) * size_t(height);
    if (rgba.size() < count * 4) throw std::invalid_argument("picture data shorter than its size");
    std::vector<uint8_t> out(count);
    // Error carried to the current and the next row, per channel; one spare column each side.
    std::vector<float> err(2 * (size_t(width) + 2) * 3, 0.0f);
    auto row = [&](int y) { return err.data() + size_t(y & 1) * (size_t(width) + 2) * 3; };
    for (int y = 0; y < height; ++y) {
        float* cur = row(y);
        float* next = row(y + 1);
        std::fill(next, next + (size_t(width) + 2) * 3, 0.0f);
        for (int x = 0; x < width; ++x) {
            const size_t i = size_t(y) * size_t(width) + size_t(x);
            const uint8_t* p = rgba.data() + i * 4;
            if (p[3] < 128) {
                if (options.key < 0)
                    throw std::invalid_argument("transparent pixels but no key colour");
                out[i] = uint8_t(options.key);
                continue;
            }
            float want[3];
            for (int c = 0; c < 3; ++c) {
                want[c] = float(p[c]);
                if (options.dither)
                    want[c] = std::clamp(want[c] + cur[(size_t(x) + 1) * 3 + c], 0.0f, 255.0f);
            }
            const int idx = Nearest(palette, options.key, int(want[0] + 0.5f), int(want[1] + 0.5f),
                                    int(want[2] + 0.5f));
            out[i] = uint8_t(idx);
            if (!options.dither) continue;
            for (int c = 0; c < 3; ++c) {
                const float e = want[c] - float(palette[idx][c]);
                cur[(size_t(x) + 2) * 3 + c] += e * 7 / 16;
                next[(size_t(x)) * 3 + c] += e * 3 / 16;
                next[(size_t(x) + 1) * 3 + c] += e * 5 / 16;
                next[(size_t(x) + 2) * 3 + c] += e * 1 / 16;
            }
        }
    }
    return out;
}

} // namespace qr

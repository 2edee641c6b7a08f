// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/palette.h"

#include <atomic>

namespace qr {

namespace {
uint64_t NextPaletteStamp() {
    static std::atomic<uint64_t> counter{0};
    return ++counter;
}
} // namespace

TPalette::TPalette() : stamp_(NextPaletteStamp()) {}

void TPalette::Touch() {
    stamp_ = NextPaletteStamp();
}

void TPalette::Set(int index, TRGBColour colour) {
    entries_[static_cast<uint8_t>(index)] = colour;
    Touch();
}

void TPalette::SetAll(const std::array<TRGBColour, 256>& entries) {
    entries_ = entries;
    Touch();
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/world/lives_display.h"

#include <algorithm>

#include "foundation/random.h"

namespace qr {

namespace {

// A random order of the values, shuffled from the back as the game's other shuffles are.
template <size_t N> std::array<int32_t, N> Shuffled(std::array<int32_t, N> values) {
    for (size_t i = N; i >= 2; --i)
        std::swap(values[i - 1], values[GameRandom().Random(uint32_t(i))]);
    return values;
}

} // namespace

void TLivesDisplay::Reset() {
    const auto figures = Shuffled<kFigures>({1, 2, 3, 4, 5, 6});
    for (int i = 0; i < kSlots; ++i) {
        Slot& s = slots_[size_t(i)];
        s.present = true;
        s.figure = figures[size_t(i)];
        s.pose = int(GameRandom().Random(kPoses)) + 1;
        s.height = int(GameRandom().Random(kHeights));
    }
    const auto offsets = Shuffled<kSlots>({0, 12, 24, 36, 48});
    for (int i = 0; i < kSlots; ++i)
        slots_[size_t(i)].offset = offsets[size_t(i)];
    count_ = kSlots;
}

std::optional<TLivesDisplay::Slot> TLivesDisplay::TakeLife() {
    Slot* rightmost = nullptr;
    for (Slot& s : slots_)
        if (s.present && (!rightmost || s.offset > rightmost->offset)) rightmost = &s;
    if (!rightmost) return std::nullopt;
    Slot taken = *rightmost;
    rightmost->present = false;
    count_ = std::max(count_ - 1, 0);
    return taken;
}

void TLivesDisplay::AddLife() {
    if (count_ >= kSlots) return;
    auto empty =
        std::find_if(slots_.begin(), slots_.end(), [](const Slot& s) { return !s.present; });
    if (empty == slots_.end()) return;
    // A slot keeps the figure it last showed; one never used gets the first figure that
    // no present slot shows.
    if (empty->figure == 0) {
        for (int f = 1; f <= kFigures && empty->figure == 0; ++f)
            if (std::none_of(slots_.begin(), slots_.end(),
                             [&](const Slot& s) { return s.present && s.figure == f; }))
                empty->figure = f;
    }
    empty->present = true;
    empty->offset = kOffsetStep * count_;
    ++count_;
}

void TLivesDisplay::FidgetLives() {
    for (Slot& s : slots_) {
        if (!s.present) continue;
        if (GameRandom().Random(10) < 4) s.pose = int(GameRandom().Random(kPoses)) + 1;
        if (GameRandom().Random(10) < 3) s.height = int(GameRandom().Random(kHeights));
    }
}

TPoint TLivesDisplay::Position(const Slot& slot) {
    // Figures are 39 high in a 36-high area: they stand on its bottom edge, a higher
    // stance lifting them, and the area's clip cuts what reaches above it.
    return {kArea.Left + slot.offset, kArea.Bottom - 39 - slot.height};
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordlist/level.h"

namespace qr {

void TLevel::Include(int group) {
    if (group < 0 || group > kMaxGroup || Contains(group)) return;
    bits_[group / 8] |= uint8_t(1u << (group % 8));
    ++count_;
}

void TLevel::Exclude(int group) {
    if (group < 0 || group > kMaxGroup || !Contains(group)) return;
    bits_[group / 8] &= uint8_t(~(1u << (group % 8)));
    --count_;
}

bool TLevel::Contains(int group) const {
    if (group < 0 || group > kLastBit) return false;
    return (bits_[group / 8] >> (group % 8)) & 1u;
}

void TLevel::SetBit(int group) {
    if (group < 0 || group > kLastBit) return;
    bits_[group / 8] |= uint8_t(1u << (group % 8));
}

int TLevel::MemberCount() const {
    int n = 0;
    for (int g = 0; g <= kMaxGroup; ++g)
        n += Contains(g);
    return n;
}

} // namespace qr

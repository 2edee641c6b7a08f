// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record of a batch of words that came into a list from elsewhere. The program
// never interprets or creates these; it keeps every field exactly as read so that a
// list passes through the editor without losing them.
#include <array>
#include <cstdint>
#include <string>

namespace qr {

class TImportDetails {
  public:
    std::string text1;
    std::string text2;
    uint16_t number1 = 0;
    uint16_t number2 = 0;
    std::array<uint8_t, 8> extra{};
    // Index of the first main word taken from this batch; set while loading, not stored.
    int FirstWord = -1;
};

} // namespace qr

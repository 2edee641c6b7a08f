// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Icon clues live in an image library as 54 x 54 cells of the pictures "icons00",
// "icons01", ... read row by row; icon numbers run on from one picture to the next.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace qr {

inline constexpr int kIconSize = 54;

// Counts the icons of a library file. A picture too small for one cell is reported
// through warn (its text is the message to show) and counting goes on. A library that
// cannot be opened has no icons.
int CountIcons(const std::string& path, const std::function<void(const std::string&)>& warn);

class TPX8Library;
using TIconPixels = std::array<uint8_t, kIconSize * kIconSize>;
// The palette indexes of icon number `icon`, or nothing when the library has no such
// icon.
std::optional<TIconPixels> FindIcon(TPX8Library& library, int icon);

} // namespace qr

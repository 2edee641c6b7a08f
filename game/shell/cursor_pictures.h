// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's cursor pictures and its window icon as the window needs them: 32-bit pixels
// (with a hot spot for a cursor), made from pictures of the game library; the cursors
// are named in "dat/cursors.txt".
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "graphics/palette.h"

namespace qr {

class TPX8Library;

// One of the game's cursor pictures: 0xAARRGGBB pixels (alpha 0 where the picture is
// transparent), and its hot spot.
struct TCursorPicture {
    int number = 0; // 1-25, or kCursorHourglass
    int width = 0, height = 0;
    std::vector<uint32_t> argb;
    int hotX = 0, hotY = 0;
};

// A picture of the library in 32-bit colour (0xAARRGGBB, alpha 0 where the picture is
// transparent).
struct TArgbPicture {
    int width = 0, height = 0;
    std::vector<uint32_t> argb;
};

// The picture `name`, cut to at most maxSide x maxSide; nothing when there is none.
std::optional<TArgbPicture> LoadArgbPicture(TPX8Library& library, const TPalette& palette,
                                            const std::string& name, int maxSide);

// The window icon's picture in the game library, drawn from the desktop icon's art.
inline constexpr const char* kWindowIconPicture = "appicon";

// The cursor pictures of the game library: "cursors.txt" in the given folder names them
// (lines "SLOT PICTURE X Y", slot 0 the hourglass, "#" comments); pictures that are
// missing are left out, hot spots are kept inside the picture.
std::vector<TCursorPicture> LoadCursorPictures(TPX8Library& library, const TPalette& palette,
                                               const std::string& datFolder);

} // namespace qr

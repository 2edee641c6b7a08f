// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the world takes pictures from an image library: a room or frame set whose picture
// the library does not hold draws without it, so a missing name is an answer, not a
// failure.
#include <memory>
#include <string>
#include <string_view>

namespace qr {

class THotImage;
class TPX8Library;
class TPX8ImageData;
struct TRect;

// The picture of that name (the library's counted reference, given back when the handle
// goes), or null when the library is closed or has no picture of that name. A picture
// that is there but cannot be read throws as the library does.
std::unique_ptr<THotImage> FindPicture(TPX8Library& library, std::string_view name);

// Opens "<path>"; null when the file cannot be opened or is not an image library.
std::unique_ptr<TPX8Library> OpenLibraryFile(const std::string& path);

// Veils a greyed button in light grey (every other pixel, inside its rounded corners), so
// that no button that cannot be used looks clickable; it carries no label.
constexpr unsigned char kDisabledVeilColour = 189;
void DrawDisabledVeil(TPX8ImageData& image, const TRect& button);

} // namespace qr

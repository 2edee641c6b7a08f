// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Makes PX8 libraries: the palette and named images, each band coded the way its
// author asked (raw rows, line codes or run mode). Used by the image tool and by tests;
// the game itself never writes a library.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/stream.h"
#include "graphics/image_codec.h"

namespace qr {

struct TPX8WriterImage {
    std::string Name; // 1..8 ASCII characters
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint8_t> Pixels; // Width x Height palette indices, top row first
    bool Transparent = false;
    uint8_t TransparentColour = 0;
    TBandCoding Coding = TBandCoding::LineCoded;
};

class TPX8Writer {
  public:
    // 1024 bytes: blue, green, red, unused for each of the 256 entries.
    std::array<uint8_t, 1024> Palette{};

    void SetPaletteRGB(int index, uint8_t r, uint8_t g, uint8_t b);
    // Checks the image (name, size, pixel count) and keeps it; throws PX8Exception.
    void Add(TPX8WriterImage image);
    void Write(TStream& out) const;
    std::vector<uint8_t> Bytes() const;
    // Through a temporary file: a failed build keeps the previous library.
    void SaveToFile(const std::string& path) const;

    // One image record as it lies in a file.
    static std::vector<uint8_t> EncodeRecord(const TPX8WriterImage& image);

  private:
    std::vector<TPX8WriterImage> images_;
};

} // namespace qr

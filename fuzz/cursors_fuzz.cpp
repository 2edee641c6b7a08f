// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the reader of "cursors.txt" over a library of two pictures (one
// larger than a cursor may be). Whatever it names, every cursor it gives is whole, at most
// 64 pixels a side, with its hot spot inside and a known number; anything else is a fault.
#include <cstdlib>

#include "foundation/stream.h"
#include "fuzz_temp_file.h"
#include "game/shell/cursor_pictures.h"
#include "game/world/world_host.h"
#include "graphics/image_library.h"
#include "graphics/image_writer.h"

namespace {
const std::vector<uint8_t>& LibraryBytes() {
    static const std::vector<uint8_t> bytes = [] {
        qr::TPX8Writer writer;
        for (const auto& [name, side] : {std::pair{"arrow", 16}, std::pair{"huge", 90}}) {
            qr::TPX8WriterImage pic;
            pic.Name = name;
            pic.Width = pic.Height = side;
            pic.Pixels.assign(size_t(side) * size_t(side), 3);
            writer.Add(pic);
        }
        return writer.Bytes();
    }();
    return bytes;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qr::fuzz::WriteTemp("cursors.txt", data, size);
    qr::TPX8Library library;
    library.OpenStream(std::make_unique<qr::TMemoryStream>(LibraryBytes()), "fuzz.px8");
    const qr::TPalette palette;
    for (const qr::TCursorPicture& c :
         qr::LoadCursorPictures(library, palette, qr::fuzz::TempFolder())) {
        const bool known = (c.number >= 1 && c.number <= 25) || c.number == qr::kCursorHourglass;
        if (!known || c.width < 1 || c.height < 1 || c.width > 64 || c.height > 64 ||
            c.argb.size() != size_t(c.width) * size_t(c.height) || c.hotX < 0 || c.hotY < 0 ||
            c.hotX >= c.width || c.hotY >= c.height)
            std::abort();
    }
    return 0;
}

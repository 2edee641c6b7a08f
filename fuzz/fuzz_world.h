// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the world's fuzz targets stand on: a host that keeps quiet and a library of one
// plain picture that their scripts name.
#include <memory>
#include <string>
#include <vector>

#include "foundation/stream.h"
#include "game/world/world.h"
#include "graphics/image_library.h"
#include "graphics/image_writer.h"

namespace qr::fuzz {

class QuietHost : public TWorldHost {
  public:
    int messages = 0;
    void ShowMessage(const std::string&) override { ++messages; }
};

// Opens `library` on one picture `name`, `side` pixels square.
inline void OpenOnePictureLibrary(TPX8Library& library, const std::string& name, int side) {
    TPX8Writer writer;
    TPX8WriterImage pic;
    pic.Name = name;
    pic.Width = pic.Height = side;
    pic.Pixels.assign(size_t(side) * size_t(side), 3);
    writer.Add(pic);
    library.OpenStream(std::make_unique<TMemoryStream>(writer.Bytes()), "fuzz.px8");
}

} // namespace qr::fuzz

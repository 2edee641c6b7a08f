// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The world's pictures taken from a PX8 image library: each picture is decoded once when
// first asked for and kept, counted, until its last user gives it back. The world then
// draws from plain bytes, so a tick that redraws the whole frame costs only copies.
#include <map>
#include <memory>
#include <string>

#include "game/world/world_gfx.h"

namespace qr {

class TPX8Library;
class TImageNode;

class TPX8WorldLibrary : public TWorldLibrary {
  public:
    // The library must outlive this object.
    explicit TPX8WorldLibrary(TPX8Library& library);
    // Owns the library (an auxiliary one a room opens by name).
    explicit TPX8WorldLibrary(std::unique_ptr<TPX8Library> library);
    ~TPX8WorldLibrary() override;

    TWorldPicture* GetImage(const std::string& name) override;
    void ReleaseImage(TWorldPicture* picture) override;
    TWorldPicture* CreateImage(const std::string& name, int32_t width, int32_t height) override;
    std::vector<ImageInfo> List() const override;
    // The library's colours as 0xRRGGBB.
    std::array<uint32_t, 256> Palette() const;
    TPX8Library& Source() { return lib_; }
    int Outstanding() const;

  private:
    struct Entry {
        std::unique_ptr<TMemoryPicture> picture;
        int refs = 0;
    };
    std::unique_ptr<TPX8Library> owned_;
    TPX8Library& lib_;
    std::map<std::string, Entry> cache_; // lower-case name
};

// Opens "<folder><name>.px8"; null when the file cannot be opened or read.
std::unique_ptr<TWorldLibrary> OpenPX8WorldLibrary(const std::string& path);

} // namespace qr

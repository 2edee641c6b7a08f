// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/world_data_scan.h"

#include "game/shell/folders.h"
#include "game/world/world.h"
#include "graphics/image_library.h"
#include "platform/files.h"

namespace qr {

void ScanWorldData(TWorld& world, const TFolders& folders) {
    // Only the pictures the scans are about are looked at: decoding every picture of
    // every library would cost the first frame dearly.
    std::vector<TWorld::LibraryImages> found;
    for (const std::string& file : FindFiles(folders.ImageLibraries(), "*.px8")) {
        TPX8Library lib;
        try {
            lib.Open(folders.ImageLibraries() + file);
        } catch (const UvoException&) {
            continue; // a library that cannot be read offers no cards or backgrounds
        }
        TWorld::LibraryImages entry{file, {}};
        for (const std::string& name : lib.GetImageNames()) {
            if (name.rfind("bg", 0) != 0 && name.rfind("cards", 0) != 0) continue;
            try {
                TImageRef node(lib, name);
                int32_t w = 0, h = 0;
                lib.GetImageSize(node.get(), w, h);
                entry.images.push_back({name, w, h});
            } catch (const UvoException&) {
            }
        }
        found.push_back(std::move(entry));
    }
    world.ScanImages(found);
    world.ScanAnimals(FindFiles(folders.DatProgram(), "*.anm"));
}

} // namespace qr

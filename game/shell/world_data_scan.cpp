// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/world_data_scan.h"

#include "game/gameplay/animal.h"
#include "game/world/world.h"
#include "graphics/image_library.h"
#include "platform/files.h"
#include "platform/folders.h"

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
    // The world asks only on a slow machine; an animal file that cannot be read is left out.
    world.SetAnimalFilter([&world, dat = folders.DatProgram()](const std::string& file) {
        try {
            return AnimalSuitsMachine(TAnimal::ReadSelectionFlags(dat + file), 0,
                                      world.SpeedSetting());
        } catch (const UvoException&) {
            return false;
        }
    });
}

} // namespace qr

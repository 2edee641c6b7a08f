// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the readers of saved games: as a slot file ("QR_sg1.dat", whose
// picture the save and load room shows) and as the world's state file, loaded into a world
// of several rooms. A file that is not valid is passed over; anything else is a fault.
#include <cstdlib>

#include "foundation/obf_text.h"
#include "fuzz_temp_file.h"
#include "fuzz_world.h"
#include "game/world/disk_ops_room.h"
#include "game/world/room_factory.h"
#include "game/world/world.h"

namespace {
const char kScript[] = "BEGIN A\n"
                       "ROOM A First\nGOBOX G 0 0 10 10 B\nFS F f 5 2 0 0\n"
                       "ROOM B Second\nBACKBOX X 0 0 20 20\n"
                       "DISKOPSROOM D Disk\n";
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string slot = qr::fuzz::WriteTemp("QR_sg1.dat", data, size);
    if (auto picture = qr::TDiskOpsRoom::ReadSlotFile(slot)) {
        // What is accepted is a whole picture.
        if (picture->Width() < 0 || picture->Height() < 0) std::abort();
    }

    qr::fuzz::QuietHost host;
    qr::TPX8Library library;
    qr::fuzz::OpenOnePictureLibrary(library, "f", 10);
    qr::TWorld world(host, library);
    std::vector<uint8_t> script(kScript, kScript + sizeof kScript - 1);
    qr::TObfText text = qr::TObfText::FromBytes(qr::TObfText::CompileBytes(script, nullptr));
    try {
        world.Init(text, qr::EngineRooms(), slot);
    } catch (const qr::UvoException&) {
    }
    return 0;
}

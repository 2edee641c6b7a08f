// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the world script reader twice: as the text of "init.txt"
// compiled the way the game compiles it, and as a compiled "init.dat" read directly.
// Script errors are part of the contract; a bad rectangle or number ends start-up with
// an exception. Anything else (a crash, a hang, a leak, another exception) is a fault.
#include <cstdlib>

#include "foundation/obf_text.h"
#include "fuzz_world.h"
#include "game/world/qr_exception.h"
#include "game/world/world.h"
#include "game/world/world_script.h"

namespace {

void ReadAndVisit(qr::TObfText& text) {
    qr::fuzz::QuietHost host;
    qr::TPX8Library library;
    // One picture, "pic", that scripts may name.
    qr::fuzz::OpenOnePictureLibrary(library, "pic", 40);
    qr::TWorld world(host, library);
    try {
        world.Init(text, qr::EngineRooms(), "");
    } catch (const qr::QRException&) {
        return;
    } catch (const qr::ConvertError&) {
        return;
    }
    // Every room that was read can be entered, drawn and clicked everywhere it has a box.
    for (qr::TRoom* room : world.Rooms().Nodes<qr::TRoom>()) {
        world.GoRoom(room->GetID());
        for (qr::THitBox* box : room->HitBoxes().Nodes<qr::THitBox>()) {
            (void)box->GetCursor(world, box->Rect().Left, box->Rect().Top);
        }
        world.Tick(1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    auto compiled =
        qr::TObfText::FromBytes(qr::TObfText::CompileBytes(bytes, qr::WorldScriptFilter));
    ReadAndVisit(compiled);
    auto raw = qr::TObfText::FromBytes(bytes);
    ReadAndVisit(raw);
    return 0;
}

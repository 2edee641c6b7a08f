// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/world/room_factory.h"

#include "foundation/utils.h"
#include "game/world/disk_ops_room.h"
#include "game/world/room.h"

namespace qr {

TRoomFactory::TRoomFactory() {
    Add("", [](TWorld& w, const std::string& id) { return std::make_unique<TRoom>(w, id); });
}

void TRoomFactory::Add(const std::string& prefix, Maker maker) {
    makers_[AsciiUpper(prefix)] = std::move(maker);
}

bool TRoomFactory::Knows(const std::string& prefix) const {
    return makers_.count(AsciiUpper(prefix)) != 0;
}

std::unique_ptr<TRoom> TRoomFactory::Create(const std::string& prefix, TWorld& world,
                                            const std::string& id) const {
    auto it = makers_.find(AsciiUpper(prefix));
    if (it == makers_.end()) return nullptr;
    return it->second(world, id);
}

void AddEngineRooms(TRoomFactory& factory) {
    factory.Add("DISKOPS", [](TWorld& w, const std::string& id) {
        return std::make_unique<TDiskOpsRoom>(w, id);
    });
}

TRoomFactory EngineRooms() {
    TRoomFactory factory;
    AddEngineRooms(factory);
    return factory;
}

} // namespace qr

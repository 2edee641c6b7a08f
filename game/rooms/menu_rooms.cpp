// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/rooms/menu_rooms.h"

#include "game/rooms/author_room.h"
#include "game/rooms/credits_room.h"
#include "game/rooms/home_room.h"
#include "game/rooms/pick_lang_room.h"

namespace qr {

void AddMenuRooms(TRoomFactory& factory, TMenuServices services) {
    factory.Add(THomeRoom::kPrefix, [services](TWorld& world, const std::string& id) {
        return std::make_unique<THomeRoom>(world, id, services);
    });
    factory.Add(TCreditsRoom::kPrefix, [](TWorld& world, const std::string& id) {
        return std::make_unique<TCreditsRoom>(world, id);
    });
    factory.Add(TAuthorRoom::kPrefix, [services](TWorld& world, const std::string& id) {
        return std::make_unique<TAuthorRoom>(world, id, services);
    });
    factory.Add(TPickLangRoom::kPrefix, [services](TWorld& world, const std::string& id) {
        return std::make_unique<TPickLangRoom>(world, id, services);
    });
}

} // namespace qr

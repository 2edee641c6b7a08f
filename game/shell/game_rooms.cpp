// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/game_rooms.h"

namespace qr {

TRoomFactory GameRooms() {
    TRoomFactory rooms;
    AddEngineRooms(rooms);
    // Libraries of gameplay and menu rooms add theirs here, e.g. AddGameplayRooms(rooms).
    return rooms;
}

} // namespace qr

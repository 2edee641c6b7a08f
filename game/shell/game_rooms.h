// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The room classes of the game, assembled from every library that defines rooms.
#include "game/world/room_factory.h"

namespace qr {

TRoomFactory GameRooms();

} // namespace qr

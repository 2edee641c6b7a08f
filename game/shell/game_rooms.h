// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The room classes of the game, assembled from every library that defines rooms.
#include <functional>
#include <string>

#include "game/world/room_factory.h"

namespace qr {

class TFormMain;

struct TGameRoomOutputs {
    // Event lines of a scripted run (LEVEL, CARD, PLACE, ...); empty: none.
    std::function<void(const std::string&)> log;
    // Opens a web or mail address; a result below 32 is an error number.
    std::function<int(const std::string& target, int showCommand)> openLink;
};

// The game's rooms. The form gives the program's folders (the animals) and, once made, the
// world, whose high-score table a finished game enters.
TRoomFactory GameRooms(TFormMain& form, TGameRoomOutputs outputs);

} // namespace qr

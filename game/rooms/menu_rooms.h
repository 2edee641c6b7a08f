// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The menu rooms around the game: the module menu, the credits, the author pages of a
// module and the choice of languages. They need a few things of the program that the
// world does not keep (folders, the settings, the desktop's launcher); the program hands
// them over here when it assembles its room factory.
#include <functional>
#include <string>

#include "game/world/room_factory.h"

namespace qr {

struct TMenuServices {
    // The folder of the word lists, ending in "/".
    std::function<std::string()> wordListFolder;
    // The file that remembers the order in which modules were started.
    std::function<std::string()> moduleOrderFile;
    // The folder of the string files ("qr_*.str"), ending in "/".
    std::function<std::string()> stringFolder;
    // Opens a web or mail address; a result below 32 is an error number.
    std::function<int(const std::string& target, int showCommand)> openLink;
    // A line for the scripted-run log (empty function: none).
    std::function<void(const std::string& line)> report;
};

// Adds "HOMEROOM", "CREDITSROOM", "AUTHORROOM" and "PICKLANGROOM".
void AddMenuRooms(TRoomFactory& factory, TMenuServices services);

} // namespace qr

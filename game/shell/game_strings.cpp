// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/game_strings.h"

#include "foundation/utils.h"

namespace qr {

void RegisterGameResStrings() {
    static const ResString kTable[] = {
        {kResMonochrome, "\"This game\" cannot be played on a monochrome display.'"},
        {kResSixteenColours,
         "\"This game\" is designed for a minimum 256-color display. You are running a 16-color "
         "display. This will adversely affect the appearance of the graphics used in the game. "
         "Continue anyway?"},
        {kResGameLibrary, "game.px8"},
        {kResMissingFile, "Sorry! We cannot find the needed file \"%s\"."},
    };
    RegisterResStrings(kTable, sizeof kTable / sizeof kTable[0]);
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The headless driver's commands for playing whole games: loading a module, starting a
// new game, the stand-in player, waiting for a room, and the play room's state fields.
namespace qr {

class HeadlessDriver;

// Call after the driver's prepare step is set: the commands hook into it.
void AddPlayCommands(HeadlessDriver& driver);

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The headless driver's state fields of the menu rooms: the module menu's order, page and
// highlight, the page of the credits and author rooms, and the language room's entries.
namespace qr {

class HeadlessDriver;

// Call after the driver's prepare step is set: the fields hook into its state line.
void AddMenuState(HeadlessDriver& driver);

} // namespace qr

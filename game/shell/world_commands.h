// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The headless driver's commands about the world: the mouse, expectations, screenshots
// and the world's fields of the state line.
namespace qr {

class HeadlessDriver;
class HeadlessDisplay;

// The screen is the display the world's client area is shown on (screenshots read it).
void AddWorldCommands(HeadlessDriver& driver, HeadlessDisplay& screen);

} // namespace qr

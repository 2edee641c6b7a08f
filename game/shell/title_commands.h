// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The headless driver's view of the title room: its animation counter and the states of
// its nine letters in the `state` object while it is the current room.
namespace qr {

class HeadlessDriver;

// Call after the driver's prepare step is set.
void AddTitleState(HeadlessDriver& driver);

} // namespace qr

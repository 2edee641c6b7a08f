// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the world chooses from at each room switch: the card and background pictures of
// every image library of the program, and the animal files.
namespace qr {

class TWorld;
struct TFolders;

void ScanWorldData(TWorld& world, const TFolders& folders);

} // namespace qr

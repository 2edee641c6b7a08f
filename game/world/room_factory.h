// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which class makes the room a world-script keyword names: "ROOM" is the plain room,
// "DISKOPSROOM" the save and load room, and every library that defines room classes adds
// its own keywords. The program assembles one factory from those libraries and hands it
// to the world-script reader; nothing registers itself behind the program's back.
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace qr {

class TRoom;
class TWorld;

class TRoomFactory {
  public:
    using Maker = std::function<std::unique_ptr<TRoom>(TWorld& world, const std::string& id)>;

    // Knows the plain room (prefix "").
    TRoomFactory();
    // The class for "<prefix>ROOM" lines; a second maker for a prefix replaces the first.
    void Add(const std::string& prefix, Maker maker);
    bool Knows(const std::string& prefix) const;
    // Null when the prefix names no class.
    std::unique_ptr<TRoom> Create(const std::string& prefix, TWorld& world,
                                  const std::string& id) const;

  private:
    std::map<std::string, Maker> makers_; // upper-case prefix
};

// The engine's own room classes: the plain room and the save and load room ("DISKOPS").
void AddEngineRooms(TRoomFactory& factory);
// A factory with the engine's room classes only.
TRoomFactory EngineRooms();

} // namespace qr

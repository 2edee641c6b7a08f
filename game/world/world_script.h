// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The world script: one text file that declares every room of the game with its class,
// title, picture, flags, hit boxes and frame sets. It is read once, line by line,
// from its compiled form; a line the reader cannot use is reported as a script error
// and reading goes on, but a bad rectangle or number ends start-up.
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/geometry.h"

namespace qr {

class TObfText;
class TRoom;
class TRoomFactory;
class TWorld;

// Keyword <-> abbreviation ("HITBOX" <-> "HBX"); words without an entry are unchanged.
std::string AbbreviateKeyword(std::string_view word);
std::string ExpandKeyword(std::string_view word);
// The compile filter: trims, abbreviates the first word, drops empty lines.
bool WorldScriptFilter(std::string& line);

// Takes the first word off `rest` (up to the first space); rest keeps what follows,
// without leading spaces, cut to 255 characters.
std::string TakeWord(std::string& rest);
// A decimal integer; anything else raises ConvertError.
int32_t StrToInt(std::string_view word);
// Four words x, y, width, height -> rectangle; raises QRException
// "ExtractBounds: invalid rectangle".
TRect ExtractBounds(std::string& rest);
// The cursor number of a keyword (any case); raises ScriptError for an unknown one.
int CursorNumber(std::string_view keyword);

// One line: returns the room that following lines belong to. Room lines make their room
// with the factory's class for the keyword.
TRoom* ReadWorldScriptLine(TWorld& world, const TRoomFactory& rooms, const std::string& line,
                           TRoom* current);
// Every line of the compiled script.
void ReadWorldScript(TWorld& world, const TRoomFactory& rooms, TObfText& script);

} // namespace qr

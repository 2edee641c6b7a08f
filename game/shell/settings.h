// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The player's settings kept in "quilrush.ini": read with their defaults at start-up,
// clamped where the game needs a range, and written back at shut-down.
#include <cstdint>
#include <string>

#include "foundation/polyglot.h"
#include "platform/ini_file.h"

namespace qr {

struct TLanguageChoice {
    std::string name;
    uint8_t number = 255; // 0-22, 255 = known only by its name
    friend bool operator==(const TLanguageChoice&, const TLanguageChoice&) = default;
};

// What the world is given after its initialisation.
struct TPlayerSettings {
    std::string initials = "---";
    TLanguageChoice clueLanguage;
    TLanguageChoice answerLanguage;
    bool useIcons = true;
    int32_t speedValues[3] = {200, 120, 75}; // slow, medium, fast
    int32_t speedSetting = 2;                // 1-3
};

// The two switches of the "Options" section besides the player's settings.
struct TSoundPreferences {
    bool sound = true;
    bool music = true;
};

constexpr int32_t kMinSpeedValue = 20;
constexpr int32_t kMaxSpeedValue = 900;

// First three characters of the stored initials, "---" when empty.
std::string InitialsFrom(const std::string& stored);
// The stored number wins when it is not 255 and names a language of the string table;
// otherwise the stored name stands and its number is looked up.
TLanguageChoice ResolveLanguage(const TPolyglot& strings, const std::string& storedName,
                                int32_t storedNumber);

TPlayerSettings ReadPlayerSettings(const IniFile& ini, const TPolyglot& strings);
TSoundPreferences ReadSoundPreferences(const IniFile& ini);

// Everything written at shut-down ("Slow game", "Medium game" and "Fast game" are only
// read, never written).
struct TShutdownSettings {
    TPlayerSettings player;
    std::string workingLanguage; // string 0 of the string table
    bool useIcons = false;       // icons on and the current list has icons
    bool sound = true;
    bool music = true;
};
// Saves them as one replace of the file. A working language that is no language name (the
// string table's error text, or nothing) leaves the stored one as it was.
void WriteShutdownSettings(IniFile& ini, const TShutdownSettings& s);
// A name a string file gives its language: not empty, not the table's error text.
bool IsLanguageName(const std::string& name);

} // namespace qr

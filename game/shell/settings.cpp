// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/settings.h"

#include <algorithm>

namespace qr {

namespace {
constexpr const char* kIdentity = "Identity";
constexpr const char* kOptions = "Options";
} // namespace

std::string InitialsFrom(const std::string& stored) {
    if (stored.empty()) return "---";
    return stored.substr(0, 3);
}

TLanguageChoice ResolveLanguage(const TPolyglot& strings, const std::string& storedName,
                                int32_t storedNumber) {
    TLanguageChoice c;
    if (storedNumber != 255) {
        // A number outside the table names no language (and must not reach beyond it).
        std::string name = storedNumber >= 0 && storedNumber < TPolyglot::kLanguageCount
                               ? strings.LanguageName(storedNumber)
                               : std::string();
        if (!name.empty()) {
            c.name = name;
            c.number = uint8_t(storedNumber);
            return c;
        }
    }
    c.name = storedName;
    int k = strings.LanguageNumber(storedName);
    c.number = k < 0 ? 255 : uint8_t(k);
    return c;
}

TPlayerSettings ReadPlayerSettings(const IniFile& ini, const TPolyglot& strings) {
    TPlayerSettings s;
    s.initials = InitialsFrom(ini.ReadString(kIdentity, "Current player", ""));
    s.clueLanguage = ResolveLanguage(strings, ini.ReadString(kOptions, "Clue language", ""),
                                     ini.ReadInteger(kOptions, "Clue language ID", 255));
    s.answerLanguage = ResolveLanguage(strings, ini.ReadString(kOptions, "Answer language", ""),
                                       ini.ReadInteger(kOptions, "Answer language ID", 255));
    s.useIcons = ini.ReadBool(kOptions, "Use icons", true);
    const char* keys[3] = {"Slow game", "Medium game", "Fast game"};
    const int32_t defaults[3] = {200, 120, 75};
    for (int i = 0; i < 3; ++i)
        s.speedValues[i] = std::clamp(ini.ReadInteger(kOptions, keys[i], defaults[i]),
                                      kMinSpeedValue, kMaxSpeedValue);
    s.speedSetting = std::clamp(ini.ReadInteger(kOptions, "Speed setting", 2), 1, 3);
    return s;
}

TSoundPreferences ReadSoundPreferences(const IniFile& ini) {
    return {ini.ReadBool(kOptions, "Sound", true), ini.ReadBool(kOptions, "Music", true)};
}

bool IsLanguageName(const std::string& name) {
    return !name.empty() && name != TPolyglot::kAccessError;
}

void WriteShutdownSettings(IniFile& ini, const TShutdownSettings& s) {
    // One replace of the file: a kill in the middle leaves the old settings or the new
    // ones, never a mixture.
    IniFile::Edit e(ini);
    e.WriteString(kIdentity, "Current player", s.player.initials);
    if (IsLanguageName(s.workingLanguage))
        e.WriteString(kOptions, "Working language", s.workingLanguage);
    e.WriteString(kOptions, "Clue language", s.player.clueLanguage.name);
    e.WriteInteger(kOptions, "Clue language ID", s.player.clueLanguage.number);
    e.WriteString(kOptions, "Answer language", s.player.answerLanguage.name);
    e.WriteInteger(kOptions, "Answer language ID", s.player.answerLanguage.number);
    e.WriteBool(kOptions, "Use icons", s.useIcons);
    e.WriteInteger(kOptions, "Speed setting", s.player.speedSetting);
    e.WriteBool(kOptions, "Sound", s.sound);
    e.WriteBool(kOptions, "Music", s.music);
    e.Save();
}

} // namespace qr

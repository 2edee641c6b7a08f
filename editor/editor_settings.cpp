// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/editor_settings.h"

namespace qr {

namespace {
constexpr const char* kOptions = "Options";
constexpr const char* kMore = "More languages";
constexpr const char* kIdentity = "Identity";

std::vector<std::string> ReadNumbered(const IniFile& ini, const char* section, const char* countKey,
                                      const char* itemKey) {
    std::vector<std::string> out;
    const int32_t n = ini.ReadInteger(section, countKey, 0);
    // A damaged count must not make us read two billion keys.
    for (int32_t i = 1; i <= n && i <= 10000; ++i)
        out.push_back(ini.ReadString(section, std::string(itemKey) + " " + std::to_string(i), ""));
    return out;
}
} // namespace

std::string TEditorSettings::WorkingLanguage() const {
    return ini_.ReadString(kOptions, "Working language", "English");
}
void TEditorSettings::SetWorkingLanguage(const std::string& name) {
    ini_.WriteString(kOptions, "Working language", name);
}
bool TEditorSettings::ExtendedSelect() const {
    return ini_.ReadBool(kOptions, "Level-groups extended select", false);
}
void TEditorSettings::SetExtendedSelect(bool on) {
    ini_.WriteBool(kOptions, "Level-groups extended select", on);
}
std::string TEditorSettings::WordListPath() const {
    return ini_.ReadString(kOptions, "Word-list path", "");
}
void TEditorSettings::SetWordListPath(const std::string& folder) {
    ini_.WriteString(kOptions, "Word-list path", folder);
}

std::vector<std::string> TEditorSettings::MoreLanguages() const {
    std::vector<std::string> out;
    for (std::string& s : ReadNumbered(ini_, kMore, "Language count", "Language"))
        if (!s.empty()) out.push_back(std::move(s));
    return out;
}
void TEditorSettings::SetMoreLanguages(const std::vector<std::string>& names) {
    ini_.EraseSection(kMore);
    ini_.WriteInteger(kMore, "Language count", int32_t(names.size()));
    for (size_t i = 0; i < names.size(); ++i)
        ini_.WriteString(kMore, "Language " + std::to_string(i + 1), names[i]);
}

std::string TEditorSettings::Handle() const {
    return ini_.ReadString(kIdentity, "Handle", "");
}
void TEditorSettings::SetHandle(const std::string& handle) {
    ini_.WriteString(kIdentity, "Handle", handle);
}
std::vector<std::string> TEditorSettings::AuthorLines() const {
    return ReadNumbered(ini_, kIdentity, "Author line count", "Author line");
}
void TEditorSettings::SetAuthorLines(const std::vector<std::string>& lines) {
    ini_.WriteInteger(kIdentity, "Author line count", int32_t(lines.size()));
    for (size_t i = 0; i < lines.size(); ++i)
        ini_.WriteString(kIdentity, "Author line " + std::to_string(i + 1), lines[i]);
}

} // namespace qr

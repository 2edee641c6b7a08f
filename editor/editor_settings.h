// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editor's keys in "quilrush.ini", the settings file it shares with the game. Every
// read sees the file as it is now and every write re-reads it and replaces only the key
// written, so the game saving its own sections at the same time loses nothing and
// neither does the editor.
#include <string>
#include <vector>

#include "platform/ini_file.h"

namespace qr {

class TEditorSettings {
  public:
    explicit TEditorSettings(std::string path) : ini_(std::move(path)) {}

    std::string WorkingLanguage() const;
    void SetWorkingLanguage(const std::string& name);
    bool ExtendedSelect() const;
    void SetExtendedSelect(bool on);
    // Empty when never stored: the callers know their own defaults.
    std::string WordListPath() const;
    void SetWordListPath(const std::string& folder);

    // "More languages": the further languages, empty entries skipped.
    std::vector<std::string> MoreLanguages() const;
    // The section is replaced as a whole.
    void SetMoreLanguages(const std::vector<std::string>& names);

    // "Identity": what new lists are given.
    std::string Handle() const;
    void SetHandle(const std::string& handle);
    std::vector<std::string> AuthorLines() const;
    void SetAuthorLines(const std::vector<std::string>& lines);

    const std::string& FileName() const { return ini_.FileName(); }

  private:
    IniFile ini_;
};

} // namespace qr

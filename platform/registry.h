// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The per-user registry the programs find their folders through. On Linux it is one ini
// file: the section is the key path and the entries are its values, e.g.
//   [Software\UVO! Software\QuilRush]
//   Directory=/home/x/.local/share/quilrush
// The file is $XDG_CONFIG_HOME/uvo-software/registry.ini unless QUILRUSH_REGISTRY (or the
// option --registry) names another.
#include <string>
#include <string_view>

#include "platform/ini_file.h"

namespace qr {

class Registry {
  public:
    explicit Registry(std::string path) : file_(std::move(path)) {}

    // The default file: QUILRUSH_REGISTRY, else $XDG_CONFIG_HOME (or ~/.config) +
    // "/uvo-software/registry.ini".
    static std::string DefaultPath();

    const std::string& Path() const { return file_.FileName(); }
    bool FileExists() const;
    bool KeyExists(std::string_view key) const { return file_.SectionExists(key); }
    // Failed reads are not errors: a missing key or value reads as empty.
    std::string ReadString(std::string_view key, std::string_view value) const {
        return file_.ReadString(key, value, "");
    }
    void WriteString(std::string_view key, std::string_view value, std::string_view data) {
        file_.WriteString(key, value, data);
    }

  private:
    IniFile file_;
};

} // namespace qr

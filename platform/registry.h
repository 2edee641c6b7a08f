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
    // Its values are paths, kept in UTF-8 as the file system has them.
    explicit Registry(std::string path) : file_(std::move(path), IniFile::Values::Utf8) {}

    // The default file: QUILRUSH_REGISTRY, else $XDG_CONFIG_HOME (or ~/.config) +
    // "/uvo-software/registry.ini".
    static std::string DefaultPath();

    const std::string& Path() const { return file_.FileName(); }
    bool FileExists() const;
    // Why the file cannot be used (see IniFile::Problem); empty when it is fine or missing.
    std::string Problem() const { return file_.Problem(); }
    bool KeyExists(std::string_view key) const { return file_.SectionExists(key); }
    // Failed reads are not errors: a missing key or value reads as empty.
    std::string ReadString(std::string_view key, std::string_view value) const {
        return file_.ReadString(key, value, "");
    }
    // A value with a line break is refused (UvoException), never stored in part.
    void WriteString(std::string_view key, std::string_view value, std::string_view data);

  private:
    IniFile file_;
};

} // namespace qr

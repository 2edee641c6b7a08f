// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File helpers with the rules the data was written for: names are matched without regard
// to case (as on Windows file systems), and directory listings come in a stable order (by
// name, ignoring case) so that "the first matching file" means the same on every machine.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qr {

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Modification time; nullopt when the file does not exist.
std::optional<std::filesystem::file_time_type> FileTime(const std::string& path);

// "*" and "?" wildcards, compared without regard to ASCII case.
bool MatchesPattern(std::string_view name, std::string_view pattern);
// Names (not paths) of the regular files in dir matching the pattern; empty when the
// folder cannot be read.
std::vector<std::string> FindFiles(const std::string& dir, std::string_view pattern);
// The path of an existing file whose name matches `name` ignoring case, or the name
// joined to dir when there is none.
std::string ResolveNoCase(const std::string& dir, std::string_view name);

// Appends "/" when missing (a folder root always ends in a separator).
std::string WithSeparator(std::string path);
// The folder holding the running executable, ending in "/".
std::string ExecutableFolder();

// A base folder by the XDG rules: the variable's value when it is an absolute path, else
// $HOME + "/" + fallbackUnderHome (".local/share", ".config", ".cache"); empty when
// neither gives an absolute path. A relative value is ignored, as the rules say.
std::string XdgFolder(const char* variable, const char* fallbackUnderHome);
// True when a path holds a line break: such a path cannot be kept in an ini file.
bool HasLineBreak(std::string_view path);

} // namespace qr

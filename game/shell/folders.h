// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's two folder roots. The installation folder holds what the user owns (settings,
// high scores, word lists, saved games) and comes from the registry; the program folder
// holds the read-only data (world script, sounds, music, pictures, string files). Both
// always end in "/".
#include <string>

#include "platform/registry.h"

namespace qr {

struct TFolders {
    std::string installation;
    std::string program;

    std::string DatUser() const { return installation + "dat/"; }
    std::string Lists() const { return installation + "lists/"; }
    std::string Help() const { return installation + "hlp/"; }
    std::string IniFile() const { return installation + "quilrush.ini"; }
    std::string DatProgram() const { return program + "dat/"; }
    std::string Music() const { return program + "mid/"; }
    std::string Waves() const { return program + "wav/"; }
    std::string ImageLibraries() const { return program + "imglib/"; }
    std::string Strings() const { return program + "str/"; }
};

struct FolderLookup {
    TFolders folders;
    std::string error; // non-empty when start-up must stop with this message
};

// The program folder of a copy: the executable's folder when it holds the data ("dat/"
// and "str/"), else "<prefix>/share/quilrush/" of an installed copy.
std::string DefaultProgramFolder();

// Reads "DevHome" and "Directory" and derives both roots. A registry file that does not
// exist at all is a first run: the per-user installation folder is created (with the
// bundled word lists copied from the program folder) and registered, as an installer would.
FolderLookup LookUpFolders(Registry& registry, const std::string& programFolder);

// What a first run does: $XDG_DATA_HOME/quilrush (or ~/.local/share/quilrush) with "dat/",
// "lists/" (bundled lists copied) and "hlp/"; returns the folder, or empty on failure.
std::string InstallUserFolder(const std::string& programFolder);

} // namespace qr

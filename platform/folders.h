// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two folder roots, found the same way by the game and the editor. The installation
// folder holds what the user owns (settings, high scores, word lists, saved games, help)
// and comes from the registry; the program folder holds the read-only data (world
// script, sounds, music, pictures, string files). Both always end in "/".
#include <string>
#include <vector>

#include "platform/registry.h"

namespace qr {

// The registry keys both programs read their folders from.
constexpr const char* kRegistryVendorKey = "Software\\UVO! Software";
constexpr const char* kRegistryGameKey = "Software\\UVO! Software\\QuilRush";

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
    // Said once at start-up, after which the game goes on (a word list that could not be
    // copied, a registration that failed).
    std::vector<std::string> warnings;
};

// The program folder of a copy: the executable's folder when it holds the data ("dat/"
// and "str/"), else "<prefix>/share/quilrush/" of an installed copy.
std::string DefaultProgramFolder();

// The installation folder the game sets up for itself: $XDG_DATA_HOME/quilrush/ (or
// ~/.local/share/quilrush/); empty when there is no home to put it in.
std::string DefaultInstallFolder();

// Reads "DevHome" and "Directory" and derives both roots. A registry file that does not
// exist at all is a first run: the game's own installation folder is created and
// registered, as an installer would; when that folder has gone, it is made again. A
// registry file that exists but cannot be read stops start-up with a message naming it.
FolderLookup LookUpFolders(Registry& registry, const std::string& programFolder);

// Makes "dat/", "lists/" and "hlp/" in `dir` (ending in "/"); a message when that fails.
std::string CreateInstallFolder(const std::string& dir);

// Brings the bundled word lists of the program folder's "lists/" into the installation's
// "lists/", keeping a record ("seeded.txt": checksum and name of every copy) so that a
// list new in this build or one an earlier start failed to copy is copied, an unchanged
// copy of an older build is updated, and a list the user edited or deleted is left alone.
// Returns one message per failure, naming the file and the reason.
std::vector<std::string> SeedWordLists(const std::string& programFolder,
                                       const std::string& installation);

} // namespace qr

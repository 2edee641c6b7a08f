// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// qrwtool's way in from and out to other programs' word lists: "import" (KVTML, CSV)
// and "export --csv".
#include <string>
#include <vector>

namespace qr {

// The commands' lines of the usage text (a literal, to join the tool's own).
#define QRWTOOL_IMPORT_USAGE                                                                       \
    "  import SOURCE OUT   make a list from a KVTML (.kvtml) or spreadsheet (.csv) file\n"         \
    "      --type vocabulary|anagram|quiz   the list type (default: from the file)\n"              \
    "      --languages A,B                  languages to take, main language first\n"              \
    "      --title T                        the list's title (default: the file's)\n"              \
    "      --skip-unshowable                leave out entries the game cannot show\n"              \
    "  export FILE --csv OUT   write the list as a spreadsheet (CSV)\n"

// args[0] is "import"; returns the exit code.
int RunImportCommand(const std::vector<std::string>& args);

// True for "export FILE --csv OUT"; RunCsvExportCommand then does it.
bool IsCsvExport(const std::vector<std::string>& args);
int RunCsvExportCommand(const std::vector<std::string>& args);

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/folders.h"

#include <cstdlib>
#include <filesystem>

#include "foundation/utils.h"
#include "game/shell/game_strings.h"
#include "platform/files.h"

namespace qr {

namespace fs = std::filesystem;

#ifndef QR_DATA_FROM_BINDIR
#define QR_DATA_FROM_BINDIR "../share/quilrush"
#endif

std::string DefaultProgramFolder() {
    std::string exe = ExecutableFolder();
    if (DirectoryExists(exe + "dat") && DirectoryExists(exe + "str")) return exe;
    // An installed copy: the data folder as the build's install layout placed it, seen
    // from the program's folder, then the usual place next to "bin" or "games".
    for (const char* relative : {QR_DATA_FROM_BINDIR, "../share/quilrush"}) {
        std::error_code ec;
        fs::path shared = fs::weakly_canonical(fs::path(exe) / relative, ec);
        if (!ec && DirectoryExists(shared.string())) return WithSeparator(shared.string());
    }
    return exe;
}

std::string InstallUserFolder(const std::string& programFolder) {
    std::string base;
    if (const char* x = std::getenv("XDG_DATA_HOME"); x && *x)
        base = x;
    else if (const char* h = std::getenv("HOME"); h && *h)
        base = std::string(h) + "/.local/share";
    else
        return {};
    std::string dir = WithSeparator(base + "/quilrush");
    std::error_code ec;
    for (const char* sub : {"dat", "lists", "hlp"})
        fs::create_directories(dir + sub, ec);
    if (!DirectoryExists(dir)) return {};
    // The bundled word lists become the user's own, so the editor can change them.
    for (const std::string& name : FindFiles(programFolder + "lists", "*.qrw")) {
        std::error_code e2;
        fs::copy_file(programFolder + "lists/" + name, dir + "lists/" + name,
                      fs::copy_options::skip_existing, e2);
    }
    return dir;
}

FolderLookup LookUpFolders(Registry& registry, const std::string& programFolder) {
    FolderLookup r;
    r.folders.program = programFolder;

    const bool firstRun = !registry.FileExists();
    const std::string devHome = registry.ReadString(kRegistryVendorKey, "DevHome");
    std::string install = registry.ReadString(kRegistryGameKey, "Directory");

    if (firstRun && devHome.empty()) {
        install = InstallUserFolder(WithSeparator(programFolder));
        if (!install.empty()) {
            try {
                registry.WriteString(kRegistryGameKey, "Directory", install);
            } catch (const UvoException&) {
                // Unregistered, the folder still serves this run; the next run tries again.
            }
        }
    }

    if ((install.empty() || !DirectoryExists(install)) && !devHome.empty()) {
        install = WithSeparator(devHome) + "QuilRush";
        r.folders.program = install;
    }
    if (install.empty()) {
        r.error = FormatMessage("Unable to locate name of installation folder under registry entry "
                                "\"%s\\%s\". Please re-install and try again.",
                                {kRegistryGameKey, "Directory"});
        return r;
    }
    if (!DirectoryExists(install)) {
        r.error = FormatMessage(
            "Unable to locate installation folder \"%s\". Please re-install and try again.",
            {install});
        return r;
    }
    r.folders.installation = WithSeparator(install);
    r.folders.program = WithSeparator(r.folders.program);
    return r;
}

} // namespace qr

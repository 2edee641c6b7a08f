// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/folders.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>

#include "foundation/checksum.h"
#include "foundation/stream.h"
#include "foundation/utils.h"
#include "foundation/uvo_exception.h"
#include "platform/files.h"

namespace qr {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSeedRecord = "seeded.txt";

bool SameFolder(const std::string& a, const std::string& b) {
    return !a.empty() && !b.empty() &&
           fs::path(WithSeparator(a)).lexically_normal() ==
               fs::path(WithSeparator(b)).lexically_normal();
}

std::string ResetHint(const Registry& registry) {
    return FormatMessage("\n\nTo start afresh, delete the registry file \"%s\": the next start "
                         "sets up a new installation folder.",
                         {registry.Path()});
}

// name -> checksum of the copy made from the program folder.
std::map<std::string, uint32_t> ReadSeedRecord(const std::string& path) {
    std::map<std::string, uint32_t> record;
    std::vector<uint8_t> bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const UvoException&) {
        return record;
    }
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    for (std::string line; std::getline(in, line);) {
        unsigned long crc = 0;
        char name[256] = {};
        if (line.empty() || line[0] == '#') continue;
        if (std::sscanf(line.c_str(), "%8lx %255[^\n]", &crc, name) == 2)
            record[name] = uint32_t(crc);
    }
    return record;
}

std::string Checksum(uint32_t crc) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%08x", unsigned(crc));
    return buf;
}

} // namespace

#ifndef QR_DATA_FROM_BINDIR
#define QR_DATA_FROM_BINDIR "../share/quilrush"
#endif
#ifndef QR_DATA_FROM_GAMEDIR
#define QR_DATA_FROM_GAMEDIR QR_DATA_FROM_BINDIR
#endif

std::string DefaultProgramFolder() {
    std::string exe = ExecutableFolder();
    if (DirectoryExists(exe + "dat") && DirectoryExists(exe + "str")) return exe;
    // An installed copy: the data folder as the build's install layout placed it, seen
    // from the game's folder or the other programs' one, then the usual place next to
    // "bin" or "games".
    for (const char* relative : {QR_DATA_FROM_GAMEDIR, QR_DATA_FROM_BINDIR, "../share/quilrush"}) {
        std::error_code ec;
        fs::path shared = fs::weakly_canonical(fs::path(exe) / relative, ec);
        if (!ec && DirectoryExists(shared.string())) return WithSeparator(shared.string());
    }
    return exe;
}

std::string DefaultInstallFolder() {
    std::string base = XdgFolder("XDG_DATA_HOME", ".local/share");
    return base.empty() ? std::string() : WithSeparator(base + "/quilrush");
}

std::string CreateInstallFolder(const std::string& dir) {
    for (const char* sub : {"dat", "lists", "hlp"}) {
        std::error_code ec;
        fs::create_directories(dir + sub, ec);
        if (ec)
            return FormatMessage("Cannot create the installation folder \"%s\": %s.",
                                 {dir + sub, ec.message()});
    }
    return {};
}

std::vector<std::string> SeedWordLists(const std::string& programFolder,
                                       const std::string& installation) {
    std::vector<std::string> failures;
    const std::string from = WithSeparator(programFolder) + "lists/";
    const std::string to = WithSeparator(installation) + "lists/";
    const std::string recordPath = WithSeparator(installation) + kSeedRecord;
    std::map<std::string, uint32_t> record = ReadSeedRecord(recordPath);
    bool changed = false;
    for (const std::string& name : FindFiles(from, "*.qrw")) {
        std::vector<uint8_t> bundled;
        try {
            bundled = ReadFileBytes(from + name);
        } catch (const UvoException& e) {
            failures.push_back(e.what());
            continue;
        }
        const std::string_view bundledBytes(reinterpret_cast<const char*>(bundled.data()),
                                            bundled.size());
        const uint32_t bundledCrc = Crc32(bundledBytes);
        const std::string target = to + name;
        std::error_code ec;
        const bool present = fs::exists(target, ec);
        std::optional<uint32_t> userCrc;
        uintmax_t userSize = 0;
        // Something other than a file in its place is reported when the copy fails.
        if (present && fs::is_regular_file(target, ec)) {
            try {
                std::vector<uint8_t> user = ReadFileBytes(target);
                userSize = user.size();
                userCrc = Crc32(
                    std::string_view(reinterpret_cast<const char*>(user.data()), user.size()));
            } catch (const UvoException& e) {
                failures.push_back(e.what());
                continue;
            }
        }
        auto seeded = record.find(name);
        bool copy = false;
        if (seeded != record.end()) {
            // Deleted by the user: stays deleted. Edited: stays as the user made it. An
            // unchanged copy of an older build is brought up to date.
            copy = present && userCrc == seeded->second && bundledCrc != seeded->second;
        } else if (!present || userSize == 0) {
            // New in this build, or a copy an earlier start could not finish.
            copy = true;
        } else if (userCrc == bundledCrc) {
            record[name] = bundledCrc; // already there (the record was lost)
            changed = true;
        }
        if (!copy) continue;
        try {
            WriteFileAtomic(target, bundled.data(), bundled.size());
            std::vector<uint8_t> check = ReadFileBytes(target);
            if (check != bundled) throw UvoException("the copy differs from the original");
            record[name] = bundledCrc;
            changed = true;
        } catch (const std::exception& e) {
            failures.push_back(FormatMessage("Cannot copy the word list \"%s\" to \"%s\": %s",
                                             {from + name, target, e.what()}));
        }
    }
    if (changed) {
        std::string text = "# Word lists copied from the program's folder, with their CRC-32.\n"
                           "# A list missing here is copied at the next start.\n";
        for (const auto& [name, crc] : record)
            text += Checksum(crc) + " " + name + "\n";
        try {
            WriteFileAtomic(recordPath, text.data(), text.size());
        } catch (const UvoException& e) {
            failures.push_back(e.what());
        }
    }
    return failures;
}

FolderLookup LookUpFolders(Registry& registry, const std::string& programFolder) {
    FolderLookup r;
    r.folders.program = programFolder;

    // A read-only registry file is still read: only a first run writes to it, and a file
    // that exists is no first run.
    if (std::string problem = registry.Problem(); !problem.empty() && problem != "is read-only") {
        r.error = FormatMessage("Cannot read the registry file \"%s\": it %s.",
                                {registry.Path(), problem});
        return r;
    }
    const bool firstRun = !registry.FileExists();
    const std::string devHome = registry.ReadString(kRegistryVendorKey, "DevHome");
    std::string install = registry.ReadString(kRegistryGameKey, "Directory");
    const std::string home = DefaultInstallFolder();

    // What an installer would do: on a first run, and when the folder it made has gone.
    bool ownFolder = devHome.empty() && !home.empty() &&
                     (firstRun || (!DirectoryExists(install) && SameFolder(install, home)));
    if (ownFolder) {
        if (HasLineBreak(home)) {
            r.error = FormatMessage("Cannot use the installation folder \"%s\": its name holds a "
                                    "line break. Set XDG_DATA_HOME to another folder.",
                                    {home});
            return r;
        }
        if (std::string failed = CreateInstallFolder(home); !failed.empty()) {
            r.error = failed;
            return r;
        }
        if (firstRun) {
            try {
                registry.WriteString(kRegistryGameKey, "Directory", home);
            } catch (const UvoException& e) {
                // Unregistered, the folder still serves this run; the next run tries again.
                r.warnings.push_back(e.what());
            }
        }
        install = home;
    }

    if ((install.empty() || !DirectoryExists(install)) && !devHome.empty()) {
        install = WithSeparator(devHome) + "QuilRush";
        r.folders.program = install;
    }
    if (install.empty()) {
        r.error = FormatMessage("Unable to locate name of installation folder under registry entry "
                                "\"%s\\%s\". Please re-install and try again.",
                                {kRegistryGameKey, "Directory"}) +
                  ResetHint(registry);
        return r;
    }
    if (!DirectoryExists(install)) {
        r.error =
            FormatMessage(
                "Unable to locate installation folder \"%s\". Please re-install and try again.",
                {install}) +
            ResetHint(registry);
        return r;
    }
    r.folders.installation = WithSeparator(install);
    r.folders.program = WithSeparator(r.folders.program);
    // The bundled lists are completed on every start of a folder the game set up itself.
    if (devHome.empty() &&
        (SameFolder(install, home) || FileExists(r.folders.installation + kSeedRecord)))
        for (std::string& f : SeedWordLists(r.folders.program, r.folders.installation))
            r.warnings.push_back(std::move(f));
    return r;
}

} // namespace qr

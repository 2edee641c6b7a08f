// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game program from folder lookup to shut-down, independent of the backend: the
// desktop and the headless driver both run it, each with its own platform services and
// its own way of running the message loop.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "game/shell/form_main.h"

namespace qr {

enum ExitCode {
    kExitOk = 0,
    kExitStartupFailed = 1, // a message said why
    kExitUsage = 2,
    kExitAlreadyRunning = 3, // another copy runs; nothing is shown
};

struct ProgramOptions {
    std::string registryPath;          // empty: Registry::DefaultPath()
    std::string programFolder;         // empty: DefaultProgramFolder()
    std::optional<uint32_t> seed;      // empty: seeded from the clock
    std::vector<std::string> switches; // "NOMIDI", "--nosound", ...
    std::string windowsLanguage;       // empty: SystemLanguageCode()
};

struct ProgramHooks {
    // Fills in the start-up steps of later parts of the program before FormCreate.
    std::function<void(TFormMain&)> prepare;
    // Runs the message loop until the window closes (the desktop loop or the drive script).
    // `wokenUp` answers whether another copy was started meanwhile (the window then comes
    // to the front).
    std::function<void(TFormMain&, const std::function<bool()>& wokenUp)> run;
};

int RunProgram(const ProgramOptions& options, TFormMain::Services services,
               const ProgramHooks& hooks);

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/shell.h"

#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>

extern char** environ;

namespace qr {

namespace {

constexpr int kLaunched = 42;
constexpr int kCannotStart = 2;

} // namespace

int LauncherShell::Open(const std::string& target, int showCommand) {
    // The launcher must not mistake an address for one of its own options.
    if (target.empty() || target[0] == '-') return kCannotStart;
    std::string program = launcher_;
    std::string argument = target;
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0)
        return kCannotStart;
    const timespec pause{0, 10 * 1000 * 1000};
    for (int waited = 0;; waited += 10) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return kLaunched;
            // posix_spawnp reports a program it cannot execute through exit status 127.
            if (WIFEXITED(status) && WEXITSTATUS(status) == 127) return kCannotStart;
            if (WIFEXITED(status)) return std::clamp(WEXITSTATUS(status), 1, kFirstSuccess - 1);
            return kCannotStart;
        }
        if (done < 0) return kCannotStart;
        if (waited >= timeoutMs_) {
            // Still running: it has the address. Reap it later without blocking the game.
            return kLaunched;
        }
        nanosleep(&pause, nullptr);
    }
}

} // namespace qr

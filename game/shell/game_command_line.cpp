// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/game_command_line.h"

#include <cstdint>
#include <optional>

#include "foundation/command_line.h"
#include "foundation/utils.h"

namespace qr {

const char* GameUsage() {
    return "Usage: quilrush32 [options] [NOMIDI] [NOWAVE] [NOSOUND]\n"
           "  --nomidi, --nowave, --nosound   no music, no sound effects, neither\n"
           "  --registry FILE    registry file to use (default $QUILRUSH_REGISTRY or\n"
           "                     $XDG_CONFIG_HOME/uvo-software/registry.ini)\n"
           "  --data DIR         program data folder (default: next to the program, or\n"
           "                     <prefix>/share/quilrush)\n"
           "  --seed N           fix the random generator (0-4294967295)\n"
           "  --headless [FILE]  run without a display from a drive script (FILE, or\n"
           "                     standard input when FILE is - or missing)\n"
           "  --depth BITS       headless: the screen colour depth to report (1-32, default 32)\n"
           "  --language CODE    the Windows language code to assume (\"enu\", \"deu\", ...)\n"
           "  --help, --version\n";
}

namespace {
// Ends the parse at the first mistake.
struct Stop {};
} // namespace

GameCommandLine ParseGameCommandLine(const std::vector<std::string>& args) {
    GameCommandLine c;
    auto fail = [&](const std::string& problem) {
        c.action = GameCommandLine::Action::Error;
        c.error = problem;
        throw Stop{};
    };
    try {
        for (size_t i = 0; i < args.size(); ++i) {
            const std::string& a = args[i];
            auto value = [&](const char* what) -> std::string {
                if (i + 1 >= args.size()) fail(a + " needs " + what);
                return args[++i];
            };
            auto number = [&](const char* what, long long min, long long max) {
                const std::string v = value(what);
                const std::optional<long long> n = ParseInteger(v, min, max);
                if (!n)
                    fail(a + " needs " + what + " from " + std::to_string(min) + " to " +
                         std::to_string(max) + ", not \"" + v + "\"");
                return *n;
            };
            auto text = [&](const char* what) {
                const std::string v = value(what);
                if (v.empty()) fail(a + " needs " + what + ", not an empty word");
                return v;
            };
            if (a == "--help" || a == "-h") {
                c.action = GameCommandLine::Action::Help;
                return c;
            } else if (a == "--version") {
                c.action = GameCommandLine::Action::Version;
                return c;
            } else if (a == "--headless") {
                c.headless = true;
                if (i + 1 < args.size() && (args[i + 1].empty() || args[i + 1][0] != '-'))
                    c.script = args[++i];
                else if (i + 1 < args.size() && args[i + 1] == "-")
                    ++i;
            } else if (a == "--registry") {
                c.options.registryPath = text("a file");
            } else if (a == "--data") {
                c.options.programFolder = text("a folder");
            } else if (a == "--seed") {
                c.options.seed = uint32_t(number("a number", 0, UINT32_MAX));
            } else if (a == "--depth") {
                c.depth = int(number("a number of bits", 1, 32));
            } else if (a == "--language") {
                c.options.windowsLanguage = text("a code");
            } else if (const std::string lower = AsciiLower(a);
                       lower == "--nomidi" || lower == "--nowave" || lower == "--nosound") {
                c.options.switches.push_back(a);
            } else if (!a.empty() && a[0] == '-') {
                fail("unknown option " + a);
            } else {
                // The old switches keep working (also as "/NOSOUND"); any other word is a
                // mistake worth pointing out.
                std::string upper = AsciiUpper(a);
                if (!upper.empty() && upper[0] == '/') upper.erase(0, 1);
                if (upper != "NOMIDI" && upper != "NOWAVE" && upper != "NOSOUND")
                    fail("unexpected argument \"" + a + "\"");
                c.options.switches.push_back(a);
            }
        }
    } catch (const Stop&) {
    }
    return c;
}

} // namespace qr

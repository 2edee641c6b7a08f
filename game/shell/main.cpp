// SPDX-License-Identifier: GPL-3.0-or-later
// quilrush32: the game. On the desktop it opens its window through SDL; with --headless
// it runs in-process from a drive script (see the README).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "foundation/command_line.h"
#include "foundation/utils.h"
#include "foundation/uvo_exception.h"
#include "game/shell/game_rooms.h"
#include "game/shell/game_strings.h"
#include "game/shell/headless_driver.h"
#include "game/shell/play_commands.h"
#include "game/shell/program.h"
#include "game/shell/sound_shell.h"
#include "game/shell/world_commands.h"
#include "game/shell/world_shell.h"
#include "platform/headless/display_headless.h"
#include "platform/headless/headless_sound.h"
#include "platform/sdl/sdl_dialogs.h"
#include "platform/sdl/sdl_sound.h"
#include "platform/sdl/sdl_system.h"
#include "platform/sdl/sdl_window.h"
#include "platform/shell.h"

using namespace qr;

namespace {

[[noreturn]] void BadScript(const std::string& name, const std::string& problem) {
    std::fprintf(stderr, "quilrush32: %s: %s\n", Printable(name).c_str(), problem.c_str());
    std::exit(kExitUsage);
}

void Usage(std::FILE* f) {
    std::fprintf(
        f, "Usage: quilrush32 [options] [NOMIDI] [NOWAVE] [NOSOUND]\n"
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
           "  --help, --version\n");
}

// A bad command line: what was wrong, then the usage, on standard error.
[[noreturn]] void BadCommandLine(const std::string& problem) {
    std::fprintf(stderr, "quilrush32: %s\n", Printable(problem).c_str());
    Usage(stderr);
    std::exit(kExitUsage);
}

struct CommandLine {
    ProgramOptions options;
    bool headless = false;
    std::string script = "-";
    int depth = 32;
};

CommandLine ParseCommandLine(int argc, char** argv) {
    CommandLine c;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](const char* what) -> std::string {
            if (i + 1 >= argc) BadCommandLine(a + " needs " + what);
            return argv[++i];
        };
        auto number = [&](const char* what, long long min, long long max) {
            const std::string v = value(what);
            const std::optional<long long> n = ParseInteger(v, min, max);
            if (!n)
                BadCommandLine(a + " needs " + what + " from " + std::to_string(min) + " to " +
                               std::to_string(max) + ", not \"" + v + "\"");
            return *n;
        };
        auto text = [&](const char* what) {
            const std::string v = value(what);
            if (v.empty()) BadCommandLine(a + " needs " + what + ", not an empty word");
            return v;
        };
        if (a == "--help" || a == "-h") {
            Usage(stdout);
            std::exit(kExitOk);
        } else if (a == "--version") {
            std::printf("%s (%s)\n", VersionLine("quilrush32").c_str(), kVersionText);
            std::exit(kExitOk);
        } else if (a == "--headless") {
            c.headless = true;
            if (i + 1 < argc && argv[i + 1][0] != '-')
                c.script = argv[++i];
            else if (i + 1 < argc && std::strcmp(argv[i + 1], "-") == 0)
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
            BadCommandLine("unknown option " + a);
        } else {
            // The old switches keep working (also as "/NOSOUND"); any other word is a
            // mistake worth pointing out.
            std::string upper = AsciiUpper(a);
            if (upper[0] == '/') upper.erase(0, 1);
            if (upper != "NOMIDI" && upper != "NOWAVE" && upper != "NOSOUND")
                BadCommandLine("unexpected argument \"" + a + "\"");
            c.options.switches.push_back(a);
        }
    }
    return c;
}

// The drive script as lines of text. A file that is not one (missing, a folder, binary
// bytes) is refused before the game starts.
std::string ReadDriveScript(const std::string& path) {
    if (std::string why = UnreadableFileReason(path); !why.empty())
        BadScript(path, "cannot read the drive script (" + why + ")");
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    if (!in.good() && !in.eof()) BadScript(path, "cannot read the drive script");
    const std::string bytes = s.str();
    int line = 1;
    for (unsigned char b : bytes) {
        if (b == '\n') ++line;
        if (b < 0x20 && b != '\n' && b != '\r' && b != '\t')
            BadScript(path,
                      "not a drive script (control byte on line " + std::to_string(line) + ")");
    }
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    CommandLine cl = ParseCommandLine(argc, argv);
    ProgramOptions& options = cl.options;

    if (cl.headless) {
        HeadlessDriver driver(std::cout);
        driver.System().SetColourDepth(cl.depth);
        HeadlessDisplay screen(TClientLayout::kWidth, TClientLayout::kHeight);
        AddWorldCommands(driver, screen);
        // Simulated sound devices that play in the driver's virtual time.
        SoundEventQueue soundEvents;
        HeadlessWaveOut waves(soundEvents);
        HeadlessMidiSequencer midi(soundEvents);
        TShellSound sound(waves, midi, soundEvents, driver.System());
        sound.SetLog([&driver](const std::string& line) { driver.Log(line); });
        driver.timePassed = [&](uint32_t ms) {
            waves.Advance(ms);
            midi.Advance(ms);
        };
        driver.prepare = [&driver, &sound, &screen](TFormMain& form) {
            TShellWorld::Outputs out;
            out.display = &screen;
            out.log = [&driver](const std::string& line) { driver.Log(line); };
            TGameRoomOutputs game;
            game.log = out.log;
            game.openLink = [&driver](const std::string& target, int) {
                driver.Log("LINK " + target);
                return 42;
            };
            InstallWorldSteps(form, out, GameRooms(form, game));
            sound.Install(form);
        };
        AddPlayCommands(driver);
        // Standard input is read a line at a time, so a harness can talk to the driver.
        if (cl.script == "-") return driver.Run(options, std::cin);
        std::istringstream in(ReadDriveScript(cl.script));
        return driver.Run(options, in);
    }

    SdlSystem system;
    SdlDialogs dialogs;
    std::string error;
    if (!SdlWindow::InitVideo(error)) {
        std::fprintf(
            stderr,
            "quilrush32: %s. To play without a display, run: quilrush32 --headless SCRIPT\n",
            error.c_str());
        return kExitStartupFailed;
    }
    std::unique_ptr<SdlWindow> window;
    // One audio device for wave sounds and the synthesiser; it never fails, it just
    // reports no device. The soundfont: $QUILRUSH_SOUNDFONT, else Debian's GM font.
    SoundEventQueue soundEvents;
    const SoundSwitches switches = ParseSoundSwitches(options.switches);
    SdlAudio audio(soundEvents, {}, switches.sound, switches.music);
    TShellSound sound(audio.Waves(), audio.Midi(), soundEvents, system);
    ProgramHooks hooks;
    // The window opens once this copy knows it is the only one and has its data.
    hooks.prepare = [&](TFormMain& form) {
        window = SdlWindow::Open(kAppTitle, TClientLayout::kWidth, TClientLayout::kHeight, error);
        if (!window) throw UvoException(error);
        dialogs.SetParent(window->Handle());
        TShellWorld::Outputs out;
        out.display = &window->Screen();
        out.caption = [&](const std::string& caption) { window->SetCaption(caption); };
        out.cursor = [&](int cursor) { window->SetCursorNumber(cursor); };
        out.letMessagesRun = [&window, &form] { window->PumpPending(form); };
        out.cursorPictures = [&](const std::vector<TCursorPicture>& pictures) {
            std::vector<SdlWindow::CursorPicture> converted;
            for (const TCursorPicture& c : pictures)
                converted.push_back({c.number, c.width, c.height, c.argb, c.hotX, c.hotY});
            window->SetCursorPictures(std::move(converted));
        };
        out.windowIcon = [&](const TArgbPicture& icon) {
            window->SetIcon(icon.width, icon.height, icon.argb);
        };
        TGameRoomOutputs game;
        game.openLink = [](const std::string& target, int show) {
            return LauncherShell().Open(target, show);
        };
        InstallWorldSteps(form, out, GameRooms(form, game));
        sound.Install(form);
        window->onMouse = [&form](SdlWindow::MouseKind kind, int button, int shift, int x, int y) {
            if (auto* world = dynamic_cast<TShellWorld*>(form.World()))
                world->Mouse(TShellWorld::MouseKind(int(kind)), button, shift, x, y);
        };
        window->onText = [&form](const std::string& utf8) {
            if (auto* world = dynamic_cast<TShellWorld*>(form.World())) world->Text(utf8);
        };
        window->onKey = [&form](int key) {
            if (auto* world = dynamic_cast<TShellWorld*>(form.World())) world->Key(key);
        };
    };
    hooks.run = [&](TFormMain& form, const std::function<bool()>& wokenUp) {
        window->Run(form, wokenUp);
    };
    int code = RunProgram(options, {system, dialogs}, hooks);
    dialogs.SetParent(nullptr);
    return code;
}

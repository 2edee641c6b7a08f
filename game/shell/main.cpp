// quilrush32: the game. On the desktop it opens its window through SDL; with --headless
// it runs in-process from a drive script (see the README).
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "foundation/uvo_exception.h"
#include "game/shell/game_rooms.h"
#include "game/shell/game_strings.h"
#include "game/shell/headless_driver.h"
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

using namespace qr;

namespace {

void Usage(std::FILE* f) {
    std::fprintf(
        f, "Usage: quilrush32 [options] [NOMIDI] [NOWAVE] [NOSOUND]\n"
           "  --nomidi, --nowave, --nosound   no music, no sound effects, neither\n"
           "  --registry FILE    registry file to use (default $QUILRUSH_REGISTRY or\n"
           "                     $XDG_CONFIG_HOME/uvo-software/registry.ini)\n"
           "  --data DIR         program data folder (default: next to the program, or\n"
           "                     <prefix>/share/quilrush)\n"
           "  --seed N           fix the random generator\n"
           "  --headless [FILE]  run without a display from a drive script (FILE, or\n"
           "                     standard input when FILE is - or missing)\n"
           "  --depth BITS       headless: the screen colour depth to report (default 32)\n"
           "  --language CODE    the Windows language code to assume (\"enu\", \"deu\", ...)\n"
           "  --help, --version\n");
}

} // namespace

int main(int argc, char** argv) {
    ProgramOptions options;
    bool headless = false;
    std::string script = "-";
    int depth = 32;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](const char* what) -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "quilrush32: %s needs %s\n", a.c_str(), what);
                std::exit(kExitUsage);
            }
            return argv[++i];
        };
        if (a == "--help" || a == "-h") {
            Usage(stdout);
            return kExitOk;
        } else if (a == "--version") {
            std::printf("%s\n", kVersionText);
            return kExitOk;
        } else if (a == "--headless") {
            headless = true;
            if (i + 1 < argc && argv[i + 1][0] != '-')
                script = argv[++i];
            else if (i + 1 < argc && std::strcmp(argv[i + 1], "-") == 0)
                ++i;
        } else if (a == "--registry") {
            options.registryPath = value("a file");
        } else if (a == "--data") {
            options.programFolder = value("a folder");
        } else if (a == "--seed") {
            options.seed = uint32_t(std::stoul(value("a number")));
        } else if (a == "--depth") {
            depth = std::stoi(value("a number of bits"));
        } else if (a == "--language") {
            options.windowsLanguage = value("a code");
        } else if (a.rfind("--", 0) == 0 && a != "--nomidi" && a != "--nowave" &&
                   a != "--nosound") {
            std::fprintf(stderr, "quilrush32: unknown option %s (try --help)\n", a.c_str());
            return kExitUsage;
        } else {
            options.switches.push_back(a);
        }
    }

    if (headless) {
        HeadlessDriver driver(std::cout);
        driver.System().SetColourDepth(depth);
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
            InstallWorldSteps(form, out, GameRooms());
            sound.Install(form);
        };
        if (script == "-") return driver.Run(options, std::cin);
        std::ifstream in(script);
        std::error_code ec;
        if (!in || std::filesystem::is_directory(script, ec)) {
            std::fprintf(stderr, "quilrush32: cannot read the drive script %s%s\n", script.c_str(),
                         in ? ": it is a folder" : "");
            return kExitUsage;
        }
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
    SdlAudio audio(soundEvents);
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
        InstallWorldSteps(form, out, GameRooms());
        sound.Install(form);
        window->onMouse = [&form](SdlWindow::MouseKind kind, int button, int shift, int x, int y) {
            if (auto* world = dynamic_cast<TShellWorld*>(form.World()))
                world->Mouse(TShellWorld::MouseKind(int(kind)), button, shift, x, y);
        };
    };
    hooks.run = [&](TFormMain& form, const std::function<bool()>& wokenUp) {
        window->Run(form, wokenUp);
    };
    int code = RunProgram(options, {system, dialogs}, hooks);
    dialogs.SetParent(nullptr);
    return code;
}

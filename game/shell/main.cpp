// SPDX-License-Identifier: GPL-3.0-or-later
// quilrush32: the game. On the desktop it opens its window through SDL; with --headless
// it runs in-process from a drive script (see the README).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "foundation/command_line.h"
#include "foundation/utils.h"
#include "foundation/uvo_exception.h"
#include "game/shell/game_command_line.h"
#include "game/shell/game_rooms.h"
#include "game/shell/game_strings.h"
#include "game/shell/headless_driver.h"
#include "game/shell/menu_commands.h"
#include "game/shell/play_commands.h"
#include "game/shell/program.h"
#include "game/shell/sound_shell.h"
#include "game/shell/title_commands.h"
#include "game/shell/world_commands.h"
#include "game/shell/world_shell.h"
#include "platform/headless/display_headless.h"
#include "platform/headless/headless_sound.h"
#include "platform/sdl/sdl_dialogs.h"
#include "platform/sdl/sdl_sound.h"
#include "platform/sdl/sdl_system.h"
#include "platform/sdl/sdl_window.h"
#include "platform/shell.h"
#include "platform/termination.h"

using namespace qr;

namespace {

[[noreturn]] void BadScript(const std::string& name, const std::string& problem) {
    std::fprintf(stderr, "quilrush32: %s: %s\n", Printable(name).c_str(), problem.c_str());
    std::exit(kExitUsage);
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
    GameCommandLine cl = ParseGameCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (cl.action) {
    case GameCommandLine::Action::Help:
        std::fputs(GameUsage(), stdout);
        return kExitOk;
    case GameCommandLine::Action::Version:
        std::printf("%s (%s)\n", VersionLine("quilrush32").c_str(), kVersionText);
        return kExitOk;
    case GameCommandLine::Action::Error:
        // What was wrong, then the usage, on standard error.
        std::fprintf(stderr, "quilrush32: %s\n", Printable(cl.error).c_str());
        std::fputs(GameUsage(), stderr);
        return kExitUsage;
    case GameCommandLine::Action::Run:
        break;
    }
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
        // Links are only logged, unless a script names a launcher to hand them to.
        std::string launcher;
        driver.AddCommand("launcher", [&launcher](TFormMain&, const std::vector<std::string>& a) {
            if (a.size() != 1) return std::string("launcher needs a program, or off");
            launcher = a[0] == "off" ? std::string() : a[0];
            return std::string();
        });
        driver.prepare = [&driver, &sound, &screen, &launcher](TFormMain& form) {
            TShellWorld::Outputs out;
            out.display = &screen;
            out.log = [&driver](const std::string& line) { driver.Log(line); };
            out.waitForInput = [&driver, &form] { return driver.RunNextCommand(form); };
            TGameRoomOutputs game;
            game.log = out.log;
            game.openLink = [&driver, &launcher](const std::string& target, int show) {
                driver.Log("LINK " + target);
                return launcher.empty() ? Shell::kFirstSuccess + 10
                                        : LauncherShell(launcher).Open(target, show);
            };
            InstallWorldSteps(form, out, GameRooms(form, game));
            sound.Install(form);
        };
        AddPlayCommands(driver);
        AddMenuState(driver);
        AddTitleState(driver);
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
        dialogs.SetOnTermination([&form] {
            form.SaveShutdownSettings();
            std::_Exit(kExitOk);
        });
        // At logout the X server may end before any signal comes: the settings and the
        // high scores are saved as on SIGTERM.
        SdlWindow::SetOnDisplayLost([&form] {
            RequestTermination();
            form.FormDestroy();
        });
        TShellWorld::Outputs out;
        out.display = &window->Screen();
        out.caption = [&](const std::string& caption) { window->SetCaption(caption); };
        out.cursor = [&](int cursor) { window->SetCursorNumber(cursor); };
        out.letMessagesRun = [&window, &form] { window->PumpPending(form); };
        out.waitForInput = [&window, &form] {
            window->WaitForInput(form);
            return true;
        };
        out.cursorPictures = [&](const std::vector<TCursorPicture>& pictures) {
            std::vector<SdlWindow::CursorPicture> converted;
            for (const TCursorPicture& c : pictures)
                converted.push_back({c.number, c.width, c.height, c.argb, c.hotX, c.hotY});
            window->SetCursorPictures(std::move(converted));
        };
        out.windowIcon = [&](const TArgbPicture& icon) {
            window->SetIcon(icon.width, icon.height, icon.argb);
        };
        // For the start-up benchmark: when the first frame of a room (not the bare surround)
        // went to the window, in wall-clock nanoseconds, so that a script can set it against
        // the moment it started us.
        if (const char* trace = std::getenv("QUILRUSH_TRACE_FIRST_FRAME"); trace && *trace)
            out.presented = [shown = false](const TShellWorld& world,
                                            const std::vector<TRect>&) mutable {
                if (shown || !world.World().CurrentRoom()) return;
                shown = true;
                const auto now = std::chrono::system_clock::now().time_since_epoch();
                // Processor time of all threads so far: on a busy machine the wall-clock
                // figure mostly measures the wait for a core.
                auto cpuMs = [](clockid_t clock) {
                    timespec t{};
                    clock_gettime(clock, &t);
                    return static_cast<long long>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
                };
                std::fprintf(stderr,
                             "quilrush32: first frame at %lld ns, processor time %lld ms (this "
                             "thread %lld ms)\n",
                             static_cast<long long>(
                                 std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                             cpuMs(CLOCK_PROCESS_CPUTIME_ID), cpuMs(CLOCK_THREAD_CPUTIME_ID));
            };
        TGameRoomOutputs game;
        game.openLink = [](const std::string& target, int show) {
            return LauncherShell().Open(target, show);
        };
        InstallWorldSteps(form, out, GameRooms(form, game));
        sound.Install(form);
        window->onKeyDown = [&system](int scancode) { system.NoteKeyDown(scancode); };
        window->onMouse = [&form](SdlWindow::MouseKind kind, int button, int shift, int x, int y) {
            if (auto* world = dynamic_cast<TShellWorld*>(form.World()))
                world->Mouse(TShellWorld::MouseKind(int(kind)), button, shift, x, y);
        };
        window->onKey = [&form](KeyPress key) {
            auto* world = dynamic_cast<TShellWorld*>(form.World());
            return world && world->Key(key);
        };
        window->onText = [&form](const std::string& utf8) {
            if (auto* world = dynamic_cast<TShellWorld*>(form.World())) world->Text(utf8);
        };
        window->onEditKey = [&form](int key) {
            if (auto* world = dynamic_cast<TShellWorld*>(form.World())) world->EditKey(key);
        };
    };
    hooks.run = [&](TFormMain& form, const std::function<bool()>& wokenUp) {
        window->Run(form, wokenUp);
    };
    int code = RunProgram(options, {system, dialogs}, hooks);
    dialogs.SetParent(nullptr);
    dialogs.SetOnTermination(nullptr);
    SdlWindow::SetOnDisplayLost(nullptr); // the form is gone: only the clean exit is left
    return code;
}

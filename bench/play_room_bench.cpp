// SPDX-License-Identifier: GPL-3.0-or-later
// The play room during a real game on a bundled module, driven headless by the stand-in
// player: the cost of one tick while the animal carries its cards and the score popups
// are alive (against copying the 600 x 400 frame once with memcpy, the physical limit of
// redrawing it), and how much faster than real time a whole level plays headless.
// QR_DATA_DIR in the environment names another built data tree.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <unistd.h>

#include "game/gameplay/play_room.h"
#include "game/shell/game_rooms.h"
#include "game/shell/headless_driver.h"
#include "game/shell/play_commands.h"
#include "game/shell/world_commands.h"
#include "game/shell/world_shell.h"
#include "platform/headless/display_headless.h"

using namespace qr;

namespace {

namespace fs = std::filesystem;

constexpr double kStepSeconds = 0.055;

// A private copy of the data tree (the game writes its settings and high scores there).
class DataCopy {
  public:
    DataCopy() {
        const char* env = std::getenv("QR_DATA_DIR");
        root_ = fs::temp_directory_path() / ("qr_play_bench_" + std::to_string(getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "home");
        fs::copy(env && *env ? env : QR_DATA_DIR, root_ / "home/QuilRush",
                 fs::copy_options::recursive);
        std::ofstream(root_ / "reg.ini")
            << "[Software\\UVO! Software]\nDevHome=" << (root_ / "home").string() << "\n";
        setenv("XDG_RUNTIME_DIR", root_.c_str(), 1);
    }
    ~DataCopy() { fs::remove_all(root_); }
    std::string Registry() const { return (root_ / "reg.ini").string(); }
    std::string List(const char* name) const {
        return (root_ / "home/QuilRush/lists" / name).string();
    }

  private:
    fs::path root_;
};

TPlayRoom* PlayRoom(TFormMain& form) {
    auto* shell = dynamic_cast<TShellWorld*>(form.World());
    return shell ? dynamic_cast<TPlayRoom*>(shell->World().CurrentRoom()) : nullptr;
}

// Runs the game headless on the script; its "measure" line hands the running game to the
// benchmark.
void RunGame(const DataCopy& data, const std::string& script,
             const std::function<void(HeadlessDriver&, TFormMain&)>& measure) {
    std::ostringstream log;
    HeadlessDriver driver(log);
    HeadlessDisplay screen(TClientLayout::kWidth, TClientLayout::kHeight);
    AddWorldCommands(driver, screen);
    driver.prepare = [&](TFormMain& form) {
        TShellWorld::Outputs out;
        out.display = &screen;
        InstallWorldSteps(form, out, GameRooms(form, {}));
    };
    AddPlayCommands(driver);
    driver.AddCommand("measure", [&](TFormMain& form, const std::vector<std::string>&) {
        measure(driver, form);
        return std::string();
    });
    ProgramOptions options;
    options.registryPath = data.Registry();
    options.seed = 7;
    options.windowsLanguage = "enu";
    options.switches = {"NOSOUND"};
    std::istringstream in(script);
    driver.Run(options, in);
}

// One tick in the middle of the quiz's first level: the animal walks with its cards, the
// player places letters and their score popups rise. Each measured tick is a tick of the
// same game, so the figure is the mean over the ticks of play (quiet and busy ones alike).
void BM_PlayRoomTick(benchmark::State& state) {
    DataCopy data;
    RunGame(data,
            "tick 5\nmodule " + data.List("quiz.qrw") +
                "\nnewgame\nautoplay 100 3\ntick 200\nmeasure\n",
            [&](HeadlessDriver& driver, TFormMain& form) {
                int64_t ticks = 0, popups = 0;
                for (auto _ : state) {
                    driver.Step(form);
                    ++ticks;
                    if (TPlayRoom* room = PlayRoom(form)) popups += room->Rules().Popups.Count();
                }
                state.counters["popups_per_tick"] = double(popups) / double(ticks);
            });
}
BENCHMARK(BM_PlayRoomTick)->Iterations(1000)->Unit(benchmark::kMicrosecond);

// The physical limit of redrawing the frame: one memcpy of its 600 x 400 bytes.
void BM_FrameMemcpy(benchmark::State& state) {
    std::vector<uint8_t> from(600 * 400, 7), to(600 * 400);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FrameMemcpy)->Unit(benchmark::kMicrosecond);

// A whole level of the quiz played headless by the perfect player, from "newgame" to the
// next level's entry; the rate is game-seconds per wall-second.
void BM_AutoplayLevel(benchmark::State& state) {
    DataCopy data;
    for (auto _ : state) {
        int64_t steps = 0;
        double wall = 0;
        RunGame(
            data, "tick 5\nmodule " + data.List("quiz.qrw") + "\nnewgame\nautoplay 100\nmeasure\n",
            [&](HeadlessDriver& driver, TFormMain& form) {
                const auto start = std::chrono::steady_clock::now();
                for (;;) {
                    TPlayRoom* room = PlayRoom(form);
                    if (!room || room->Rules().LevelIndex != 0 || steps > 100000) break;
                    driver.Step(form);
                    ++steps;
                }
                wall =
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            });
        state.SetIterationTime(wall);
        state.counters["game_seconds"] = double(steps) * kStepSeconds;
        state.counters["game_s_per_wall_s"] = double(steps) * kStepSeconds / wall;
    }
}
BENCHMARK(BM_AutoplayLevel)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

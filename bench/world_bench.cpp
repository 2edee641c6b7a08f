// SPDX-License-Identifier: GPL-3.0-or-later
// The world's costs: a tick that redraws the whole frame with every frame set animating
// (against copying the same bytes with memcpy, the physical limit), and the time from
// starting the game to its first presented frame.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "foundation/obf_text.h"
#include "foundation/stream.h"
#include "game/shell/compositor.h"
#include "game/shell/game_rooms.h"
#include "game/shell/headless_driver.h"
#include "game/shell/world_shell.h"
#include "game/world/world.h"
#include "game/world/world_script.h"
#include "graphics/image_writer.h"
#include "platform/display.h"
#include "platform/sdl/display_sdl.h"

using namespace qr;

namespace {

// The desktop display without its texture upload: the client area converted through the
// palette into 32-bit pixels by the desktop's own conversion.
class ArgbDisplay : public Display {
  public:
    std::vector<uint32_t> frame = std::vector<uint32_t>(632 * 453);
    int32_t Width() const override { return 632; }
    int32_t Height() const override { return 453; }
    int Present(const TSurfaceView& surface, std::span<const TTransfer> transfers,
                const TPalette& palette) override {
        const auto& table = table_.For(palette);
        int rows = 0;
        for (const TTransfer& t : transfers) {
            ConvertIndexedToArgb(surface, t.Source, table,
                                 frame.data() + size_t(t.Dest.Y) * 632 + size_t(t.Dest.X), 632 * 4);
            rows += t.Source.Height();
        }
        return rows;
    }

  private:
    TArgbTable table_;
};

// Presents the way the shell does: damaged rectangles placed into the 632x453 client
// area, whose damage then goes to the display.
class ScreenHost : public TWorldHost {
  public:
    ArgbDisplay display;
    TCompositor screen{&display};
    void Present(TPX8ImageData& work, TPoint offset, bool blackFrame) override {
        screen.PlaceWork(work, offset, blackFrame);
        screen.Flush();
    }
};

// A room that animates every frame set on every tick.
class AnimatedRoom : public TRoom {
  public:
    using TRoom::TRoom;
    void RunScript(const std::string& name, const std::string& argument) override {
        if (argument != "ANIMATE") return TRoom::RunScript(name, argument);
        for (TFrameSet* fs : FrameSets().Nodes<TFrameSet>())
            fs->SetFrameMaybeDraw(*World().WorkImage(),
                                  uint16_t((fs->Frame() + 1) % fs->FrameCount()), false);
        Draw(World().WorkImage());
        AddTimer(6, 1);
    }
};

void BM_FullRedrawTick(benchmark::State& state) {
    ScreenHost host;
    TPX8Writer writer;
    TPX8WriterImage bg{"bg", 600, 400, std::vector<uint8_t>(600 * 400)};
    for (int32_t y = 0; y < 400; ++y)
        for (int32_t x = 0; x < 600; ++x)
            bg.Pixels[size_t(y) * 600 + size_t(x)] = uint8_t(x ^ y);
    writer.Add(bg);
    TPX8WriterImage strip{"strip", 40, 160, std::vector<uint8_t>(40 * 160, 7)};
    if (state.range(1)) {
        // An outlined disc in each frame: about 40% of the pixels transparent, as in the
        // game's art.
        for (int32_t y = 0; y < 160; ++y)
            for (int32_t x = 0; x < 40; ++x)
                if ((x - 20) * (x - 20) + ((y % 40) - 20) * ((y % 40) - 20) > 230)
                    strip.Pixels[size_t(y) * 40 + size_t(x)] = 253;
        strip.Transparent = true;
        strip.TransparentColour = 253;
    }
    writer.Add(strip);
    TPX8Library lib;
    lib.OpenStream(std::make_unique<TMemoryStream>(writer.Bytes()), "bench.px8");
    TRoomFactory rooms;
    rooms.Add("BENCH", [](TWorld& w, const std::string& id) {
        return std::make_unique<AnimatedRoom>(w, id);
    });
    TWorld world(host, lib);
    std::string script = "BENCHROOM A\nPIC bg\n";
    const int sets = int(state.range(0));
    for (int i = 0; i < sets; ++i)
        script += "FS F" + std::to_string(i) + " strip 40 4 " + std::to_string((i * 47) % 560) +
                  " " + std::to_string((i * 31) % 360) + "\n";
    std::vector<uint8_t> bytes(script.begin(), script.end());
    auto text = TObfText::FromBytes(TObfText::CompileBytes(bytes, WorldScriptFilter));
    world.Init(text, rooms, "");
    world.GoRoom("A");
    world.CurrentRoom()->AddTimer(6, 0);
    for (auto _ : state) {
        world.Tick(1);
        benchmark::DoNotOptimize(host.display.frame.data());
    }
}
// Arguments: frame sets, and whether their pictures have transparent pixels.
BENCHMARK(BM_FullRedrawTick)
    ->Args({0, 0})
    ->Args({20, 0})
    ->Args({20, 1})
    ->Unit(benchmark::kMicrosecond);

// The physical limit: copying the frame's bytes once and converting them once.
void BM_FrameMemcpy(benchmark::State& state) {
    std::vector<uint8_t> a(600 * 400, 3), b(600 * 400);
    std::vector<uint32_t> rgb(600 * 400);
    std::array<uint32_t, 256> pal{};
    for (size_t i = 0; i < pal.size(); ++i)
        pal[i] = uint32_t(i * 0x010203u);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), a.size());
        for (size_t i = 0; i < b.size(); ++i)
            rgb[i] = pal[b[i]];
        benchmark::DoNotOptimize(rgb.data());
    }
}
BENCHMARK(BM_FrameMemcpy)->Unit(benchmark::kMicrosecond);

// From the program's start (in process: folders, string table, game library, world
// script, first room) to the first frame the world presents, over the test fixture.
void BM_FirstFrame(benchmark::State& state) {
    namespace fs = std::filesystem;
    const fs::path tmp = fs::temp_directory_path() / ("qr_bench_" + std::to_string(getpid()));
    fs::remove_all(tmp);
    fs::create_directories(tmp / "inst");
    fs::copy(fs::path(QR_SOURCE_DIR) / "tests/fixtures/world", tmp / "prog",
             fs::copy_options::recursive);
    // Without the broken room line there is no message box in the way.
    {
        std::string init = tmp / "prog/dat/init.txt";
        std::ifstream in(init);
        std::string text, line;
        while (std::getline(in, line))
            if (line.rfind("XYZROOM", 0) != 0) text += line + "\n";
        std::ofstream(init) << text;
    }
    std::ofstream(tmp / "reg.ini")
        << "[Software\\UVO! Software\\QuilRush]\nDirectory=" << (tmp / "inst").string() << "\n";
    setenv("XDG_RUNTIME_DIR", tmp.c_str(), 1);
    for (auto _ : state) {
        std::ostringstream out;
        HeadlessDriver driver(out);
        using Clock = std::chrono::steady_clock;
        auto start = Clock::now();
        double firstMs = -1;
        driver.prepare = [&](TFormMain& form) {
            TShellWorld::Outputs o;
            o.presented = [&](const TShellWorld& w, const std::vector<TRect>&) {
                if (firstMs < 0 && w.World().CurrentRoom())
                    firstMs =
                        std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            };
            InstallWorldSteps(form, o, GameRooms(form, {}));
        };
        ProgramOptions options;
        options.registryPath = (tmp / "reg.ini").string();
        options.programFolder = (tmp / "prog").string();
        options.seed = 1;
        options.windowsLanguage = "enu";
        std::istringstream script("tick 1\n");
        driver.Run(options, script);
        state.SetIterationTime(firstMs / 1000.0);
    }
    fs::remove_all(tmp);
}
BENCHMARK(BM_FirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

BENCHMARK_MAIN();

// SPDX-License-Identifier: GPL-3.0-or-later
// Throughput of the image code on the same pixels as its physical limit (memcpy) and a
// real peer (SDL2's blitter and format conversion). Run a Release build:
//   cmake --preset release && cmake --build --preset release -j2 --target bench_graphics
//   build/release/bench/bench_graphics
// After the run a table of ratios is printed (measured in that same run).
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "graphics/image_codec.h"
#include "graphics/image_data.h"
#include "graphics/image_library.h"
#include "graphics/image_writer.h"
#include "platform/sdl/display_sdl.h"

namespace {

using namespace qr;

constexpr int kW = 600, kH = 400;

// A scene with the texture of the game's art: a sky gradient with dithering, hills with
// flat fills, outlined objects, a noisy strip of grass and a text-like band.
std::vector<uint8_t> ArtScene(int w, int h) {
    std::vector<uint8_t> p(size_t(w) * h);
    uint32_t s = 12345;
    auto rnd = [&] {
        s = s * 134775813u + 1;
        return s >> 24;
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t v = uint8_t(30 + y * 12 / h + (((x ^ y) & 1) && (y % 33 > 28)));
            const int hill = h / 2 + int(30 * ((x % 200) - 100) * ((x % 200) - 100) / 10000);
            if (y > hill) v = uint8_t(60 + (y - hill) / 40);
            const int cx = (x % 150) - 75, cy = y - h / 3;
            const int d = cx * cx + cy * cy;
            if (d < 900) v = d > 800 ? 0 : uint8_t(120 + (x % 150) / 30);
            if (y > h - 40) v = uint8_t(90 + (rnd() & 3));
            if (y > 20 && y < 34 && (x / 9) % 3 && ((x * 7 + y * 3) % 5 < 2)) v = 15;
            p[size_t(y) * w + x] = v;
        }
    return p;
}

// A 96x96 sprite: a shape with an outline on a transparent key (about 40% transparent).
std::vector<uint8_t> Sprite(int w, int h, uint8_t key) {
    std::vector<uint8_t> p(size_t(w) * h, key);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int cx = x - w / 2, cy = y - h / 2, d = cx * cx + cy * cy;
            if (d < (w * w) / 5)
                p[size_t(y) * w + x] = d > (w * w) / 6 ? 1 : uint8_t(160 + (x + y) % 7);
        }
    return p;
}

struct Fixture {
    TPX8Library lib;
    std::vector<uint8_t> scene = ArtScene(kW, kH);
    Fixture() {
        TPX8Writer w;
        for (int i = 0; i < 256; ++i)
            w.SetPaletteRGB(i, uint8_t(i), uint8_t(i * 3), uint8_t(255 - i));
        w.Add({"lines", kW, kH, scene, false, 0, TBandCoding::LineCoded});
        w.Add({"runs", kW, kH, scene, false, 0, TBandCoding::RunMode});
        w.Add({"sprite", 96, 96, Sprite(96, 96, 254), true, 254, TBandCoding::LineCoded});
        lib.OpenStream(std::make_unique<TMemoryStream>(w.Bytes()));
    }
    // Coded bands of a picture, as the decoder sees them.
    struct Band {
        TEncodedBand e;
        TBandGeometry g;
    };
    std::vector<Band> Bands(TBandCoding coding) const {
        const TBandLayout l = ComputeBandLayout(kW, kH);
        std::vector<Band> out;
        std::vector<uint8_t> band;
        for (int k = 0; k < l.BandCount; ++k) {
            const int rows = l.RowsOf(k);
            band.assign(size_t(rows) * l.Stride, 0);
            for (int r = 0; r < rows; ++r)
                std::memcpy(band.data() + size_t(r) * l.Stride,
                            scene.data() + size_t(kH - 1 - (k * l.RowsPerBand + r)) * kW, kW);
            const TBandGeometry g{kW, l.Stride, rows};
            out.push_back({EncodeBand(band.data(), g, coding), g});
        }
        return out;
    }
};

Fixture& F() {
    static Fixture f;
    return f;
}

void DecodeBench(benchmark::State& state, TBandCoding coding) {
    const auto bands = F().Bands(coding);
    std::vector<uint8_t> out(65280);
    size_t bytes = 0;
    for (auto _ : state) {
        for (const auto& b : bands) {
            DecodeBand(b.e.Data.data(), b.e.Data.size(), out.data(), b.g, b.e.EscapeA, b.e.EscapeB,
                       b.e.Flags);
            bytes += size_t(b.g.Rows) * b.g.Stride;
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(bytes));
}
void BM_DecodeLines(benchmark::State& s) {
    DecodeBench(s, TBandCoding::LineCoded);
}
void BM_DecodeRuns(benchmark::State& s) {
    DecodeBench(s, TBandCoding::RunMode);
}

// memcpy of the same decoded bytes, band by band.
void BM_MemcpyFrame(benchmark::State& state) {
    const TBandLayout l = ComputeBandLayout(kW, kH);
    std::vector<uint8_t> src(size_t(l.Stride) * kH, 7), dst(65280);
    size_t bytes = 0;
    for (auto _ : state) {
        for (int k = 0; k < l.BandCount; ++k) {
            const size_t n = size_t(l.RowsOf(k)) * l.Stride;
            std::memcpy(dst.data(), src.data() + size_t(k) * l.RowsPerBand * l.Stride, n);
            bytes += n;
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(bytes));
}

// Surfaces of the library: the decoded scene and a blank back surface.
struct Surfaces {
    TImageRef scene{F().lib, "lines"};
    TImageRef sprite{F().lib, "sprite"};
    TImageNode* backNode = F().lib.CreateImage("back", kW, kH);
    TImageDataRef sceneData{F().lib, scene.get()};
    TImageDataRef spriteData{F().lib, sprite.get()};
    TImageDataRef back{F().lib, backNode};
};

void BM_BlitOpaque(benchmark::State& state) {
    Surfaces s;
    for (auto _ : state) {
        s.back->Blit({0, 0}, *s.sceneData, s.sceneData->GetBounds());
        s.back->Damage.Clear();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH);
}

// memcpy row by row, as a blit must (rows of two surfaces are not contiguous together).
void BM_MemcpyRows(benchmark::State& state) {
    std::vector<uint8_t> a(size_t(kW) * kH, 3), b(size_t(kW) * kH);
    for (auto _ : state) {
        for (int y = 0; y < kH; ++y)
            std::memcpy(b.data() + size_t(y) * kW, a.data() + size_t(y) * kW, kW);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH);
}

void KeyedBench(benchmark::State& state, bool mirrored) {
    Surfaces s;
    s.spriteData->FlipHorizontal = mirrored;
    for (auto _ : state) {
        for (int i = 0; i < 20; ++i)
            s.back->Blit({(i * 97) % (kW - 96), (i * 53) % (kH - 96)}, *s.spriteData,
                         {0, 0, 96, 96});
        s.back->Damage.Clear();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * 20 * 96 * 96);
}
void BM_BlitKeyed(benchmark::State& s) {
    KeyedBench(s, false);
}
void BM_BlitKeyedMirrored(benchmark::State& s) {
    KeyedBench(s, true);
}

struct SdlSurfaces {
    SDL_Surface* back = SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 8, SDL_PIXELFORMAT_INDEX8);
    SDL_Surface* sprite = SDL_CreateRGBSurfaceWithFormat(0, 96, 96, 8, SDL_PIXELFORMAT_INDEX8);
    SDL_Surface* frame = SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 32, SDL_PIXELFORMAT_ARGB8888);
    SdlSurfaces() {
        // One palette for both 8-bit surfaces: SDL's best case, no colour mapping.
        SDL_Color colours[256];
        for (int i = 0; i < 256; ++i)
            colours[i] = {uint8_t(i), uint8_t(i * 3), uint8_t(255 - i), 255};
        SDL_SetPaletteColors(back->format->palette, colours, 0, 256);
        SDL_SetSurfacePalette(sprite, back->format->palette);
        const auto px = Sprite(96, 96, 254);
        for (int y = 0; y < 96; ++y)
            std::memcpy(static_cast<uint8_t*>(sprite->pixels) + y * sprite->pitch,
                        px.data() + y * 96, 96);
        SDL_SetColorKey(sprite, SDL_TRUE, 254);
        const auto scene = F().scene;
        for (int y = 0; y < kH; ++y)
            std::memcpy(static_cast<uint8_t*>(back->pixels) + y * back->pitch,
                        scene.data() + size_t(y) * kW, kW);
    }
    ~SdlSurfaces() {
        SDL_FreeSurface(frame);
        SDL_FreeSurface(sprite);
        SDL_FreeSurface(back);
    }
};

void BM_SdlBlitKeyed(benchmark::State& state) {
    SdlSurfaces s;
    for (auto _ : state) {
        for (int i = 0; i < 20; ++i) {
            SDL_Rect d{(i * 97) % (kW - 96), (i * 53) % (kH - 96), 96, 96};
            SDL_BlitSurface(s.sprite, nullptr, s.back, &d);
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * 20 * 96 * 96);
}

void BM_PaletteToArgb(benchmark::State& state) {
    Surfaces s;
    TArgbTable table;
    const auto pal = F().lib.GetHPal();
    std::vector<uint32_t> frame(size_t(kW) * kH);
    std::vector<const uint8_t*> bands;
    for (auto& seg : s.sceneData->Image().Segments)
        bands.push_back(seg->Lock());
    const TSurfaceView view{kW, kH, s.sceneData->Stride, s.sceneData->RowsPerBand(), bands, -1};
    for (auto _ : state) {
        ConvertIndexedToArgb(view, {0, 0, kW, kH}, table.For(*pal), frame.data(), kW * 4);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH);
}

void BM_SdlPaletteToArgb(benchmark::State& state) {
    SdlSurfaces s;
    for (auto _ : state) {
        SDL_BlitSurface(s.back, nullptr, s.frame, nullptr);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH);
}

// One frame of the game at its busiest: 20 sprites move; each old and new place is
// restored from the background, the sprites are drawn, and the damage goes to an SDL
// display (8 -> 32 bits, texture upload, render) on a software renderer.
void BM_DamageRedraw20Sprites(benchmark::State& state) {
    Surfaces s;
    SDL_Surface* window = SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(window);
    {
        SdlDisplay display(renderer, kW, kH);
        const auto pal = F().lib.GetHPal();
        int frame = 0;
        for (auto _ : state) {
            for (int i = 0; i < 20; ++i) {
                const TPoint old{(i * 97 + frame * 3) % (kW - 96),
                                 (i * 53 + frame * 2) % (kH - 96)};
                const TPoint now{(i * 97 + frame * 3 + 3) % (kW - 96),
                                 (i * 53 + frame * 2 + 2) % (kH - 96)};
                s.back->Blit(old, *s.sceneData, TRect::FromOriginSize(old, 96, 96));
                s.back->Blit(now, *s.spriteData, {0, 0, 96, 96});
            }
            s.back->DisplayDamage(display, *pal, {0, 0});
            ++frame;
        }
    }
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(window);
}

BENCHMARK(BM_DecodeLines);
BENCHMARK(BM_DecodeRuns);
BENCHMARK(BM_MemcpyFrame);
BENCHMARK(BM_BlitOpaque);
BENCHMARK(BM_MemcpyRows);
BENCHMARK(BM_BlitKeyed);
BENCHMARK(BM_BlitKeyedMirrored);
BENCHMARK(BM_SdlBlitKeyed);
BENCHMARK(BM_PaletteToArgb);
BENCHMARK(BM_SdlPaletteToArgb);
BENCHMARK(BM_DamageRedraw20Sprites);

// Collects each benchmark's time per byte so the ratios can be printed after the run.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            const auto it = r.counters.find("bytes_per_second");
            if (it != r.counters.end()) rate_[r.benchmark_name()] = it->second.value;
            time_[r.benchmark_name()] = r.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintRatios(std::ostream& out) const {
        auto ratio = [&](const char* what, const char* a, const char* b, const char* target) {
            if (!rate_.count(a) || !rate_.count(b)) return;
            char line[200];
            std::snprintf(line, sizeof line, "%-46s %6.2fx   (target %s)\n", what,
                          rate_.at(a) / rate_.at(b), target);
            out << line;
        };
        out << "\nRatios (throughput of ours / throughput of the reference, same run)\n";
        ratio("line decode vs memcpy of the decoded bytes", "BM_DecodeLines", "BM_MemcpyFrame",
              "-");
        ratio("run-mode decode vs memcpy", "BM_DecodeRuns", "BM_MemcpyFrame", "-");
        ratio("opaque blit vs row memcpy", "BM_BlitOpaque", "BM_MemcpyRows", ">= 0.80");
        ratio("colour-key blit vs SDL_BlitSurface", "BM_BlitKeyed", "BM_SdlBlitKeyed", ">= 1.5");
        ratio("mirrored colour-key blit vs SDL (unmirrored)", "BM_BlitKeyedMirrored",
              "BM_SdlBlitKeyed", ">= 1.5");
        ratio("8->32 palette conversion vs SDL", "BM_PaletteToArgb", "BM_SdlPaletteToArgb",
              ">= 1.0");
        if (rate_.count("BM_DecodeLines"))
            out << "line decode: " << rate_.at("BM_DecodeLines") / 1e9
                << " GB/s, run decode: " << rate_.at("BM_DecodeRuns") / 1e9
                << " GB/s (target >= 1 GB/s)\n";
        if (time_.count("BM_DamageRedraw20Sprites"))
            out << "full damage redraw, 600x400, 20 sprites: "
                << time_.at("BM_DamageRedraw20Sprites") / 1e3 << " us per frame\n";
    }

  private:
    std::map<std::string, double> rate_, time_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios(std::cout);
    benchmark::Shutdown();
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// One tick of a shipped animal, as the play room spends it (step the scene, redraw what
// changed into the work image), against the physical limit of redrawing the strip:
// copying its 113 x 367 bytes with memcpy. The scene is played over and over, so the
// figure is the mean over all its ticks. QR_DATA_DIR in the environment names another
// built data tree.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "game/gameplay/animal.h"

using namespace qr;

namespace {

std::string DataDir() {
    const char* env = std::getenv("QR_DATA_DIR");
    return std::string(env && *env ? env : QR_DATA_DIR) + "/";
}

void BM_AnimalTick(benchmark::State& state, const char* name) {
    TPX8Image work, card;
    work.Initialise("work", nullptr, 600, 400);
    auto workData = work.CreateImageData();
    std::vector<uint8_t> face(46 * 62, 14);
    card.Initialise("card", face.data(), 46, 62);
    auto cardData = card.CreateImageData();
    TAnimal animal;
    animal.Create(
        DataDir() + "dat/" + name + ".anm", DataDir() + "imglib/", [&] { return cardData.get(); },
        {470, 15, 583, 382}, workData.get());
    const uint8_t scene = uint8_t(state.range(0));
    animal.StartScene(0); // under way, as in the game
    while (animal.Step())
        ;
    animal.StartScene(scene);
    int64_t ticks = 0;
    for (auto _ : state) {
        if (!animal.Step()) animal.StartScene(scene);
        animal.Draw();
        workData->Damage.Clear();
        ++ticks;
    }
    state.SetItemsProcessed(ticks);
}

void BM_StripMemcpy(benchmark::State& state) {
    std::vector<uint8_t> from(113 * 367, 7), to(113 * 367);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

// The dog's happy end (overlay on every frame, two twinkles, the butterfly) and its
// walk in with the card (three moving objects and the butterfly) are its busiest scenes.
BENCHMARK_CAPTURE(BM_AnimalTick, dog, "dog")->Arg(1)->Arg(6);
BENCHMARK_CAPTURE(BM_AnimalTick, bunny, "bunny")->Arg(1);
BENCHMARK(BM_StripMemcpy);
BENCHMARK_MAIN();

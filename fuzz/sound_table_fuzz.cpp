// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the sound table as "sounds.txt" (compiled the way the game
// compiles it) and as a compiled "sounds.dat", then plays every event code through it.
// A table that names missing or odd files just stays silent; anything else is a fault.
#include <filesystem>

#include "fuzz_temp_file.h"
#include "game/sound/sound_table.h"
#include "platform/headless/headless_sound.h"

namespace {

void PlayAll(const std::string& base) {
    qr::SoundEventQueue events;
    qr::HeadlessWaveOut out(events);
    qr::TSoundTable table;
    table.InitSound(out, true, qr::fuzz::TempFolder(), base);
    // Every number the event codes reach, once; looping the same way as playing.
    for (int code = -1; code < 30; ++code)
        table.PlaySound(code);
    table.PlayLoop(1);
    table.StopLoops();
    table.UnloadAll();
    table.DoneSound();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string base = qr::fuzz::TempFolder() + "sounds";
    std::error_code ec;
    std::filesystem::remove(base + ".dat", ec);
    qr::fuzz::WriteTemp("sounds.txt", data, size);
    PlayAll(base);
    std::filesystem::remove(base + ".txt", ec);
    qr::fuzz::WriteTemp("sounds.dat", data, size);
    PlayAll(base);
    return 0;
}

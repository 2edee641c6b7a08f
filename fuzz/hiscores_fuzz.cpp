// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as "hiscores.dat", then uses every table it found the way the game
// does: select it by its key, read it, enter scores and initials, clear it. Nothing may
// crash or read past a line, whatever the lines hold.
#include "game/gameplay/high_score_man.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qr::THighScoreMan scores("");
    scores.LoadFromBytes(std::vector<uint8_t>(data, data + size));
    const std::vector<std::string> lines = scores.Lines();
    for (size_t i = 0; i < lines.size() && i < 64; ++i) {
        scores.SelectTable(lines[i], "h", int(i % 3) + 1, "1", "2");
        for (int place = 0; place <= 11; ++place) {
            (void)scores.GetScore(place);
            (void)scores.GetInitials(place);
        }
        scores.AddScore(lines[i].substr(0, 5), int32_t(lines[i].size() * 1000));
        scores.SetInitials(scores.LastPlace(), lines[i]);
        if (i % 2) scores.ClearTable();
    }
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/title_commands.h"

#include <nlohmann/json.hpp>

#include "game/rooms/title_room.h"
#include "game/shell/headless_driver.h"
#include "game/shell/world_shell.h"

namespace qr {

void AddTitleState(HeadlessDriver& driver) {
    auto stateExtra = driver.stateExtra;
    driver.stateExtra = [stateExtra](TFormMain& form, HeadlessDriver::Json& s) {
        if (stateExtra) stateExtra(form, s);
        auto* shell = dynamic_cast<TShellWorld*>(form.World());
        auto* room = shell ? dynamic_cast<TTitleRoom*>(shell->World().CurrentRoom()) : nullptr;
        if (!room) return;
        HeadlessDriver::Json letters = HeadlessDriver::Json::array();
        for (int letter = 1; letter <= title::kLetters; ++letter)
            letters.push_back(room->LetterState(letter));
        s["counter"] = room->Counter();
        s["letters"] = letters;
        s["titleGraphic"] = room->TitleGraphic();
    };
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/game_rooms.h"

#include "foundation/uvo_exception.h"
#include "game/gameplay/high_score_man.h"
#include "game/gameplay/play_room.h"
#include "game/gameplay/start_room.h"
#include "game/rooms/menu_rooms.h"
#include "game/rooms/title_room.h"
#include "game/shell/form_main.h"
#include "game/shell/world_shell.h"
#include "wordlist/word_list.h"

namespace qr {

namespace {

// A finished game's score goes into the world's table for the current list and settings
// (the world keeps it selected); it is saved at once, so a crash later loses nothing.
int EnterHighScore(TFormMain& form, int32_t score) {
    auto* shell = dynamic_cast<TShellWorld*>(form.World());
    if (!shell) return 0;
    THighScoreMan* scores = shell->World().HighScores();
    if (!scores || !shell->World().WordList()) return 0;
    if (!scores->AddScore(shell->World().Initials(), score)) return 0;
    try {
        scores->Save();
    } catch (const UvoException&) {
        // Kept in memory; the world tries again when it closes.
    }
    return scores->LastPlace();
}

} // namespace

TRoomFactory GameRooms(TFormMain& form, TGameRoomOutputs outputs) {
    TRoomFactory rooms;
    AddEngineRooms(rooms);
    TPlayServices play;
    play.enterHighScore = [&form](int32_t score) { return EnterHighScore(form, score); };
    play.openLink = outputs.openLink;
    play.animalFolder = [&form] { return form.Folders().DatProgram(); };
    play.report = outputs.log;
    AddGameplayRooms(rooms, play);
    TMenuServices menus;
    // The installation's lists unless the player chose another folder.
    menus.wordListFolder = [&form] {
        const std::string chosen = form.Settings().ReadString("Options", "Word-list path", "");
        return chosen.empty() ? form.Folders().Lists() : chosen;
    };
    menus.moduleOrderFile = [&form] { return form.Folders().DatUser() + "modules.dat"; };
    menus.stringFolder = [&form] { return form.Folders().Strings(); };
    menus.openLink = outputs.openLink;
    menus.report = outputs.log;
    AddMenuRooms(rooms, menus);
    AddTitleRoom(rooms);
    AddStartRooms(rooms);
    return rooms;
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/game_rooms.h"

#include <memory>

#include "game/gameplay/high_score_man.h"
#include "game/gameplay/play_room.h"
#include "game/shell/form_main.h"
#include "game/shell/world_shell.h"
#include "wordlist/word_list.h"

namespace qr {

namespace {

// The high-score tables, opened on first use and saved whenever a score enters them.
int EnterHighScore(TFormMain& form, std::shared_ptr<std::unique_ptr<THighScoreMan>> scores,
                   int32_t score) {
    auto* shell = dynamic_cast<TShellWorld*>(form.World());
    if (!shell) return 0;
    TWorld& world = shell->World();
    const TQRWordList* list = world.WordList();
    if (!list) return 0;
    if (!*scores)
        *scores = std::make_unique<THighScoreMan>(form.Folders().DatUser() + "hiscores.dat");
    const bool icons = world.UseIcons() && list->UsesIconClues();
    (*scores)->SelectTable(list->Title(), list->Handle(), world.SpeedSetting(),
                           world.AnswerLanguage().name,
                           icons ? std::string("ICONS") : world.ClueLanguage().name);
    if (!(*scores)->AddScore(world.Initials(), score)) return 0;
    (*scores)->Save();
    return (*scores)->LastPlace();
}

} // namespace

TRoomFactory GameRooms(TFormMain& form, TGameRoomOutputs outputs) {
    TRoomFactory rooms;
    AddEngineRooms(rooms);
    auto scores = std::make_shared<std::unique_ptr<THighScoreMan>>();
    TPlayServices play;
    play.enterHighScore = [&form, scores](int32_t score) {
        return EnterHighScore(form, scores, score);
    };
    play.openLink = outputs.openLink;
    play.animalFolder = [&form] { return form.Folders().DatProgram(); };
    play.report = outputs.log;
    play.webAddress = kProjectWebAddress;
    play.emailAddress = kProjectEmailAddress;
    AddGameplayRooms(rooms, play);
    return rooms;
}

} // namespace qr

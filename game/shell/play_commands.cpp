// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/play_commands.h"

#include <nlohmann/json.hpp>

#include <memory>

#include "foundation/text_codec.h"
#include "game/gameplay/auto_player.h"
#include "game/gameplay/play_room.h"
#include "game/shell/headless_driver.h"
#include "game/shell/world_shell.h"
#include "wordlist/word_list.h"

namespace qr {

namespace {

TShellWorld* WorldOf(TFormMain& form) {
    return dynamic_cast<TShellWorld*>(form.World());
}

TPlayRoom* PlayRoomOf(TFormMain& form) {
    TShellWorld* w = WorldOf(form);
    return w ? dynamic_cast<TPlayRoom*>(w->World().CurrentRoom()) : nullptr;
}

bool ParseNumber(const std::string& s, long& v) {
    try {
        size_t used = 0;
        v = std::stol(s, &used);
        return used == s.size();
    } catch (...) {
        return false;
    }
}

// The play room's fields, added to the driver's state object while the room is current.
void AddPlayState(TPlayRoom& room, const TWorld& world, HeadlessDriver::Json& s) {
    const TPlayRules& r = room.Rules();
    HeadlessDriver::Json answers = HeadlessDriver::Json::array(),
                         marks = HeadlessDriver::Json::array();
    for (int i = 1; i <= 5; ++i) {
        answers.push_back(ToUtf8(r.Answers[size_t(i)]));
        marks.push_back(r.Marks[size_t(i)]);
    }
    s["levelIndex"] = r.LevelIndex;
    s["mode"] = r.Mode;
    s["scene"] = r.Scene;
    s["letterQueue"] = ToUtf8(r.LetterQueue);
    s["answers"] = answers;
    s["marks"] = marks;
    s["score"] = r.Score;
    s["shownScore"] = r.ShownScore;
    s["lives"] = world.Lives().Count();
    s["multiplier"] = r.Multiplier;
    s["releaseDelay"] = r.ReleaseDelay;
    s["wipe"] = {r.WipeKind, r.WipeStep};
}

struct PlayDriverState {
    TFormMain* form = nullptr;
    TAutoPlayer player;
};

} // namespace

void AddPlayCommands(HeadlessDriver& driver) {
    auto state = std::make_shared<PlayDriverState>();

    auto prepare = driver.prepare;
    driver.prepare = [prepare, state](TFormMain& form) {
        if (prepare) prepare(form);
        state->form = &form;
    };
    // Before each step the stand-in player looks at the board and may click.
    auto timePassed = driver.timePassed;
    driver.timePassed = [timePassed, state](uint32_t ms) {
        if (timePassed) timePassed(ms);
        if (!state->form || !state->player.Active()) return;
        TPlayRoom* room = PlayRoomOf(*state->form);
        if (!room) return;
        if (auto click = state->player.Tick(room->Rules())) {
            const TRect box = room->Rules().RowBoxOf(click->row);
            TShellWorld* w = WorldOf(*state->form);
            const int32_t x = box.Left + click->point.X, y = box.Top + click->point.Y;
            w->PaintBoxMouse(TShellWorld::MouseKind::Down, 1, 0, x, y);
            w->PaintBoxMouse(TShellWorld::MouseKind::Up, 1, 0, x, y);
        }
    };
    auto stateExtra = driver.stateExtra;
    driver.stateExtra = [stateExtra](TFormMain& form, HeadlessDriver::Json& s) {
        if (stateExtra) stateExtra(form, s);
        if (TPlayRoom* room = PlayRoomOf(form)) AddPlayState(*room, WorldOf(form)->World(), s);
    };

    driver.AddCommand("module", [](TFormMain& form, const std::vector<std::string>& a) {
        if (a.size() != 1) return std::string("module needs a word-list file");
        TShellWorld* w = WorldOf(form);
        if (!w) return std::string("module: there is no world");
        if (!w->World().LoadWordList(a[0])) return "module: cannot load " + a[0];
        w->World().SetWordListPath(a[0]);
        return std::string();
    });
    driver.AddCommand("newgame", [&driver](TFormMain& form, const std::vector<std::string>&) {
        TShellWorld* w = WorldOf(form);
        if (!w) return std::string("newgame: there is no world");
        if (!w->World().WordList()) return std::string("newgame: no module is loaded");
        w->World().StartNewGame();
        driver.Log("LIVES " + std::to_string(w->World().Lives().Count()));
        return std::string();
    });
    driver.AddCommand("autoplay", [state](TFormMain&, const std::vector<std::string>& a) {
        if (a.size() == 1 && a[0] == "off") {
            state->player.Stop();
            return std::string();
        }
        long accuracy = 0, delay = -1;
        if (a.empty() || a.size() > 2 || !ParseNumber(a[0], accuracy) || accuracy < 0 ||
            accuracy > 100 || (a.size() == 2 && (!ParseNumber(a[1], delay) || delay < 0)))
            return std::string("autoplay needs ACCURACY 0-100 [DELAY] or off");
        state->player.Start(int(accuracy), int32_t(delay));
        return std::string();
    });
    driver.AddCommand("until", [&driver](TFormMain& form, const std::vector<std::string>& a) {
        long maxTicks = 1000000, level = 0;
        if (a.size() < 2 || a.size() > 3 || (a[0] != "room" && a[0] != "level") ||
            (a[0] == "level" && (!ParseNumber(a[1], level) || level < 0)) ||
            (a.size() == 3 && (!ParseNumber(a[2], maxTicks) || maxTicks < 0)))
            return std::string("until needs room ID or level N, then [MAXTICKS]");
        TShellWorld* w = WorldOf(form);
        if (!w) return std::string("until: there is no world");
        if (a[0] == "level") {
            // Until the play room has begun level N (counted from 0).
            for (long i = 0;; ++i) {
                const TPlayRoom* room = PlayRoomOf(form);
                if (room && room->Rules().LevelIndex >= level) return std::string();
                if (i >= maxTicks || form.WantsClose())
                    return "expected level " + a[1] + " within " + std::to_string(maxTicks) +
                           " ticks, still in " + w->CurrentRoomID();
                driver.Step(form);
            }
        }
        const std::string want = UpperCase(a[1]);
        for (long i = 0; w->CurrentRoomID() != want; ++i) {
            if (i >= maxTicks || form.WantsClose())
                return "expected room " + want + " within " + std::to_string(maxTicks) +
                       " ticks, still in " + w->CurrentRoomID();
            driver.Step(form);
        }
        return std::string();
    });
}

} // namespace qr

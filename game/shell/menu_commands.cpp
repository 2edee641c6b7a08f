// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/menu_commands.h"

#include <nlohmann/json.hpp>

#include <filesystem>

#include "foundation/text_codec.h"
#include "game/rooms/author_room.h"
#include "game/rooms/credits_room.h"
#include "game/rooms/home_room.h"
#include "game/rooms/pick_lang_room.h"
#include "game/shell/headless_driver.h"
#include "game/shell/world_shell.h"

namespace qr {

namespace {

void AddRoomState(TRoom* room, HeadlessDriver::Json& s) {
    if (auto* home = dynamic_cast<THomeRoom*>(room)) {
        HeadlessDriver::Json files = HeadlessDriver::Json::array();
        HeadlessDriver::Json titles = HeadlessDriver::Json::array();
        for (const std::string& path : home->ModuleFiles()) {
            files.push_back(std::filesystem::path(path).filename().string());
            titles.push_back(ToUtf8(home->ModuleTitle(int(titles.size()))));
        }
        s["modules"] = files;
        s["moduleTitles"] = titles;
        s["firstModule"] = home->FirstModule();
        s["highlighted"] = home->Highlighted();
    } else if (auto* credits = dynamic_cast<TCreditsRoom*>(room)) {
        s["page"] = credits->Page();
        s["pageCount"] = TCreditsRoom::PageCount();
    } else if (auto* author = dynamic_cast<TAuthorRoom*>(room)) {
        s["page"] = author->Page();
        s["pageCount"] = author->PageCount();
    } else if (auto* pick = dynamic_cast<TPickLangRoom*>(room)) {
        HeadlessDriver::Json names = HeadlessDriver::Json::array();
        for (const TPickLangRoom::Entry& e : pick->Entries())
            names.push_back(ToUtf8(e.name));
        s["languageMode"] = pick->Mode();
        s["entries"] = names;
        s["currentEntry"] = pick->Current();
    }
}

} // namespace

void AddMenuState(HeadlessDriver& driver) {
    auto stateExtra = driver.stateExtra;
    driver.stateExtra = [stateExtra](TFormMain& form, HeadlessDriver::Json& s) {
        if (stateExtra) stateExtra(form, s);
        if (auto* w = dynamic_cast<TShellWorld*>(form.World()))
            AddRoomState(w->World().CurrentRoom(), s);
    };
}

} // namespace qr

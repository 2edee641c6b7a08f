// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/world_commands.h"

#include <sstream>

#include "foundation/text_codec.h"
#include "foundation/utils.h"
#include "game/shell/headless_driver.h"
#include "game/shell/world_shell.h"
#include "platform/headless/display_headless.h"

namespace qr {

namespace {

TShellWorld* WorldOf(TFormMain& form) {
    return dynamic_cast<TShellWorld*>(form.World());
}

bool ParseInt(const std::string& s, int32_t& v) {
    try {
        size_t used = 0;
        long n = std::stol(s, &used);
        if (used != s.size() || n < INT32_MIN || n > INT32_MAX) return false;
        v = int32_t(n);
        return true;
    } catch (...) {
        return false;
    }
}

std::string Json(const std::string& bytes) {
    return JsonString(ToUtf8(bytes));
}

std::string StateFields(const TShellWorld& shell) {
    const TWorld& world = shell.World();
    std::ostringstream s;
    s << ",\"flags\":" << world.Flags() << ",\"roomStack\":[";
    bool first = true;
    for (auto* n : const_cast<TWorld&>(world).RoomStack().Nodes<TRoomStackNode>()) {
        if (!n->Room()) continue;
        s << (first ? "" : ",") << Json(n->Room()->GetID());
        first = false;
    }
    s << "],\"defaultCursor\":" << world.DefaultCursor() << ",\"cursor\":" << shell.Cursor()
      << ",\"caption\":" << Json(shell.Caption());
    return s.str();
}

} // namespace

void AddWorldCommands(HeadlessDriver& driver, HeadlessDisplay& screen) {
    driver.AddCommand("click",
                      [](TFormMain& form, const std::vector<std::string>& a) -> std::string {
                          int32_t x, y;
                          if (a.size() != 2 || !ParseInt(a[0], x) || !ParseInt(a[1], y))
                              return "click needs X Y";
                          TShellWorld* w = WorldOf(form);
                          if (!w) return "click: there is no world";
                          w->PaintBoxMouse(TShellWorld::MouseKind::Move, 0, 0, x, y);
                          w->PaintBoxMouse(TShellWorld::MouseKind::Down, 1, 0, x, y);
                          w->PaintBoxMouse(TShellWorld::MouseKind::Up, 1, 0, x, y);
                          return {};
                      });
    driver.AddCommand("mouse",
                      [](TFormMain& form, const std::vector<std::string>& a) -> std::string {
                          int32_t x, y;
                          if (a.size() != 3 || !ParseInt(a[1], x) || !ParseInt(a[2], y))
                              return "mouse needs down|up|move X Y";
                          TShellWorld* w = WorldOf(form);
                          if (!w) return "mouse: there is no world";
                          if (a[0] == "down")
                              w->PaintBoxMouse(TShellWorld::MouseKind::Down, 1, 0, x, y);
                          else if (a[0] == "up")
                              w->PaintBoxMouse(TShellWorld::MouseKind::Up, 1, 0, x, y);
                          else if (a[0] == "move")
                              w->PaintBoxMouse(TShellWorld::MouseKind::Move, 0, 0, x, y);
                          else
                              return "mouse needs down|up|move X Y";
                          return {};
                      });
    driver.AddCommand(
        "expect", [](TFormMain& form, const std::vector<std::string>& a) -> std::string {
            if (a.size() != 2 || a[0] != "room") return "expect needs: room ID";
            std::string room = form.World() ? form.World()->CurrentRoomID() : std::string();
            if (!EqualsNoCase(room, a[1]))
                return "expect room " + a[1] + " failed: the room is " +
                       (room.empty() ? "none" : room);
            return {};
        });
    driver.AddCommand("screenshot",
                      [&screen](TFormMain& form, const std::vector<std::string>& a) -> std::string {
                          if (a.size() != 1) return "screenshot needs a file name";
                          if (!WorldOf(form)) return "screenshot: there is no world";
                          try {
                              screen.Screenshot(a[0]);
                          } catch (const UvoException&) {
                              return "screenshot: cannot write " + a[0];
                          }
                          return {};
                      });
    driver.stateExtra = [](TFormMain& form) -> std::string {
        TShellWorld* w = WorldOf(form);
        return w ? StateFields(*w) : std::string();
    };
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/world_commands.h"

#include "foundation/text_codec.h"
#include "foundation/utils.h"
#include "game/gameplay/high_score_man.h"
#include "game/shell/compositor.h"
#include "game/shell/headless_driver.h"
#include "game/shell/world_shell.h"
#include "platform/headless/display_headless.h"

namespace qr {

namespace {

using Json = HeadlessDriver::Json;
using Args = std::vector<std::string>;

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

// What a box carries for its room: a go box's target, a say box's text, a room-script
// box's script.
std::string BoxParameter(const THitBox& box) {
    if (auto* t = dynamic_cast<const TTextBox*>(&box)) return t->Parameter();
    return {};
}

void AddStateFields(TShellWorld& shell, Json& s) {
    TWorld& world = shell.World();
    s["flags"] = world.Flags();
    Json stack = Json::array();
    for (auto* n : world.RoomStack().Nodes<TRoomStackNode>())
        if (n->Room()) stack.push_back(ToUtf8(n->Room()->GetID()));
    s["roomStack"] = stack;
    s["defaultCursor"] = world.DefaultCursor();
    s["cursor"] = shell.Cursor();
    s["caption"] = ToUtf8(shell.Caption());
    // The current room's boxes, topmost first (the order clicks find them in).
    Json boxes = Json::array();
    if (TRoom* room = world.CurrentRoom()) {
        for (THitBox* box : room->HitBoxes().Nodes<THitBox>()) {
            const TRect& r = box->Rect();
            boxes.push_back({{"id", ToUtf8(box->GetID())},
                             {"rect", {r.Left, r.Top, r.Width(), r.Height()}},
                             {"parameter", ToUtf8(BoxParameter(*box))},
                             {"enabled", !box->Disabled()}});
        }
    }
    s["boxes"] = boxes;
    // The texts of the room that did not fit since it was entered.
    Json cuts = Json::array();
    for (const TShellWorld::TextCut& cut : shell.TextCuts())
        cuts.push_back({{"where", ToUtf8(cut.where)},
                        {"text", ToUtf8(cut.text)},
                        {"shortened", cut.shortened}});
    s["textCuts"] = cuts;
    if (const THighScoreMan* scores = world.HighScores()) {
        Json table = Json::array();
        for (int place = 1; place <= kHighScorePlaces; ++place)
            table.push_back({{"initials", ToUtf8(scores->GetInitials(place))},
                             {"score", scores->GetScore(place)}});
        s["scores"] = table;
        s["lastPlace"] = scores->LastPlace();
    }
}

void Click(TShellWorld& w, int32_t x, int32_t y) {
    w.PaintBoxMouse(TShellWorld::MouseKind::Move, 0, 0, x, y);
    w.PaintBoxMouse(TShellWorld::MouseKind::Down, 1, 0, x, y);
    w.PaintBoxMouse(TShellWorld::MouseKind::Up, 1, 0, x, y);
}

std::string ClickBox(TShellWorld& w, const Args& a) {
    TRoom* room = w.World().CurrentRoom();
    if (!room) return "click box: there is no room";
    for (THitBox* box : room->HitBoxes().Nodes<THitBox>()) {
        if (!EqualsNoCase(box->GetID(), a[1])) continue;
        if (a.size() == 3 && BoxParameter(*box) != a[2]) continue;
        if (box->Disabled()) return "click box " + a[1] + ": the box is disabled";
        const TRect& r = box->Rect();
        Click(w, r.Left + r.Width() / 2, r.Top + r.Height() / 2);
        return {};
    }
    return "click box " + a[1] + (a.size() == 3 ? " " + a[2] : std::string()) +
           ": the room has no such box";
}

} // namespace

void AddWorldCommands(HeadlessDriver& driver, HeadlessDisplay& screen) {
    driver.keyPressed = [](TFormMain& form, KeyPress key) {
        TShellWorld* w = WorldOf(form);
        return w && w->Key(key);
    };
    driver.AddCommand("click", [](TFormMain& form, const Args& a) -> std::string {
        TShellWorld* w = WorldOf(form);
        if (!a.empty() && a[0] == "box") {
            if (a.size() < 2 || a.size() > 3) return "click box needs ID [PARAMETER]";
            if (!w) return "click: there is no world";
            return ClickBox(*w, a);
        }
        int32_t x, y;
        if (a.size() != 2 || !ParseInt(a[0], x) || !ParseInt(a[1], y))
            return "click needs X Y, or box ID [PARAMETER]";
        if (!w) return "click: there is no world";
        Click(*w, x, y);
        return {};
    });
    driver.AddCommand("mouse", [](TFormMain& form, const Args& a) -> std::string {
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
    driver.AddCommand("type", [](TFormMain& form, const Args& a) -> std::string {
        if (a.empty()) return "type needs a text";
        TShellWorld* w = WorldOf(form);
        if (!w) return "type: there is no world";
        std::string text = a[0];
        for (size_t i = 1; i < a.size(); ++i)
            text += " " + a[i];
        w->Text(text);
        return {};
    });
    driver.AddCommand("press", [](TFormMain& form, const Args& a) -> std::string {
        static const std::pair<const char*, int> kKeys[] = {{"BACKSPACE", kVkBack},
                                                            {"ENTER", kVkReturn},
                                                            {"ESCAPE", kVkEscape},
                                                            {"LEFT", kVkLeft},
                                                            {"RIGHT", kVkRight}};
        if (a.size() != 1) return "press needs BACKSPACE, ENTER, ESCAPE, LEFT or RIGHT";
        TShellWorld* w = WorldOf(form);
        if (!w) return "press: there is no world";
        for (const auto& [name, key] : kKeys)
            if (EqualsNoCase(a[0], name)) {
                w->EditKey(key);
                return {};
            }
        return "press needs BACKSPACE, ENTER, ESCAPE, LEFT or RIGHT";
    });
    driver.AddCommand("go", [](TFormMain& form, const Args& a) -> std::string {
        if (a.size() != 1) return "go needs a room ID";
        TShellWorld* w = WorldOf(form);
        if (!w) return "go: there is no world";
        // As a go box does it: the world reports a room it does not know.
        w->GoRoom(AsciiUpper(a[0]));
        return {};
    });
    driver.AddExpectation("room", [](TFormMain& form, const Args& a) -> std::string {
        if (a.size() != 1) return "expect room needs an ID";
        std::string room = form.World() ? form.World()->CurrentRoomID() : std::string();
        if (!EqualsNoCase(room, a[0]))
            return "expect room " + a[0] + " failed: the room is " + (room.empty() ? "none" : room);
        return {};
    });
    driver.AddExpectation("pixel", [&screen](TFormMain& form, const Args& a) -> std::string {
        int32_t v[5];
        if (a.size() != 5) return "expect pixel needs X Y R G B";
        for (size_t i = 0; i < 5; ++i)
            if (!ParseInt(a[i], v[i])) return "expect pixel needs X Y R G B";
        if (!WorldOf(form)) return "expect pixel: there is no world";
        if (v[0] < 0 || v[1] < 0 || v[0] >= screen.Width() || v[1] >= screen.Height())
            return "expect pixel: " + a[0] + "," + a[1] + " is outside the window";
        const TRGBColour c = screen.Pixel(v[0], v[1]);
        if (c.R == v[2] && c.G == v[3] && c.B == v[4]) return {};
        return "expect pixel " + a[0] + " " + a[1] + " failed: it is " + std::to_string(c.R) + " " +
               std::to_string(c.G) + " " + std::to_string(c.B);
    });
    driver.AddCommand("screenshot", [&screen](TFormMain& form, const Args& a) -> std::string {
        if (a.size() != 1) return "screenshot needs a file name";
        if (!WorldOf(form)) return "screenshot: there is no world";
        try {
            screen.Screenshot(a[0]);
        } catch (const UvoException&) {
            return "screenshot: cannot write " + a[0];
        }
        return {};
    });
    driver.stateExtra = [](TFormMain& form, Json& state) {
        if (TShellWorld* w = WorldOf(form)) AddStateFields(*w, state);
    };
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/world/world_script.h"

#include <charconv>
#include <cstdint>
#include <memory>

#include "foundation/obf_text.h"
#include "foundation/random.h"
#include "foundation/utils.h"
#include "game/world/qr_exception.h"
#include "game/world/room.h"
#include "game/world/room_factory.h"
#include "game/world/world.h"

namespace qr {

namespace {

constexpr std::string_view kAbbreviations =
    " HITBOX_HBX INFORMONENTRY_IOE HITACTION_HACT HITCURSOR_HCUR FRAMESET_FS ROOMSCRIPTBOX_RSB "
    "XROOMSCRIPTBOX_XRB ";

std::string Quoted(std::string_view s) {
    return "\"" + std::string(s) + "\"";
}

} // namespace

std::string AbbreviateKeyword(std::string_view word) {
    if (word.empty()) return std::string(word);
    // Built by appending: GCC 12 warns (-Wrestrict, wrongly) about `"x" + std::string&&`.
    std::string key(1, ' ');
    key += AsciiUpper(word);
    key += '_';
    size_t at = kAbbreviations.find(key);
    if (at == std::string_view::npos) return std::string(word);
    size_t start = at + key.size();
    return std::string(kAbbreviations.substr(start, kAbbreviations.find(' ', start) - start));
}

std::string ExpandKeyword(std::string_view word) {
    if (word.empty()) return std::string(word);
    std::string key(1, '_');
    key += word;
    key += ' ';
    size_t at = kAbbreviations.find(key);
    if (at == std::string_view::npos) return std::string(word);
    size_t start = kAbbreviations.rfind(' ', at) + 1;
    return std::string(kAbbreviations.substr(start, at - start));
}

bool WorldScriptFilter(std::string& line) {
    std::string rest = Trim(line);
    if (rest.empty()) return false;
    std::string word = TakeWord(rest);
    std::string abbr = AbbreviateKeyword(word);
    line = rest.empty() ? abbr : abbr + " " + rest;
    return true;
}

std::string TakeWord(std::string& rest) {
    size_t sp = rest.find(' ');
    std::string word;
    if (sp == std::string::npos) {
        word = rest;
        rest.clear();
    } else {
        word = rest.substr(0, sp);
        rest = TrimLeft(std::string_view(rest).substr(sp + 1)).substr(0, 255);
    }
    return word;
}

int32_t StrToInt(std::string_view word) {
    std::string_view digits = word;
    if (!digits.empty() && digits[0] == '+') digits.remove_prefix(1);
    int32_t value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size())
        throw ConvertError("'" + std::string(word) + "' is not a valid integer value");
    return value;
}

TRect ExtractBounds(std::string& rest) {
    int32_t v[4];
    for (int32_t& n : v) {
        std::string w = TakeWord(rest);
        try {
            n = StrToInt(w);
        } catch (const ConvertError&) {
            throw QRException("ExtractBounds: invalid rectangle");
        }
    }
    const int64_t right = int64_t(v[0]) + v[2], bottom = int64_t(v[1]) + v[3];
    // A rectangle whose far edge does not fit the coordinates is as invalid as a negative one.
    if (v[2] < 0 || v[3] < 0 || right > INT32_MAX || bottom > INT32_MAX)
        throw QRException("ExtractBounds: invalid rectangle");
    return {v[0], v[1], int32_t(right), int32_t(bottom)};
}

int CursorNumber(std::string_view keyword) {
    static const struct {
        const char* name;
        int number;
    } kCursors[] = {
        {"NONE", -1}, {"DEFAULT", 0}, {"ACTION", 1},    {"EXAMINE", 2},    {"GO", 3},
        {"TAKE", 4},  {"LEFT", 5},    {"RIGHT", 6},     {"INLEFT", 7},     {"INRIGHT", 8},
        {"LESS", 9},  {"MORE", 10},   {"OUT", 11},      {"UP", 12},        {"DOWN", 13},
        {"TURN", 14}, {"TURNCW", 15}, {"PAGELEFT", 16}, {"PAGERIGHT", 17}, {"URL", 18},
        {"PAY5", 19}, {"SCOOP", 20},  {"BRUSH", 21},    {"DYNAMIC1", 100}, {"DYNAMIC2", 101},
    };
    std::string key = AsciiUpper(keyword);
    for (const auto& c : kCursors)
        if (key == c.name) return c.number;
    throw ScriptError("Invalid cursor keyword " + Quoted(keyword));
}

namespace {

// Inserts the box on top of the room's boxes, then applies the cursor keyword left on
// the line; a bad keyword is reported but the box stays, with its default cursor.
void PlaceBox(TRoom& room, std::unique_ptr<THitBox> box, const std::string& cursorRest) {
    THitBox* placed = room.HitBoxes().InsertFirst(std::move(box));
    if (!cursorRest.empty()) placed->SetCursor(int16_t(CursorNumber(cursorRest)));
}

std::unique_ptr<THitBox> MakeTypedBox(const std::string& type, const std::string& id, TRect r) {
    if (type == "GO") return std::make_unique<TGoBox>(id, r);
    if (type == "SAY") return std::make_unique<TSayBox>(id, r);
    if (type == "RETURN") return std::make_unique<TReturnBox>(id, r);
    if (type == "SCRIPT") return std::make_unique<TScriptBox>(id, r);
    if (type == "ROOMSCRIPT") return std::make_unique<TRoomScriptBox>(id, r);
    if (type == "CONTROL") return std::make_unique<TControlBox>(id, r);
    if (type == "ACCESS") return std::make_unique<TAccessBox>(id, r);
    if (type == "XROOMSCRIPT") return std::make_unique<TXRoomScriptBox>(id, r);
    if (type == "XCONTROL") return std::make_unique<TXControlBox>(id, r);
    return nullptr;
}

THitBox& ExistingBox(TRoom& room, const std::string& id) {
    THitBox* box = room.FindHitBox(id);
    if (!box) throw ScriptError("Invalid hitbox ID " + Quoted(id));
    return *box;
}

void SetBoxAction(THitBox& box, const std::string& action) {
    if (auto* go = dynamic_cast<TGoBox*>(&box))
        go->SetTarget(action);
    else if (auto* say = dynamic_cast<TSayBox*>(&box))
        say->SetText(action);
    else if (auto* script = dynamic_cast<TScriptBox*>(&box))
        script->SetScript(action);
    else if (auto* roomScript = dynamic_cast<TRoomScriptBox*>(&box))
        roomScript->SetScript(action);
}

void ReadBodyLine(TWorld& world, TRoom& room, const std::string& k, std::string& rest) {
    if (k == "PIC") {
        room.SetPicName(TakeWord(rest));
    } else if (k == "INFORMONENTRY") {
        room.SetEntryNotice(rest);
    } else if (k == "ROOMFLAG") {
        int32_t n = StrToInt(TakeWord(rest));
        static const uint32_t kValues[5] = {1, 1, 2, 4, 8};
        room.SetFlag((n >= 1 && n <= 4) ? kValues[n] : 1);
    } else if (k == "HOME") {
        room.SetHomeByte(uint8_t(StrToInt(TakeWord(rest))));
    } else if (k == "ROOMINIT") {
        room.RoomInit(rest);
    } else if (k == "TRAP") {
    } else if (k == "GOBOX") {
        std::string id = TakeWord(rest);
        TRect r = ExtractBounds(rest);
        auto box = std::make_unique<TGoBox>(id, r);
        box->SetTarget(TakeWord(rest));
        PlaceBox(room, std::move(box), rest);
    } else if (k == "SAYBOX") {
        std::string id = TakeWord(rest);
        TRect r = ExtractBounds(rest);
        auto box = std::make_unique<TSayBox>(id, r);
        if (!rest.empty() && rest[0] == '"') {
            size_t close = rest.find('"', 1);
            if (close != std::string::npos) {
                box->SetText(rest.substr(1, close - 1));
                rest = TrimLeft(std::string_view(rest).substr(close + 1));
            }
        }
        PlaceBox(room, std::move(box), rest);
    } else if (k == "BACKBOX") {
        std::string id = TakeWord(rest);
        TRect r = ExtractBounds(rest);
        PlaceBox(room, std::make_unique<TReturnBox>(id, r), rest);
    } else if (k == "SCRIPTBOX") {
        std::string id = TakeWord(rest);
        TRect r = ExtractBounds(rest);
        auto box = std::make_unique<TScriptBox>(id, r);
        box->SetScript(AsciiUpper(TakeWord(rest)));
        PlaceBox(room, std::move(box), rest);
    } else if (k == "ROOMSCRIPTBOX" || k == "XROOMSCRIPTBOX" || k == "CONTROLBOX" ||
               k == "XCONTROLBOX") {
        std::string id = TakeWord(rest);
        TRect r = ExtractBounds(rest);
        std::unique_ptr<TRoomScriptBox> box;
        if (k == "ROOMSCRIPTBOX")
            box = std::make_unique<TRoomScriptBox>(id, r);
        else if (k == "XROOMSCRIPTBOX")
            box = std::make_unique<TXRoomScriptBox>(id, r);
        else if (k == "CONTROLBOX")
            box = std::make_unique<TControlBox>(id, r);
        else
            box = std::make_unique<TXControlBox>(id, r);
        box->SetScript(TakeWord(rest));
        PlaceBox(room, std::move(box), rest);
    } else if (k == "HITBOX") {
        std::string type = AsciiUpper(TakeWord(rest));
        std::string id = AsciiUpper(TakeWord(rest));
        TRect r = ExtractBounds(rest);
        auto box = MakeTypedBox(type, id, r);
        if (!box)
            throw ScriptError("Invalid hitbox type " + Quoted(type) + " (ID=" + Quoted(id) + ")");
        room.HitBoxes().InsertFirst(std::move(box));
    } else if (k == "HITACTION") {
        THitBox& box = ExistingBox(room, AsciiUpper(TakeWord(rest)));
        SetBoxAction(box, rest);
    } else if (k == "HITDISABLE") {
        ExistingBox(room, AsciiUpper(TakeWord(rest))).SetEnabled(false);
    } else if (k == "HITCURSOR") {
        THitBox& box = ExistingBox(room, AsciiUpper(TakeWord(rest)));
        box.SetCursor(int16_t(CursorNumber(AsciiUpper(TakeWord(rest)))));
    } else if (k == "FRAMESET") {
        std::string id = TakeWord(rest);
        std::string image = AsciiLower(TakeWord(rest)).substr(0, 8);
        int32_t height = StrToInt(TakeWord(rest));
        int32_t count = StrToInt(TakeWord(rest));
        int32_t x = StrToInt(TakeWord(rest));
        int32_t y = StrToInt(TakeWord(rest));
        uint16_t start = 0;
        std::string opt = TakeWord(rest);
        if (opt == "R" || opt == "r")
            start = uint16_t(GameRandom().Random(uint32_t(uint16_t(count))));
        else if (!opt.empty())
            start = uint16_t(StrToInt(opt));
        auto fs = std::make_unique<TFrameSet>(id, &world.Library(), image, uint16_t(height),
                                              uint16_t(count), TPoint{x, y});
        fs->SetFrameMaybeDraw(*world.WorkImage(), start, false);
        room.AddFrameSet(std::move(fs));
    }
    // Any other keyword is ignored without a word.
}

} // namespace

TRoom* ReadWorldScriptLine(TWorld& world, const TRoomFactory& rooms, const std::string& line,
                           TRoom* current) {
    std::string rest = Trim(line);
    if (rest.empty() || rest[0] == '#') return current;
    std::string k = ExpandKeyword(TakeWord(rest));

    if (k.size() >= 4 && k.compare(k.size() - 4, 4, "ROOM") == 0) {
        std::string id = AsciiUpper(TakeWord(rest));
        std::unique_ptr<TRoom> room;
        try {
            room = rooms.Create(k.substr(0, k.size() - 4), world, id);
        } catch (const std::exception&) {
            room.reset();
        }
        if (!room) throw ScriptError("Can't create room " + Quoted(id));
        room->SetTitle(rest);
        return world.AddRoom(std::move(room));
    }
    if (!current) {
        if (k != "BEGIN") throw ScriptError("Unknown command " + Quoted(k) + " in prologue");
        world.SetStartRoomID(TakeWord(rest));
        return current;
    }
    ReadBodyLine(world, *current, k, rest);
    return current;
}

void ReadWorldScript(TWorld& world, const TRoomFactory& rooms, TObfText& script) {
    TRoom* current = nullptr;
    while (!script.EndOfData()) {
        std::string line = script.ReadLine();
        try {
            current = ReadWorldScriptLine(world, rooms, line, current);
        } catch (const ScriptError& e) {
            world.Host().ShowMessage(std::string("Script Error:\n\n") + e.what());
        }
        world.Host().LetMessagesRun();
    }
}

} // namespace qr

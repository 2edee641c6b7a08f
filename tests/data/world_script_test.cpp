// SPDX-License-Identifier: GPL-3.0-or-later
// The world script as the game reads it (the compiled "init.dat"): every screen the code
// goes to exists, and each carries the hit boxes and frame sets its room looks up by name,
// inside the screen, with cursor keywords the reader accepts.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "data_tree.h"
#include "foundation/obf_text.h"
#include "foundation/utils.h"

namespace qr {
namespace {

using namespace datatest;

struct Box {
    std::string kind;
    int x, y, w, h;
    std::string cursor; // empty when the box keeps its default
};
struct Room {
    std::string keyword;
    std::string pic;
    std::map<std::string, Box> boxes;
    std::map<std::string, std::vector<std::string>> frameSets; // ID -> words after the ID
};
struct World {
    std::string begin;
    std::map<std::string, Room> rooms;
    std::vector<std::string> goTargets;
    std::vector<std::string> faults;
};

std::string Expand(const std::string& word) {
    static const std::map<std::string, std::string> full = {
        {"HBX", "HITBOX"},        {"IOE", "INFORMONENTRY"}, {"HACT", "HITACTION"},
        {"HCUR", "HITCURSOR"},    {"FS", "FRAMESET"},       {"RSB", "ROOMSCRIPTBOX"},
        {"XRB", "XROOMSCRIPTBOX"}};
    auto it = full.find(word);
    return it == full.end() ? word : it->second;
}

World ReadWorld() {
    World world;
    TObfText dat(TreePath("dat/init.dat"));
    Room* room = nullptr;
    while (!dat.EndOfData()) {
        std::string line = Trim(dat.ReadLine());
        if (line.empty() || line[0] == '#') continue;
        std::string_view rest = line;
        std::string key = Expand(NextWord(rest));
        if (key.size() >= 4 && key.substr(key.size() - 4) == "ROOM") {
            std::string id = AsciiUpper(NextWord(rest));
            if (world.rooms.count(id)) world.faults.push_back("room " + id + " declared twice");
            room = &world.rooms[id];
            room->keyword = key;
            continue;
        }
        if (key == "BEGIN") {
            world.begin = AsciiUpper(NextWord(rest));
            continue;
        }
        if (!room) {
            world.faults.push_back("\"" + key + "\" before the first room");
            continue;
        }
        if (key == "PIC") {
            room->pic = NextWord(rest);
        } else if (key == "GOBOX" || key == "SAYBOX" || key == "BACKBOX" || key == "SCRIPTBOX" ||
                   key == "ROOMSCRIPTBOX" || key == "XROOMSCRIPTBOX" || key == "CONTROLBOX" ||
                   key == "XCONTROLBOX") {
            std::string id = AsciiUpper(NextWord(rest));
            Box box{key, 0, 0, 0, 0, ""};
            box.x = std::stoi(NextWord(rest));
            box.y = std::stoi(NextWord(rest));
            box.w = std::stoi(NextWord(rest));
            box.h = std::stoi(NextWord(rest));
            if (key != "BACKBOX") {
                std::string action = NextWord(rest);
                if (key == "GOBOX") world.goTargets.push_back(AsciiUpper(action));
            }
            box.cursor = AsciiUpper(Trim(std::string(rest)));
            if (room->boxes.count(id)) world.faults.push_back("box " + id + " declared twice");
            room->boxes[id] = box;
        } else if (key == "FRAMESET") {
            std::string id = AsciiUpper(NextWord(rest));
            std::vector<std::string> words;
            while (!rest.empty())
                words.push_back(NextWord(rest));
            room->frameSets[id] = words;
        } else {
            world.faults.push_back("keyword " + key + " is not used by this script");
        }
    }
    return world;
}

TEST(WorldScript, EveryScreenTheGameGoesToIsDeclared) {
    World world = ReadWorld();
    EXPECT_EQ(world.faults, std::vector<std::string>{});
    EXPECT_TRUE(world.rooms.count(world.begin)) << "BEGIN " << world.begin;
    for (const char* id : {"TITLE", "HOME", "MODSTART", "PLAY", "INITIALS", "DIPLOMA", "CREDITS",
                           "AUTHOR", "PICKLANG"})
        EXPECT_TRUE(world.rooms.count(id)) << id;
    for (const std::string& target : world.goTargets)
        EXPECT_TRUE(world.rooms.count(target)) << "go box to " << target;
    for (const auto& [id, room] : world.rooms) {
        if (id == "DISK") continue; // draws itself from its own library
        EXPECT_FALSE(room.pic.empty()) << id << " has no picture";
        // Every menu and game room is a music room, which refuses to enter without these.
        EXPECT_TRUE(room.boxes.count("MUSICBTN")) << id;
        EXPECT_TRUE(room.frameSets.count("MUSIC")) << id;
    }
}

TEST(WorldScript, RoomsHaveTheBoxesAndFrameSetsTheirCodeLooksUp) {
    World world = ReadWorld();
    const std::map<std::string, std::vector<std::string>> boxes = {
        {"PLAY",
         {"W1", "W2", "W3", "W4", "W5", "T0", "T1", "T2", "P0UNPAUSE", "H0UNPAUSE", "WEBVISIT",
          "EMAIL", "HELP", "YESQUIT", "NOQUIT", "NEXTHELP", "PREVHELP", "SOUND"}},
        {"MODSTART",
         {"ICONCLUES", "QICONCLUES", "CLUELANG", "ANSLANG", "CHANGENAME", "GAMEMENU", "PLAYGAME",
          "INFO", "CLEAR", "S1", "S2", "S3"}},
        {"HOME", {"MODULES", "WORKLANG", "CREDITS", "PREVPAGE", "NEXTPAGE"}},
        {"INITIALS", {"LETTERPAD", "OK", "CANCEL", "0", "1", "2"}},
        {"PICKLANG", {"OK", "CANCEL", "RETURN"}},
        {"AUTHOR", {"RETURN", "PREVPAGE", "NEXTPAGE"}},
        {"CREDITS", {"PREVPAGE", "NEXTPAGE"}},
        {"DISK", {"1", "2", "3", "4", "5", "6", "7", "8", "S", "M", "F", "X", "R", "C"}},
    };
    for (const auto& [roomId, ids] : boxes)
        for (const std::string& id : ids)
            EXPECT_TRUE(world.rooms[roomId].boxes.count(id)) << roomId << " " << id;
    for (const char* id : {"TRAFFIC", "SOUND", "MULTI"})
        EXPECT_TRUE(world.rooms["PLAY"].frameSets.count(id)) << id;
    for (const char* id : {"0", "1", "2"})
        EXPECT_TRUE(world.rooms["INITIALS"].frameSets.count(id)) << id;

    // Rows and pads get their clicks through control boxes (raw mouse events).
    for (const char* id : {"W1", "W2", "W3", "W4", "W5"})
        EXPECT_EQ(world.rooms["PLAY"].boxes[id].kind, "CONTROLBOX");
    EXPECT_EQ(world.rooms["INITIALS"].boxes["LETTERPAD"].kind, "CONTROLBOX");
    EXPECT_EQ(world.rooms["HOME"].boxes["MODULES"].kind, "CONTROLBOX");
    // The widest pad row is 20 cells of 25 pixels, the pad five rows of 39.
    EXPECT_GE(world.rooms["INITIALS"].boxes["LETTERPAD"].w, 500);
    EXPECT_GE(world.rooms["INITIALS"].boxes["LETTERPAD"].h, 195);
}

TEST(WorldScript, BoxesLieOnTheScreenWithKnownCursors) {
    static const std::set<std::string> cursors = {
        "",     "NONE",  "DEFAULT", "ACTION",   "EXAMINE",  "GO",        "TAKE",
        "LEFT", "RIGHT", "INLEFT",  "INRIGHT",  "LESS",     "MORE",      "OUT",
        "UP",   "DOWN",  "TURN",    "TURNCW",   "PAGELEFT", "PAGERIGHT", "URL",
        "PAY5", "SCOOP", "BRUSH",   "DYNAMIC1", "DYNAMIC2"};
    World world = ReadWorld();
    for (const auto& [roomId, room] : world.rooms) {
        for (const auto& [id, b] : room.boxes) {
            EXPECT_TRUE(b.w > 0 && b.h > 0 && b.x >= 0 && b.y >= 0 && b.x + b.w <= 600 &&
                        b.y + b.h <= 400)
                << roomId << " " << id;
            EXPECT_TRUE(cursors.count(b.cursor)) << roomId << " " << id << " cursor " << b.cursor;
        }
        for (const auto& [id, words] : room.frameSets) {
            ASSERT_GE(words.size(), 5u) << roomId << " " << id;
            EXPECT_LE(words[0].size(), 8u) << words[0];
            EXPECT_EQ(words[0], AsciiLower(words[0]));
        }
    }
}

} // namespace
} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A world with the menu rooms over a temporary installation: a word-list folder the test
// fills, the file of remembered modules, a string folder and a launcher that records.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/polyglot.h"
#include "game/rooms/home_room.h"
#include "game/rooms/menu_rooms.h"
#include "game/world/tests/world_fixture.h"
#include "graphics/font.h"
#include "test_support/temp_dir.h"
#include "wordlist/word_list.h"

namespace qr::test {

// A string table: string 0 the language's own name, 30-52 the names of the languages.
inline std::string StringTable(const std::string& self, const std::vector<std::string>& names) {
    std::string text = self + "\n";
    for (int i = 1; i < 30; ++i)
        text += "s" + std::to_string(i) + "\n";
    for (const std::string& n : names)
        text += n + "\n";
    return text;
}
inline const std::vector<std::string> kEnglishNames = {"English", "French", "German", "Spanish"};
inline const std::vector<std::string> kGermanNames = {"Englisch", "Französisch", "Deutsch",
                                                      "Spanisch"};

constexpr const char* kMenuWorld = "BEGIN HOME\n"
                                   "HOMEROOM HOME Quill-Rush\n"
                                   "CONTROLBOX MODULES 30 100 540 147 MODULES DYNAMIC2\n"
                                   "ROOMSCRIPTBOX WORKLANG 30 360 140 30 LANGBTN ACTION\n"
                                   "ROOMSCRIPTBOX CREDITS 180 360 140 30 CREDITSBTN ACTION\n"
                                   "ROOMSCRIPTBOX PREVPAGE 470 358 40 34 PAGEBTN PAGELEFT\n"
                                   "ROOMSCRIPTBOX NEXTPAGE 520 358 40 34 PAGEBTN PAGERIGHT\n"
                                   "ROOMSCRIPTBOX MUSICBTN 574 376 22 20 MUSICBTN ACTION\n"
                                   "FS MUSIC m 20 2 574 376\n"
                                   "ROOM MODSTART Start\n"
                                   "CREDITSROOM CREDITS Quill-Rush\n"
                                   "ROOMSCRIPTBOX HOMEBTN 30 358 140 32 HOMEBTN OUT\n"
                                   "ROOMSCRIPTBOX PREVPAGE 470 358 40 34 PAGEBTN PAGELEFT\n"
                                   "ROOMSCRIPTBOX NEXTPAGE 520 358 40 34 PAGEBTN PAGERIGHT\n"
                                   "ROOMSCRIPTBOX MUSICBTN 574 376 22 20 MUSICBTN ACTION\n"
                                   "FS MUSIC m 20 2 574 376\n"
                                   "AUTHORROOM AUTHOR Quill-Rush\n"
                                   "ROOMSCRIPTBOX RETURN 30 358 140 32 RETURNBTN OUT\n"
                                   "ROOMSCRIPTBOX PREVPAGE 470 358 40 34 PAGEBTN PAGELEFT\n"
                                   "ROOMSCRIPTBOX NEXTPAGE 520 358 40 34 PAGEBTN PAGERIGHT\n"
                                   "ROOMSCRIPTBOX MUSICBTN 574 376 22 20 MUSICBTN ACTION\n"
                                   "FS MUSIC m 20 2 574 376\n"
                                   "PICKLANGROOM PICKLANG Quill-Rush\n"
                                   "ROOMSCRIPTBOX OK 190 358 120 32 OKBTN ACTION\n"
                                   "BACKBOX CANCEL 330 358 120 32 OUT\n"
                                   "BACKBOX RETURN 30 358 140 32 OUT\n"
                                   "ROOMSCRIPTBOX MUSICBTN 574 376 22 20 MUSICBTN ACTION\n"
                                   "FS MUSIC m 20 2 574 376\n";

struct MenuFixture : ::testing::Test {
    // Every glyph of the test fonts is a solid block of this colour.
    static constexpr uint8_t kInk = 7;
    TempDir dir;
    WorldFixture f;
    std::vector<std::string> opened;
    int openResult = 42;

    MenuFixture() {
        Polyglot().LoadFromBytes(StringTable("English", kEnglishNames));
        TMenuServices services;
        services.wordListFolder = [this] { return dir.Path("lists"); };
        services.moduleOrderFile = [this] { return dir.Path("modules.dat"); };
        services.stringFolder = [this] { return dir.Path("str") + "/"; };
        services.openLink = [this](const std::string& target, int) {
            opened.push_back(target);
            return openResult;
        };
        // Blank fonts of the game's design: the rooms measure and place text with them.
        RegisterGameFontMetrics();
        std::vector<TPX8WriterImage> fonts;
        for (const char* ink : {"bw", "uw", "rw", "bz"}) {
            fonts.push_back(Picture(std::string("04ab14") + ink, 1024, 160, kInk));
            fonts.push_back(Picture(std::string("abce14") + ink, 600, 100, kInk));
        }
        OpenPictures(f.library, std::move(fonts));
        TRoomFactory rooms = EngineRooms();
        AddMenuRooms(rooms, services);
        std::filesystem::create_directories(dir.Path("lists"));
        LoadScript(f.world, kMenuWorld, rooms);
    }

    // A vocabulary list saved in the word-list folder.
    std::string AddModule(const std::string& file, const std::string& title,
                          const std::vector<std::string>& description = {}) {
        TQRWordList list;
        list.SetListType(TListType::Vocabulary);
        list.SetTitle(title);
        list.SetPrimaryLanguage("English");
        list.AddLanguage("French");
        list.AddLanguage("German");
        for (const std::string& line : description)
            list.AddDescriptionLine(line);
        list.AddClueWord("", "cat", 1);
        const std::string path = dir.Path("lists/" + file);
        EXPECT_TRUE(list.SaveToFile(path));
        return path;
    }

    void Go(const std::string& room) {
        f.world.GoRoom(room);
        ASSERT_EQ(f.world.CurrentRoom()->GetID(), room);
    }
    THomeRoom& Home() { return dynamic_cast<THomeRoom&>(*f.world.FindRoom("HOME")); }
    bool Usable(const std::string& box) {
        THitBox* b = f.world.CurrentRoom()->FindHitBox(box);
        EXPECT_NE(b, nullptr) << box;
        return b && !b->Disabled();
    }
    // Pixels of the work image inside the box in that colour (by default: painted by text).
    int Inked(const std::string& box, uint8_t colour = kInk) {
        const TRect r = f.world.CurrentRoom()->FindHitBox(box)->Rect();
        int n = 0;
        for (int32_t y = r.Top; y < r.Bottom; ++y)
            for (int32_t x = r.Left; x < r.Right; ++x)
                n += PixelAt(*f.world.WorkImage(), x, y) == colour;
        return n;
    }
    // The pointer moves onto the module list at (x, y) of the paint box.
    void Point(int32_t x, int32_t y) { f.world.MouseMove(x, y); }
    void Click(int32_t x, int32_t y) {
        f.world.MouseMove(x, y);
        f.world.MouseDown(1, 0, x, y);
        f.world.MouseUp(x, y);
    }
};

} // namespace qr::test

// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "game/rooms/pick_lang_room.h"
#include "game/rooms/tests/menu_fixture.h"

namespace qr::test {
namespace {

TEST(LanguageColumns, TenToAColumnWithTheFreeWidthSharedOut) {
    struct Case {
        int count;
        int32_t widest;
        int columns;
        int32_t gap;
    } cases[] = {{1, 100, 1, 250}, {10, 100, 1, 250}, {11, 100, 2, 133}, {21, 150, 3, 37}};
    for (const Case& c : cases) {
        const TLanguageColumns l = LayOutLanguageColumns(c.count, c.widest, 600);
        EXPECT_EQ(l.columns, c.columns) << c.count;
        EXPECT_EQ(l.gap, c.gap) << c.count;
    }
    EXPECT_EQ(LayOutLanguageColumns(11, 100, 600).Left(1, 100), 133 + 100 + 133);
}

struct PickLangRoom : MenuFixture {
    TPickLangRoom& Room() { return dynamic_cast<TPickLangRoom&>(*f.world.CurrentRoom()); }
    std::vector<std::string> Names() {
        std::vector<std::string> v;
        for (const auto& e : Room().Entries())
            v.push_back(e.name);
        return v;
    }
};

TEST_F(PickLangRoom, ElevenInterfaceLanguagesStandInTwoColumns) {
    for (int i = 0; i < 11; ++i) {
        const std::string name = std::string("Lang") + char('A' + i);
        dir.Write("str/qr_" + std::to_string(i) + ".str", StringTable(name, kEnglishNames));
    }
    dir.Write("str/other.txt", "not a string file");
    Go("PICKLANG");
    ASSERT_EQ(Names().size(), 11u);
    EXPECT_EQ(Names().front(), "LangA");
    std::set<int32_t> columns;
    for (int i = 0; i < 11; ++i)
        columns.insert(Room().FindHitBox(std::to_string(i))->Rect().Left);
    EXPECT_EQ(columns.size(), 2u);
    EXPECT_EQ(Room().FindHitBox("0")->Rect().Left, Room().FindHitBox("9")->Rect().Left);
    EXPECT_GT(Room().FindHitBox("10")->Rect().Left, Room().FindHitBox("0")->Rect().Left);
    EXPECT_EQ(Room().FindHitBox("10")->Rect().Top, Room().FindHitBox("0")->Rect().Top);
    // The interface mode offers only the way back.
    EXPECT_TRUE(Usable("RETURN"));
    EXPECT_FALSE(Usable("OK"));
    EXPECT_FALSE(Usable("CANCEL"));
    EXPECT_EQ(Inked("CANCEL"), 0); // greyed: no label
}

TEST_F(PickLangRoom, ANewInterfaceLanguageRenamesTheModulesLanguagesAtOnce) {
    dir.Write("str/qr_eng.str", StringTable("English", kEnglishNames));
    dir.Write("str/qr_deu.str", StringTable("Deutsch", kGermanNames));
    ASSERT_TRUE(f.world.LoadWordList(AddModule("words.qrw", "Words")));
    f.world.SetLanguages({"French", 1}, {"German", 2});

    Go("PICKLANG");
    EXPECT_EQ(Room().Mode(), 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Deutsch", "English"}));
    EXPECT_EQ(Room().Current(), 1);
    Room().RunScript("LANG", "0");
    EXPECT_EQ(Room().Current(), 0);
    EXPECT_EQ(Polyglot().GetString(0), "Deutsch");
    EXPECT_EQ(f.world.ClueLanguage(), (TWorldLanguage{"Französisch", 1}));
    EXPECT_EQ(f.world.AnswerLanguage(), (TWorldLanguage{"Deutsch", 2}));
    Room().RunScript("RETURNBTN", "RETURN");

    f.world.SetLanguageChoiceMode(1);
    Go("PICKLANG");
    EXPECT_EQ(Names(), (std::vector<std::string>{"Englisch", "Französisch", "Deutsch"}));
    EXPECT_EQ(Room().Current(), 1);
    EXPECT_FALSE(Usable("RETURN"));
    EXPECT_TRUE(Usable("OK"));
}

TEST_F(PickLangRoom, OkSetsTheClueOrAnswerLanguageAndGoesBack) {
    ASSERT_TRUE(f.world.LoadWordList(AddModule("words.qrw", "Words")));
    f.world.SetLanguages({"English", 0}, {"French", 1});
    f.world.SetUseIcons(true);
    Go("MODSTART");

    f.world.SetLanguageChoiceMode(1);
    Go("PICKLANG");
    Room().RunScript("LANG", "2");
    Room().RunScript("OKBTN", "OK");
    EXPECT_EQ(f.world.CurrentRoom()->GetID(), "MODSTART");
    EXPECT_EQ(f.world.ClueLanguage(), (TWorldLanguage{"German", 2}));
    EXPECT_EQ(f.world.AnswerLanguage(), (TWorldLanguage{"French", 1}));
    EXPECT_FALSE(f.world.UseIcons()); // picture clues give way to the chosen language

    f.world.SetLanguageChoiceMode(2);
    Go("PICKLANG");
    EXPECT_EQ(Room().Current(), 1);
    Room().RunScript("LANG", "0");
    Room().RunScript("OKBTN", "OK");
    EXPECT_EQ(f.world.AnswerLanguage(), (TWorldLanguage{"English", 0}));
    EXPECT_EQ(f.world.ClueLanguage(), (TWorldLanguage{"German", 2}));

    // A stray entry number picks nothing.
    Go("PICKLANG");
    Room().RunScript("LANG", "7");
    Room().RunScript("LANG", "x");
    EXPECT_EQ(Room().Current(), 0);
}

} // namespace
} // namespace qr::test

// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "game/rooms/module_order.h"
#include "game/rooms/tests/menu_fixture.h"

namespace qr::test {
namespace {

// ---- the order of the menu -------------------------------------------------------------

TEST(ModuleOrder, NeverStartedFirstAlphabeticallyThenTheRememberedInTheirOrder) {
    struct Case {
        std::vector<std::string> found, remembered, expected;
    } cases[] = {
        {{"/l/b.qrw", "/l/A.qrw", "/l/c.qrw"}, {}, {"/l/A.qrw", "/l/b.qrw", "/l/c.qrw"}},
        // c was started last, a before it; b is new and comes first.
        {{"/l/a.qrw", "/l/b.qrw", "/l/c.qrw"},
         {"/l/c.qrw", "/l/a.qrw"},
         {"/l/b.qrw", "/l/c.qrw", "/l/a.qrw"}},
        // Paths compare without regard to case; a remembered file that has gone is skipped.
        {{"/l/a.qrw", "/l/b.qrw"}, {"/L/B.QRW", "/l/gone.qrw"}, {"/l/a.qrw", "/l/b.qrw"}},
        {{"/l/a.qrw", "/l/b.qrw"}, {"/l/a.qrw"}, {"/l/b.qrw", "/l/a.qrw"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OrderModules(c.found, c.remembered), c.expected);
}

TEST(ModuleOrder, MoveToTopShiftsTheOthersDown) {
    std::vector<int> v{0, 1, 2, 3, 4, 5};
    MoveToTop(v, 4);
    EXPECT_EQ(v, (std::vector<int>{4, 0, 1, 2, 3, 5}));
    MoveToTop(v, 9); // out of range: nothing moves
    EXPECT_EQ(v, (std::vector<int>{4, 0, 1, 2, 3, 5}));
}

TEST(ModuleOrder, FileKeepsPathsWithSpacesAndSkipsBlankLines) {
    TempDir dir;
    const std::string file = dir.Path("modules.dat");
    EXPECT_TRUE(ReadModuleOrder(file).empty()); // no file yet
    WriteModuleOrder(file, {"/a b/one.qrw", "/two.qrw"});
    EXPECT_EQ(ReadModuleOrder(file), (std::vector<std::string>{"/a b/one.qrw", "/two.qrw"}));
    dir.Write("modules.dat", "\r\n/x.qrw\r\n\r\n  \n/y.qrw");
    EXPECT_EQ(ReadModuleOrder(file), (std::vector<std::string>{"/x.qrw", "/y.qrw"}));
}

// ---- the room ---------------------------------------------------------------------------

using HomeRoom = MenuFixture;

TEST_F(HomeRoom, NineModulesMakeThreePagesWithTheirButtonsGreyedAtTheEnds) {
    for (char c = 'a'; c < 'a' + 9; ++c)
        AddModule(std::string(1, c) + ".qrw", std::string("List ") + c);
    Go("HOME");
    THomeRoom& home = Home();
    ASSERT_EQ(home.ModuleFiles().size(), 9u);
    struct Step {
        const char* button;
        int first;
        bool prev, next;
    } steps[] = {{nullptr, 0, false, true},
                 {"NEXTPAGE", 4, true, true},
                 {"NEXTPAGE", 8, true, false},
                 {"PREVPAGE", 4, true, true},
                 {"PREVPAGE", 0, false, true}};
    for (const Step& s : steps) {
        if (s.button) home.RunScript("PAGEBTN", s.button);
        EXPECT_EQ(home.FirstModule(), s.first);
        EXPECT_EQ(Usable("PREVPAGE"), s.prev) << "first " << s.first;
        EXPECT_EQ(Usable("NEXTPAGE"), s.next) << "first " << s.first;
    }
}

TEST_F(HomeRoom, PointingAtAModuleHighlightsItAndGreysEveryOtherButton) {
    for (char c = 'a'; c < 'a' + 6; ++c)
        AddModule(std::string(1, c) + ".qrw", "Words");
    Go("HOME");
    EXPECT_EQ(Home().Highlighted(), -1);
    for (const char* b : {"WORKLANG", "CREDITS", "NEXTPAGE"})
        EXPECT_TRUE(Usable(b)) << b;

    EXPECT_GT(Inked("WORKLANG"), 0);
    EXPECT_GT(Inked("CREDITS"), 0);

    Point(100, 100 + 2 * 35 + 10); // third row
    EXPECT_EQ(Home().Highlighted(), 2);
    for (const char* b : {"WORKLANG", "CREDITS", "PREVPAGE", "NEXTPAGE"})
        EXPECT_FALSE(Usable(b)) << b;
    // A greyed button shows no label, only a grey veil.
    constexpr uint8_t kVeil = 189;
    EXPECT_EQ(Inked("WORKLANG"), 0);
    EXPECT_EQ(Inked("CREDITS"), 0);
    EXPECT_GT(Inked("CREDITS", kVeil), 0);

    // Rows past the last module of the page highlight nothing; leaving the list neither.
    Home().RunScript("PAGEBTN", "NEXTPAGE");
    Point(100, 100 + 3 * 35 + 10); // fourth row of a page holding modules 4 and 5
    EXPECT_EQ(Home().Highlighted(), -1);
    Point(100, 100 + 1 * 35 + 10);
    EXPECT_EQ(Home().Highlighted(), 5);
    Point(100, 300);
    EXPECT_EQ(Home().Highlighted(), -1);
    EXPECT_TRUE(Usable("WORKLANG"));
    EXPECT_TRUE(Usable("PREVPAGE"));
}

TEST_F(HomeRoom, StartingTheFifthModuleListsItFirstNextTimeAndNewFilesBeforeIt) {
    for (char c = 'a'; c < 'a' + 6; ++c)
        AddModule(std::string(1, c) + ".qrw", "Words");
    Go("HOME");
    Home().RunScript("PAGEBTN", "NEXTPAGE");
    Click(100, 100 + 10); // the first row of page two: module 4, "e.qrw"
    ASSERT_EQ(f.world.CurrentRoom()->GetID(), "MODSTART");
    EXPECT_EQ(f.world.WordListPath(), dir.Path("lists/e.qrw"));
    EXPECT_EQ(ReadModuleOrder(dir.Path("modules.dat")).front(), dir.Path("lists/e.qrw"));

    Go("HOME");
    EXPECT_EQ(f.world.WordList(), nullptr); // the menu drops the module
    auto paths = [this](std::initializer_list<const char*> names) {
        std::vector<std::string> v;
        for (const char* n : names)
            v.push_back(dir.Path(std::string("lists/") + n + ".qrw"));
        return v;
    };
    EXPECT_EQ(Home().ModuleFiles(), paths({"e", "a", "b", "c", "d", "f"}));

    // A file never started stands before every remembered one.
    AddModule("0new.qrw", "New");
    AddModule("zz.qrw", "Newer");
    Go("MODSTART");
    Go("HOME");
    EXPECT_EQ(Home().ModuleFiles(), paths({"0new", "zz", "e", "a", "b", "c", "d", "f"}));
    Home().RunScript("MODCLICK", "4");
    EXPECT_EQ(ReadModuleOrder(dir.Path("modules.dat")),
              paths({"b", "0new", "zz", "e", "a", "c", "d", "f"}));
}

// A damaged file is no copy of the list it came from, and no nameless "Quiz": it is listed
// by its file name, and a click says which file cannot be played.
TEST_F(HomeRoom, AModuleThatCannotBeReadIsListedByItsFileNameAndReportedWhenClicked) {
    std::string strings = StringTable("English", kEnglishNames);
    for (int i = 34; i < 144; ++i)
        strings += "s\n";
    strings += "Cannot play %s.\nDamaged.\nShort.\nNot a list.\nToo new.\nNo access.\n";
    Polyglot().LoadFromBytes(strings);
    AddModule("a good.qrw", "Good");
    const std::string bytes = dir.Read("lists/a good.qrw");
    std::string damaged = bytes;
    damaged[damaged.find("cat")] = 'b';
    dir.Write("lists/checksum.qrw", damaged);
    dir.Write("lists/cut.qrw", bytes.substr(0, bytes.size() / 2));
    dir.Write("lists/empty.qrw", "");
    dir.Write("lists/random.qrw", "not a word list");
    Go("HOME");
    const std::vector<std::string> titles = {"Good", "checksum.qrw", "cut.qrw", "empty.qrw"};
    ASSERT_EQ(Home().ModuleFiles().size(), 5u);
    for (size_t i = 0; i < titles.size(); ++i)
        EXPECT_EQ(Home().ModuleTitle(int(i)), titles[i]);
    EXPECT_EQ(Home().ModuleTitle(4), "random.qrw");

    for (int module : {1, 2, 3}) {
        Go("HOME");
        f.host.messages.clear();
        Click(100, 110 + 35 * module);
        EXPECT_EQ(f.world.CurrentRoom()->GetID(), "HOME");
        ASSERT_EQ(f.host.messages.size(), 1u);
        EXPECT_EQ(f.host.messages[0].substr(0, f.host.messages[0].find('\n')),
                  "Cannot play " + titles[size_t(module)] + ".");
        EXPECT_EQ(Home().ModuleFiles()[size_t(module)], dir.Path("lists/" + titles[size_t(module)]))
            << "not moved";
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path("modules.dat")));
}

TEST_F(HomeRoom, ButtonsLeadToTheLanguageRoomInItsInterfaceModeAndToTheCredits) {
    Go("HOME");
    EXPECT_FALSE(Usable("NEXTPAGE")); // no modules at all
    f.world.SetLanguageChoiceMode(2);
    Click(100, 375);
    EXPECT_EQ(f.world.CurrentRoom()->GetID(), "PICKLANG");
    EXPECT_EQ(f.world.LanguageChoiceMode(), 0);
    Go("HOME");
    Click(250, 375);
    EXPECT_EQ(f.world.CurrentRoom()->GetID(), "CREDITS");
}

} // namespace
} // namespace qr::test

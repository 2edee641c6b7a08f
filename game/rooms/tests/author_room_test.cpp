// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "foundation/dlg_confirm.h"
#include "game/rooms/author_pages.h"
#include "game/rooms/author_room.h"
#include "game/rooms/credits_room.h"
#include "game/rooms/tests/menu_fixture.h"

namespace qr::test {
namespace {

// ---- pages and links ------------------------------------------------------------------

TEST(AuthorPages, EachSourceIsCutIntoPagesOfTenAfterItsBlankLines) {
    std::vector<std::string> comments(25, "line");
    comments[0] = comments[1] = "  ";
    comments[12] = ""; // the first line after a page: skipped as well
    const std::vector<std::string> authors = {"", "Ann", ""};
    EXPECT_EQ(BuildAuthorPages({"one", "two"}, comments, authors),
              (std::vector<TAuthorPage>{{'D', 0}, {'C', 2}, {'C', 13}, {'C', 23}, {'A', 1}}));
    EXPECT_TRUE(BuildAuthorPages({}, {" ", ""}, {}).empty());
}

TEST(AuthorPages, LinksEndAtTheFirstSeparatorAfterTheirStart) {
    using P = std::vector<TLinePiece>;
    struct Case {
        const char* line;
        P pieces;
    } cases[] = {
        {"See http://example.org/a, and more",
         P{{"See ", false}, {"http://example.org/a", true}, {", and more", false}}},
        {"https://Example.org/Path", P{{"https://Example.org/Path", true}}},
        {"Mail mailto:ann@example.org;",
         P{{"Mail ", false}, {"mailto:ann@example.org", true}, {";", false}}},
        {"(http://a.org) \"http://b.org\"", P{{"(", false},
                                              {"http://a.org", true},
                                              {") \"", false},
                                              {"http://b.org", true},
                                              {"\"", false}}},
        // A mail address is looked for first: a web address before it stays plain text.
        {"http://a.org mailto:b@c.org", P{{"http://a.org ", false}, {"mailto:b@c.org", true}}},
        {"no links here", P{{"no links here", false}}},
        {"", P{}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitLinks(c.line), c.pieces) << c.line;
}

// ---- the rooms --------------------------------------------------------------------------

using AuthorRoom = MenuFixture;

TEST_F(AuthorRoom, AModuleWithoutTextsHasNoPagesAndBothPageButtonsGreyed) {
    f.world.LoadWordList(AddModule("plain.qrw", "Plain"));
    Go("AUTHOR");
    auto& room = dynamic_cast<TAuthorRoom&>(*f.world.CurrentRoom());
    EXPECT_EQ(room.PageCount(), 0);
    EXPECT_FALSE(Usable("PREVPAGE"));
    EXPECT_FALSE(Usable("NEXTPAGE"));
    EXPECT_EQ(room.GetTitle(), "Quill-Rush - Plain");
    room.RunScript("PAGEBTN", "NEXTPAGE"); // a stray press changes nothing
    EXPECT_EQ(room.Page(), 0);
}

TEST_F(AuthorRoom, LinksBecomeBoxesThatOpenTheAddressAsWritten) {
    TQRWordList list;
    list.SetTitle("Linked");
    list.AddComment("Visit https://Example.org/Words, or write");
    for (int i = 0; i < 12; ++i)
        list.AddAuthorLine("Ann " + std::to_string(i));
    list.AddClueWord("", "cat", 1);
    ASSERT_TRUE(list.SaveToFile(dir.Path("lists/linked.qrw")));
    f.world.LoadWordList(dir.Path("lists/linked.qrw"));
    Go("AUTHOR");
    auto& room = dynamic_cast<TAuthorRoom&>(*f.world.CurrentRoom());
    ASSERT_EQ(room.Pages(), (std::vector<TAuthorPage>{{'C', 0}, {'A', 0}, {'A', 10}}));
    EXPECT_FALSE(Usable("PREVPAGE"));
    EXPECT_TRUE(Usable("NEXTPAGE"));

    THitBox* link = room.FindHitBox("HTTPS://EXAMPLE.ORG/WORDS");
    ASSERT_NE(link, nullptr);
    link->Click(f.world);
    EXPECT_EQ(opened, (std::vector<std::string>{"https://Example.org/Words"}));
    EXPECT_TRUE(f.host.confirms.empty());

    openResult = 2; // the launcher failed
    link->Click(f.world);
    ASSERT_EQ(f.host.confirms.size(), 1u);
    EXPECT_EQ(f.host.confirms[0], "Internet Link | Unable to link to URL (error 2) | " +
                                      std::to_string(TDlgConfirm::kOK));

    // Another page: the link's box goes with its page; the last page greys "next".
    room.RunScript("PAGEBTN", "NEXTPAGE");
    EXPECT_EQ(room.FindHitBox("HTTPS://EXAMPLE.ORG/WORDS"), nullptr);
    room.RunScript("PAGEBTN", "NEXTPAGE");
    EXPECT_EQ(room.Page(), 2);
    EXPECT_TRUE(Usable("PREVPAGE"));
    EXPECT_FALSE(Usable("NEXTPAGE"));

    // The page is kept for the next visit, within the pages the module has.
    Go("MODSTART");
    Go("AUTHOR");
    EXPECT_EQ(room.Page(), 2);
    f.world.LoadWordList(AddModule("plain.qrw", "Plain"));
    Go("MODSTART");
    Go("AUTHOR");
    EXPECT_EQ(room.Page(), 0);
}

using CreditsRoom = MenuFixture;

TEST_F(CreditsRoom, PagesStepThroughWithTheirButtonsGreyedAtTheEnds) {
    Go("CREDITS");
    auto& room = dynamic_cast<TCreditsRoom&>(*f.world.CurrentRoom());
    const int last = TCreditsRoom::PageCount() - 1;
    ASSERT_GE(last, 1);
    EXPECT_FALSE(Usable("PREVPAGE"));
    for (int p = 1; p <= last; ++p)
        room.RunScript("PAGEBTN", "NEXTPAGE");
    EXPECT_EQ(room.Page(), last);
    EXPECT_TRUE(Usable("PREVPAGE"));
    EXPECT_FALSE(Usable("NEXTPAGE"));
    for (int p = 0; p < TCreditsRoom::PageCount(); ++p)
        EXPECT_GE(TCreditsRoom::PageStrings(p).size(), 2u) << "page " << p; // subtitle and lines
    room.RunScript("HOMEBTN", "HOMEBTN");
    EXPECT_EQ(f.world.CurrentRoom()->GetID(), "HOME");
}

} // namespace
} // namespace qr::test

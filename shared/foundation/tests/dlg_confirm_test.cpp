// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/dlg_confirm.h"

#include <gtest/gtest.h>

#include "foundation/polyglot.h"

using namespace qr;

namespace {
void LoadButtonStrings() {
    std::string lines;
    for (int i = 0; i < 16; ++i) {
        if (i == 9) lines += "&Abbrechen";
        if (i == 13) lines += "&OK";
        if (i == 14) lines += "&Ja";
        if (i == 15) lines += "&Nein";
        lines += "\n";
    }
    Polyglot().LoadFromBytes(lines);
}
} // namespace

TEST(DlgConfirm, ButtonSetsTakeTheirCaptionsAndResultsFromTheStringTable) {
    LoadButtonStrings();
    using D = TDlgConfirm;
    struct Case {
        int buttons;
        const char* c1;
        int r1, x1;
        bool v2;
        bool v3;
        const char* c3;
        int r3;
        int escape;
    };
    const Case cases[] = {
        {D::kOK, "&OK", 1, 213, false, false, "", 0, 2},
        {D::kYes | D::kNo, "&Ja", 6, 37, false, true, "&Nein", 7, 7},
        {D::kOK | D::kCancel, "&OK", 1, 37, false, true, "&Abbrechen", 2, 2},
        {D::kYes | D::kNo | D::kCancel, "&Ja", 6, 37, true, true, "&Abbrechen", 2, 2},
        {0, "&Ja", 6, 37, true, true, "&Abbrechen", 2, 2},
    };
    for (const Case& c : cases) {
        auto l = D::MakeLayout("", "Sure?", c.buttons);
        SCOPED_TRACE(c.buttons);
        EXPECT_EQ(l.caption, "Confirm");
        EXPECT_EQ(l.buttons[0].caption, c.c1);
        EXPECT_EQ(l.buttons[0].result, c.r1);
        EXPECT_EQ(l.buttons[0].left, c.x1);
        EXPECT_EQ(l.buttons[1].visible, c.v2);
        if (c.v2) {
            EXPECT_EQ(l.buttons[1].caption, "&Nein");
        }
        EXPECT_EQ(l.buttons[2].visible, c.v3);
        if (c.v3) {
            EXPECT_EQ(l.buttons[2].caption, c.c3);
            EXPECT_EQ(l.buttons[2].result, c.r3);
        }
        EXPECT_EQ(l.EscapeResult(), c.escape);
        EXPECT_EQ(l.DefaultResult(), c.r1);
    }
}

TEST(DlgConfirm, LongMessagesAreLeftAlignedAndStartHigher) {
    auto one = TDlgConfirm::MakeLayout("Q", "Quit?", TDlgConfirm::kYes | TDlgConfirm::kNo);
    auto four = TDlgConfirm::MakeLayout("Q", "a\nb\nc\nd", TDlgConfirm::kYes | TDlgConfirm::kNo);
    EXPECT_TRUE(one.centred);
    EXPECT_FALSE(four.centred);
    EXPECT_LT(four.labelTop, one.labelTop);
    EXPECT_GT(four.labelHeight, one.labelHeight);
}

TEST(DlgConfirm, ConfirmGoesThroughThePresenter) {
    LoadButtonStrings();
    // Without a presenter the default button answers.
    TDlgConfirm::SetPresenter(nullptr);
    EXPECT_EQ(TDlgConfirm::Confirm("C", "M", TDlgConfirm::kOK | TDlgConfirm::kCancel), 1);
    std::string seen;
    TDlgConfirm::SetPresenter([&](const TDlgConfirm::Layout& l) {
        seen = l.caption + "|" + l.message;
        return l.EscapeResult();
    });
    EXPECT_EQ(TDlgConfirm::Confirm("Quill-Rush", "Stop?", TDlgConfirm::kYes | TDlgConfirm::kNo), 7);
    EXPECT_EQ(seen, "Quill-Rush|Stop?");
    TDlgConfirm::SetPresenter(nullptr);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/text_block.h"

#include <gtest/gtest.h>

#include "fixtures.h"
#include "graphics/tile_background.h"

namespace qr {
namespace {

class TextBlocks : public ::testing::Test {
  protected:
    TextBlocks() : font(f.lib, "08fixed"), second(f.lib, "08second"), block(&font, "r") {
        block.SetMargins(0, 0, 0, 0);
        back = f.lib.CreateImage("back", 60, 40);
        dest = f.lib.GetImageData(back);
        dest->FillRect(dest->GetBounds(), 250);
    }
    ~TextBlocks() override { f.lib.ReleaseImageData(back); }

    // Where each glyph of row y starts: (x, colour) of every glyph's first ink column.
    std::vector<std::pair<int, int>> Glyphs(int y) {
        std::vector<std::pair<int, int>> out;
        int prev = 250;
        for (int x = 0; x < dest->Width; ++x) {
            const int v = dest->GetPixel({x, y});
            if (v != 250 && v != prev) out.emplace_back(x, v);
            prev = v;
        }
        return out;
    }

    test::FixedFont f;
    TPX8Font font;
    TPX8Font second;
    TTextBlock block;
    TImageNode* back;
    TPX8ImageData* dest;
};

TEST_F(TextBlocks, BytesConsumedByTheLinesThatFit) {
    using test::FixedFont;
    struct Case {
        const char* what;
        std::string text;
        int width, height;
        std::optional<size_t> limit;
        size_t want;
    };
    const Case cases[] = {
        {"wraps after the last space that fits", "ab cd efg", 30, 5, {}, 6},
        {"two lines", "ab cd efg", 30, 11, {}, 9},
        {"too low for one line", "ab cd efg", 30, 4, {}, 0},
        {"long word cut inside", "abcdefgh", 30, 5, {}, 5},
        {"cut word continues", "abcdefgh", 30, 11, {}, 8},
        {"soft hyphen break", "abc`defgh", 30, 5, {}, 4},
        {"hyphen that does not fit is no break", "abcde`f", 30, 5, {}, 5},
        {"hard break", "ab\rcd", 30, 5, {}, 3},
        {"CR LF is one break", "ab\r\ncd", 30, 5, {}, 4},
        {"escaped line break", "ab\\ncd", 30, 5, {}, 4},
        {"limit", "ab cd efg", 60, 20, 4, 4},
        {"zero byte ends the text", std::string("ab\0cd", 5), 60, 20, {}, 2},
        {"area narrower than one glyph still moves on", "abc", 3, 17, {}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(block.Draw(nullptr, {0, 0, c.width, c.height}, c.text, c.limit), c.want);
    }
}

TEST_F(TextBlocks, AlignmentPlacesTheLine) {
    struct Case {
        uint8_t align;
        int x;
    };
    for (Case c : {Case{TTextBlock::AlignLeft, 0}, Case{TTextBlock::AlignRight, 28},
                   Case{TTextBlock::AlignCentre, 14}, Case{TTextBlock::AlignJustify, 0}}) {
        dest->FillRect(dest->GetBounds(), 250);
        block.Alignment = c.align;
        block.Draw(dest, {0, 0, 40, 10}, "ab");
        EXPECT_EQ(Glyphs(2),
                  (std::vector<std::pair<int, int>>{{c.x + 1, f.Ink('a')}, {c.x + 7, f.Ink('b')}}))
            << "alignment " << int(c.align);
    }
}

TEST_F(TextBlocks, JustifiedLinesSpreadLargerSharesFirstButNotTheLastLine) {
    block.Alignment = TTextBlock::AlignJustify;
    EXPECT_EQ(block.Draw(dest, {0, 0, 41, 20}, "a b cc dd"), 9u);
    // "a b cc" is 36 wide: 5 pixels go to its two stretchable spaces, 3 then 2.
    EXPECT_EQ(Glyphs(2),
              (std::vector<std::pair<int, int>>{
                  {1, f.Ink('a')}, {16, f.Ink('b')}, {30, f.Ink('c')}, {36, f.Ink('c')}}));
    // The last line of the paragraph stays left-aligned.
    EXPECT_EQ(Glyphs(8), (std::vector<std::pair<int, int>>{{1, f.Ink('d')}, {7, f.Ink('d')}}));
}

TEST_F(TextBlocks, SoftHyphenDrawsADashOnlyAtTheBreak) {
    block.Draw(dest, {0, 0, 30, 20}, "ab`c abc`defgh");
    // Line 1: "ab" then "c" (the hyphen inside a word shows nothing), line 2 "abc-".
    EXPECT_EQ(Glyphs(2), (std::vector<std::pair<int, int>>{
                             {1, f.Ink('a')}, {7, f.Ink('b')}, {13, f.Ink('c')}}));
    EXPECT_EQ(Glyphs(8),
              (std::vector<std::pair<int, int>>{
                  {1, f.Ink('a')}, {7, f.Ink('b')}, {13, f.Ink('c')}, {19, f.Ink('-')}}));
}

TEST_F(TextBlocks, EscapesMoveThePenAndSwitchFonts) {
    block.AddFont("h", &second);
    EXPECT_EQ(block.Draw(nullptr, {0, 0, 60, 10}, "a\\pb"), 4u);
    dest->FillRect(dest->GetBounds(), 250);
    block.Draw(dest, {0, 0, 60, 10}, "a\\pb\\t05c");
    EXPECT_EQ(Glyphs(2), (std::vector<std::pair<int, int>>{
                             {1, f.Ink('a')}, {8, f.Ink('b')}, {19, f.Ink('c')}}));
    dest->FillRect(dest->GetBounds(), 250);
    block.Draw(dest, {0, 0, 60, 10}, "ab\\T1c\\T020d\\\\");
    // "\T1" has too few digits: back to the left edge, where "c" overdraws "a".
    EXPECT_EQ(Glyphs(2),
              (std::vector<std::pair<int, int>>{
                  {1, f.Ink('c')}, {7, f.Ink('b')}, {21, f.Ink('d')}, {27, f.Ink('\\')}}));

    // A font switch lasts into the next call unless the layout is reset.
    ASSERT_EQ(block.Draw(nullptr, {0, 0, 60, 5}, "x\\hyz", {}, true), 5u);
    EXPECT_EQ(block.CurrentFont, &second);
    block.Draw(nullptr, {0, 0, 60, 5}, "q", {}, false);
    EXPECT_EQ(block.CurrentFont, &second);
    block.Draw(nullptr, {0, 0, 60, 5}, "q", {}, true);
    EXPECT_EQ(block.CurrentFont, &font);
}

TEST_F(TextBlocks, EmptyLinesAdvanceByTheBlankLineHeight) {
    block.BlankLineHeight = 10;
    block.Draw(dest, {0, 0, 60, 40}, "a\r\rb");
    EXPECT_EQ(dest->GetPixel({1, 0}), f.Ink('a'));
    EXPECT_EQ(dest->GetPixel({1, 6}), 250);         // the blank line drew nothing ...
    EXPECT_EQ(dest->GetPixel({1, 16}), f.Ink('b')); // ... and moved on by 10, not 6
}

TEST_F(TextBlocks, IndentMovesContinuationLines) {
    block.Indent = 3;
    block.Draw(dest, {0, 0, 30, 20}, "ab cd ef");
    EXPECT_EQ(Glyphs(2).front(), (std::pair<int, int>{1, f.Ink('a')}));
    EXPECT_EQ(Glyphs(8).front(), (std::pair<int, int>{4, f.Ink('e')}));
}

TEST_F(TextBlocks, BackgroundsCoverTheRectOrTheTextArea) {
    block.SetMargins(2, 2, 2, 2);
    block.Background->SetKind(TBGArea::KindColour);
    block.Background->Colour = 9;
    block.Draw(dest, {0, 0, 20, 20}, "");
    EXPECT_EQ(dest->GetPixel({0, 0}), 9);
    block.BackgroundOverRect = 0;
    block.Background->Colour = 8;
    block.Draw(dest, {0, 0, 20, 20}, "");
    EXPECT_EQ(dest->GetPixel({0, 0}), 9);
    EXPECT_EQ(dest->GetPixel({2, 2}), 8);
    block.Background->SetKind(7); // ignored
    EXPECT_EQ(block.Background->Kind, TBGArea::KindColour);

    TTileBG tiles(f.lib, "tile1");
    block.Background->SetKind(TBGArea::KindTiles);
    block.Background->Tiles = &tiles;
    block.Background->Origin = {1, 0};
    block.BackgroundOverRect = 1;
    block.Draw(dest, {0, 0, 20, 20}, "");
    // The pattern is shifted by the origin: dest x shows tile column (x + 1) mod 3.
    EXPECT_EQ(dest->GetPixel({0, 0}), 2);
    EXPECT_EQ(dest->GetPixel({2, 3}), 4);
    TTextBlock none(nullptr, "r");
    none.Background->SetKind(TBGArea::KindColour);
    none.Background->Colour = 1;
    EXPECT_EQ(none.Draw(dest, {30, 0, 40, 10}, "abc"), 0u);
    EXPECT_EQ(dest->GetPixel({30, 0}), 1);
}

} // namespace
} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
// The play room's help pages lay their texts over the pictures "playhlp1" to "playhlp6"
// at fixed places: in every shipped language each text must fit the space up to the next
// text (or the buttons at the bottom of the page), and the single lines of page 6 must
// not run into the pictures beside them.
#include <gtest/gtest.h>

#include "data_tree.h"
#include "foundation/polyglot.h"
#include "graphics/font.h"
#include "graphics/image_library.h"
#include "graphics/text_block.h"

namespace qr {
namespace {

using namespace datatest;

TEST(HelpPages, TextsFitTheirPlacesInEveryLanguage) {
    RegisterGameFontMetrics();
    TPX8Library lib;
    lib.Open(TreePath("imglib/game.px8"));
    TPX8Font text(lib, "04ab14bw", "abce14bw");
    TPX8Font emphasis(lib, "04ab14rw", "abce14rw");
    TPX8Font title(lib, "04ab14by", "abce14by");
    // Text blocks, in picture coordinates: each may use the lines that fit before the next
    // text of its page starts (or before the buttons at y 227); a block is drawn with
    // 6-pixel margins, so n lines need a rectangle 12 + n x the line height high.
    struct Block {
        int string, x, y, width, lines;
    } blocks[] = {
        {224, 9, 71, 280, 6},   {225, 9, 71, 402, 3},   {226, 9, 153, 402, 2},
        {227, 9, 40, 402, 3},   {228, 32, 122, 402, 1}, {229, 32, 149, 402, 1},
        {230, 32, 176, 402, 1}, {231, 9, 40, 402, 4},   {232, 9, 140, 402, 3},
        {233, 9, 40, 402, 4},   {234, 9, 140, 402, 3},
    };
    // Single lines of page 6: string, left edge, right limit, font.
    struct Line {
        int string, x, limit;
        TPX8Font* font;
    } lines[] = {
        {187, 10, 420, &text},   {188, 10, 420, &text},   {189, 32, 316, &text},
        {190, 32, 316, &text},   {191, 32, 420, &text},   {192, 32, 420, &text},
        {193, 32, 420, &text},   {194, 32, 420, &text},   {195, 326, 422, &title},
        {196, 326, 422, &title}, {197, 326, 422, &title},
    };
    for (const char* code : {"eng", "deu", "fra"}) {
        TPolyglot table;
        table.Load(TreePath(std::string("str/qr_") + code + ".str"));
        for (const Block& b : blocks) {
            TTextBlock block(&text, "b");
            block.AddFont("r", &emphasis);
            std::string s = table.GetString(uint8_t(b.string)) + " ";
            const TRect rect{b.x, b.y, b.x + b.width, b.y + 12 + b.lines * int(text.RowHeight)};
            EXPECT_EQ(block.Draw(nullptr, rect, s, std::nullopt, true), s.size())
                << code << " string " << b.string << " does not fit: " << s;
        }
        for (const Line& l : lines) {
            std::string s = table.GetString(uint8_t(l.string));
            EXPECT_LE(l.x + l.font->TextWidth(s), l.limit)
                << code << " string " << l.string << ": " << s;
        }
    }
}

} // namespace
} // namespace qr

namespace qr {
namespace {

// The pause and quit panels fill (40, 60)-(400, 300) of the play room: their title in the
// card font at (60, 70), the pause panel's two lines at y 160 and 230 above the links, the
// quit question as a text block above the Yes and No buttons (y 250).
TEST(HelpPages, PauseAndQuitPanelsHoldTheirTextsInEveryLanguage) {
    RegisterGameFontMetrics();
    TPX8Library lib;
    lib.Open(datatest::TreePath("imglib/game.px8"));
    TPX8Font card(lib, "05ab48bw", "abce48bw");
    TPX8Font cell(lib, "04ab14bw", "abce14bw");
    for (const char* code : {"eng", "deu", "fra"}) {
        TPolyglot table;
        table.Load(datatest::TreePath(std::string("str/qr_") + code + ".str"));
        // Wider than 330 pixels, the quit panel would have to grow past the board.
        EXPECT_LE(card.TextWidth(table.GetString(178)), 330)
            << code << ": " << table.GetString(178);
        EXPECT_LE(60 + card.TextWidth(table.GetString(180)), 400)
            << code << ": " << table.GetString(180);
        for (int n : {181, 182})
            EXPECT_LE(60 + cell.TextWidth(table.GetString(uint8_t(n))), 400) << code << " " << n;
        TTextBlock block(&cell, "b");
        std::string question = table.GetString(179) + " ";
        const int top = 70 + int(card.RowHeight);
        EXPECT_EQ(block.Draw(nullptr, {60, top, 380, 250}, question, std::nullopt, true),
                  question.size())
            << code << ": " << question;
    }
}

} // namespace
} // namespace qr

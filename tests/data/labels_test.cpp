// SPDX-License-Identifier: GPL-3.0-or-later
// Button labels are drawn by the rooms into the hit boxes of the world script, in the
// game's 14-point font: in every shipped language each label must fit its box.
#include <gtest/gtest.h>

#include <map>

#include "data_tree.h"
#include "foundation/obf_text.h"
#include "foundation/polyglot.h"
#include "foundation/utils.h"
#include "graphics/font.h"
#include "graphics/image_library.h"

namespace qr {
namespace {

using namespace datatest;

// Width of every hit box of a room, from the compiled world script.
std::map<std::string, int> BoxWidths(const std::string& roomId) {
    std::map<std::string, int> widths;
    TObfText script(TreePath("dat/init.dat"));
    bool inRoom = false;
    while (!script.EndOfData()) {
        std::string line = Trim(script.ReadLine());
        std::string_view rest = line;
        std::string key = NextWord(rest);
        if (key.size() >= 4 && key.substr(key.size() - 4) == "ROOM") {
            inRoom = AsciiUpper(NextWord(rest)) == roomId;
        } else if (inRoom &&
                   (key.find("BOX") != std::string::npos || key == "RSB" || key == "XRB")) {
            std::string id = AsciiUpper(NextWord(rest));
            NextWord(rest);
            NextWord(rest);
            widths[id] = std::stoi(NextWord(rest));
        }
    }
    return widths;
}

TEST(Labels, EveryButtonLabelFitsItsBoxInEveryLanguage) {
    struct Label {
        const char* room;
        const char* box;
        int string;
    } labels[] = {
        {"MODSTART", "CHANGENAME", 151}, {"MODSTART", "CLUELANG", 166},
        {"MODSTART", "ANSLANG", 167},    {"MODSTART", "ICONCLUES", 165},
        {"MODSTART", "INFO", 222},       {"MODSTART", "CLEAR", 152},
        {"MODSTART", "GAMEMENU", 168},   {"MODSTART", "PLAYGAME", 169},
        {"HOME", "WORKLANG", 172},       {"HOME", "CREDITS", 198},
        {"INITIALS", "OK", 13},          {"INITIALS", "CANCEL", 9},
        {"PICKLANG", "OK", 13},          {"PICKLANG", "CANCEL", 9},
        {"PICKLANG", "RETURN", 223},     {"AUTHOR", "RETURN", 223},
        {"PLAY", "YESQUIT", 14},         {"PLAY", "NOQUIT", 15},
        {"CREDITS", "HOMEBTN", 168},
    };
    RegisterGameFontMetrics();
    TPX8Library lib;
    lib.Open(TreePath("imglib/game.px8"));
    TPX8Font font(lib, "04ab14bw", "abce14bw");
    for (const char* code : {"eng", "deu", "fra"}) {
        TPolyglot table;
        table.Load(TreePath(std::string("str/qr_") + code + ".str"));
        for (const Label& l : labels) {
            std::string text = table.GetString(uint8_t(l.string));
            // A ticked box or a little margin each side: 8 pixels are kept free.
            EXPECT_LE(font.TextWidth(text) + 8, BoxWidths(l.room)[l.box])
                << code << ": \"" << text << "\" in " << l.room << " " << l.box;
        }
    }
}

// The credits room draws its heading and each credit line on one line across the page
// (20 to 580): the heading may be in the big card font, the lines in the 14-point one.
TEST(Labels, CreditLinesFitThePageInEveryLanguage) {
    RegisterGameFontMetrics();
    TPX8Library lib;
    lib.Open(TreePath("imglib/game.px8"));
    TPX8Font big(lib, "05ab48bw", "abce48bw");
    TPX8Font small(lib, "04ab14bw", "abce14bw");
    for (const char* code : {"eng", "deu", "fra"}) {
        TPolyglot table;
        table.Load(TreePath(std::string("str/qr_") + code + ".str"));
        EXPECT_LE(big.TextWidth(table.GetString(199)), 540) << code << ": " << table.GetString(199);
        for (int n : {200, 201, 202, 203, 204, 205, 206, 207, 208, 209, 130,
                      131, 132, 133, 134, 135, 136, 137, 138, 139, 140})
            EXPECT_LE(small.TextWidth(table.GetString(uint8_t(n))), 520)
                << code << " " << n << ": " << table.GetString(uint8_t(n));
    }
}

} // namespace
} // namespace qr

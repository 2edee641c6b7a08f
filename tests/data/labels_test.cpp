// SPDX-License-Identifier: GPL-3.0-or-later
// Button labels are drawn by the rooms into the hit boxes of the world script, in the
// game's 14-point font, and the credit lines across the credits page: in every shipped
// language each must fit its space.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "data_tree.h"
#include "fit_limits.h"
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

// The string files the tree holds, whatever languages it has.
std::vector<std::string> StringFiles() {
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(TreePath("str")))
        if (e.path().extension() == ".str") files.push_back(e.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

// The limits are the ones the PO import holds translations to: each button's must be its
// hit box of the world script less the margin, or the two would disagree.
TEST(Labels, TheFitTableFollowsTheWorldScriptsBoxes) {
    for (const TFitLimit& f : FitLimits()) {
        if (!f.box) continue;
        std::map<std::string, int> widths = BoxWidths(f.room);
        ASSERT_TRUE(widths.count(f.box)) << f.room << " " << f.box;
        EXPECT_EQ(f.pixels, widths[f.box] - kLabelMargin) << f.room << " " << f.box;
    }
}

TEST(Labels, EveryLimitedTextFitsInEveryLanguage) {
    RegisterGameFontMetrics();
    TPX8Library lib;
    lib.Open(TreePath("imglib/game.px8"));
    TPX8Font small(lib, "04ab14bw", "abce14bw");
    TPX8Font big(lib, "05ab48bw", "abce48bw");
    const std::vector<std::string> files = StringFiles();
    EXPECT_GE(files.size(), 3u);
    for (const std::string& file : files) {
        TPolyglot table;
        table.Load(file);
        for (const TFitLimit& f : FitLimits()) {
            std::string text = table.GetString(f.number);
            const TPX8Font& font = f.fontSlot == 5 ? big : small;
            // The PO import measures without the font images: it must measure alike.
            EXPECT_EQ(FitWidth(f.fontSlot, text), font.TextWidth(text)) << text;
            EXPECT_LE(font.TextWidth(text), f.pixels)
                << file << " " << f.number << ": \"" << text << "\" in " << f.what
                << (f.box ? std::string(" ") + f.room + " " + f.box : std::string());
        }
    }
}

} // namespace
} // namespace qr

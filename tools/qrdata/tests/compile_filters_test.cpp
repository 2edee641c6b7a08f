// SPDX-License-Identifier: GPL-3.0-or-later
#include "compile_filters.h"

#include <gtest/gtest.h>

namespace qr {
namespace {

TEST(CompileFilters, WorldScriptAbbreviatesTheFirstWordOnly) {
    struct Case {
        std::string in;
        bool kept;
        std::string out;
    } cases[] = {
        {"  HITBOX GO B1 1 2 3 4  ", true, "HBX GO B1 1 2 3 4"},
        {"FRAMESET MUSIC musicbtn 30 2 10 10", true, "FS MUSIC musicbtn 30 2 10 10"},
        {"XROOMSCRIPTBOX X 1 2 3 4 S", true, "XRB X 1 2 3 4 S"},
        {"ROOMSCRIPTBOX X 1 2 3 4 S", true, "RSB X 1 2 3 4 S"},
        {"HITCURSOR B1 GO", true, "HCUR B1 GO"},
        {"GOBOX HITBOX 1 2 3 4 HOME", true, "GOBOX HITBOX 1 2 3 4 HOME"},
        {"BOX", true, "BOX"}, // a part of a table word is not a word of the table
        {"INFORMONENTRY", true, "IOE"},
        {"   ", false, ""},
    };
    for (Case c : cases) {
        std::string line = c.in;
        EXPECT_EQ(WorldScriptCompileFilter(line), c.kept) << c.in;
        if (c.kept) {
            EXPECT_EQ(line, c.out);
        }
    }
}

TEST(CompileFilters, SoundTableKeepsTheFileNameOnly) {
    struct Case {
        std::string in;
        bool kept;
        std::string out;
    } cases[] = {
        {"  right    the cell was right", true, "right"},
        {"wrong\tcomment", true, "wrong"},
        {"[game]", false, ""},
        {"# comment", false, ""},
        {"", false, ""},
    };
    for (Case c : cases) {
        std::string line = c.in;
        EXPECT_EQ(SoundTableCompileFilter(line), c.kept) << c.in;
        if (c.kept) {
            EXPECT_EQ(line, c.out);
        }
    }
}

} // namespace
} // namespace qr

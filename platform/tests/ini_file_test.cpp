// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/uvo_exception.h"
#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include "test_support/temp_dir.h"

using namespace qr;
using qr::test::TempDir;

TEST(IniFile, ReadsCaseInsensitivelyWithDefaults) {
    TempDir dir;
    IniFile ini(dir.Write(
        "q.ini", "; comment\r\n[Options]\r\n  Speed Setting = 3 \r\nName=\"  quoted \"\r\n"
                 "Hex=0x10\r\nBad=12abc\r\nHuge=99999999999\r\n[identity]\nCurrent player=ABC\n"));
    EXPECT_EQ(ini.ReadInteger("OPTIONS", "speed setting", 2), 3);
    EXPECT_EQ(ini.ReadString("options", "name", ""), "  quoted ");
    EXPECT_EQ(ini.ReadInteger("Options", "Hex", 0), 16);
    EXPECT_EQ(ini.ReadInteger("Options", "Bad", 7), 7);
    EXPECT_EQ(ini.ReadInteger("Options", "Huge", 7), INT32_MAX);
    EXPECT_EQ(ini.ReadInteger("Options", "Missing", 200), 200);
    EXPECT_EQ(ini.ReadString("Identity", "Current player", ""), "ABC");
    EXPECT_TRUE(ini.ReadBool("Options", "Speed setting", false)); // booleans are integers
    EXPECT_FALSE(ini.ReadBool("Options", "Bad", false));
    EXPECT_EQ(ini.ReadSection("options"),
              (std::vector<std::string>{"Speed Setting", "Name", "Hex", "Bad", "Huge"}));
    EXPECT_EQ(IniFile(dir.Path("absent.ini")).ReadString("a", "b", "def"), "def");
}

TEST(IniFile, WritesKeepEverythingElseAndReplaceAtomically) {
    TempDir dir;
    const std::string path =
        dir.Write("q.ini", "; keep me\n[Editor]\nLast=x.qrw\n\n[Options]\nSound=1\n");
    IniFile ini(path);
    ini.WriteBool("OPTIONS", "sound", false);
    ini.WriteBool("Options", "Music", true);
    ini.WriteString("Identity", "Current player", "AB\nC"); // no line break may forge a key
    EXPECT_EQ(
        dir.Read("q.ini"),
        "; keep me\n[Editor]\nLast=x.qrw\n\n[Options]\nSound=0\nMusic=1\n\n[Identity]\nCurrent "
        "player=ABC\n");
    for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
        EXPECT_EQ(e.path().filename(), "q.ini"); // no temporary file left behind

    // Another program's write in between is not lost: every write starts from the disk.
    IniFile other(path);
    other.WriteString("Editor", "Last", "y.qrw");
    ini.WriteInteger("Options", "Speed setting", 3);
    EXPECT_EQ(ini.ReadString("Editor", "Last", ""), "y.qrw");

    ini.EraseSection("editor");
    ini.DeleteKey("Options", "Music");
    EXPECT_FALSE(ini.SectionExists("Editor"));
    EXPECT_FALSE(ini.ValueExists("Options", "Music"));
    EXPECT_TRUE(ini.ValueExists("Options", "Speed setting"));
}

TEST(IniFile, HostileFilesReadAsEmptyOrPartial) {
    TempDir dir;
    std::string junk =
        "[unterminated\n=novalue\n[]\n\x01\x02\xff\n[Good]\nk=v\n" + std::string(20000, 'z') + "\n";
    IniFile ini(dir.Write("bad.ini", junk));
    EXPECT_EQ(ini.ReadString("Good", "k", ""), "v");
    std::filesystem::create_directories(dir.Path("adir.ini"));
    EXPECT_EQ(IniFile(dir.Path("adir.ini")).ReadString("a", "b", "d"), "d");
    // A write into a folder that cannot hold the file fails loudly, never silently.
    IniFile blocked(dir.Path("adir.ini"));
    EXPECT_THROW(blocked.WriteString("a", "b", "c"), UvoException);
}

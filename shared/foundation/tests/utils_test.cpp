// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/polyglot.h"
#include "foundation/random.h"
#include "foundation/utils.h"

#include <algorithm>
#include <filesystem>

#include "test_support/temp_dir.h"

#include <gtest/gtest.h>

using namespace qr;

TEST(ReadLine, ByteRules) {
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {std::string("ab\tc\r\n"), {"ab c"}},
        {std::string("x\x7f\x80\x9f\xa0\xff\x01y\n", 9), {"x\xa0\xffy"}},
        {std::string("\n\nz\n"), {"", "", "z"}},
        {std::string("last line without feed"), {}},
    };
    for (const auto& c : cases) {
        TMemoryStream s(c.bytes);
        std::vector<std::string> got;
        EXPECT_THROW(for (;;) got.push_back(ReadLine(s)), StreamReadError);
        EXPECT_EQ(got, c.lines) << c.bytes;
    }
}

TEST(ReadLine, LongLinesAreCutAt255AndTheRestSkipped) {
    TMemoryStream s(std::string(10000, 'q') + "\nnext\n");
    EXPECT_EQ(ReadLine(s), std::string(255, 'q'));
    EXPECT_EQ(ReadLine(s), "next");
}

TEST(Utils, TrimOnlyRemovesSpaces) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a "), "  a");
    EXPECT_EQ(Trim("\ta\t"), "\ta\t");
    EXPECT_EQ(Trim("   "), "");
}

TEST(Utils, RectanglesAreHalfOpen) {
    TRect a = TRect::FromOriginSize({10, 20}, 30, 40);
    EXPECT_EQ(a, (TRect{10, 20, 40, 60}));
    EXPECT_EQ(a.Width(), 30);
    TRect touching{40, 20, 50, 60};
    EXPECT_FALSE(Intersects(a, touching));
    EXPECT_TRUE(a.Contains({39, 59}));
    EXPECT_FALSE(a.Contains({40, 59}));
    EXPECT_EQ(a + (TPoint{1, 2}), (TRect{11, 22, 41, 62}));
    a.MoveTo({0, 0});
    EXPECT_EQ(a, (TRect{0, 0, 30, 40}));
}

TEST(Utils, FormatMessageFillsPlaceholdersInOrder) {
    EXPECT_EQ(FormatMessage("Unable to locate \"%s\\%s\".", {"Key", "Directory"}),
              "Unable to locate \"Key\\Directory\".");
    EXPECT_EQ(FormatMessage("100%% %s %s", {"a"}), "100% a %s");
}

TEST(Random, FollowsTheLinearCongruentialRule) {
    TRandom r;
    r.SetSeed(0);
    // seed 1 -> (1 * 100) >> 32 == 0; seed 134775814 -> (134775814 * 100) >> 32 == 3
    EXPECT_EQ(r.Random(100), 0u);
    EXPECT_EQ(r.Seed(), 1u);
    EXPECT_EQ(r.Random(100), 3u);
    EXPECT_EQ(r.Seed(), 134775814u);
    EXPECT_EQ(r.Random(0), 0u);
    r.SetSeed(42);
    for (int i = 0; i < 1000; ++i) {
        int v = r.Range(1, 5);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 5);
    }
}

TEST(Polyglot, StringsAndLanguages) {
    TPolyglot p;
    EXPECT_EQ(p.GetString(0), "*** STRING ACCESS ERROR ***");
    std::string file;
    for (int i = 0; i < 10; ++i)
        file += "line" + std::to_string(i) + (i % 2 ? "\r\n" : "\n");
    p.LoadFromBytes(file);
    EXPECT_EQ(p.GetString(0), "line0");
    EXPECT_EQ(p.GetString(9), "line9");
    EXPECT_EQ(p.GetString(10), "*** STRING ACCESS ERROR ***");

    std::string langs;
    for (int i = 0; i < 60; ++i)
        langs += (i == 30   ? std::string("English")
                  : i == 53 ? std::string("Klingon")
                            : "s" + std::to_string(i)) +
                 "\n";
    p.LoadFromBytes(langs);
    EXPECT_EQ(p.LanguageNumber("English"), 0);
    EXPECT_EQ(p.LanguageNumber("Klingon"), -1);
    EXPECT_EQ(p.LanguageName(0), "English");
    EXPECT_EQ(p.LanguageName(22), "s52");
    EXPECT_EQ(p.LanguageName(23), "");
}

TEST(Polyglot, KeepsLinesAsStoredAndSurvivesHugeFiles) {
    TPolyglot p;
    p.LoadFromBytes("  padded  \nno final feed");
    EXPECT_EQ(p.GetString(0), "  padded  ");
    EXPECT_EQ(p.GetString(1), "no final feed");
    std::string big;
    for (int i = 0; i < 100000; ++i)
        big += "x\n";
    big += std::string(10000, 'y') + "\n";
    p.LoadFromBytes(big);
    EXPECT_EQ(p.LineCount(), 100001u);
    EXPECT_EQ(p.GetString(255), "x");
    EXPECT_THROW(p.Load("/nonexistent/qr_xxx.str"), FileOpenError);
}

TEST(WriteFileAtomic, ReplacesWholeOrKeepsTheOldFile) {
    qr::test::TempDir dir;
    const std::string path = dir.Write("settings.ini", "old");
    WriteFileAtomic(path, "new contents", 12);
    EXPECT_EQ(dir.Read("settings.ini"), "new contents");
    // A target that cannot be replaced (a folder with something in it) fails loudly and
    // leaves nothing behind.
    dir.Write("busy/inside", "x");
    EXPECT_THROW(WriteFileAtomic(dir.Path("busy"), "y", 1), UvoException);
    EXPECT_THROW(WriteFileAtomic(dir.Path("missing/file"), "y", 1), UvoException);
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
        names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"busy", "settings.ini"}));
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/polyglot.h"
#include "foundation/random.h"
#include "foundation/utils.h"

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

TEST(WriteFileAtomic, LinksPermissionsAndReadOnlyFiles) {
    qr::test::TempDir dir;
    namespace fs = std::filesystem;
    // A linked file is replaced at its target; the link stays a link.
    dir.Write("real/settings.ini", "old");
    fs::create_symlink(dir.Path("real/settings.ini"), dir.Path("link.ini"));
    WriteFileAtomic(dir.Path("link.ini"), "new", 3);
    EXPECT_TRUE(fs::is_symlink(dir.Path("link.ini")));
    EXPECT_EQ(dir.Read("real/settings.ini"), "new");

    // A private file stays private.
    const std::string secret = dir.Write("secret", "a");
    fs::permissions(secret, fs::perms::owner_read | fs::perms::owner_write);
    WriteFileAtomic(secret, "b", 1);
    EXPECT_EQ(fs::status(secret).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    // A read-only file is the user's "leave it be", even for root.
    const std::string pinned = dir.Write("pinned", "keep");
    fs::permissions(pinned, fs::perms::owner_read | fs::perms::group_read);
    try {
        WriteFileAtomic(pinned, "lost", 4);
        ADD_FAILURE() << "a read-only file was replaced";
    } catch (const FileOpenError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot write file \"" + pinned + "\". The file is read-only.");
    }
    EXPECT_EQ(dir.Read("pinned"), "keep");
}

TEST(WriteFileAtomic, AFullDiskNamesTheFileAndKeepsTheOldOne) {
    qr::test::TempDir dir;
    const std::string path = dir.Write("scores.dat", "old");
    // A file-size limit stands in for a full disk; the child process keeps the limit to itself.
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{100, 100};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::string big(1000, 'x');
        try {
            WriteFileAtomic(path, big.data(), big.size());
        } catch (const StreamWriteError& e) {
            _exit(std::string(e.what()) ==
                          "Stream write error: \"" + path + "\": " + std::strerror(EFBIG)
                      ? 0
                      : 2);
        } catch (...) {
            _exit(3);
        }
        _exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(dir.Read("scores.dat"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(RemoveStaleTemporaries, OnlyThoseOfProcessesThatAreGone) {
    qr::test::TempDir dir;
    // A process that has certainly ended: a child that was waited for.
    pid_t gone = fork();
    if (gone == 0) _exit(0);
    waitpid(gone, nullptr, 0);
    const std::string dead = "quilrush.ini.tmp" + std::to_string(gone) + "_0";
    const std::string alive = "quilrush.ini.tmp" + std::to_string(getpid()) + "_3";
    for (const std::string& name : {dead, alive, std::string("notes.tmp12x_1"),
                                    std::string("quilrush.ini"), std::string("a.tmp_1")})
        dir.Write(name, "x");
    RemoveStaleTemporaries(dir.Path());
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
        names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"a.tmp_1", "notes.tmp12x_1", "quilrush.ini", alive}));
}

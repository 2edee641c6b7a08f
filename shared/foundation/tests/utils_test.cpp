// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/command_line.h"
#include "foundation/polyglot.h"
#include "foundation/random.h"
#include "foundation/stream.h"
#include "foundation/utils.h"

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
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

TEST(RemoveStaleTemporaries, OnlyThoseOfTheProgramsOwnProcessesThatAreGone) {
    qr::test::TempDir dir;
    // A process that has certainly ended: a child that was waited for.
    pid_t gone = fork();
    if (gone == 0) _exit(0);
    waitpid(gone, nullptr, 0);
    const std::string prefix = kTemporaryPrefix;
    const std::string dead = prefix + std::to_string(gone) + "-k3x9q0";
    const std::string alive = prefix + std::to_string(getpid()) + "-a1b2c3";
    const std::string theirs = prefix + std::to_string(gone) + "-zz0000";
    // Other programs' files, whatever their names look like, are not the game's business.
    const std::vector<std::string> kept = {"essay.odt.tmp" + std::to_string(gone) + "_1",
                                           "quilrush.ini", prefix + std::to_string(gone) + "-",
                                           prefix + "x-abc", alive};
    for (const std::string& name : kept)
        dir.Write(name, "x");
    dir.Write(dead, "x");
    dir.Write(theirs, "x");
    const bool otherUser = chown(dir.Path(theirs).c_str(), 65534, 65534) == 0;
    std::filesystem::create_symlink(dir.Path("quilrush.ini"),
                                    dir.Path(prefix + std::to_string(gone) + "-link00"));
    RemoveStaleTemporaries(dir.Path());
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
        names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    std::vector<std::string> want = kept;
    want.push_back(prefix + std::to_string(gone) + "-link00");
    if (otherUser) want.push_back(theirs);
    std::sort(want.begin(), want.end());
    EXPECT_EQ(names, want);
}

TEST(WriteFileAtomic, PlantedNamesCannotStopASave) {
    qr::test::TempDir dir;
    const std::string path = dir.Write("hiscores.dat", "old");
    const std::string victim = dir.Write("elsewhere/homework.txt", "homework");
    // Every name a save of this process could have been guessed to use, taken in advance.
    for (int n = 0; n < 64; ++n) {
        const std::string guess =
            path + ".tmp" + std::to_string(getpid()) + "_" + std::to_string(n);
        std::filesystem::create_symlink(victim, guess);
    }
    for (int n = 0; n < 3; ++n)
        WriteFileAtomic(path, "new", 3);
    EXPECT_EQ(dir.Read("hiscores.dat"), "new");
    EXPECT_EQ(dir.Read("elsewhere/homework.txt"), "homework");
    for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
        EXPECT_NE(e.path().filename().string().rfind(kTemporaryPrefix, 0), 0u)
            << "left behind: " << e.path();
}

TEST(WriteFileAtomic, NeverWritesThroughALinkOutOfItsFolderOrToAnotherUsersFile) {
    qr::test::TempDir dir;
    namespace fs = std::filesystem;
    const std::string homework = dir.Write("home/homework.txt", "homework");
    dir.Write("inst/dat/keep", "");
    fs::create_symlink(homework, dir.Path("inst/dat/hiscores.dat"));
    fs::create_symlink("../../home/homework.txt", dir.Path("inst/dat/relative.dat"));
    for (const char* name : {"inst/dat/hiscores.dat", "inst/dat/relative.dat"}) {
        SCOPED_TRACE(name);
        try {
            WriteFileAtomic(dir.Path(name), "scores", 6);
            ADD_FAILURE() << "wrote through a link out of its folder";
        } catch (const FileOpenError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Cannot write file \"" + dir.Path(name) + "\". It is a link to \"" +
                          fs::canonical(homework).string() + "\", outside its folder.");
        }
        EXPECT_TRUE(fs::is_symlink(dir.Path(name)));
    }
    EXPECT_EQ(dir.Read("home/homework.txt"), "homework");
    // In its own folder, to a file of another user (only root can hand one over).
    const std::string foreign = dir.Write("inst/dat/theirs.txt", "theirs");
    fs::create_symlink(foreign, dir.Path("inst/dat/linked.dat"));
    if (chown(foreign.c_str(), 65534, 65534) == 0) {
        EXPECT_THROW(WriteFileAtomic(dir.Path("inst/dat/linked.dat"), "scores", 6), FileOpenError);
        EXPECT_EQ(dir.Read("inst/dat/theirs.txt"), "theirs");
    }
}

TEST(ReadFileBytes, FilesFarLargerThanTheirKindAreRefusedByName) {
    qr::test::TempDir dir;
    // Sparse files: large on paper, nothing to write.
    auto grown = [&](const std::string& name, off_t size) {
        const std::string path = dir.Write(name, "x");
        EXPECT_EQ(truncate(path.c_str(), size), 0);
        return path;
    };
    const off_t MiB = 1 << 20;
    struct Case {
        std::string name;
        off_t size;
        bool refused;
    } cases[] = {
        {"qr_eng.str", 16 * MiB, false}, {"qr_eng.str", 16 * MiB + 1, true},
        {"modules.dat", 17 * MiB, true}, {"right.wav", 17 * MiB, false},
        {"ROLL.WAV", 65 * MiB, true},    {"game.px8", 65 * MiB, false},
        {"lists.tgz", 257 * MiB, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + " of " + std::to_string(c.size));
        const std::string path = grown(c.name, c.size);
        if (!c.refused) {
            EXPECT_EQ(ReadFileBytes(path).size(), size_t(c.size));
            continue;
        }
        // Nor is one opened for reading piece by piece (lists, image libraries).
        EXPECT_THROW(TFileStream(path, TFileStream::Mode::OpenRead), StreamReadError);
        try {
            ReadFileBytes(path);
            ADD_FAILURE() << "read whole";
        } catch (const StreamReadError& e) {
            EXPECT_NE(std::string(e.what()).find("\"" + path + "\": the file is larger than"),
                      std::string::npos)
                << e.what();
        }
    }
}

TEST(ReadFileBytes, OnlyRegularFilesAreOpenedAndNothingWaits) {
    qr::test::TempDir dir;
    const std::string fifo = dir.Path("icons.px8");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // In a child with an alarm clock: a blocking open would otherwise hang the tests.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        alarm(10);
        int refused = 0;
        // The tools' "can this be read?" answers at once too.
        refused += UnreadableFileReason(fifo).empty();
        try {
            ReadFileBytes(fifo);
        } catch (const FileOpenError& e) {
            refused += std::string(e.what()) ==
                       "Cannot open file \"" + fifo + "\". It is not a regular file.";
        }
        try {
            TFileStream s(fifo, TFileStream::Mode::OpenRead);
        } catch (const FileOpenError&) {
            ++refused;
        }
        try {
            ReadFileBytes("/dev/zero");
        } catch (const FileOpenError&) {
            ++refused;
        }
        _exit(refused == 4 ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << (WIFSIGNALED(status) ? "blocked until the alarm" : "not refused");
    EXPECT_THROW(ReadFileBytes(dir.Path()), FileOpenError);
}

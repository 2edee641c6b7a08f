// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/uvo_exception.h"
#include "platform/ini_file.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "test_support/temp_dir.h"

using namespace qr;
using qr::test::TempDir;

namespace {

// Runs `check` as a user whom file permissions bind: this process when it is not root,
// else a child that gives `owned` to "nobody" and becomes it. Returns what `check` says.
std::string AsNormalUser(const std::vector<std::string>& owned,
                         const std::function<std::string()>& check) {
    if (geteuid() != 0) return check();
    constexpr uid_t kNobody = 65534;
    for (const std::string& p : owned)
        if (chown(p.c_str(), kNobody, kNobody) != 0) return "cannot chown " + p;
    int fds[2];
    if (pipe(fds) != 0) return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        std::string r = setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0
                            ? check()
                            : "cannot become nobody";
        (void)!write(fds[1], r.data(), r.size());
        _exit(0);
    }
    close(fds[1]);
    std::string r;
    char buf[256];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;)
        r.append(buf, size_t(n));
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return r;
}

} // namespace

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

TEST(IniFile, AFileThatCannotBeReadIsNeverWrittenOver) {
    TempDir dir;
    namespace fs = std::filesystem;
    struct Case {
        const char* what;
        std::function<std::string()> make; // returns the path
        const char* problem;
    } cases[] = {
        {"over 16 MiB",
         [&] {
             std::string p = dir.Write("big.ini", "[Options]\nSound=0\n");
             fs::resize_file(p, (16u << 20) + 1);
             return p;
         },
         "is larger than 16 MiB, too large for a settings file"},
        {"a folder",
         [&] {
             fs::create_directories(dir.Path("folder.ini"));
             return dir.Path("folder.ini");
         },
         "is not a regular file"},
        {"a folder in the way",
         [&] {
             dir.Write("file", "x");
             return dir.Path("file/q.ini");
         },
         "cannot be read (Not a directory)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = c.make();
        const auto before = fs::is_regular_file(path) ? fs::file_size(path) : 0;
        IniFile ini(path);
        EXPECT_EQ(ini.Problem(), c.problem);
        EXPECT_EQ(ini.ReadInteger("Options", "Sound", 7), 7); // defaults
        EXPECT_THROW(ini.WriteBool("Options", "Sound", true), FileOpenError);
        if (fs::is_regular_file(path)) {
            EXPECT_EQ(fs::file_size(path), before);
        }
    }
    // Without permission to read, in a folder the reader may write to. Root reads anything,
    // so as root the reader runs as "nobody", owner of the folder and the file.
    {
        const std::string p = dir.Write("own/locked.ini", "[Options]\nSound=0\n");
        fs::permissions(p, fs::perms::none);
        const std::string seen = AsNormalUser({dir.Path("own"), p}, [&] {
            IniFile ini(p);
            std::string r = ini.Problem();
            try {
                ini.WriteBool("Options", "Sound", true);
                r += "; written";
            } catch (const FileOpenError&) {
                r += "; refused";
            }
            return r;
        });
        EXPECT_EQ(seen, "cannot be read (Permission denied); refused");
        fs::permissions(p, fs::perms::owner_all);
        EXPECT_EQ(dir.Read("own/locked.ini"), "[Options]\nSound=0\n");
    }
    // A read-only file is read, and kept.
    const std::string pinned = dir.Write("pinned.ini", "[Options]\nSound=0\n");
    fs::permissions(pinned, fs::perms::owner_read);
    IniFile ini(pinned);
    EXPECT_EQ(ini.Problem(), "is read-only");
    EXPECT_FALSE(ini.ReadBool("Options", "Sound", true));
    EXPECT_THROW(ini.WriteBool("Options", "Sound", true), FileOpenError);
    EXPECT_EQ(dir.Read("pinned.ini"), "[Options]\nSound=0\n");
}

TEST(IniFile, AnEditIsOneReplaceAndALinkStaysALink) {
    TempDir dir;
    namespace fs = std::filesystem;
    dir.Write("real.ini", "[Options]\nSound=1\n");
    fs::create_symlink(dir.Path("real.ini"), dir.Path("q.ini"));
    IniFile ini(dir.Path("q.ini"));
    EXPECT_EQ(ini.Problem(), "");
    IniFile::Edit edit(ini);
    edit.WriteBool("Options", "Sound", false);
    edit.WriteString("Identity", "Current player", "ABC");
    edit.DeleteKey("Options", "Missing");
    // Nothing reaches the disk before the edit is saved.
    EXPECT_EQ(dir.Read("real.ini"), "[Options]\nSound=1\n");
    edit.Save();
    EXPECT_TRUE(fs::is_symlink(dir.Path("q.ini")));
    EXPECT_EQ(dir.Read("real.ini"), "[Options]\nSound=0\n\n[Identity]\nCurrent player=ABC\n");
}

TEST(IniFile, WritesUtf8AndReadsOldWindows1252Files) {
    TempDir dir;
    // An older file in Windows-1252: "Français" with a c cedilla byte, a tab in a comment.
    const std::string path =
        dir.Write("q.ini", "; caf\xe9\tbar\n[Options]\nWorking language=Fran\xe7"
                           "ais\n");
    IniFile ini(path);
    EXPECT_EQ(ini.ReadString("Options", "Working language", ""), "Fran\xe7"
                                                                 "ais");
    ini.WriteString("Identity", "Current player", "\xc9mi"); // the program's bytes: "Émi"
    EXPECT_EQ(dir.Read("q.ini"), "; caf\xc3\xa9\tbar\n[Options]\nWorking language=Fran\xc3\xa7"
                                 "ais\n\n[Identity]\nCurrent player=\xc3\x89mi\n");
    EXPECT_EQ(ini.ReadString("Identity", "Current player", ""), "\xc9mi");
    EXPECT_EQ(ini.ReadString("Options", "Working language", ""), "Fran\xe7"
                                                                 "ais");

    // Values that are paths keep their UTF-8 as it is.
    IniFile reg(dir.Path("reg.ini"), IniFile::Values::Utf8);
    reg.WriteString("Key", "Directory", "/home/j\xc3\xb6rg/");
    EXPECT_EQ(reg.ReadString("Key", "Directory", ""), "/home/j\xc3\xb6rg/");
    EXPECT_EQ(dir.Read("reg.ini"), "[Key]\nDirectory=/home/j\xc3\xb6rg/\n");
}

TEST(IniFile, AnEditKeepsWhatAnotherProgramWroteMeanwhile) {
    TempDir dir;
    dir.Write("q.ini", "[Options]\nSound=1\n");
    IniFile game(dir.Path("q.ini"));
    IniFile::Edit edit(game);
    edit.WriteString("Identity", "Current player", "ABC");
    edit.DeleteKey("Options", "Sound");
    // The editor writes its own key while the game's edit is open.
    IniFile(dir.Path("q.ini")).WriteString("Options", "Word-list path", "/lists");
    edit.Save();
    EXPECT_EQ(dir.Read("q.ini"),
              "[Options]\nWord-list path=/lists\n\n[Identity]\nCurrent player=ABC\n");

    // The game writes every setting at shut-down: one it never changed since it read it
    // does not undo what the editor made of it meanwhile; one it changed is its own.
    dir.Write("q.ini", "[Options]\nWorking language=English\nSpeed setting=2\n");
    IniFile started(dir.Path("q.ini"));
    EXPECT_EQ(started.ReadString("Options", "Working language", ""), "English");
    EXPECT_EQ(started.ReadInteger("Options", "Speed setting", 0), 2);
    IniFile editor(dir.Path("q.ini"));
    editor.WriteString("Options", "Working language", "Deutsch");
    editor.WriteString("Options", "Speed setting", "1");
    IniFile::Edit shutdown(started);
    shutdown.WriteString("Options", "Working language", "English");
    shutdown.WriteInteger("Options", "Speed setting", 3);
    shutdown.Save();
    EXPECT_EQ(dir.Read("q.ini"), "[Options]\nWorking language=Deutsch\nSpeed setting=3\n");
}

// A section rewritten from scratch (a list of numbered keys) keeps the values it had
// before: they were erased by this program, so writing them again is no hand-back.
TEST(IniFile, KeysWrittenAgainAfterTheirSectionWasErasedStay) {
    TempDir dir;
    dir.Write("q.ini", "[More]\nCount=2\nItem 1=a\nItem 2=b\n");
    IniFile ini(dir.Path("q.ini"));
    EXPECT_EQ(ini.ReadString("More", "Item 1", ""), "a");
    EXPECT_EQ(ini.ReadString("More", "Count", ""), "2");
    ini.EraseSection("More");
    ini.WriteString("More", "Count", "1");
    ini.WriteString("More", "Item 1", "a");
    EXPECT_EQ(dir.Read("q.ini"), "[More]\nCount=1\nItem 1=a\n");

    IniFile::Edit edit(ini);
    edit.EraseSection("More");
    edit.WriteString("More", "Count", "1");
    edit.WriteString("More", "Item 1", "a");
    edit.Save();
    EXPECT_EQ(dir.Read("q.ini"), "[More]\nCount=1\nItem 1=a\n");
}

// Two processes write their own keys into one file as fast as they can; the padding makes
// each write slow enough (reading, parsing and writing a large file) that, without a lock
// between them, one of them re-reads the file just before the other replaces it and then
// wipes out the other's key.
TEST(IniFile, TwoProcessesWritingAtOnceLoseNothing) {
    TempDir dir;
    std::string padding;
    for (int i = 0; i < 800; ++i)
        padding +=
            "; a settings file that has grown over the years, line " + std::to_string(i) + "\n";
    const std::string path = dir.Write("q.ini", "[Padding]\n" + padding);
    constexpr int kWrites = 20;
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            IniFile ini(path);
            try {
                for (int i = 0; i < kWrites; ++i)
                    ini.WriteInteger(c == 0 ? "Game" : "Editor", "Key " + std::to_string(i), i);
            } catch (...) {
                _exit(2);
            }
            _exit(0);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    IniFile ini(path);
    int lost = 0;
    for (const char* section : {"Game", "Editor"})
        for (int i = 0; i < kWrites; ++i)
            lost += ini.ReadInteger(section, "Key " + std::to_string(i), -1) != i;
    EXPECT_EQ(lost, 0);
    EXPECT_NE(dir.Read("q.ini").find(padding), std::string::npos);
}

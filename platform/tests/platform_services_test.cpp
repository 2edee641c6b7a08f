// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/folders.h"
#include "platform/headless/headless_dialogs.h"
#include "platform/language.h"
#include "platform/registry.h"
#include "platform/single_instance.h"
#include "platform/termination.h"
#include "test_support/temp_dir.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace qr;
using qr::test::TempDir;

TEST(Registry, IsAnIniFileOfKeyPathsAndValues) {
    TempDir dir;
    Registry reg(dir.Path("registry.ini"));
    EXPECT_FALSE(reg.FileExists());
    EXPECT_EQ(reg.ReadString("Software\\UVO! Software\\QuilRush", "Directory"), "");
    reg.WriteString("Software\\UVO! Software\\QuilRush", "Directory",
                    "/home/x/.local/share/quilrush");
    EXPECT_TRUE(reg.FileExists());
    EXPECT_EQ(dir.Read("registry.ini"),
              "[Software\\UVO! Software\\QuilRush]\nDirectory=/home/x/.local/share/quilrush\n");
    EXPECT_EQ(reg.ReadString("software\\uvo! software\\quilrush", "DIRECTORY"),
              "/home/x/.local/share/quilrush");

    setenv("QUILRUSH_REGISTRY", "/elsewhere/reg.ini", 1);
    EXPECT_EQ(Registry::DefaultPath(), "/elsewhere/reg.ini");
    unsetenv("QUILRUSH_REGISTRY");
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(Registry::DefaultPath(), "/cfg/uvo-software/registry.ini");
}

TEST(Registry, AReadOnlyFileIsStillRead) {
    TempDir dir;
    std::filesystem::create_directories(dir.Path("inst"));
    dir.Write("registry.ini",
              "[Software\\UVO! Software\\QuilRush]\nDirectory=" + dir.Path("inst") + "\n");
    std::filesystem::permissions(dir.Path("registry.ini"), std::filesystem::perms::owner_read);
    Registry reg(dir.Path("registry.ini"));
    ASSERT_EQ(reg.Problem(), "is read-only");
    FolderLookup found = LookUpFolders(reg, dir.Path("prog"));
    EXPECT_EQ(found.error, "");
    EXPECT_EQ(found.folders.installation, dir.Path("inst") + "/");
}

TEST(Files, PatternsIgnoreCaseAndListingsAreOrdered) {
    struct Case {
        const char* name;
        const char* pattern;
        bool match;
    } cases[] = {{"QR_ENG.STR", "qr_*.str", true}, {"qr_deu.str", "qr_*.str", true},
                 {"qr_.str", "qr_*.str", true},    {"qr_eng.str.bak", "qr_*.str", false},
                 {"game.px8", "*.PX8", true},      {"a.anm", "?.anm", true},
                 {"ab.anm", "?.anm", false},       {"x", "*", true}};
    for (const auto& c : cases)
        EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.match) << c.name << " " << c.pattern;
    // Many stars over a long name must not take exponential time.
    EXPECT_FALSE(MatchesPattern(std::string(5000, 'a'), "*a*a*a*a*a*a*a*b"));

    TempDir dir;
    for (const char* n : {"qr_fra.str", "QR_DEU.STR", "qr_eng.str", "readme.txt"})
        dir.Write(n, "x\n");
    std::filesystem::create_directories(dir.Path("qr_dir.str"));
    EXPECT_EQ(FindFiles(dir.Path(), "qr_*.str"),
              (std::vector<std::string>{"QR_DEU.STR", "qr_eng.str", "qr_fra.str"}));
    EXPECT_TRUE(FindFiles(dir.Path("missing"), "*").empty());
    EXPECT_EQ(ResolveNoCase(dir.Path(), "qr_deu.str"), dir.Path("QR_DEU.STR"));
    EXPECT_EQ(WithSeparator("/a"), "/a/");
    EXPECT_EQ(WithSeparator("/a/"), "/a/");
}

TEST(Language, LocaleNamesMapToWindowsCodes) {
    struct Case {
        const char* locale;
        const char* code;
    } cases[] = {{"en_US.UTF-8", "enu"}, {"en_GB", "eng"},      {"de_DE.UTF-8", "deu"},
                 {"de_AT", "dea"},       {"fr_FR@euro", "fra"}, {"fr_CA", "frc"},
                 {"es_AR", "esn"},       {"sv_SE", "sve"},      {"C", "enu"},
                 {"POSIX", "enu"},       {"", "enu"},           {"xx_YY", "enu"}};
    for (const auto& c : cases)
        EXPECT_EQ(WindowsLanguageCode(c.locale), c.code) << c.locale;
}

TEST(SingleInstance, SecondHolderIsRefusedUntilTheFirstEnds) {
    TempDir dir;
    setenv("XDG_RUNTIME_DIR", dir.Path().c_str(), 1);
    {
        SingleInstance first("QRL32");
        ASSERT_TRUE(first.Acquire());
        SingleInstance second("QRL32");
        EXPECT_FALSE(second.Acquire());
        EXPECT_FALSE(first.PollWakeUp());
        second.NotifyRunningCopy();
        second.NotifyRunningCopy();
        EXPECT_TRUE(first.PollWakeUp()); // both knocks read at once
        EXPECT_FALSE(first.PollWakeUp());
        SingleInstance editor("QUARRY32");
        EXPECT_TRUE(editor.Acquire());
    }
    SingleInstance again("QRL32");
    EXPECT_TRUE(again.Acquire());
    unsetenv("XDG_RUNTIME_DIR");
}

TEST(SingleInstance, ScopedToTheInstallationFolder) {
    TempDir dir;
    setenv("XDG_RUNTIME_DIR", dir.Path().c_str(), 1);
    std::filesystem::create_directories(dir.Path("player"));
    std::filesystem::create_directories(dir.Path("test"));
    SingleInstance player("QRL32", dir.Path("player"));
    ASSERT_TRUE(player.Acquire());
    SingleInstance testRun("QRL32", dir.Path("test"));
    EXPECT_TRUE(testRun.Acquire()) << testRun.Error();
    // The same folder, however it is spelt, is the same installation.
    SingleInstance second("QRL32", dir.Path("test/../player/"));
    EXPECT_FALSE(second.Acquire());
    EXPECT_EQ(second.Error(), "");
    unsetenv("XDG_RUNTIME_DIR");
}

// Whether a copy started in another process, with its own environment, may run on the
// installation folder: its exit code is 0 when it got the lock, 1 when it did not.
int AcquireInAnotherProcess(const std::string& scope, const char* runtime) {
    const pid_t child = fork();
    if (child == 0) {
        if (runtime)
            setenv("XDG_RUNTIME_DIR", runtime, 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
        SingleInstance other("QRL32", scope);
        const bool got = other.Acquire();
        if (!got) other.NotifyRunningCopy();
        _exit(got ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SingleInstance, OneCopyPerInstallationWhateverTheRuntimeFolder) {
    TempDir dir;
    namespace fs = std::filesystem;
    setenv("TMPDIR", dir.Path().c_str(), 1);
    fs::create_directories(dir.Path("run"));
    fs::permissions(dir.Path("run"), fs::perms::owner_all);
    fs::create_directories(dir.Path("inst"));
    unsetenv("XDG_RUNTIME_DIR");
    SingleInstance first("QRL32", dir.Path("inst"));
    ASSERT_TRUE(first.Acquire()) << first.Error();
    EXPECT_EQ(first.LockPath(), dir.Path("inst") + "/QRL32.lock");
    // Started from a session that has a runtime folder, the second copy still meets the
    // lock, and its knock still reaches the first copy.
    EXPECT_EQ(AcquireInAnotherProcess(dir.Path("inst"), dir.Path("run").c_str()), 1);
    EXPECT_EQ(AcquireInAnotherProcess(dir.Path("inst"), nullptr), 1);
    EXPECT_TRUE(first.PollWakeUp());
    // The lock is the installation's; another installation runs beside it.
    fs::create_directories(dir.Path("other"));
    EXPECT_EQ(AcquireInAnotherProcess(dir.Path("other"), dir.Path("run").c_str()), 0);
    unsetenv("TMPDIR");
}

TEST(SingleInstance, NobodyElseCanTakeOrReachTheWakeUpChannel) {
    TempDir dir;
    setenv("XDG_RUNTIME_DIR", dir.Path().c_str(), 1);
    std::filesystem::create_directories(dir.Path("inst"));
    // A socket bound first under any name derived from the installation's lock (as an
    // abstract name another user could take) is never the channel.
    // The name an abstract socket would have had for the lock of this installation in the
    // runtime folder ("QRL32-" and the FNV-1a hash of the folder).
    uint64_t h = 14695981039346656037ull;
    for (unsigned char c : std::filesystem::weakly_canonical(dir.Path("inst")).string())
        h = (h ^ c) * 1099511628211ull;
    char hash[20];
    std::snprintf(hash, sizeof hash, "-%016llx", static_cast<unsigned long long>(h));
    std::vector<int> squatters;
    for (const std::string& name :
         {"quilrush-wake:" + dir.Path() + "/QRL32" + hash + ".lock",
          "quilrush-wake:" + dir.Path("inst") + "/QRL32.lock", std::string("QRL32")}) {
        const int s = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK, 0);
        sockaddr_un a{};
        a.sun_family = AF_UNIX;
        std::memcpy(a.sun_path + 1, name.data(), std::min(name.size(), sizeof a.sun_path - 2));
        ASSERT_EQ(bind(s, reinterpret_cast<sockaddr*>(&a),
                       socklen_t(offsetof(sockaddr_un, sun_path) + 1 +
                                 std::min(name.size(), sizeof a.sun_path - 2))),
                  0);
        squatters.push_back(s);
    }
    SingleInstance holder("QRL32", dir.Path("inst"));
    ASSERT_TRUE(holder.Acquire());
    SingleInstance second("QRL32", dir.Path("inst"));
    EXPECT_FALSE(second.Acquire());
    second.NotifyRunningCopy();
    EXPECT_TRUE(holder.PollWakeUp());
    for (int s : squatters) {
        char c;
        EXPECT_LT(recv(s, &c, 1, MSG_DONTWAIT), 0) << "a squatter received the knock";
        close(s);
    }
    // The channel is a socket file in the private runtime folder; another user can
    // neither knock on it nor bind one in its place (only root can test this).
    std::string socketFile;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
        if (e.is_socket()) socketFile = e.path().string();
    ASSERT_FALSE(socketFile.empty());
    if (geteuid() == 0) {
        const pid_t child = fork();
        if (child == 0) {
            if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
            const int s = socket(AF_UNIX, SOCK_DGRAM, 0);
            sockaddr_un a{};
            a.sun_family = AF_UNIX;
            std::memcpy(a.sun_path, socketFile.data(), socketFile.size());
            const char msg = 1;
            const bool sent = sendto(s, &msg, 1, 0, reinterpret_cast<sockaddr*>(&a), sizeof a) == 1;
            unlink(socketFile.c_str());
            const bool bound = bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
            _exit(sent || bound ? 1 : 0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        EXPECT_FALSE(holder.PollWakeUp());
    }
    unsetenv("XDG_RUNTIME_DIR");
}

TEST(SingleInstance, UnusableLockFoldersAreReportedAsSuchOrPassedOver) {
    TempDir dir;
    namespace fs = std::filesystem;
    setenv("TMPDIR", dir.Path().c_str(), 1);
    const std::string fallback = dir.Path("quilrush-" + std::to_string(getuid()));
    // A relative, missing or shared runtime folder is passed over for a private one.
    fs::create_directories(dir.Path("shared"));
    fs::permissions(dir.Path("shared"), fs::perms::all);
    for (const std::string& runtime :
         {std::string("relative/run"), dir.Path("missing"), dir.Path("shared")}) {
        SCOPED_TRACE(runtime);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        SingleInstance s("QRL32");
        EXPECT_TRUE(s.Acquire()) << s.Error();
        EXPECT_EQ(s.LockPath(), fallback + "/QRL32.lock");
    }
    unsetenv("XDG_RUNTIME_DIR");
    // A private folder that is in fact a link, or open to others: never used, and said so.
    fs::remove_all(fallback);
    fs::create_symlink(dir.Path("shared"), fallback);
    SingleInstance linked("QRL32");
    EXPECT_FALSE(linked.Acquire());
    EXPECT_EQ(linked.Error(), "Cannot use the lock folder \"" + fallback + "\": it is a link.");
    fs::remove(fallback);
    fs::create_directories(fallback);
    fs::permissions(fallback, fs::perms::all);
    SingleInstance open("QRL32");
    EXPECT_FALSE(open.Acquire());
    EXPECT_EQ(open.Error(),
              "Cannot use the lock folder \"" + fallback + "\": other users may write into it.");
    // Another user's folder (only root can hand one over to test this).
    fs::permissions(fallback, fs::perms::owner_all);
    if (chown(fallback.c_str(), 65534, 65534) == 0) {
        SingleInstance foreign("QRL32");
        EXPECT_FALSE(foreign.Acquire());
        EXPECT_EQ(foreign.Error(),
                  "Cannot use the lock folder \"" + fallback + "\": it belongs to another user.");
    }
    unsetenv("TMPDIR");
}

TEST(HeadlessDialogs, AnswersFromTheQueueAndLogsEachBox) {
    std::vector<std::string> log;
    HeadlessDialogs d([&](const std::string& l) { log.push_back(l); });
    d.QueueAnswer(DialogResult::No);
    EXPECT_EQ(
        d.MessageBox("Title", "Line one\nline two", DialogIcon::Warning, Dialogs::Buttons::YesNo),
        DialogResult::No);
    // Empty queue: the default button.
    EXPECT_EQ(d.MessageBox("T", "x", DialogIcon::Error, Dialogs::Buttons::OKCancel),
              DialogResult::OK);
    // An answer the box does not offer is taken as Escape.
    d.QueueAnswer(DialogResult::Yes);
    EXPECT_EQ(d.MessageBox("T", "x", DialogIcon::Error, Dialogs::Buttons::OKCancel),
              DialogResult::Cancel);
    DialogRequest custom{"Best\xe4tigen",
                         "Spiel beenden?",
                         DialogIcon::Question,
                         {{"&Ja", DialogResult::Yes}, {"&Nein", DialogResult::No}},
                         0,
                         1};
    d.QueueAnswer(DialogResult::No);
    EXPECT_EQ(d.Show(custom), DialogResult::No);
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0], "DIALOG Title | Line one\\nline two | Yes,No -> No");
    EXPECT_EQ(log[3], "DIALOG Best\xc3\xa4tigen | Spiel beenden? | Ja,Nein -> No");
}

TEST(Termination, AWatchActsOnARequestOnlyWhileItLives) {
    using namespace std::chrono_literals;
    InstallTerminationHandlers();
    ClearTerminationRequest();
    std::atomic<int> runs{0};
    {
        TerminationWatch watch([&] { ++runs; });
        std::this_thread::sleep_for(60ms);
    }
    EXPECT_EQ(runs, 0) << "acted without a request";
    {
        // The main thread is held (as by a system box) while the signal comes.
        TerminationWatch watch([&] { ++runs; });
        std::raise(SIGTERM);
        for (int i = 0; i < 200 && runs == 0; ++i)
            std::this_thread::sleep_for(10ms);
    }
    EXPECT_EQ(runs, 1);
    ClearTerminationRequest();
    std::signal(SIGTERM, SIG_DFL);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and shut-down of the game, driven headless over small fixture installations.
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "foundation/obf_text.h"
#include "foundation/stream.h"
#include "foundation/uvo_exception.h"
#include "game/shell/game_rooms.h"
#include "game/shell/headless_driver.h"
#include "game/shell/world_shell.h"
#include "platform/ini_file.h"
#include "platform/single_instance.h"
#include "test_support/temp_dir.h"

using namespace qr;
using qr::test::TempDir;

namespace {

// A string file: name, UI line, codes, filler up to the 23 language names.
std::string StringFile(const std::string& name, const std::string& codes,
                       const std::vector<std::string>& languages = {"English", "French",
                                                                    "German"}) {
    std::string s = name + "\n-\n" + codes + "\n";
    for (int i = 3; i < 30; ++i)
        s += "s" + std::to_string(i) + "\n";
    for (int k = 0; k < 23; ++k)
        s += (k < int(languages.size()) ? languages[size_t(k)] : "L" + std::to_string(k)) + "\n";
    return s;
}

class Startup : public ::testing::Test {
  protected:
    Startup() {
        setenv("XDG_RUNTIME_DIR", dir.Path().c_str(), 1);
        setenv("XDG_DATA_HOME", dir.Path("xdgdata").c_str(), 1);
        dir.Write("prog/dat/sounds.txt", "1 hello.wav\n");
        dir.Write("prog/dat/init.txt", "; the world engine is not part of these tests\n");
        dir.Write("prog/imglib/game.px8", "PX8");
        dir.Write("prog/str/qr_eng.str", StringFile("English", "enu eng ena enc"));
        std::filesystem::create_directories(dir.Path("inst"));
        dir.Write("reg.ini",
                  "[Software\\UVO! Software\\QuilRush]\nDirectory=" + dir.Path("inst") + "\n");
        options.registryPath = dir.Path("reg.ini");
        options.programFolder = dir.Path("prog");
        options.windowsLanguage = "enu";
        options.seed = 1;
    }
    ~Startup() override {
        unsetenv("XDG_RUNTIME_DIR");
        unsetenv("XDG_DATA_HOME");
    }

    int Run(const std::string& script, int depth = 32) {
        out.str("");
        HeadlessDriver driver(out);
        driver.System().SetColourDepth(depth);
        if (prepare) driver.prepare = prepare;
        std::istringstream in(script);
        return driver.Run(options, in);
    }
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        std::istringstream in(out.str());
        for (std::string l; std::getline(in, l);)
            lines.push_back(l);
        return lines;
    }
    std::string Ini(const std::string& section, const std::string& key) {
        return IniFile(dir.Path("inst/quilrush.ini")).ReadString(section, key, "<none>");
    }

    TempDir dir;
    ProgramOptions options;
    std::ostringstream out;
    std::function<void(TFormMain&)> prepare;
};

} // namespace

TEST_F(Startup, FailureTableInExactWords) {
    std::string base = dir.Path();
    base.pop_back(); // no trailing separator
    const std::string registered =
        "[Software\\UVO! Software\\QuilRush]\nDirectory=" + dir.Path("inst") + "\n";
    const std::string reset = "\\n\\nTo start afresh, delete the registry file \"" + base +
                              "/reg.ini\": the next start sets up a new installation folder.";
    struct Case {
        const char* what;
        std::function<void()> arrange;
        int depth;
        std::string dialog;
        const char* script = "state\n";
    } cases[] = {
        {"no installation folder registered",
         [&] { dir.Write("reg.ini", "[Software\\UVO! Software]\nOther=1\n"); }, 32,
         "DIALOG Quill-Rush | Unable to locate name of installation folder under registry entry "
         "\"Software\\UVO! Software\\QuilRush\\Directory\". Please re-install and try again." +
             reset + " | OK -> OK"},
        {"installation folder gone",
         [&] {
             dir.Write("reg.ini",
                       "[Software\\UVO! Software\\QuilRush]\nDirectory=" + base + "/gone\n");
         },
         32,
         "DIALOG Quill-Rush | Unable to locate installation folder \"" + base +
             "/gone\". Please re-install and try again." + reset + " | OK -> OK"},
        {"monochrome", [] {}, 1,
         "DIALOG Quill-Rush | \"This game\" cannot be played on a monochrome display.' | OK -> OK"},
        {"16 colours declined", [] {}, 4,
         "DIALOG Quill-Rush | \"This game\" is designed for a minimum 256-color display. You are "
         "running a "
         "16-color display. This will adversely affect the appearance of the graphics used in the "
         "game. "
         "Continue anyway? | Yes,No -> No",
         "answer No\nstate\n"},
        {"sound table missing", [&] { std::filesystem::remove(dir.Path("prog/dat/sounds.txt")); },
         32,
         "DIALOG Quill-Rush | Sorry! We cannot find the needed file \"" + base +
             "/prog/dat/sounds.dat\". | OK -> OK"},
        {"game library and English strings missing: the first is named",
         [&] {
             std::filesystem::remove(dir.Path("prog/imglib/game.px8"));
             std::filesystem::remove(dir.Path("prog/str/qr_eng.str"));
         },
         32,
         "DIALOG Quill-Rush | Sorry! We cannot find the needed file \"" + base +
             "/prog/imglib/game.px8\". | OK -> OK"},
        {"English strings missing",
         [&] { std::filesystem::remove(dir.Path("prog/str/qr_eng.str")); }, 32,
         "DIALOG Quill-Rush | Sorry! We cannot find the needed file \"" + base +
             "/prog/str/qr_eng.str\". | OK -> OK"},
        {"world script missing", [&] { std::filesystem::remove(dir.Path("prog/dat/init.txt")); },
         32,
         "DIALOG Quill-Rush | Sorry! We cannot find the needed file \"" + base +
             "/prog/dat/init.dat\". | OK -> OK"},
        {"registry unreadable",
         [&] {
             std::filesystem::remove(dir.Path("reg.ini"));
             std::filesystem::create_directories(dir.Path("reg.ini"));
         },
         32,
         "DIALOG Quill-Rush | Cannot read the registry file \"" + base +
             "/reg.ini\": it is not a regular file. | OK -> OK"},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(dir.Path("reg.ini"));
        dir.Write("reg.ini", registered);
        dir.Write("prog/dat/sounds.txt", "1 hello.wav\n");
        dir.Write("prog/dat/init.txt", "");
        dir.Write("prog/imglib/game.px8", "PX8");
        dir.Write("prog/str/qr_eng.str", StringFile("English", "enu"));
        c.arrange();
        EXPECT_EQ(Run(c.script, c.depth), kExitStartupFailed);
        EXPECT_EQ(Lines(), std::vector<std::string>{c.dialog});
    }
}

TEST_F(Startup, ExceptionInFormCreateIsShownWithTheApplicationTitle) {
    prepare = [](TFormMain& form) {
        form.StartupSteps().createImageLibrary = [](TFormMain&) {
            throw UvoException("TPX8Library.Open: not an image library");
        };
    };
    EXPECT_EQ(Run("state\n"), kExitStartupFailed);
    EXPECT_EQ(Lines(), std::vector<std::string>{
                           "DIALOG Quill-Rush | Quill-Rush encountered a problem on start-up: "
                           "TPX8Library.Open: not an image library | OK -> OK"});
}

TEST_F(Startup, ColourDepthsOtherThanOneAndFourStartQuietly) {
    for (int depth : {8, 15, 16, 24, 32}) {
        EXPECT_EQ(Run("tick 1\n", depth), kExitOk) << depth;
        EXPECT_TRUE(Lines().empty()) << out.str();
    }
    EXPECT_EQ(Run("answer Yes\ntick 1\n", 4), kExitOk);
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_NE(Lines()[0].find("-> Yes"), std::string::npos);
}

TEST_F(Startup, SecondInstanceEndsSilently) {
    SingleInstance running("QRL32", dir.Path("inst"));
    ASSERT_TRUE(running.Acquire());
    EXPECT_EQ(Run("state\n"), kExitAlreadyRunning);
    EXPECT_EQ(out.str(), "");
}

TEST_F(Startup, DevelopmentHomeServesAsBothRoots) {
    dir.Write("dev/QuilRush/dat/sounds.txt", "1 a.wav\n");
    dir.Write("dev/QuilRush/dat/init.dat", "");
    dir.Write("dev/QuilRush/imglib/game.px8", "PX8");
    dir.Write("dev/QuilRush/str/qr_eng.str", StringFile("English (dev)", "enu"));
    dir.Write("reg.ini", "[Software\\UVO! Software]\nDevHome=" + dir.Path("dev") + "\n");
    EXPECT_EQ(Run("state\n"), kExitOk) << out.str();
    EXPECT_NE(out.str().find("\"workingLanguage\":\"English (dev)\""), std::string::npos)
        << out.str();
    EXPECT_TRUE(std::filesystem::exists(dir.Path("dev/QuilRush/quilrush.ini")));
}

TEST_F(Startup, FirstRunInstallsTheUserFolderAndRegistersIt) {
    dir.Write("prog/lists/animals.qrw", "list");
    std::filesystem::remove(dir.Path("reg.ini"));
    EXPECT_EQ(Run("state\n"), kExitOk) << out.str();
    const std::string home = dir.Path("xdgdata/quilrush/");
    EXPECT_EQ(IniFile(dir.Path("reg.ini"))
                  .ReadString("Software\\UVO! Software\\QuilRush", "Directory", ""),
              home);
    EXPECT_EQ(dir.Read("xdgdata/quilrush/lists/animals.qrw"), "list");
    EXPECT_TRUE(std::filesystem::exists(home + "quilrush.ini"));
}

TEST_F(Startup, WorkingLanguageChoice) {
    dir.Write("prog/str/qr_deu.str", StringFile("Deutsch", "deu dea des"));
    dir.Write("prog/str/qr_fra.str", StringFile("Fran\xe7"
                                                "ais",
                                                "fra frc frb"));
    dir.Write("prog/str/qr_xxx.str", StringFile("Zweites Deutsch", "deu"));
    struct Case {
        const char* stored;
        const char* windows;
        const char* expected;
    } cases[] = {
        {"", "DEU", "Zweites Deutsch"}, // the last file whose codes match wins
        {"Deutsch", "fra", "Deutsch"},  // the stored name beats the Windows code
        {"", "fra",
         "Fran\xc3\xa7"
         "ais"},
        {"", "jpn", "English"}, // no match: qr_eng.str
        {"Klingon", "jpn", "English"},
    };
    for (const auto& c : cases) {
        IniFile(dir.Path("inst/quilrush.ini")).WriteString("Options", "Working language", c.stored);
        options.windowsLanguage = c.windows;
        EXPECT_EQ(Run("state\n"), kExitOk);
        EXPECT_NE(out.str().find(std::string("\"workingLanguage\":\"") + c.expected + "\""),
                  std::string::npos)
            << c.stored << "/" << c.windows << ": " << out.str();
    }
}

TEST_F(Startup, SettingsDefaultsAndClamps) {
    EXPECT_EQ(Run("state\n"), kExitOk);
    EXPECT_NE(out.str().find("\"initials\":\"---\",\"clueLanguage\":{\"name\":\"\",\"id\":255},"
                             "\"answerLanguage\":{\"name\":\"\",\"id\":255},\"useIcons\":true,"
                             "\"speedValues\":[200,120,75],\"speedSetting\":2"),
              std::string::npos)
        << out.str();

    dir.Write("inst/quilrush.ini",
              "[Identity]\nCurrent player=ABCDE\n[Options]\nSlow game=5\nMedium game=100000\nFast "
              "game=-3\n"
              "Speed setting=7\nClue language=Elvish\nClue language ID=1\nAnswer language=German\n"
              "Answer language ID=255\nUse icons=0\n");
    EXPECT_EQ(Run("state\n"), kExitOk);
    EXPECT_NE(out.str().find("\"initials\":\"ABC\",\"clueLanguage\":{\"name\":\"French\",\"id\":1},"
                             "\"answerLanguage\":{\"name\":\"German\",\"id\":2},\"useIcons\":false,"
                             "\"speedValues\":[20,900,20],\"speedSetting\":3"),
              std::string::npos)
        << out.str();

    // A number whose language string is empty falls back to the stored name.
    dir.Write("prog/str/qr_eng.str", StringFile("English", "enu", {"English", "", "German"}));
    dir.Write("inst/quilrush.ini",
              "[Options]\nSpeed setting=0\nClue language=Elvish\nClue language ID=1\n");
    EXPECT_EQ(Run("state\n"), kExitOk);
    EXPECT_NE(out.str().find("\"clueLanguage\":{\"name\":\"Elvish\",\"id\":255}"),
              std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("\"speedSetting\":1"), std::string::npos);
}

TEST_F(Startup, SwitchesAndSoundSettings) {
    struct Case {
        std::vector<std::string> switches;
        const char* ini;
        bool sound, music;
        const char* writtenSound;
        const char* writtenMusic;
    } cases[] = {
        {{"nomidi"}, "Music=1\nSound=1\n", true, false, "1", "1"},
        {{}, "Music=0\n", true, false, "1", "0"},
        {{"--NOSOUND"}, "", false, false, "1", "1"},
        {{"NoWave"}, "Sound=0\n", false, true, "0", "1"},
    };
    for (const auto& c : cases) {
        dir.Write("inst/quilrush.ini", std::string("[Options]\n") + c.ini);
        options.switches = c.switches;
        EXPECT_EQ(Run("state\n"), kExitOk);
        EXPECT_NE(out.str().find(std::string("\"sound\":") + (c.sound ? "true" : "false") +
                                 ",\"music\":" + (c.music ? "true" : "false")),
                  std::string::npos)
            << out.str();
        EXPECT_EQ(Ini("Options", "Sound"), c.writtenSound);
        EXPECT_EQ(Ini("Options", "Music"), c.writtenMusic);
    }
}

TEST_F(Startup, ShutdownWritesTheSettingsBack) {
    dir.Write("inst/quilrush.ini", "[Editor]\nKeep=me\n[Identity]\nCurrent player=xy\n[Options]\n"
                                   "Slow game=300\nClue language ID=2\nSpeed setting=3\n");
    EXPECT_EQ(Run("tick 2\nclose\ntick 1\n"), kExitOk);
    EXPECT_EQ(Ini("Identity", "Current player"), "xy");
    EXPECT_EQ(Ini("Options", "Working language"), "English");
    EXPECT_EQ(Ini("Options", "Clue language"), "German");
    EXPECT_EQ(Ini("Options", "Clue language ID"), "2");
    EXPECT_EQ(Ini("Options", "Answer language ID"), "255");
    EXPECT_EQ(Ini("Options", "Use icons"), "0"); // no list with icons is loaded
    EXPECT_EQ(Ini("Options", "Speed setting"), "3");
    EXPECT_EQ(Ini("Options", "Slow game"), "300"); // read, never written
    EXPECT_EQ(Ini("Options", "Medium game"), "<none>");
    EXPECT_EQ(Ini("Editor", "Keep"), "me");
}

TEST_F(Startup, TickCountsWholeStepsOnlyWhileActive) {
    // The first timer call sets the time base; 20 ms later no step (the base stays), 120 ms
    // after the base two steps, and the 10 ms left over count towards the next step.
    // Nothing runs while the window is inactive.
    EXPECT_EQ(Run("wait 0\nwait 20\nstate\nwait 100\nstate\nwait 35\nstate\n"
                  "focus off\ntick 10\nstate\nfocus on\ntick 1\nstate\nkey down CAPSLOCK\ntick "
                  "1\nstate\n"),
              kExitOk);
    auto lines = Lines();
    ASSERT_EQ(lines.size(), 6u);
    const char* clocks[] = {"\"worldClock\":0,", "\"worldClock\":2,", "\"worldClock\":3,",
                            "\"worldClock\":3,", "\"worldClock\":4,", "\"worldClock\":5,"};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_NE(lines[i].find(clocks[i]), std::string::npos) << i << ": " << lines[i];
    EXPECT_NE(lines[4].find("\"versionLabel\":false"), std::string::npos);
    EXPECT_NE(lines[5].find("\"versionLabel\":true"), std::string::npos);
}

TEST_F(Startup, BadDriveScriptsAreReported) {
    const std::string tick = "tick needs a number of steps from 0 to 100000";
    const std::string wait = "wait needs milliseconds from 0 to 3600000";
    struct Case {
        std::string script;
        std::string said;
    } cases[] = {
        {"tick x\n", "DRIVER line 1: " + tick},
        {"tick 100001\n", "DRIVER line 1: " + tick},
        {"tick -1\n", "DRIVER line 1: " + tick},
        {"tick +5\n", "DRIVER line 1: " + tick},
        {"tick 99999999999999999999999999\n", "DRIVER line 1: " + tick},
        {"wait 3600001\n", "DRIVER line 1: " + wait},
        {"wait 4294967296\n", "DRIVER line 1: " + wait},
        {"# comment\n\nfly away\n", "DRIVER line 3: unknown command \"fly\""},
        // Control bytes are never echoed as they are.
        {"fl\x01y\x1b[2J\n", "DRIVER line 1: unknown command \"fl\\x01y\\x1B[2J\""},
        {"key down \x07\n", "DRIVER line 1: unknown key \\x07"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        EXPECT_EQ(Run(c.script), kExitUsage);
        EXPECT_EQ(Lines(), std::vector<std::string>{c.said});
    }
    // A byte-order mark, tabs and CR LF line ends are read as blanks and line ends.
    EXPECT_EQ(Run("\xEF\xBB\xBFtick\t2\r\n\tstate\r\n"), kExitOk);
    ASSERT_EQ(Lines().size(), 1u) << out.str();
    EXPECT_NE(Lines()[0].find("\"worldClock\":1"), std::string::npos)
        << out.str(); // the first tick sets the time base
}

TEST_F(Startup, ExpectationsEndTheRunWithTheirOwnCode) {
    // A failed expectation ends the run with 1, a malformed one is a bad line.
    const std::pair<const char*, int> expectations[] = {
        {"expect state timer true\n", kExitOk}, {"expect state timer false\n", 1},
        {"expect state nothing 1\n", 1},        {"expect state timer\n", kExitUsage},
        {"expect frobs 1\n", kExitUsage},
    };
    for (const auto& [script, code] : expectations)
        EXPECT_EQ(Run(script), code) << script << out.str();
}

TEST_F(Startup, ASettingsFileThatCannotBeUsedIsSaidOnceAndLeftAsItIs) {
    namespace fs = std::filesystem;
    const std::string ini = dir.Path("inst/quilrush.ini");
    const std::string stored = "[Identity]\nCurrent player=XYZ\n[Options]\nMusic=0\n";
    struct Case {
        const char* what;
        std::function<void()> arrange;
        std::string said;
    } cases[] = {
        {"over 16 MiB",
         [&] {
             dir.Write("inst/quilrush.ini", stored);
             fs::resize_file(ini, (16u << 20) + 100);
         },
         "is larger than 16 MiB, too large for a settings file. The game runs on its default "
         "settings and leaves the file as it is."},
        {"a folder", [&] { fs::create_directories(ini); },
         "is not a regular file. The game runs on its default settings and leaves the file as it "
         "is."},
        {"read-only",
         [&] {
             dir.Write("inst/quilrush.ini", stored);
             fs::permissions(ini, fs::perms::owner_read);
         },
         "is read-only: the game uses it but does not save its settings there."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(ini);
        c.arrange();
        const std::string before = fs::is_regular_file(ini) ? dir.Read("inst/quilrush.ini") : "";
        EXPECT_EQ(Run("state\n"), kExitOk);
        ASSERT_EQ(Lines().size(), 2u) << out.str();
        EXPECT_EQ(Lines()[0], "DIALOG Quill-Rush | The settings file \"" + ini + "\" " + c.said +
                                  " | OK -> OK");
        if (fs::is_regular_file(ini)) {
            EXPECT_EQ(dir.Read("inst/quilrush.ini"), before);
        }
        EXPECT_FALSE(fs::is_symlink(ini));
    }
    // A read-only file is still read.
    EXPECT_NE(out.str().find("\"initials\":\"XYZ\""), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("\"music\":false"), std::string::npos) << out.str();
}

TEST_F(Startup, SettingsAreWrittenThroughALinkInItsFolderInUtf8AndNeverOutOfIt) {
    namespace fs = std::filesystem;
    dir.Write("inst/mine/settings.ini", "[Identity]\nCurrent player=\xc9mi\n"); // Windows-1252
    fs::create_symlink(dir.Path("inst/mine/settings.ini"), dir.Path("inst/quilrush.ini"));
    EXPECT_EQ(Run("state\n"), kExitOk);
    EXPECT_NE(out.str().find("\"initials\":\"\xc3\x89mi\""), std::string::npos) << out.str();
    EXPECT_TRUE(fs::is_symlink(dir.Path("inst/quilrush.ini")));
    EXPECT_NE(dir.Read("inst/mine/settings.ini").find("Current player=\xc3\x89mi\n"),
              std::string::npos);

    // A link out of the installation folder (planted by whoever may write into a shared
    // one) is read, but nothing is written through it.
    const std::string elsewhere =
        dir.Write("elsewhere/homework.txt", "[Identity]\nCurrent player=ABC\n");
    fs::remove(dir.Path("inst/quilrush.ini"));
    fs::create_symlink(elsewhere, dir.Path("inst/quilrush.ini"));
    EXPECT_EQ(Run("state\n"), kExitOk);
    EXPECT_EQ(dir.Read("elsewhere/homework.txt"), "[Identity]\nCurrent player=ABC\n");
    EXPECT_NE(out.str().find("DIALOG Quill-Rush | Cannot write file \"" +
                             dir.Path("inst/quilrush.ini") + "\". It is a link to \"" +
                             fs::canonical(elsewhere).string() + "\", outside its folder."),
              std::string::npos)
        << out.str();
}

TEST_F(Startup, ADamagedStringFileIsPassedOverAndNeverNamesTheLanguage) {
    // Too short to hold the language names: not a string file to choose.
    dir.Write("prog/str/qr_bad.str", "Broken\n-\nenu deu\n");
    IniFile(dir.Path("inst/quilrush.ini")).WriteString("Options", "Working language", "Broken");
    EXPECT_EQ(Run("state\n"), kExitOk);
    EXPECT_NE(out.str().find("\"workingLanguage\":\"English\""), std::string::npos) << out.str();

    // Even the fallback may be damaged: what it says is no language name to keep.
    dir.Write("prog/str/qr_eng.str", "");
    IniFile(dir.Path("inst/quilrush.ini")).WriteString("Options", "Working language", "Deutsch");
    EXPECT_EQ(Run("state\n"), kExitOk);
    EXPECT_EQ(Ini("Options", "Working language"), "Deutsch");
}

TEST_F(Startup, TemporaryFilesOfKilledSavesAreRemovedAndNothingElse) {
    pid_t gone = fork();
    if (gone == 0) _exit(0);
    waitpid(gone, nullptr, 0);
    const std::string stale = kTemporaryPrefix + std::to_string(gone) + "-h4lf00";
    for (const char* folder : {"inst/", "inst/dat/", "inst/lists/", ""})
        dir.Write(folder + stale, "half");
    // Other programs' files that only look like temporary ones, in the folders the game
    // cleans (the registry file's folder may be the home folder).
    const std::string essay = "essay.odt.tmp" + std::to_string(gone) + "_1";
    dir.Write(essay, "the player's work");
    dir.Write("inst/" + essay, "the player's work");
    EXPECT_EQ(Run("state\n"), kExitOk);
    for (const std::string& folder :
         {dir.Path(), dir.Path("inst"), dir.Path("inst/dat"), dir.Path("inst/lists")})
        for (const auto& e : std::filesystem::directory_iterator(folder))
            EXPECT_NE(e.path().filename().string().rfind(kTemporaryPrefix, 0), 0u) << e.path();
    EXPECT_EQ(dir.Read(essay), "the player's work");
    EXPECT_EQ(dir.Read("inst/" + essay), "the player's work");
}

TEST_F(Startup, AnUnsafeRuntimeFolderCostsOnlyTheWakeUpChannel) {
    namespace fs = std::filesystem;
    // The runtime folder is another's, and the private folder in TMPDIR a link: the game
    // trusts neither for its wake-up socket, and still runs (the lock is the installation
    // folder's).
    fs::create_directories(dir.Path("shared"));
    fs::permissions(dir.Path("shared"), fs::perms::all);
    setenv("XDG_RUNTIME_DIR", dir.Path("shared").c_str(), 1);
    setenv("TMPDIR", dir.Path("tmp").c_str(), 1);
    fs::create_directories(dir.Path("tmp"));
    const std::string lockFolder = dir.Path("tmp/quilrush-" + std::to_string(getuid()));
    fs::create_symlink(dir.Path("shared"), lockFolder);
    EXPECT_EQ(Run("state\n"), kExitOk);
    EXPECT_EQ(out.str().find("DIALOG"), std::string::npos) << out.str();
    for (const auto& e : fs::directory_iterator(dir.Path("shared")))
        ADD_FAILURE() << "something was made in the unsafe folder: " << e.path();
    unsetenv("TMPDIR");
}

TEST_F(Startup, TheGamesOwnFolderIsMadeAgainWhenItHasGone) {
    namespace fs = std::filesystem;
    dir.Write("prog/lists/animals.qrw", "list");
    const std::string home = dir.Path("xdgdata/quilrush/");
    dir.Write("reg.ini", "[Software\\UVO! Software\\QuilRush]\nDirectory=" + home + "\n");
    EXPECT_EQ(Run("state\n"), kExitOk) << out.str();
    EXPECT_EQ(dir.Read("xdgdata/quilrush/lists/animals.qrw"), "list");
    EXPECT_TRUE(fs::exists(home + "quilrush.ini"));

    // XDG rules: a relative base is ignored (HOME's folder is used instead).
    fs::remove_all(dir.Path("reg.ini"));
    setenv("XDG_DATA_HOME", "relative/data", 1);
    const std::string realHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", dir.Path("home").c_str(), 1);
    EXPECT_EQ(Run("state\n"), kExitOk) << out.str();
    EXPECT_TRUE(fs::exists(dir.Path("home/.local/share/quilrush/lists/animals.qrw")));
    EXPECT_FALSE(fs::exists("relative"));
    setenv("HOME", realHome.c_str(), 1);

    // A folder whose name holds a line break is refused, and nothing is registered.
    fs::remove_all(dir.Path("reg.ini"));
    setenv("XDG_DATA_HOME", dir.Path("bad\nname").c_str(), 1);
    EXPECT_EQ(Run("state\n"), kExitStartupFailed);
    EXPECT_NE(out.str().find("its name holds a line break"), std::string::npos) << out.str();
    EXPECT_FALSE(fs::exists(dir.Path("reg.ini")));
}

TEST_F(Startup, BundledWordListsAreSeededAndCompletedOnEveryStart) {
    namespace fs = std::filesystem;
    const std::string home = dir.Path("xdgdata/quilrush/");
    fs::remove(dir.Path("reg.ini"));
    for (const char* name : {"kept.qrw", "edited.qrw", "deleted.qrw", "updated.qrw", "failed.qrw"})
        dir.Write(std::string("prog/lists/") + name, std::string("v1 ") + name);
    EXPECT_EQ(Run("state\n"), kExitOk) << out.str();
    EXPECT_TRUE(Lines().size() == 1) << out.str();

    // The player edits one list and deletes another; a copy that an earlier version left
    // empty (a full disk) is as good as none.
    dir.Write("xdgdata/quilrush/lists/edited.qrw", "mine");
    fs::remove(home + "lists/deleted.qrw");
    dir.Write("xdgdata/quilrush/lists/failed.qrw", "");
    std::string record = dir.Read("xdgdata/quilrush/seeded.txt");
    record.erase(record.find("failed.qrw") - 9, 20);
    dir.Write("xdgdata/quilrush/seeded.txt", record);
    // A new build brings new versions and a new list.
    for (const char* name : {"edited.qrw", "deleted.qrw", "updated.qrw", "new.qrw"})
        dir.Write(std::string("prog/lists/") + name, std::string("v2 ") + name);
    EXPECT_EQ(Run("state\n"), kExitOk) << out.str();
    EXPECT_EQ(dir.Read("xdgdata/quilrush/lists/kept.qrw"), "v1 kept.qrw");
    EXPECT_EQ(dir.Read("xdgdata/quilrush/lists/edited.qrw"), "mine");
    EXPECT_FALSE(fs::exists(home + "lists/deleted.qrw"));
    EXPECT_EQ(dir.Read("xdgdata/quilrush/lists/updated.qrw"), "v2 updated.qrw");
    EXPECT_EQ(dir.Read("xdgdata/quilrush/lists/failed.qrw"), "v1 failed.qrw");
    EXPECT_EQ(dir.Read("xdgdata/quilrush/lists/new.qrw"), "v2 new.qrw");

    // A copy that cannot be made is named with the reason, and made at a later start.
    fs::remove(home + "lists/new.qrw");
    record = dir.Read("xdgdata/quilrush/seeded.txt");
    record.erase(record.find("new.qrw") - 9, 17);
    dir.Write("xdgdata/quilrush/seeded.txt", record);
    fs::create_directories(home + "lists/new.qrw/in-the-way");
    EXPECT_EQ(Run("state\n"), kExitOk);
    EXPECT_EQ(Lines()[0], "DIALOG Quill-Rush | Cannot copy the word list \"" +
                              dir.Path("prog/lists/new.qrw") + "\" to \"" + home +
                              "lists/new.qrw\": Cannot write file \"" + home +
                              "lists/new.qrw\". Is a directory | OK -> OK");
    fs::remove_all(home + "lists/new.qrw");
    EXPECT_EQ(Run("state\n"), kExitOk);
    EXPECT_EQ(dir.Read("xdgdata/quilrush/lists/new.qrw"), "v2 new.qrw");
}

TEST_F(Startup, DamagedDataFilesAreNamedWithTheReason) {
    namespace fs = std::filesystem;
    const std::string base = dir.Path("prog");
    // Only the compiled form is shipped, as an installation may do.
    auto compiledScript = [&](const std::vector<uint8_t>& bytes) {
        fs::remove(base + "/dat/init.txt");
        dir.Write("prog/dat/init.dat", std::string(bytes.begin(), bytes.end()));
    };
    struct Case {
        const char* what;
        std::function<void()> damage;
        std::string said;
    } cases[] = {
        {"game library cut short", [&] { fs::resize_file(base + "/imglib/game.px8", 700); },
         "Quill-Rush encountered a problem on start-up: Stream read error: \"" + base +
             "/imglib/game.px8\": the file ends too early"},
        {"compiled world script empty", [&] { compiledScript({}); },
         "Quill-Rush encountered a problem on start-up: Cannot read the world script \"" + base +
             "/dat/init.dat\": the file is empty."},
        {"compiled world script is plain text",
         [&] {
             compiledScript({'B', 'E', 'G', 'I', 'N', ' ', 'h', 'o', 'm', 'e', '\n'});
         },
         "Quill-Rush encountered a problem on start-up: Cannot read the world script \"" + base +
             "/dat/init.dat\": it is not a compiled file."},
        {"compiled world script whose last line runs past the end",
         [&] {
             std::vector<uint8_t> bytes = TObfText::CompileLines({"BEGIN home"});
             TObfText::Unscramble(bytes);
             bytes[0] = 40;
             TObfText::Scramble(bytes);
             compiledScript(bytes);
         },
         "Quill-Rush encountered a problem on start-up: Cannot read the world script \"" + base +
             "/dat/init.dat\": the file ends too early."},
        {"compiled world script without its end padding",
         [&] {
             std::vector<uint8_t> bytes = {4, 'a', 'b', 'c', 'd', 2, 'e', 'f'};
             TObfText::Scramble(bytes);
             compiledScript(bytes);
         },
         "Quill-Rush encountered a problem on start-up: Cannot read the world script \"" + base +
             "/dat/init.dat\": the file is damaged."},
        {"compiled world script without a room to start in",
         [&] {
             compiledScript(TObfText::CompileLines({"BEGIN nowhere", "ROOM HOME Home"}));
         },
         "Quill-Rush encountered a problem on start-up: Cannot read the world script \"" + base +
             "/dat/init.dat\": it has no room \"NOWHERE\" to start in."},
        {"world script text naming no start room",
         [&] { dir.Write("prog/dat/init.txt", "ROOM HOME Home\n"); },
         "Quill-Rush encountered a problem on start-up: Cannot read the world script \"" + base +
             "/dat/init.txt\": it names no room to start in."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(base);
        fs::copy(std::string(QR_SOURCE_DIR) + "/tests/fixtures/world", base,
                 fs::copy_options::recursive);
        c.damage();
        prepare = [](TFormMain& form) { InstallWorldSteps(form, {}, GameRooms(form, {})); };
        EXPECT_EQ(Run("state\n"), kExitStartupFailed);
        EXPECT_EQ(Lines(),
                  std::vector<std::string>{"DIALOG Quill-Rush | " + c.said + " | OK -> OK"});
    }
}

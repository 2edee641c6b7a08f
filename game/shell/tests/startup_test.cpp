// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and shut-down of the game, driven headless over small fixture installations.
#include <gtest/gtest.h>
#include <sstream>

#include "foundation/uvo_exception.h"
#include "game/shell/headless_driver.h"
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
         "\"Software\\UVO! Software\\QuilRush\\Directory\". Please re-install and try again. | OK "
         "-> OK"},
        {"installation folder gone",
         [&] {
             dir.Write("reg.ini",
                       "[Software\\UVO! Software\\QuilRush]\nDirectory=" + base + "/gone\n");
         },
         32,
         "DIALOG Quill-Rush | Unable to locate installation folder \"" + base +
             "/gone\". Please re-install and try again. | OK -> OK"},
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
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        dir.Write("reg.ini", registered);
        dir.Write("prog/dat/sounds.txt", "1 hello.wav\n");
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
    SingleInstance running("QRL32");
    ASSERT_TRUE(running.Acquire());
    EXPECT_EQ(Run("state\n"), kExitAlreadyRunning);
    EXPECT_EQ(out.str(), "");
}

TEST_F(Startup, DevelopmentHomeServesAsBothRoots) {
    dir.Write("dev/QuilRush/dat/sounds.txt", "1 a.wav\n");
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
    EXPECT_EQ(Run("tick x\n"), kExitUsage);
    EXPECT_EQ(Lines(), std::vector<std::string>{"DRIVER line 1: tick needs a number of steps"});
    EXPECT_EQ(Run("# comment\n\nfly away\n"), kExitUsage);
    EXPECT_EQ(Lines(), std::vector<std::string>{"DRIVER line 3: unknown command \"fly\""});
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The high-score tables: the order of entries, the keys that keep tables apart, saving,
// and files with damaged lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "foundation/obf_text.h"
#include "foundation/stream.h"
#include "game/gameplay/high_score_man.h"
#include "test_support/temp_dir.h"
#include "wordlist/word_list.h"

namespace qr {
namespace {

std::vector<std::pair<std::string, int32_t>> Table(const THighScoreMan& m) {
    std::vector<std::pair<std::string, int32_t>> t;
    for (int place = 1; place <= 10; ++place)
        t.emplace_back(m.GetInitials(place), m.GetScore(place));
    return t;
}

TEST(HighScores, ANewTableIsEmptyAndScoresEnterInOrderWithTiesBelow) {
    THighScoreMan m("");
    m.SelectTable("Animals", "uvo", 2, "32", "ICONS");
    std::string empty;
    for (int i = 0; i < 10; ++i)
        empty += "---000000";
    EXPECT_EQ(m.Lines()[0], empty + "#=ANIMALS&+UVO^:ICONS*@32!?2");
    EXPECT_FALSE(m.AddScore("ZED", 0)) << "nothing is lower than 0";
    EXPECT_EQ(m.LastPlace(), 0);

    const std::pair<const char*, int32_t> adds[] = {
        {"AAA", 50}, {"BBB", 30}, {"CCC", 40}, {"DDD", 30}, {"EEE", 50}};
    const int places[] = {1, 2, 2, 4, 2};
    for (size_t i = 0; i < std::size(adds); ++i) {
        EXPECT_TRUE(m.AddScore(adds[i].first, adds[i].second));
        EXPECT_EQ(m.LastPlace(), places[i]) << adds[i].first;
    }
    auto t = Table(m);
    EXPECT_EQ(t[0], (std::pair<std::string, int32_t>{"AAA", 50}));
    EXPECT_EQ(t[1], (std::pair<std::string, int32_t>{"EEE", 50}));
    EXPECT_EQ(t[2], (std::pair<std::string, int32_t>{"CCC", 40}));
    EXPECT_EQ(t[3], (std::pair<std::string, int32_t>{"BBB", 30}));
    EXPECT_EQ(t[4], (std::pair<std::string, int32_t>{"DDD", 30}));
    EXPECT_EQ(t[5], (std::pair<std::string, int32_t>{"---", 0}));

    // A full table drops its tenth entry; a score below all of them does not enter.
    for (int i = 0; i < 5; ++i)
        m.AddScore("FIL", 20);
    EXPECT_TRUE(m.AddScore("NEW", 45));
    EXPECT_EQ(Table(m)[9], (std::pair<std::string, int32_t>{"FIL", 20}));
    EXPECT_EQ(m.GetInitials(10), "FIL");
    EXPECT_FALSE(m.AddScore("LOW", 20));
    EXPECT_EQ(m.LastPlace(), 0);
    EXPECT_EQ(m.Lines()[0].size(), 90u + std::string("#=ANIMALS&+UVO^:ICONS*@32!?2").size());

    // Scores past six digits would break the line; they are stored as the most it holds.
    EXPECT_TRUE(m.AddScore("BIG", 12345678));
    EXPECT_EQ(m.GetScore(1), 999999);
    m.ClearTable();
    EXPECT_EQ(Table(m)[0], (std::pair<std::string, int32_t>{"---", 0}));
    EXPECT_EQ(m.Lines().size(), 1u);
}

TEST(HighScores, InitialsAreCutAndPadded) {
    THighScoreMan m("");
    m.SelectTable("t", "h", 1, "a", "c");
    m.AddScore("ABCDE", 10);
    m.AddScore("Z", 5);
    m.AddScore("", 1);
    EXPECT_EQ(m.GetInitials(1), "ABC");
    EXPECT_EQ(m.GetInitials(2), "Z  ");
    EXPECT_EQ(m.GetInitials(3), "   ");
    m.SetInitials(2, "xy");
    m.SetInitials(3, "LONGER");
    m.SetInitials(11, "no");
    m.SetInitials(0, "no");
    EXPECT_EQ(m.GetInitials(2), "xy ");
    EXPECT_EQ(m.GetInitials(3), "LON");
    EXPECT_EQ(m.GetScore(3), 1);
    EXPECT_EQ(m.GetInitials(0), "");
    EXPECT_EQ(m.GetScore(11), 0);
}

TEST(HighScores, TheLastEntryBelongsToItsOwnTableOnly) {
    // The start room highlights LastPlace and gives it the player's initials: in another
    // table, or after a clear, that place holds somebody else's score or none.
    THighScoreMan m("");
    m.SelectTable("Animals", "uvo", 2, "1", "2");
    m.AddScore("AAA", 50);
    m.AddScore("BBB", 40);
    ASSERT_EQ(m.LastPlace(), 2);
    m.SelectTable("ANIMALS", "UVO", 2, "1", "2");
    EXPECT_EQ(m.LastPlace(), 2) << "the same table again";
    m.SelectTable("Animals", "uvo", 3, "1", "2");
    EXPECT_EQ(m.LastPlace(), 0);
    m.SelectTable("Animals", "uvo", 2, "1", "2");
    m.AddScore("CCC", 45);
    m.ClearTable();
    EXPECT_EQ(m.LastPlace(), 0);
}

TEST(HighScores, KeysKeepSpeedsAndIconUseApartAndIgnoreCase) {
    EXPECT_EQ(THighScoreMan::MakeKey("Les animaux", "uvo-fr", 3, "0", "32"),
              "#=LES ANIMAUX&+UVO-FR^:32*@0!?3");
    THighScoreMan m("");
    auto select = [&](const char* title, int speed, const char* clue) {
        m.SelectTable(title, "uvo", speed, "1", clue);
        return m.Current();
    };
    const int32_t base = select("Animals", 1, "0");
    m.AddScore("ONE", 10);
    EXPECT_NE(select("Animals", 2, "0"), base);
    EXPECT_EQ(m.GetScore(1), 0);
    EXPECT_NE(select("Animals", 1, "ICONS"), base);
    EXPECT_EQ(m.GetScore(1), 0);
    EXPECT_EQ(select("aNiMaLs", 1, "0"), base) << "a title changed only in case keeps its table";
    EXPECT_EQ(m.GetScore(1), 10);
    EXPECT_EQ(m.Lines().size(), 3u);
}

TEST(HighScores, LanguageKeysFollowTheListTypeAndTheSettings) {
    THighScoreLanguages settings;
    settings.ClueNumber = 3;
    settings.ClueName = "Spanish";
    settings.AnswerNumber = 255;
    settings.AnswerName = "Latin";
    EXPECT_EQ(HighScoreClueKey(nullptr, settings), "///");
    EXPECT_EQ(HighScoreAnswerKey(nullptr, settings), "///");

    TQRWordList quiz;
    quiz.SetListType(TListType::Quiz);
    quiz.SetTitle("Capitals \xe9t\xe9");
    quiz.SetHandle("uvo");
    quiz.SetPrimaryLanguage("Klingon"); // no standard number: the name stands for it
    EXPECT_EQ(HighScoreClueKey(&quiz, settings), "Klingon");
    EXPECT_EQ(HighScoreAnswerKey(&quiz, settings), "Klingon");

    TQRWordList vocabulary;
    vocabulary.SetListType(TListType::Vocabulary);
    EXPECT_EQ(HighScoreClueKey(&vocabulary, settings), "3");
    EXPECT_EQ(HighScoreAnswerKey(&vocabulary, settings), "Latin");
    settings.UseIcons = true;
    EXPECT_EQ(HighScoreClueKey(&vocabulary, settings), "ICONS");
    EXPECT_EQ(HighScoreAnswerKey(&vocabulary, settings), "Latin");

    THighScoreMan m("");
    SelectHighScoreTable(m, &quiz, quiz.Title(), settings, 2);
    EXPECT_EQ(m.Lines()[0].substr(90), "#=CAPITALS \xc9T\xc9&+UVO^:ICONS*@Klingon!?2");
}

TEST(HighScores, TablesSurviveSavingWithEveryByteOfTheirInitials) {
    test::TempDir dir;
    const std::string file = dir.Path("dat/hiscores.dat"); // dat/ does not exist yet
    const std::string special = std::string("\x81\x0A", 2) + "Q";
    const std::string longTitle(300, 'w');
    {
        THighScoreMan m(file);
        EXPECT_TRUE(m.Lines().empty()) << "no file yet";
        m.SelectTable("Animals", "uvo", 1, "1", "0");
        m.AddScore(special, 77);
        m.SelectTable(longTitle, "uvo", 1, "1", "0");
        m.AddScore("LNG", 5);
    } // saved here
    ASSERT_TRUE(std::filesystem::exists(file));
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path("dat")))
        EXPECT_TRUE(entry.path().filename() == "hiscores.dat" ||
                    entry.path().filename() == "hiscores.bak")
            << "no temporary file is left: " << entry.path();
    EXPECT_EQ(std::string(dir.Read("dat/hiscores.dat")).find("ANIMALS"), std::string::npos)
        << "the file is stored scrambled";

    THighScoreMan again(file);
    ASSERT_EQ(again.Lines().size(), 2u);
    again.SelectTable("animals", "UVO", 1, "1", "0");
    EXPECT_EQ(again.GetInitials(1), special);
    EXPECT_EQ(again.GetScore(1), 77);
    again.SelectTable(longTitle, "uvo", 1, "1", "0");
    EXPECT_EQ(again.GetScore(1), 5) << "a key too long for the file still finds its table";
    EXPECT_EQ(again.Lines().size(), 2u);

    // A folder that cannot be made is no reason to fail at shut-down.
    dir.Write("plain", "a file where a folder should be");
    EXPECT_NO_THROW({
        THighScoreMan lost(dir.Path("plain/dat/hiscores.dat"));
        lost.SelectTable("t", "h", 1, "a", "c");
    });
    EXPECT_THROW(
        {
            THighScoreMan lost(dir.Path("plain/dat/hiscores.dat"));
            lost.Save();
        },
        std::exception);
}

TEST(HighScores, ADamagedLineBecomesAnEmptyTableUnderItsKeyAndTheOthersStay) {
    std::string good = "AAA000100";
    for (int i = 1; i < 10; ++i)
        good += "---000000";
    const std::string goodLine = good + "#=GOOD&+H^:1*@1!?1";
    std::string badDigit = goodLine;
    badDigit[5] = 'x';
    badDigit.replace(90, std::string::npos, "#=BAD&+H^:1*@1!?1");
    const std::vector<std::string> lines = {
        goodLine,
        badDigit,
        "AAA0001#=SHORT&+H^:1*@1!?1", // bytes lost: the key is found where it starts
        "no key at all",
        good.substr(0, 89) + "#=SHIFTED&+H^:1*@1!?1", // one byte lost in the entries
    };
    THighScoreMan m("");
    m.LoadFromBytes(TObfText::CompileLines(lines));
    ASSERT_EQ(m.Lines().size(), 4u);
    m.SelectTable("good", "h", 1, "1", "1");
    EXPECT_EQ(m.Current(), 0);
    EXPECT_EQ(m.GetScore(1), 100);
    for (const char* title : {"bad", "short", "shifted"}) {
        m.SelectTable(title, "h", 1, "1", "1");
        EXPECT_GT(m.Current(), 0) << title;
        EXPECT_EQ(m.GetScore(1), 0) << title;
        EXPECT_EQ(m.GetInitials(1), "---") << title;
        EXPECT_TRUE(m.AddScore("NEW", 3)) << title;
    }
    EXPECT_EQ(m.Lines().size(), 4u) << "every damaged table was found again by its key";

    // Bytes that are no compiled file at all give no tables, not a crash.
    m.LoadFromBytes({1, 2, 3, 250, 7});
    m.SelectTable("x", "y", 1, "1", "1");
    EXPECT_EQ(m.Lines().size(), m.Current() + 1u);
}

// Every single-bit flip of a saved file: the tables come back as they were saved, from the
// copy the save left beside it, and the table repaired is named.
TEST(HighScores, AFlippedBitIsRepairedFromTheBackup) {
    test::TempDir dir;
    const std::string file = dir.Path("dat/hiscores.dat");
    std::vector<std::string> saved;
    {
        THighScoreMan m(file);
        m.SelectTable("Capitals", "uvo", 2, "0", "0");
        for (int score : {900, 450, 120})
            m.AddScore("QIZ", score);
        m.SelectTable("Animals", "uvo", 1, "1", "ICONS");
        m.AddScore("ANA", 77);
        saved = m.Lines();
    }
    std::sort(saved.begin(), saved.end());
    const std::string bytes = dir.Read("dat/hiscores.dat");
    const std::string copy = dir.Read("dat/hiscores.bak");
    int repaired = 0;
    for (size_t bit = 0; bit < bytes.size() * 8; ++bit) {
        std::string flipped = bytes;
        flipped[bit / 8] = char(flipped[bit / 8] ^ (1 << (bit % 8)));
        dir.Write("dat/hiscores.dat", flipped);
        dir.Write("dat/hiscores.bak", copy);
        THighScoreMan m(file);
        std::vector<std::string> lines = m.Lines();
        std::sort(lines.begin(), lines.end());
        ASSERT_EQ(lines, saved) << "bit " << bit;
        for (const std::string& r : m.Repairs())
            EXPECT_TRUE(r.find("\"#=CAPITALS&+UVO^:0*@0!?2\"") != std::string::npos ||
                        r.find("\"#=ANIMALS&+UVO^:ICONS*@1!?1\"") != std::string::npos)
                << r;
        repaired += !m.Repairs().empty();
    }
    EXPECT_GT(repaired, int(bytes.size()));
    // A damaged copy is passed over for the file; a file without its copy keeps what is
    // whole, and a damaged table starts again empty with a word.
    std::string badCopy = copy;
    badCopy[copy.size() / 2] = char(badCopy[copy.size() / 2] ^ 0x01);
    dir.Write("dat/hiscores.dat", bytes);
    dir.Write("dat/hiscores.bak", badCopy);
    {
        THighScoreMan m(file);
        EXPECT_TRUE(m.Repairs().empty());
        std::vector<std::string> lines = m.Lines();
        std::sort(lines.begin(), lines.end());
        EXPECT_EQ(lines, saved);
    }
    std::filesystem::remove(dir.Path("dat/hiscores.bak"));
    std::string damaged = saved[0];
    damaged[4] = 'x';
    const std::vector<uint8_t> compiled = TObfText::CompileLines({damaged, saved[1]});
    dir.Write("dat/hiscores.dat", std::string(compiled.begin(), compiled.end()));
    THighScoreMan m(file);
    ASSERT_EQ(m.Repairs().size(), 1u);
    EXPECT_NE(m.Repairs()[0].find("starts again empty"), std::string::npos) << m.Repairs()[0];
}

// A kill between the two saves leaves the copy newer than the file: the copy's tables win.
TEST(HighScores, AKillBetweenTheTwoSavesKeepsTheNewerTables) {
    test::TempDir dir;
    const std::string file = dir.Path("hiscores.dat");
    {
        THighScoreMan m(file);
        m.SelectTable("Animals", "uvo", 1, "1", "1");
        m.AddScore("OLD", 10);
    }
    const std::string oldFile = dir.Read("hiscores.dat");
    {
        THighScoreMan m(file);
        m.SelectTable("Animals", "uvo", 1, "1", "1");
        m.AddScore("NEW", 20);
    }
    dir.Write("hiscores.dat", oldFile);
    THighScoreMan m(file);
    m.SelectTable("Animals", "uvo", 1, "1", "1");
    EXPECT_EQ(m.GetInitials(1), "NEW");
    EXPECT_EQ(m.GetInitials(2), "OLD");
}

} // namespace
} // namespace qr

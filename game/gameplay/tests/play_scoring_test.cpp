// SPDX-License-Identifier: GPL-3.0-or-later
// Scoring, bonus cards, the score display, the tally with its failed rows and lives, the
// end of a level and of the game, and the control panel.
#include <algorithm>

#include "play_fixture.h"

namespace qr::testing {
namespace {

using namespace play_timer;

class PlayScoring : public PlayRulesTest {
  protected:
    // Plays the level, clicking every card at once except those of `missed`, which are
    // left to be forced on their third showing. Ends when the visit ends.
    void PlayLevelMissing(const std::string& missed, int maxTicks = 40000) {
        for (int i = 0; i < maxTicks && !host.roomLeft; ++i) {
            if (rules.Mode == kModePlaying && rules.Scene == 2 && !rules.LetterQueue.empty()) {
                const uint8_t letter = uint8_t(rules.LetterQueue[0]);
                if (rules.ShowCounts[letter] > 0 && missed.find(char(letter)) == std::string::npos)
                    ClickLetter(letter);
            }
            host.Tick();
        }
        ASSERT_TRUE(host.roomLeft) << "the level did not end";
    }
    // The tally line of the row holding this answer.
    std::string TallyOf(const std::string& answer) {
        return "TALLY " + std::to_string(Row(answer));
    }
    std::string TallyLine(int row) const {
        for (const std::string& line : host.reports)
            if (line.rfind("TALLY " + std::to_string(row) + " ", 0) == 0) return line;
        return "";
    }
    void MakeCurrent(uint8_t letter, uint8_t shown) {
        rules.LetterQueue.erase(rules.LetterQueue.find(char(letter)), 1);
        rules.LetterQueue.insert(0, 1, char(letter));
        rules.ShowCounts[letter] = shown;
    }
    // A visible card of the kind on the first hidden cell of the letter.
    void PutCard(TBonusKind kind, uint8_t letter, int life = 3) {
        auto [r, c] = HiddenCell(letter);
        ASSERT_NE(r, 0);
        rules.BonusFrame = 0;
        rules.BonusKind = kind;
        rules.BonusRow = r;
        rules.BonusCol = c;
        rules.BonusLife = life;
        rules.BonusPoints = 1600;
    }
};

TEST_F(PlayScoring, APerfectLevelTalliesSixTimesEachPositionAndLosesNoLife) {
    AddLevel({"ab", "c d", "[e]f", "gh", "ij"});
    AddLevel({"kl", "mn", "op", "qr", "st"});
    Enter();
    PlayLevelPerfectly();
    EXPECT_EQ(host.room, "PLAY");
    EXPECT_EQ(rules.LevelIndex, 1);
    EXPECT_EQ(host.lives, 5);
    // Positions count every character; shown ones ("[e]", the blank) score nothing.
    EXPECT_EQ(TallyLine(Row("ab")), TallyOf("ab") + " 18");
    EXPECT_EQ(TallyLine(Row("c d")), TallyOf("c d") + " 24");
    EXPECT_EQ(TallyLine(Row("ef")), TallyOf("ef") + " 12");
    EXPECT_EQ(host.runningScore, rules.Score);
    EXPECT_EQ(ReportsStartingWith("SCORE ").back(), "SCORE " + std::to_string(rules.Score));
    // The tally's totals stay on the board as lasting popups of style 2.
    EXPECT_EQ(std::count(host.popupStyles.begin(), host.popupStyles.end(), 2), 5);
}

TEST_F(PlayScoring, AForcedLetterFailsItsRowAndCostsALife) {
    AddLevel({"ab", "cd", "ef", "gh", "ij"});
    AddLevel({"kl", "mn", "op", "qr", "st"});
    Enter();
    PlayLevelMissing("c");
    EXPECT_EQ(TallyLine(Row("cd")), TallyOf("cd") + " failed");
    EXPECT_EQ(TallyLine(Row("ab")), TallyOf("ab") + " 18");
    EXPECT_EQ(host.lives, 4);
    EXPECT_EQ(ReportsStartingWith("LIVES ").back(), "LIVES 4");
    EXPECT_EQ(host.room, "PLAY") << "a life is left, so the game goes on";
}

TEST_F(PlayScoring, WithOneLifeOnlyTheFirstFailedRowCostsItAndTheRestFail) {
    AddLevel({"ab", "cd", "ef", "gh", "ij"});
    AddLevel({"kl", "mn", "op", "qr", "st"});
    host.lives = 1;
    Enter();
    PlayLevelMissing("cg");
    const int first = std::min(Row("cd"), Row("gh"));
    for (int r = 1; r <= 5; ++r) {
        if (r < first)
            EXPECT_EQ(TallyLine(r).substr(8), "18") << r;
        else
            EXPECT_EQ(TallyLine(r).substr(8), "failed") << r;
    }
    EXPECT_EQ(ReportsStartingWith("LIVES ").size(), 1u);
    EXPECT_EQ(host.lives, 0);
    EXPECT_EQ(host.room, "MODSTART");
    ASSERT_EQ(host.highScores.size(), 1u);
    EXPECT_EQ(host.highScores[0], rules.Score);
}

// A failed row belongs to its level: the next level, and the first level of the game
// after a lost one, draw their letters in the normal fonts.
TEST_F(PlayScoring, AFailedRowIsForgottenWhenTheNextLevelBegins) {
    AddLevel({"a[b]", "c[d]", "e[f]", "g[h]", "i[j]"});
    AddLevel({"k[l]", "m[n]", "o[p]", "q[r]", "s[t]"});
    host.lives = 1;
    Enter();
    PlayLevelMissing("c");
    ASSERT_EQ(host.room, "MODSTART") << "the last life went with the failed row";
    for (int32_t levelIndex : {1, 0}) { // the next level; a new game after the lost one
        SCOPED_TRACE(levelIndex);
        rules.LevelIndex = levelIndex;
        host.lives = 5;
        host.list.ClearUsedMarks();
        Enter();
        for (int r = 1; r <= 5; ++r) {
            // Shown from the start, so drawn before anything is placed.
            const TCellLook shown = rules.CellLook(r, 2);
            ASSERT_EQ(shown.kind, TCellLook::Letter) << r;
            EXPECT_NE(shown.font, 3) << "row " << r << " is drawn as failed";
        }
    }
}

TEST_F(PlayScoring, TheLastLevelEndsInTheDiplomaWithTheScoreInTheTable) {
    AddLevel({"ab", "cd", "ef", "gh", "ij"});
    AddLevel({"kl", "mn", "op", "qr", "st"});
    Enter();
    PlayLevelPerfectly();
    ASSERT_EQ(host.room, "PLAY");
    const int32_t afterFirst = host.runningScore;
    Enter();
    EXPECT_EQ(rules.Score, afterFirst) << "the score carries over";
    PlayLevelPerfectly();
    EXPECT_EQ(host.room, "DIPLOMA");
    ASSERT_EQ(host.highScores.size(), 1u);
    EXPECT_EQ(host.highScores[0], host.runningScore);
    EXPECT_GT(host.runningScore, afterFirst);
}

TEST_F(PlayScoring, AListWithoutLevelsPlaysOneLevelAndStops) {
    // The list's words are in group 0, which a list with no levels still plays.
    host.list.AddClueWord("c", "ab", 0);
    for (const char* w : {"cd", "ef", "gh", "ij"})
        host.list.AddClueWord("c", w, 0);
    ASSERT_EQ(host.list.LevelCount(), 0u);
    Enter();
    PlayLevelPerfectly();
    EXPECT_EQ(host.room, "DIPLOMA");
    EXPECT_EQ(rules.LevelIndex, 0);
}

TEST_F(PlayScoring, PlacementPointsFollowShowCountSpeedAndMultiplier) {
    AddLevel({"ab", "cd", "ef", "gh", "ij"});
    host.settings.speed = 3;
    Enter();
    struct Case {
        uint8_t shown;
        int32_t timeBonus;
        int32_t multiplier;
        int32_t points;
    } cases[] = {
        {1, 100, 1, 100 * 3 * 3 + 125},     {2, 100, 1, 100 * 3 * 2 + 50},
        {3, 100, 1, 100 * 3 * 1},           {1, 500, 1, 200 * 3 * 3 + 125}, // capped at 200
        {1, 10, 3, (10 * 3 * 3 + 125) * 3}, {4, 100, 1, 0},
    };
    const char letters[] = "acegi!";
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const uint8_t letter = uint8_t(letters[i]);
        if (letter == '!') {
            // Shown four times (it cannot happen in play): worth nothing at all.
            rules.LetterQueue.insert(0, 1, 'b');
            rules.ShowCounts['b'] = 4;
        } else {
            MakeCurrent(letter, c.shown);
        }
        rules.Multiplier = c.multiplier;
        const int32_t before = rules.Score;
        rules.PlaceLetter(uint8_t(rules.LetterQueue[0]), {0, 0}, c.timeBonus);
        EXPECT_EQ(rules.Score - before, c.points) << i;
    }
    EXPECT_TRUE(rules.HadRepeats);
}

TEST_F(PlayScoring, ALifeTokenMakesTheNextCardAnExtraLifeWhichCanStillExpire) {
    AddLevel({"ab", "cd", "ef", "gh", "ij"});
    host.lives = 3;
    Enter();
    ASSERT_TRUE(UntilCardUp());
    const uint8_t letter = uint8_t(rules.LetterQueue[0]);
    PutCard(TBonusKind::LifeToken, letter);
    auto [r, c] = HiddenCell(letter);
    const int32_t before = rules.Score;
    const size_t placeLines = ReportsStartingWith("PLACE").size();
    ASSERT_TRUE(rules.CellClick(r, CellX(c), 5));
    EXPECT_EQ(ReportsStartingWith("BONUS take 2 30").size(), 1u);
    EXPECT_TRUE(rules.ExtraLifeNext);
    EXPECT_EQ(host.lives, 3) << "the token itself gives no life";
    ASSERT_EQ(ReportsStartingWith("PLACE").size(), placeLines + 1);
    const std::string place = ReportsStartingWith("PLACE").back();
    EXPECT_EQ(rules.Score - before, 30 + std::stoi(place.substr(8)));
    EXPECT_EQ(rules.BonusFrame, -1);
    EXPECT_EQ(host.TimeLeft(kBonusCard), -1);

    // The next card offered is the extra life, whatever else the dice say.
    rules.BonusFrame = -1;
    for (uint32_t seed = 0; rules.ExtraLifeNext && seed < 200; ++seed) {
        GameRandom().SetSeed(seed);
        rules.OfferBonusCard();
    }
    ASSERT_FALSE(rules.ExtraLifeNext);
    EXPECT_EQ(rules.BonusKind, TBonusKind::ExtraLife);
    // Unclaimed, it runs out like any card and no life comes of it.
    rules.BonusFrame = 0;
    while (rules.BonusFrame >= 0)
        rules.BonusCountdown();
    EXPECT_EQ(host.lives, 3);
    EXPECT_EQ(host.sounds.back(), 23);
}

TEST_F(PlayScoring, CardsPayByKind) {
    struct Case {
        TBonusKind kind;
        int32_t points;
        int lives;
        int32_t multiplier;
    } cases[] = {
        {TBonusKind::Points, 1600, 4, 1},  {TBonusKind::ExtraLife, 500, 5, 1},
        {TBonusKind::Double, 400, 4, 2},   {TBonusKind::Triple, 1000, 4, 3},
        {TBonusKind::LifeToken, 30, 4, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.kind));
        host.list.Reset();
        while (host.list.LevelCount() > 0)
            host.list.DeleteLevel(0);
        AddLevel({"ab", "cd", "ef", "gh", "ij"});
        host.lives = 4;
        Enter();
        ASSERT_TRUE(UntilCardUp());
        const uint8_t letter = uint8_t(rules.LetterQueue[0]);
        PutCard(c.kind, letter);
        auto [r, col] = HiddenCell(letter);
        // Bonus points are not multiplied: only the placement that follows is.
        rules.CheckBonusClick(r, col, {100, 100});
        EXPECT_EQ(ReportsStartingWith("BONUS take").back(),
                  "BONUS take " + std::to_string(int(c.kind)) + " " + std::to_string(c.points));
        EXPECT_EQ(host.lives, c.lives);
        EXPECT_EQ(rules.Multiplier, c.multiplier);
        EXPECT_EQ(host.frames["MULTI"], c.multiplier - 1);
        EXPECT_EQ(host.sounds.back(), 22);
    }
}

TEST_F(PlayScoring, ACardOnAnotherCellIsLostAndOneForAnotherLetterStays) {
    AddLevel({"ab", "cd", "ef", "gh", "ij"});
    Enter();
    ASSERT_TRUE(UntilCardUp());
    const uint8_t letter = uint8_t(rules.LetterQueue[0]);
    const uint8_t other = uint8_t(rules.LetterQueue[1]);
    // A card on a cell of a letter still waiting is not touched by this click...
    PutCard(TBonusKind::Points, other, 3);
    auto [r, c] = HiddenCell(letter);
    rules.CheckBonusClick(r, c, {0, 0});
    EXPECT_EQ(rules.BonusFrame, 0);
    // ...but a card on the current letter's cell goes when another cell is clicked.
    rules.Answers[size_t(rules.BonusRow)][size_t(rules.BonusCol - 1)] = char(letter);
    rules.CheckBonusClick(r, c, {0, 0});
    EXPECT_EQ(rules.BonusFrame, -1);
    EXPECT_EQ(host.sounds.back(), 24);
}

TEST_F(PlayScoring, ARecountLowersTheShowCountsOfPlacedLettersSoTheirTallyRises) {
    AddLevel({"ab", "cd", "ef", "gh", "ij"});
    AddLevel({"kl", "mn", "op", "qr", "st"});
    Enter();
    ASSERT_TRUE(UntilCardUp());
    // "a" was placed on its second showing; "c" waits with two showings; "e" is current,
    // on its second showing.
    MakeCurrent('a', 2);
    rules.PlaceLetter('a', {0, 0}, 0);
    rules.ShowCounts['c'] = 2;
    MakeCurrent('e', 2);
    ASSERT_TRUE(rules.HadRepeats);
    PutCard(TBonusKind::Recount, 'e');
    auto [r, c] = HiddenCell('e');
    ASSERT_TRUE(rules.CellClick(r, CellX(c), 5));
    EXPECT_EQ(ReportsStartingWith("BONUS take 3 750").size(), 1u);
    EXPECT_EQ(rules.ShowCounts['a'], 1);
    EXPECT_EQ(rules.ShowCounts['c'], 2) << "letters still waiting keep their count";
    EXPECT_EQ(rules.ShowCounts['e'], 1);
    EXPECT_FALSE(rules.HadRepeats);
    PlayLevelMissing("");
    // Both letters of row "ab" count as first showings now: 6 x 1 + 6 x 2.
    EXPECT_EQ(TallyLine(Row("ab")), TallyOf("ab") + " 18");
}

TEST_F(PlayScoring, OfferedCardsLieOnAHiddenLettersCellWithinTheirLife) {
    AddLevel({"abcd", "efgh", "ijkl", "mnop", "qrst"});
    Enter();
    int offered = 0;
    for (uint32_t seed = 0; seed < 400; ++seed) {
        GameRandom().SetSeed(seed);
        rules.BonusFrame = -1;
        rules.BonusRow = 0;
        rules.SetMultiplier(1 + int(seed % 3));
        const std::string queue = rules.LetterQueue;
        rules.OfferBonusCard();
        if (rules.BonusRow == 0) continue;
        ++offered;
        const uint8_t letter =
            LowerChar(uint8_t(rules.Answers[size_t(rules.BonusRow)][size_t(rules.BonusCol - 1)]));
        const size_t k = queue.find(char(letter));
        ASSERT_NE(k, std::string::npos);
        EXPECT_GE(rules.BonusLife, 3);
        EXPECT_LE(rules.BonusLife, 5);
        EXPECT_LE(int(k) + 1, std::max(2 * rules.BonusLife, 1)) << "the k-th letter";
        EXPECT_NE(int(k) + 1, rules.BonusLife + 1);
        if (rules.BonusKind == TBonusKind::Double) {
            EXPECT_LT(rules.Multiplier, 2);
        }
        if (rules.BonusKind == TBonusKind::Triple) {
            EXPECT_NE(rules.Multiplier, 3);
        }
        if (rules.BonusKind == TBonusKind::Points) {
            EXPECT_EQ(rules.BonusPoints, 400 * (6 - rules.BonusLife) * (6 - rules.BonusLife));
        }
        EXPECT_EQ(rules.BonusFrame, -1) << "shown only when its timer first fires";
    }
    // Three in ten draws offer a card.
    EXPECT_GT(offered, 80);
    EXPECT_LT(offered, 160);
}

TEST_F(PlayScoring, TheScoreRollsUpDigitByDigitAndNeverDown) {
    AddLevel({"ab", "cd", "ef", "gh", "ij"});
    Enter();
    host.timers.clear();
    rules.Score = 1234;
    rules.ShownScore = 0;
    host.AddTimer(kScore, 1);
    std::vector<int32_t> shown;
    for (int i = 0; i < 200 && host.TimeLeft(kScore) >= 0; ++i) {
        Tick();
        shown.push_back(rules.ShownScore);
        if (rules.ShownScore != 1234) {
            EXPECT_TRUE(host.looping.count(16));
        }
    }
    EXPECT_EQ(rules.ShownScore, 1234);
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
    // 4 + 3 + 2 + 1 counted units, three ticks each, then one tick that finds nothing.
    EXPECT_EQ(shown.size(), 10u * 3 + 1);
    EXPECT_FALSE(host.looping.count(16));
    EXPECT_EQ(rules.ScoreDigit(3), 1);
    EXPECT_EQ(rules.ScoreDigit(6), 4);
}

TEST_F(PlayScoring, QuittingSendsEveryLifeFlyingAndEndsAfterTheScoreRolledUp) {
    AddLevel({"ab", "cd", "ef", "gh", "ij"});
    AddLevel({"kl", "mn", "op", "qr", "st"});
    Enter();
    ASSERT_TRUE(UntilCardUp());
    ClickLetter(uint8_t(rules.LetterQueue[0]));
    ASSERT_GT(rules.Score, rules.ShownScore);
    rules.RunScript("ESCAPE", "");
    EXPECT_EQ(rules.Mode, kModeQuitAsked);
    EXPECT_TRUE(host.boxes["YESQUIT"]);
    rules.RunScript("YESQUITBTN", "YESQUIT");
    EXPECT_EQ(rules.Mode, kModeLevelOver);
    EXPECT_EQ(host.lives, 0);
    EXPECT_EQ(rules.DyingLives.Count(), 5);
    const int32_t score = rules.Score;
    std::vector<int32_t> shown;
    for (int i = 0; i < 5000 && !host.roomLeft; ++i) {
        Tick();
        shown.push_back(rules.ShownScore);
    }
    ASSERT_TRUE(host.roomLeft);
    EXPECT_EQ(host.room, "MODSTART");
    EXPECT_EQ(rules.ShownScore, score);
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
    EXPECT_TRUE(rules.DyingLives.IsEmpty()) << "every figure flew off the screen first";
    ASSERT_EQ(host.highScores.size(), 1u);
    EXPECT_EQ(host.highScores[0], score);
}

TEST_F(PlayScoring, PausingKeepsTheTicksLeftToHoldTheCard) {
    AddLevel({"ab", "cd", "ef", "gh", "ij"});
    host.settings.releaseDelay = 100;
    Enter();
    ASSERT_TRUE(UntilCardUp());
    while (host.TimeLeft(kRelease) > 40)
        Tick();
    ASSERT_EQ(host.TimeLeft(kRelease), 40);
    const std::string queue = rules.LetterQueue;
    rules.RunScript("TRAFFICBTN", "T1");
    EXPECT_EQ(rules.Mode, kModePaused);
    EXPECT_EQ(host.frames["TRAFFIC"], 1);
    Tick(333);
    EXPECT_EQ(rules.Scene, 2) << "the animal waits";
    EXPECT_EQ(rules.LetterQueue, queue);
    rules.RunScript("TRAFFICBTN", "T0");
    EXPECT_EQ(rules.Mode, kModePlaying);
    EXPECT_EQ(host.TimeLeft(kRelease), 40);
}

TEST_F(PlayScoring, ButtonsFollowTheMode) {
    AddLevel({"ab", "cd", "ef", "gh", "ij"});
    Enter();
    struct Case {
        uint8_t mode;
        std::vector<std::string> on;
        int traffic;
    } cases[] = {
        {kModePaused, {"T0", "T2", "P0UNPAUSE", "WEBVISIT", "EMAIL", "HELP"}, 1},
        {kModeHelp, {"T0", "T1", "T2", "H0UNPAUSE", "NEXTHELP", "HELP"}, 1},
        {kModeQuitAsked, {"T0", "T1", "YESQUIT", "NOQUIT", "HELP"}, 2},
        {kModePlaying, {"T1", "T2", "HELP"}, 0},
        {kModeLevelOver, {}, 2},
    };
    for (const Case& c : cases) {
        rules.SetMode(c.mode);
        for (const auto& [id, enabled] : host.boxes) {
            const bool expected = std::find(c.on.begin(), c.on.end(), id) != c.on.end();
            EXPECT_EQ(enabled, expected) << id << " in mode " << int(c.mode);
        }
        EXPECT_EQ(host.frames["TRAFFIC"], c.traffic);
    }
    // Over: the help button stays off whatever is pressed.
    rules.RunScript("NEXTHELP", "NEXTHELP");
    EXPECT_FALSE(host.boxes["HELP"]);
}

TEST_F(PlayScoring, HelpPagesStayWithinTheFirstAndTheSixth) {
    AddLevel({"ab", "cd", "ef", "gh", "ij"});
    Enter();
    rules.RunScript("HELPBTN", "HELP");
    EXPECT_EQ(rules.HelpPage, 0);
    EXPECT_FALSE(host.boxes["PREVHELP"]);
    rules.RunScript("PREVHELP", "PREVHELP");
    EXPECT_EQ(rules.HelpPage, 0);
    for (int i = 0; i < 8; ++i)
        rules.RunScript("NEXTHELP", "NEXTHELP");
    EXPECT_EQ(rules.HelpPage, 5);
    EXPECT_FALSE(host.boxes["NEXTHELP"]);
    EXPECT_TRUE(host.boxes["PREVHELP"]);
    EXPECT_EQ(host.helpPages.back(), 5);
    EXPECT_EQ(*std::max_element(host.helpPages.begin(), host.helpPages.end()), 5);
    rules.RunScript("TRAFFICBTN", "T0");
    EXPECT_EQ(rules.Mode, kModePlaying);
}

TEST_F(PlayScoring, TheStopLightAsksQuitsOrEndsTheLevel) {
    AddLevel({"ab", "cd", "ef", "gh", "ij"});
    AddLevel({"kl", "mn", "op", "qr", "st"});
    Enter();
    rules.RunScript("TRAFFICBTN", "T2");
    EXPECT_EQ(rules.Mode, kModeQuitAsked);
    rules.RunScript("NOQUITBTN", "NOQUIT");
    EXPECT_EQ(rules.Mode, kModePlaying);
    host.shift = true;
    rules.RunScript("TRAFFICBTN", "T2");
    EXPECT_TRUE(host.quitProgram);
    host.ctrl = true;
    rules.RunScript("TRAFFICBTN", "T2");
    EXPECT_EQ(host.room, "PLAY");
    EXPECT_EQ(rules.LevelIndex, 1);
}

TEST_F(PlayScoring, TheSoundSwitchFlipsWaveSound) {
    AddLevel({"ab", "cd", "ef", "gh", "ij"});
    Enter();
    host.frames["SOUND"] = 1;
    rules.RunScript("SOUNDBTN", "SOUND");
    EXPECT_EQ(host.frames["SOUND"], 0);
    EXPECT_FALSE(host.waveOn);
    rules.RunScript("SOUNDBTN", "SOUND");
    EXPECT_TRUE(host.waveOn);
    rules.RunScript("WEBVISITBTN", "WEBVISIT");
    rules.RunScript("EMAILBTN", "EMAIL");
    EXPECT_EQ(host.links, (std::vector<bool>{false, true}));
    EXPECT_FALSE(rules.RunScript("SOMETHINGELSE", ""));
}

TEST_F(PlayScoring, ASeededLevelPlaysTheSameTwice) {
    auto play = [&] {
        host.list.Reset();
        while (host.list.LevelCount() > 0)
            host.list.DeleteLevel(0);
        AddLevel({"apple", "pear", "plum", "cherry", "melon"});
        AddLevel({"kl", "mn", "op", "qr", "st"});
        host.reports.clear();
        host.lives = 5;
        host.runningScore = 0;
        rules.LevelIndex = 0;
        GameRandom().SetSeed(99);
        Enter();
        PlayLevelMissing("p");
        return host.reports;
    };
    const auto first = play();
    EXPECT_EQ(play(), first);
    EXPECT_GT(first.size(), 20u);
}

} // namespace
} // namespace qr::testing

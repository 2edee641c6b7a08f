// SPDX-License-Identifier: GPL-3.0-or-later
// Building a level from the word list, the letter queue, clicks on the cells, the scene
// cycle and the opening wipe.
#include <algorithm>

#include "play_fixture.h"

namespace qr::testing {
namespace {

TEST(PlayText, AnswerMarksHideLettersAndShowTheRest) {
    struct Case {
        const char* text;
        const char* answer;
        const char* marks;
    } cases[] = {
        {"cat", "cat", "   "},
        {"ice-cream", "ice-cream", "   *     "},
        {"[T]ea", "Tea", "*  "},
        {"a[b]c[.]", "abc.", " * *"},
        {"1, 2!", "1, 2!", "*****"},
        {"\xC9t\xE9", "\xC9t\xE9", "   "}, // accented capitals and small letters
        {"\xD7\xF7", "\xD7\xF7", "**"},    // multiplication and division signs
        {"a\x1A\x80", "a\x1A\x80", "   "}, // the two caseless letters of the fonts
        {"x[y", "x[y", " * "},             // an unclosed bracket is a plain character
    };
    for (const Case& c : cases) {
        std::string answer, marks;
        SplitAnswer(c.text, answer, marks);
        EXPECT_EQ(answer, c.answer) << c.text;
        EXPECT_EQ(marks, c.marks) << c.text;
    }
}

TEST(PlayText, CommentsAreDroppedFromAnswersAndKeptInClues) {
    EXPECT_EQ(RemoveBraceComment("house {building}"), "house");
    EXPECT_EQ(RemoveBraceComment("a{x}b"), "ab");
    EXPECT_EQ(RemoveBraceComment("go {to} away {x}"), "go away {x}");
    EXPECT_EQ(RemoveBraceComment("open {ended"), "open");
    EXPECT_EQ(RemoveBraceComment("plain"), "plain");
    EXPECT_EQ(ClueText("house {building}"), "house (building)");
    EXPECT_EQ(ClueText("[T]ea for two"), "Tea for two");
}

TEST(PlayText, ScramblingMovesOnlyLettersAndAlwaysChangesWhatItCan) {
    GameRandom().SetSeed(1);
    for (const std::string word : {"ab", "ice-cream", "to be, or not"}) {
        for (int i = 0; i < 20; ++i) {
            const std::string s = ScrambleLetters(word);
            EXPECT_NE(s, word);
            std::string a = s, b = word;
            std::sort(a.begin(), a.end());
            std::sort(b.begin(), b.end());
            EXPECT_EQ(a, b) << s;
            for (size_t k = 0; k < word.size(); ++k)
                if (!IsLetter(uint8_t(word[k]))) {
                    EXPECT_EQ(s[k], word[k]) << s;
                }
        }
    }
    // Nothing to shuffle: gives up after its tries instead of looping.
    EXPECT_EQ(ScrambleLetters("aa"), "aa");
    EXPECT_EQ(ScrambleLetters("x"), "x");
    EXPECT_EQ(ScrambleLetters("1-2"), "1-2");
}

TEST_F(PlayRulesTest, ShownAndBracketedCharactersNeverEnterTheQueue) {
    AddLevel({"[a][b]", "1-2", "[x]!", "cd", "[c]e"});
    Enter();
    std::string queue = rules.LetterQueue;
    std::sort(queue.begin(), queue.end());
    // "c" is bracketed in one row but hidden in another, so it is still to be found.
    EXPECT_EQ(queue, "cde");
    EXPECT_EQ(rules.Mode, kModePlaying);
}

// Nothing to find (shown characters only, or no words at all): the level is complete from
// the start and ends by itself, tallied, within a few seconds, without costing a life.
class NothingToFind : public PlayRulesTest {
  protected:
    void ExpectItEndsInto(const std::string& next) {
        Enter();
        EXPECT_TRUE(rules.LetterQueue.empty());
        EXPECT_EQ(rules.Mode, kModePlaying) << "the tally runs only in play";
        constexpr int kFewSeconds = 60; // 3.3 s of game time
        Tick(kFewSeconds);
        ASSERT_TRUE(host.roomLeft) << "the level waits for a letter that never comes";
        EXPECT_EQ(host.room, next);
        EXPECT_EQ(ReportsStartingWith("TALLY ").size(), 5u);
        EXPECT_EQ(host.lives, 5);
        EXPECT_EQ(host.highScores.size(), next == "DIPLOMA" ? 1u : 0u);
    }
};

TEST_F(NothingToFind, AShownLevelGoesOnToTheNext) {
    AddLevel({"[a]", "1", "2", "3", "4"});
    AddLevel({"ab", "cd", "ef", "gh", "ij"});
    ExpectItEndsInto("PLAY");
    EXPECT_EQ(rules.LevelIndex, 1);
}

TEST_F(NothingToFind, AShownLastLevelEndsInTheDiploma) {
    AddLevel({"ab", "cd", "ef", "gh", "ij"});
    AddLevel({"[a][b]", "1", "2+2", "3", "4"});
    rules.LevelIndex = 1;
    ExpectItEndsInto("DIPLOMA");
}

TEST_F(NothingToFind, AListWithoutWordsEndsToo) {
    AddLevel({});
    AddLevel({});
    ExpectItEndsInto("PLAY");
}

TEST_F(PlayRulesTest, TheQueueHoldsEachHiddenLetterOnceInLowerCase) {
    AddLevel({"Anna", "Banana", "nab", "ANN", "bob"});
    Enter();
    std::string queue = rules.LetterQueue;
    std::sort(queue.begin(), queue.end());
    EXPECT_EQ(queue, "abno");
    EXPECT_TRUE(std::all_of(rules.ShowCounts.begin(), rules.ShowCounts.end(),
                            [](uint8_t c) { return c == 0; }));
}

TEST_F(PlayRulesTest, RowBoxesAndTheCommonClueWidth) {
    AddLevel({"one", "three", "a", "ab", "abcdefghij"});
    host.clueCharWidth = 3; // widest clue "clue of abcdefghij" = 18 chars = 54 px
    Enter();
    EXPECT_EQ(rules.MinClueWidth, 200);
    const int r = Row("three");
    EXPECT_EQ(host.rowBoxes[size_t(r)], TRect::FromOriginSize({35, 77 + 60 * (r - 1)}, 90, 25));

    host.clueCharWidth = 20; // 360 + 10
    host.list.ClearUsedMarks();
    Enter();
    EXPECT_EQ(rules.MinClueWidth, 370);
    host.clueCharWidth = 40; // clamped
    host.list.ClearUsedMarks();
    Enter();
    EXPECT_EQ(rules.MinClueWidth, 434);
}

TEST_F(PlayRulesTest, AnagramCluesLeadWithTheScrambledAnswer) {
    AddLevel({"Stone", "night", "melon", "cat", "dog"});
    host.list.SetListType(TListType::Anagrams);
    Enter();
    const int r = Row("Stone");
    const std::string& clue = rules.Clues[size_t(r)];
    ASSERT_GE(clue.size(), 5u);
    std::string letters = clue.substr(0, 5), expected = "stone";
    EXPECT_NE(letters, expected);
    std::sort(letters.begin(), letters.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(letters, expected);
    EXPECT_EQ(clue.substr(5), ": clue of Stone");
}

TEST_F(PlayRulesTest, ReleaseDelayShrinksByTheGrowingRatioPerLevel) {
    for (int level = 0; level < 10; ++level)
        AddLevel({"ab", "cd", "ef", "gh", "ij"});
    host.settings.releaseDelay = 200;
    // Worked by hand: level i applies (2i+9)/(2i+10) i times, rounded, and from level 7 on
    // the ratio stays 23/24.
    const std::map<int, int32_t> expected = {
        {0, 200}, // no scaling at all
        {1, 183}, // 200 * 11/12 = 183.3
        {2, 173}, // 200 * 13/14 = 185.7 -> 186; 186 * 13/14 = 172.7 -> 173
        {3, 165}, // 188, 176, 165 by 15/16
        {8, 143}, // 23/24 eight times
    };
    for (int level = 0; level < 10; ++level) {
        rules.LevelIndex = level;
        Enter();
        if (expected.count(level)) {
            EXPECT_EQ(rules.ReleaseDelay, expected.at(level)) << level;
        }
    }
    EXPECT_EQ(rules.SpeedNum, 23);
    EXPECT_EQ(rules.SpeedDen, 24);
    // A new game starts over at the plain delay.
    rules.LevelIndex = 0;
    Enter();
    EXPECT_EQ(rules.ReleaseDelay, 200);
    EXPECT_EQ(rules.SpeedDen, 10);
}

TEST_F(PlayRulesTest, OneRightClickPlacesTheLetterInEveryRow) {
    AddLevel({"tab", "bat", "stab", "xy", "zq"});
    Enter();
    ASSERT_TRUE(UntilCardUp());
    // Make "b" the current letter, shown once.
    rules.LetterQueue.erase(rules.LetterQueue.find('b'), 1);
    rules.LetterQueue.insert(0, 1, 'b');
    rules.ShowCounts['b'] = 1;
    const int32_t left = host.TimeLeft(play_timer::kRelease);
    ASSERT_GT(left, 0);
    ASSERT_TRUE(ClickLetter('b'));
    for (const std::string a : {"tab", "bat", "stab"}) {
        const std::string& marks = rules.Marks[size_t(Row(a))];
        EXPECT_EQ(marks[a.find('b')], '-') << a;
        EXPECT_EQ(std::count(marks.begin(), marks.end(), '-'), 1) << a;
    }
    // Medium speed: time bonus (capped at 120) x 2 x 3, plus 125 for each of three cells.
    const int32_t expected = std::min(left, 120) * 2 * 3 + 3 * 125;
    EXPECT_EQ(rules.Score, expected);
    EXPECT_EQ(rules.LetterQueue.find('b'), std::string::npos);
    EXPECT_EQ(host.sounds.back(), 21);
    EXPECT_EQ(host.TimeLeft(play_timer::kRelease), -1);
    EXPECT_EQ(ReportsStartingWith("PLACE b").size(), 1u);
}

TEST_F(PlayRulesTest, AWrongClickOnTheLastHiddenCopyRemovesThatLetter) {
    AddLevel({"ax", "bx", "cd", "ef", "gh"});
    Enter();
    ASSERT_TRUE(UntilCardUp());
    // Current letter "x"; "a" is hidden only once.
    rules.LetterQueue.erase(rules.LetterQueue.find('x'), 1);
    rules.LetterQueue.insert(0, 1, 'x');
    rules.ShowCounts['x'] = 1;
    rules.SetMultiplier(2);
    const int32_t score = rules.Score;
    const int ra = Row("ax");
    ASSERT_TRUE(rules.CellClick(ra, CellX(1), 5));
    EXPECT_EQ(rules.Marks[size_t(ra)], "* ");
    EXPECT_EQ(rules.LetterQueue.find('a'), std::string::npos);
    EXPECT_EQ(rules.LetterQueue[0], 'x') << "the current letter stays";
    EXPECT_EQ(rules.Score, score);
    EXPECT_EQ(rules.Multiplier, 1);
    EXPECT_EQ(host.TimeLeft(play_timer::kRelease), 0) << "the card is taken at the next tick";
    EXPECT_EQ(host.sounds.back(), 18);
    EXPECT_EQ(ReportsStartingWith("WRONG a").size(), 1u);
}

TEST_F(PlayRulesTest, AWrongClickKeepsALetterThatIsStillHiddenElsewhere) {
    AddLevel({"ax", "ay", "cd", "ef", "gh"});
    Enter();
    ASSERT_TRUE(UntilCardUp());
    rules.LetterQueue.erase(rules.LetterQueue.find('x'), 1);
    rules.LetterQueue.insert(0, 1, 'x');
    rules.ShowCounts['x'] = 1;
    ASSERT_TRUE(rules.CellClick(Row("ax"), CellX(1), 5));
    EXPECT_NE(rules.LetterQueue.find('a'), std::string::npos);
}

TEST_F(PlayRulesTest, OnItsThirdShowingAnyOpenCellTakesTheLetter) {
    AddLevel({"ab", "cd", "ef", "gh", "ij"});
    Enter();
    ASSERT_TRUE(UntilCardUp());
    const uint8_t letter = uint8_t(rules.LetterQueue[0]);
    rules.ShowCounts[letter] = 3;
    rules.SetMultiplier(3);
    const int32_t score = rules.Score;
    ASSERT_TRUE(ClickWrong());
    // Placed in its own cell, with neither time bonus nor cell points.
    auto [r, c] = HiddenCell(letter);
    EXPECT_EQ(r, 0) << "no hidden copy of the letter is left";
    EXPECT_EQ(rules.Score, score);
    EXPECT_EQ(rules.Multiplier, 1);
    EXPECT_EQ(host.sounds.back(), 18);
    EXPECT_EQ(rules.LetterQueue.find(char(letter)), std::string::npos);
}

TEST_F(PlayRulesTest, GapsOtherRowsAndOtherScenesIgnoreClicks) {
    AddLevel({"abc", "de", "fg", "hi", "jk"});
    Enter();
    const int r = Row("abc");
    // Before the card is up: the animal is in scene 0.
    EXPECT_EQ(rules.Scene, 0);
    EXPECT_FALSE(rules.CellClick(r, CellX(1), 5));
    ASSERT_TRUE(UntilCardUp());
    const std::string marks = rules.Marks[size_t(r)];
    const std::string queue = rules.LetterQueue;
    struct Miss {
        int32_t x, y;
    } misses[] = {{0, 5}, {17, 5}, {18, 5}, {35, 5}, {5, 0}, {5, 25}, {3 * 18 + 5, 5}, {-3, 5}};
    for (const Miss& m : misses) {
        EXPECT_EQ(rules.GetDynamicCursor(r, m.x, m.y), 0) << m.x << "," << m.y;
        EXPECT_FALSE(rules.CellClick(r, m.x, m.y)) << m.x << "," << m.y;
    }
    EXPECT_EQ(rules.GetDynamicCursor(r, 1, 1), 1);
    EXPECT_EQ(rules.GetDynamicCursor(r, 16, 24), 1);
    EXPECT_EQ(rules.Marks[size_t(r)], marks);
    EXPECT_EQ(rules.LetterQueue, queue);
    // Paused: nothing either.
    rules.SetMode(kModePaused);
    EXPECT_FALSE(rules.CellClick(r, CellX(1), 5));
}

TEST_F(PlayRulesTest, AnUnplacedLetterReturnsBehindTheMeshAndIsForcedOnItsThirdShowing) {
    AddLevel({"ab", "cd", "ef", "gh", "ij"});
    host.settings.releaseDelay = 20;
    Enter();
    ASSERT_TRUE(UntilCardUp());
    const uint8_t first = uint8_t(rules.LetterQueue[0]);
    std::string before = rules.LetterQueue;
    // Let it go: the animal takes it back (scene 3) and the next letter comes.
    while (rules.Scene == 2)
        Tick();
    Tick(20);
    EXPECT_EQ(host.meshes, 1);
    std::string after = rules.LetterQueue;
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    EXPECT_EQ(after, before) << "the letter went back into the queue";
    // Keep missing it until it has been shown three times: then it is placed for the
    // player when its time runs out, and its row fails in the tally.
    for (int i = 0; i < 4000 && rules.ShowCounts[first] < 3; ++i)
        Tick();
    ASSERT_EQ(rules.ShowCounts[first], 3);
    while (rules.LetterQueue.find(char(first)) != std::string::npos)
        Tick();
    EXPECT_EQ(HiddenCell(first).first, 0);
    EXPECT_TRUE(std::any_of(host.reports.begin(), host.reports.end(), [&](const std::string& l) {
        return l == std::string("PLACE ") + char(first) + " 0";
    }));
}

TEST_F(PlayRulesTest, TicksTheMachineFellBehindStretchTheHoldingTime) {
    AddLevel({"ab", "cd", "ef", "gh", "ij"});
    host.settings.releaseDelay = 30;
    Enter();
    ASSERT_TRUE(UntilCardUp());
    host.idle = false;
    Tick(10);
    EXPECT_EQ(rules.LagTicks, 10);
    EXPECT_EQ(rules.Scene, 2) << "the animal did not step while behind";
    host.idle = true;
    for (int i = 0; i < 100 && rules.LagTicks > 0; ++i)
        Tick();
    // The firing that found the lag gave half of it back instead of taking the card.
    EXPECT_EQ(host.TimeLeft(play_timer::kRelease), 5);
    EXPECT_EQ(rules.Scene, 2);
    EXPECT_FALSE(host.released);
}

TEST_F(PlayRulesTest, AnAnimalWithoutEventsDoesNotStallOrSpinTheLevel) {
    AddLevel({"ab", "cd", "ef", "gh", "ij"});
    host.sceneLength.fill(0);
    Enter(); // would recurse without end if every empty scene ended the next at once
    Tick(600);
    EXPECT_GE(host.cards.size(), 2u) << "the cycle goes on, card after card";
}

TEST_F(PlayRulesTest, TheDelayTimerRestartsTheCycleOnlyInPlay) {
    AddLevel({"ab", "cd", "ef", "gh", "ij"});
    Enter();
    ASSERT_TRUE(UntilCardUp());
    rules.SetMode(kModePaused);
    rules.RunScript("", "DELAY");
    EXPECT_EQ(rules.Scene, 2);
    EXPECT_EQ(host.TimeLeft(play_timer::kDelay), 5);
    rules.SetMode(kModePlaying);
    rules.RunScript("", "DELAY");
    EXPECT_EQ(rules.Scene, 0);
    EXPECT_EQ(host.scene, 0);
}

TEST_F(PlayRulesTest, EveryOpeningWipeRevealsTheWholeScreen) {
    for (int kind = 0; kind < 6; ++kind) {
        std::vector<uint8_t> seen(600 * 400, 0);
        // The steps leave one band (the outer frame of kind 0, the last twelfth of the
        // sliding kinds) to the full repaint that ends the wipe: that band would be the
        // next step, so the steps plus one cover every pixel.
        for (int k = 0; k <= board::WipeSteps(kind); ++k) {
            const TRect r = board::WipeBand(kind, k, 600, 400);
            for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, 400); ++y)
                for (int x = std::max(r.Left, 0); x < std::min(r.Right, 600); ++x)
                    seen[size_t(y * 600 + x)] = 1;
        }
        EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), 600 * 400) << kind;
    }
    EXPECT_EQ(board::WipeBand(0, 0, 600, 400), (TRect{240, 160, 360, 240}));
    EXPECT_EQ(board::WipeBand(2, 0, 600, 400), (TRect{550, 0, 600, 400}));
    EXPECT_EQ(board::WipeBand(4, 10, 600, 400), (TRect{0, 34, 600, 67}));
}

TEST_F(PlayRulesTest, TheWipeRunsBeforeTheFirstCard) {
    AddLevel({"ab", "cd", "ef", "gh", "ij"});
    Enter();
    const int steps = board::WipeSteps(rules.WipeKind);
    Tick(steps + 1);
    EXPECT_EQ(rules.WipeStep, steps);
    EXPECT_EQ(host.TimeLeft(play_timer::kFlash), -1);
    const int32_t gameIn = host.TimeLeft(play_timer::kGame);
    EXPECT_GE(gameIn, 28);
    EXPECT_TRUE(host.cards.empty());
    Tick(gameIn + 1);
    ASSERT_EQ(host.cards.size(), 1u);
    EXPECT_EQ(host.cards[0].first, uint8_t(rules.LetterQueue[0]));
    EXPECT_EQ(host.cards[0].second, 1);
}

} // namespace
} // namespace qr::testing

// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the five words of a game round.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "foundation/random.h"
#include "test_strings.h"
#include "wordlist/word_list.h"

namespace qr {
namespace {

using Slots = std::array<uint16_t, 5>;

std::set<uint16_t> AsSet(const Slots& s) {
    return {s.begin(), s.end()};
}

class RoundWords : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::UseEnglishStrings();
        list.SetNameLanguage("English");
        list.Reset();
        GameRandom().SetSeed(2026);
    }
    // A quiz word in the given group; returns its index.
    uint16_t Add(uint8_t group, const std::string& word = "word",
                 const std::string& clue = "clue") {
        list.AddClueWord(clue, word, group);
        return uint16_t(list.WordCount() - 1);
    }
    bool Choose(int level, std::string_view clue = "English", std::string_view answer = "English") {
        return list.ChooseRoundWords(clue, answer, level, slots);
    }

    TQRWordList list;
    Slots slots{};
};

TEST_F(RoundWords, ScansTheLevelThenItsNeighboursOutwards) {
    // Level k plays group k. Level 2 has two words, level 1 one, level 3 two: exactly
    // five, so nothing is left to chance and levels 0 and 4 must not be touched.
    for (uint8_t g = 0; g < 5; ++g)
        list.Level(g)->Include(g);
    std::set<uint16_t> expected;
    for (int i = 0; i < 3; ++i)
        Add(0);
    expected.insert(Add(2));
    for (int i = 0; i < 3; ++i)
        Add(4);
    expected.insert(Add(1));
    expected.insert(Add(3));
    expected.insert(Add(2));
    expected.insert(Add(3));
    ASSERT_TRUE(Choose(2));
    EXPECT_EQ(AsSet(slots), expected);
    for (size_t i = 0; i < list.WordCount(); ++i)
        EXPECT_EQ(list.UsedMark(i) != 0, expected.count(uint16_t(i)) == 1) << i;
}

TEST_F(RoundWords, GoesDownBeforeUpAndReachesTheFarEnd) {
    // From the top level the scan can only go down: level 4, 3, 2, 1, 0.
    for (uint8_t g = 0; g < 5; ++g)
        list.Level(g)->Include(g);
    list.DeleteLevel(9), list.DeleteLevel(8), list.DeleteLevel(7), list.DeleteLevel(6),
        list.DeleteLevel(5);
    std::set<uint16_t> expected;
    for (uint8_t g = 0; g < 5; ++g)
        expected.insert(Add(g));
    ASSERT_TRUE(Choose(4));
    EXPECT_EQ(AsSet(slots), expected);
}

TEST_F(RoundWords, FallsBackToAllGroupsWhenNoLevelMatches) {
    list.Level(0)->Include(10);
    std::set<uint16_t> expected;
    for (int i = 0; i < 5; ++i)
        expected.insert(Add(uint8_t(50 + i)));
    ASSERT_TRUE(Choose(0));
    EXPECT_EQ(AsSet(slots), expected);
}

TEST_F(RoundWords, ALevelWithoutGroupsPlaysGroupZero) {
    list.Level(0)->Include(7); // level 1 stays empty
    for (int i = 0; i < 6; ++i)
        Add(7);
    std::set<uint16_t> groupZero;
    for (int i = 0; i < 5; ++i)
        groupZero.insert(Add(0));
    ASSERT_TRUE(Choose(1));
    EXPECT_EQ(AsSet(slots), groupZero);
}

TEST_F(RoundWords, SkipsUnplayableAnswersAndClues) {
    Add(0, "-hidden");
    Add(0, "");
    Add(0, "noclue", "");
    Add(0, "minusclue", "-x");
    std::set<uint16_t> expected;
    for (int i = 0; i < 5; ++i)
        expected.insert(Add(0));
    ASSERT_TRUE(Choose(0));
    EXPECT_EQ(AsSet(slots), expected);

    // Anagrams need no clue: the clue-less words become candidates.
    list.SetListType(TListType::Anagrams);
    list.ClearUsedMarks();
    for (uint16_t i : expected)
        list.SetWord(i, "-gone");
    ASSERT_FALSE(Choose(0));
    EXPECT_EQ(AsSet(slots), (std::set<uint16_t>{0, 2, 3}));
}

TEST_F(RoundWords, StartsOverWhenTheListIsUsedUpWithoutRepeatingAWord) {
    for (int i = 0; i < 7; ++i)
        Add(0);
    ASSERT_TRUE(Choose(0));
    std::set<uint16_t> first = AsSet(slots);
    ASSERT_EQ(first.size(), 5u);
    ASSERT_TRUE(Choose(0));
    std::set<uint16_t> second = AsSet(slots);
    EXPECT_EQ(second.size(), 5u); // five different words
    // The two words the first round left out are in the second.
    for (uint16_t i = 0; i < 7; ++i)
        if (!first.count(i)) {
            EXPECT_TRUE(second.count(i)) << i;
        }
}

TEST_F(RoundWords, TooFewWordsFailWithWhatWasFoundInOrder) {
    Add(0, "-a");
    Add(0);
    Add(0, "-b");
    Add(3);
    Add(0);
    ASSERT_FALSE(Choose(0));
    // Word 3 is outside every level: only the final scan over all groups finds it.
    EXPECT_EQ(slots, (Slots{1, 4, 3, 0, 0}));
}

TEST_F(RoundWords, VocabularyColumnsFollowTheChosenLanguages) {
    list.SetListType(TListType::Vocabulary);
    list.AddLanguage("French");
    for (int i = 0; i < 6; ++i)
        list.SetTranslation("French", list.AddWord("w" + std::to_string(i), 0), "f");
    list.SetTranslation("French", 2, ""); // no French answer for word 2
    ASSERT_TRUE(Choose(0, "English", "French"));
    EXPECT_EQ(AsSet(slots), (std::set<uint16_t>{0, 1, 3, 4, 5}));
    EXPECT_FALSE(Choose(0, "English", "Welsh"));
    EXPECT_FALSE(Choose(0, "Welsh", "French"));
    // Icon clues need no clue language.
    list.SetUsesIconClues(true);
    list.ClearUsedMarks();
    EXPECT_TRUE(Choose(0, "", "French"));
    list.SetUsesIconClues(false);
    EXPECT_FALSE(Choose(0, "", "French"));
}

TEST_F(RoundWords, EveryCandidateIsEquallyLikely) {
    // Ten candidates in one level: each should be in the round half of the time, and
    // the scan order must not favour the first words met.
    constexpr int kWords = 10, kRounds = 20000;
    for (int i = 0; i < kWords; ++i)
        Add(0);
    std::array<int, kWords> picked{};
    std::array<int, 5> firstSlotHolds{};
    for (int r = 0; r < kRounds; ++r) {
        list.ClearUsedMarks();
        ASSERT_TRUE(Choose(0));
        for (uint16_t i : slots)
            ++picked[i];
        if (slots[0] < 5) ++firstSlotHolds[slots[0]];
    }
    for (int i = 0; i < kWords; ++i)
        EXPECT_NEAR(picked[i], kRounds / 2, kRounds / 50) << "word " << i;
    // The shuffle spreads the words over the slots as well.
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(firstSlotHolds[i], kRounds / kWords, kRounds / 100) << "word " << i;
}

} // namespace
} // namespace qr

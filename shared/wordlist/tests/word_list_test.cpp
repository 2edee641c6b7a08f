// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordlist/word_list.h"

#include <functional>

#include <gtest/gtest.h>

#include "test_strings.h"

namespace qr {
namespace {

class WordListModel : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::UseEnglishStrings();
        list.SetNameLanguage("English");
        list.Reset();
    }

    // A vocabulary list English -> French, German with three rows.
    void MakeVocabulary() {
        list.SetListType(TListType::Vocabulary);
        list.AddWord("cat", 0);
        list.AddWord("dog", 1);
        list.AddWord("-horse", 2);
        list.AddLanguage("French");
        list.AddLanguage("German");
        const char* fr[] = {"chat", "chien", "cheval"};
        const char* de[] = {"Katze", "Hund", "Pferd"};
        for (size_t i = 0; i < 3; ++i) {
            list.SetTranslation("French", i, fr[i]);
            list.SetTranslation("German", i, de[i]);
        }
    }

    TQRWordList list;
};

TEST_F(WordListModel, ResetGivesTheDefaultQuizList) {
    EXPECT_EQ(list.ListType(), TListType::Quiz);
    EXPECT_EQ(list.LevelCount(), 10u);
    EXPECT_EQ(list.PrimaryLanguage(), "English");
    EXPECT_EQ(list.PrimaryLanguageCode(), 2);
    EXPECT_EQ(list.TextLanguage(), "English");
    EXPECT_EQ(list.TextLanguageCode(), 2);
    EXPECT_EQ(list.Password(), std::string(2, '\0'));
    EXPECT_EQ(list.Signature(), std::string(2, '\0'));
    EXPECT_EQ(list.VersionMajor(), 1);
    EXPECT_EQ(list.VersionMinor(), 0);
    EXPECT_EQ(list.Title(), "Quiz");
    EXPECT_EQ(list.LevelName(0), "Level");
    EXPECT_FALSE(list.Modified());
    // Untouched needs a vocabulary list.
    EXPECT_FALSE(list.IsUntouched());
}

TEST_F(WordListModel, IsUntouchedUntilAnythingAnAuthorMadeIsThere) {
    list.SetListType(TListType::Vocabulary);
    TQRWordList fresh;
    fresh.SetNameLanguage("English");
    fresh.Reset();
    fresh.SetListType(TListType::Vocabulary);
    EXPECT_FALSE(fresh.IsUntouched()); // changing the type is a change
    fresh.SaveToBytes();               // ...until saved
    EXPECT_TRUE(fresh.IsUntouched());

    struct Case {
        const char* what;
        void (*change)(TQRWordList&);
    } cases[] = {
        {"word", [](TQRWordList& l) { l.AddWord("a", 0); }},
        {"title", [](TQRWordList& l) { l.SetTitle("Mine"); }},
        {"handle", [](TQRWordList& l) { l.SetHandle("me"); }},
        {"password", [](TQRWordList& l) { l.SetPassword("\x01x\x02"); }},
        {"version", [](TQRWordList& l) { l.SetVersion(1, 1); }},
        {"comment", [](TQRWordList& l) { l.AddComment("note"); }},
        {"group name", [](TQRWordList& l) { l.SetGroupName(3, "Pets"); }},
        {"language", [](TQRWordList& l) { l.AddLanguage("French"); }},
        {"primary", [](TQRWordList& l) { l.SetPrimaryLanguage("French"); }},
    };
    const std::string clean = fresh.SaveToBytes();
    for (const auto& c : cases) {
        TQRWordList l;
        TMemoryStream s(clean);
        ASSERT_TRUE(l.LoadFromStream(s));
        ASSERT_TRUE(l.IsUntouched());
        c.change(l);
        l.SaveToBytes(); // clears Modified: the content alone must tell
        EXPECT_FALSE(l.IsUntouched()) << c.what;
    }
}

TEST_F(WordListModel, GettersAndSettersIgnoreIndexesBeyondTheEnd) {
    MakeVocabulary();
    list.SaveToBytes();
    EXPECT_EQ(list.Word(3), "");
    EXPECT_EQ(list.GetTranslation("French", 7), "");
    EXPECT_EQ(list.GetTranslation("Klingon", 0), "");
    EXPECT_EQ(list.GetTranslation("English", 1), "dog");
    EXPECT_EQ(list.Group(9), 0);
    EXPECT_EQ(list.Source(9), 0xFFFF);
    list.SetWord(3, "x");
    list.SetTranslation("French", 3, "x");
    list.DeleteWord(3);
    EXPECT_FALSE(list.Modified());
    list.SetWord(0, "cat"); // same text: no change
    EXPECT_FALSE(list.Modified());
    list.SetGroup(1, 1);
    EXPECT_FALSE(list.Modified());
    list.SetGroup(1, 7);
    EXPECT_TRUE(list.Modified());
    EXPECT_EQ(list.Group(1), 7);
}

TEST_F(WordListModel, DeletingAWordRemovesItsWholeRow) {
    MakeVocabulary();
    list.DeleteWord(0);
    ASSERT_EQ(list.WordCount(), 2u);
    EXPECT_EQ(list.GetTranslation("French", 0), "chien");
    EXPECT_EQ(list.GetTranslation("German", 1), "Pferd");

    TQRWordList quiz;
    quiz.Reset();
    quiz.AddClueWord("Largest planet", "Jupiter", 0);
    quiz.AddClueWord("Red planet", "Mars", 0);
    quiz.DeleteWord(0);
    EXPECT_EQ(quiz.Word(0), "Mars");
    EXPECT_EQ(quiz.Clue(0), "Red planet");
    EXPECT_EQ(quiz.ClueCount(), 1u);
}

TEST_F(WordListModel, DescriptionsStopAtFourLinesInEveryTextLanguage) {
    for (int i = 0; i < 5; ++i)
        list.AddDescriptionLine("line " + std::to_string(i));
    EXPECT_EQ(list.DescriptionCount(), 4u);
    EXPECT_EQ(list.DescriptionLine(3), "line 3");
    list.AddTextLanguage("German");
    for (int i = 0; i < 5; ++i)
        list.AddDescriptionLineIn("German", "Zeile " + std::to_string(i));
    EXPECT_EQ(list.DescriptionCountIn("German"), 4u);
    EXPECT_EQ(list.DescriptionLineIn("German", 4), "");
    // A language the list lacks is ignored by setters and empty for getters.
    list.AddDescriptionLineIn("Welsh", "x");
    EXPECT_EQ(list.DescriptionCountIn("Welsh"), 0u);
    EXPECT_EQ(list.TitleIn("Welsh"), "");
}

TEST_F(WordListModel, TitleComparesWithTheShownTitleIgnoringCase) {
    list.SetTitle("quiz"); // the default title: nothing stored
    EXPECT_EQ(list.StoredTitle(), "");
    EXPECT_FALSE(list.Modified());
    list.SetTitle("Planets");
    EXPECT_EQ(list.Title(), "Planets");
    EXPECT_TRUE(list.Modified());
    list.SetTitle("PLANETS");
    EXPECT_EQ(list.StoredTitle(), "Planets");
}

TEST_F(WordListModel, ChangingTypeKeepsWordsOnlyBetweenAnagramsAndQuiz) {
    list.AddClueWord("Striped horse", "zebra", 0);
    list.SetListType(TListType::Anagrams);
    EXPECT_EQ(list.WordCount(), 1u);
    EXPECT_EQ(list.Clue(0), "Striped horse");
    list.SetUsesIconClues(true);
    list.SetIconLibrary("icons.px8");
    list.SetListType(TListType::Quiz);
    EXPECT_EQ(list.WordCount(), 0u);
    EXPECT_FALSE(list.UsesIconClues());
    EXPECT_EQ(list.IconLibrary(), "");
    list.AddClueWord("c", "w", 0);
    list.SetListType(TListType::Vocabulary);
    EXPECT_EQ(list.WordCount(), 0u);
    EXPECT_EQ(list.ClueCount(), 0u);
}

TEST_F(WordListModel, LanguagesRefuseTheDefaultOnesAndGetCodes) {
    MakeVocabulary();
    EXPECT_THROW(list.AddLanguage("English"), WordListException);
    EXPECT_THROW(list.AddTextLanguage("English"), WordListException);
    EXPECT_EQ(list.AddLanguage("French"), 0);
    EXPECT_EQ(list.AddLanguage("Klingon"), 2);
    EXPECT_EQ(list.LanguageCode(0), 4);
    EXPECT_EQ(list.LanguageCode(1), 5);
    EXPECT_EQ(list.LanguageCode(2), 255);
    EXPECT_EQ(list.GetTranslation("Klingon", 2), "");
    list.DeleteLanguage("French");
    EXPECT_EQ(list.LanguageCount(), 2u);
    EXPECT_EQ(list.LanguageName(0), "German");
}

TEST_F(WordListModel, PrimaryLanguageRotatesTheColumns) {
    MakeVocabulary();
    list.SetGroup(1, 4);
    // To a secondary language: its column becomes the main words, the old main words
    // join the end of the secondary languages, and the rows keep their groups.
    list.SetPrimaryLanguage("French");
    EXPECT_EQ(list.PrimaryLanguage(), "French");
    EXPECT_EQ(list.PrimaryLanguageCode(), 4);
    ASSERT_EQ(list.LanguageCount(), 2u);
    EXPECT_EQ(list.LanguageName(0), "German");
    EXPECT_EQ(list.LanguageName(1), "English");
    EXPECT_EQ(list.LanguageCode(1), 2);
    EXPECT_EQ(list.Word(1), "chien");
    EXPECT_EQ(list.Group(1), 4);
    EXPECT_EQ(list.GetTranslation("English", 1), "dog");

    // To a language the list does not have: empty main words, old ones kept.
    list.SetPrimaryLanguage("Welsh");
    EXPECT_EQ(list.Word(0), "");
    EXPECT_EQ(list.WordCount(), 3u);
    EXPECT_EQ(list.LanguageName(2), "French");
    EXPECT_EQ(list.GetTranslation("French", 2), "cheval");

    // Its empty words still make a column: Welsh stays, with one entry per row.
    list.SetPrimaryLanguage("Latin");
    EXPECT_EQ(list.LanguageCount(), 4u);
    EXPECT_EQ(list.LanguageName(3), "Welsh");
    EXPECT_EQ(list.PrimaryLanguageCode(), 17);

    // A list without words has no main column to keep.
    TQRWordList empty;
    empty.Reset();
    empty.SetListType(TListType::Vocabulary);
    empty.AddLanguage("French");
    empty.SetPrimaryLanguage("German");
    ASSERT_EQ(empty.LanguageCount(), 1u);
    EXPECT_EQ(empty.LanguageName(0), "French");
}

TEST_F(WordListModel, TextLanguageSwapsTitleDescriptionAndLevelNames) {
    list.SetTitle("Animals");
    list.AddDescriptionLine("Find the animals.");
    list.SetLevelName(0, "Easy");
    list.AddTextLanguage("German");
    list.SetTitleIn("German", "Tiere");
    list.AddDescriptionLineIn("German", "Finde die Tiere.");
    list.SetLevelNameIn("German", 0, "Leicht");
    list.Level(0)->Include(5);

    list.SetTextLanguage("German");
    EXPECT_EQ(list.TextLanguage(), "German");
    EXPECT_EQ(list.TextLanguageCode(), 5);
    EXPECT_EQ(list.Title(), "Tiere");
    EXPECT_EQ(list.DescriptionLine(0), "Finde die Tiere.");
    EXPECT_EQ(list.LevelName(0), "Leicht");
    EXPECT_EQ(list.LevelName(1), "Level");
    EXPECT_TRUE(list.Level(0)->Contains(5)); // levels stay, only their names move
    ASSERT_EQ(list.TextLanguageCount(), 1u);
    EXPECT_EQ(list.TextLanguageName(0), "English");
    EXPECT_EQ(list.TextLanguageCode(0), 2);
    EXPECT_EQ(list.TitleIn("English"), "Animals");
    EXPECT_EQ(list.LevelNameIn("English", 0), "Easy");
    EXPECT_EQ(list.DescriptionLineIn("English", 0), "Find the animals.");
}

TEST_F(WordListModel, TextLanguageWithNothingToKeepAddsNoLanguage) {
    list.SetTextLanguage("French");
    EXPECT_EQ(list.TextLanguage(), "French");
    EXPECT_EQ(list.TextLanguageCount(), 0u);
    EXPECT_EQ(list.DescriptionCount(), 0u);
    EXPECT_EQ(list.Title(), "Quiz");
    EXPECT_TRUE(list.Modified());
}

TEST_F(WordListModel, LevelsKeepTheirNamesInEveryTextLanguage) {
    list.AddTextLanguage("French");
    list.SetLevelName(0, "one");
    list.SetLevelName(1, "two");
    list.SetLevelNameIn("French", 0, "un");
    list.SetLevelNameIn("French", 1, "deux");
    list.ExchangeLevels(0, 1);
    EXPECT_EQ(list.LevelName(0), "two");
    EXPECT_EQ(list.LevelNameIn("French", 0), "deux");
    list.DeleteLevel(0);
    EXPECT_EQ(list.LevelNameIn("French", 0), "un");
    list.AddLevels(2);
    EXPECT_EQ(list.LevelCount(), 11u);
    EXPECT_EQ(list.LevelNameIn("French", 10), "Level");
    list.DeleteLevel(40);
    EXPECT_EQ(list.LevelCount(), 11u);
}

// Adding, removing or moving a level is an edit: the editor asks before closing only
// when the list says it is modified. Operations that change nothing leave it clean.
TEST_F(WordListModel, LevelOperationsMarkTheListModified) {
    struct Case {
        const char* what;
        std::function<void(TQRWordList&)> op;
        bool modified;
    };
    const Case cases[] = {
        {"add one", [](TQRWordList& l) { l.AddLevels(1); }, true},
        {"add none", [](TQRWordList& l) { l.AddLevels(0); }, false},
        {"delete", [](TQRWordList& l) { l.DeleteLevel(3); }, true},
        {"delete beyond the end", [](TQRWordList& l) { l.DeleteLevel(10); }, false},
        {"exchange", [](TQRWordList& l) { l.ExchangeLevels(0, 1); }, true},
        {"exchange with itself", [](TQRWordList& l) { l.ExchangeLevels(2, 2); }, false},
        {"exchange beyond the end", [](TQRWordList& l) { l.ExchangeLevels(0, 10); }, false},
    };
    for (const Case& c : cases) {
        list.Reset();
        ASSERT_FALSE(list.Modified());
        c.op(list);
        EXPECT_EQ(list.Modified(), c.modified) << c.what;
    }
}

TEST_F(WordListModel, LevelsHoldGroupsZeroToNinetyNine) {
    TLevel level;
    level.Include(3);
    level.Include(3);
    level.Include(99);
    level.Include(100);
    EXPECT_EQ(level.Count(), 2);
    EXPECT_TRUE(level.Contains(99));
    EXPECT_FALSE(level.Contains(100));
    level.Exclude(3);
    level.Exclude(3);
    EXPECT_EQ(level.Count(), 1);
    EXPECT_FALSE(level.Contains(3));
}

TEST_F(WordListModel, GroupNamesAreReplacedAndRemoved) {
    list.SetGroupName(2, "Pets");
    list.SetGroupName(5, "Farm");
    list.SetGroupName(2, "Small pets");
    EXPECT_EQ(list.GroupName(2), "Small pets");
    list.SetGroupName(5, "");
    EXPECT_EQ(list.GroupName(5), "");
    EXPECT_EQ(list.GroupNames().size(), 1u);
}

TEST_F(WordListModel, NameLanguageRenamesStandardLanguagesOnly) {
    MakeVocabulary();
    list.AddLanguage("Klingon");
    list.AddTextLanguage("French");
    testing::UseGermanStrings();
    list.SetNameLanguage("Deutsch");
    EXPECT_EQ(list.PrimaryLanguage(), "Englisch");
    EXPECT_EQ(list.LanguageName(0), "Franz\xF6sisch");
    EXPECT_EQ(list.LanguageName(1), "Deutsch");
    EXPECT_EQ(list.LanguageName(2), "Klingon");
    EXPECT_EQ(list.TextLanguage(), "Englisch");
    EXPECT_EQ(list.TextLanguageName(0), "Franz\xF6sisch");
    EXPECT_EQ(list.GetTranslation("Franz\xF6sisch", 0), "chat");
    // The same name again changes nothing, even when the table has changed.
    testing::UseEnglishStrings();
    list.SetNameLanguage("Deutsch");
    EXPECT_EQ(list.PrimaryLanguage(), "Englisch");
    list.SetNameLanguage("English");
    EXPECT_EQ(list.PrimaryLanguage(), "English");
}

TEST_F(WordListModel, HasLanguageDecidesByCodeUnlessThereIsNone) {
    MakeVocabulary();
    list.AddLanguage("Klingon");
    EXPECT_TRUE(list.HasLanguage(2, "whatever"));
    EXPECT_TRUE(list.HasLanguage(5, ""));
    EXPECT_FALSE(list.HasLanguage(6, "French"));
    EXPECT_TRUE(list.HasLanguage(255, "Klingon"));
    EXPECT_TRUE(list.HasLanguage(65535, "English"));
    EXPECT_FALSE(list.HasLanguage(255, "Vulcan"));
}

TEST_F(WordListModel, PlayableTextsAreNonEmptyWithoutLeadingMinus) {
    EXPECT_TRUE(TQRWordList::IsPlayable("a-b"));
    EXPECT_FALSE(TQRWordList::IsPlayable("-ab"));
    EXPECT_FALSE(TQRWordList::IsPlayable(""));
    MakeVocabulary();
    EXPECT_EQ(TQRWordList::CountPlayable(list.Words()), 2u);
}

} // namespace
} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordlist/word_list_source.h"

#include <gtest/gtest.h>

#include "test_strings.h"
#include "wordlist/scramble.h"

namespace qr {
namespace {

const char* kFrench = R"(# A small list as an author writes it
type: vocabulary
title: Premiers mots
handle: Ada
version: 2.1
name-language: English
main-language: English
password: open sesame
description: First French words.
author: Ada teaches French.
language: French
level: Very easy | 1
level: Easy | 1 2
[text-language French]
title: Premiers mots en français
level: Très facile

[words]
@group 1 Greetings
hello | bonjour
thank you | merci
@group 2
the cat | le chat
-draft |
)";

class WordListSourceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::UseEnglishStrings();
        list.SetNameLanguage("English");
        list.Reset();
    }
    // Export, build again: the text and the file bytes must not change.
    void ExpectStableRoundTrip() {
        const std::string bytes = list.SaveToBytes();
        const std::string text = TWordListSource::Export(list);
        TQRWordList again;
        TWordListSource::Build(text, again);
        EXPECT_EQ(again.SaveToBytes(), bytes);
        EXPECT_EQ(TWordListSource::Export(again), text);
    }
    TQRWordList list;
};

TEST_F(WordListSourceTest, BuildsWhatTheAuthorWrote) {
    TWordListSource::Build(kFrench, list);
    EXPECT_EQ(list.ListType(), TListType::Vocabulary);
    EXPECT_EQ(list.Title(), "Premiers mots");
    EXPECT_EQ(list.VersionMajor(), 2);
    EXPECT_EQ(list.VersionMinor(), 1);
    EXPECT_EQ(UnscrambleText(list.Password()), "open sesame");
    EXPECT_EQ(list.PrimaryLanguageCode(), 2);
    EXPECT_EQ(list.TextLanguage(), "English"); // the name language, when not given
    ASSERT_EQ(list.LanguageCount(), 1u);
    EXPECT_EQ(list.LanguageCode(0), 4);
    ASSERT_EQ(list.WordCount(), 4u);
    EXPECT_EQ(list.GetTranslation("French", 2), "le chat");
    EXPECT_EQ(list.GetTranslation("French", 3), "");
    EXPECT_EQ(list.Group(1), 0);
    EXPECT_EQ(list.Group(2), 1);
    EXPECT_EQ(list.GroupName(0), "Greetings");
    ASSERT_EQ(list.LevelCount(), 2u);
    EXPECT_TRUE(list.Level(1)->Contains(1));
    EXPECT_EQ(list.Level(1)->Count(), 2);
    EXPECT_EQ(list.LevelNameIn("French", 0), "Tr\xE8s facile");
    EXPECT_EQ(list.TitleIn("French"), "Premiers mots en fran\xE7"
                                      "ais");
    EXPECT_EQ(list.TextLanguageCode(0), 4);
    EXPECT_FALSE(list.Modified());
    ExpectStableRoundTrip();
}

TEST_F(WordListSourceTest, AwkwardTextsSurviveExport) {
    list.SetListType(TListType::Quiz);
    std::string everyByte;
    for (int b = 1; b < 256; ++b)
        everyByte += char(b);
    const std::string texts[] = {
        everyByte.substr(0, 128),
        everyByte.substr(127),
        " spaces at both ends ",
        "a | b = c \\ d",
        "# not a comment",
        "@group 5",
        "[words]",
        "",
        "-",
        std::string("\0", 1),
        "\\e",
    };
    for (size_t i = 0; i < std::size(texts); ++i)
        list.AddClueWord(texts[(i + 3) % std::size(texts)], texts[i], uint8_t(i));
    list.SetTitle(" = title | ");
    list.SetPassword(std::string("\x01\x02\x03", 3)); // not what scrambling makes
    list.SetGroupName(4, "a = b");
    list.AddComment("\t tab");
    list.SetLevelName(0, "| level |");
    list.AddTextLanguage("Elvish = high");
    list.SetLevelNameIn("Elvish = high", 2, "\x81\x01");
    list.SetPrimaryLanguage("Pig | Latin");
    ExpectStableRoundTrip();
    TQRWordList again;
    TWordListSource::Build(TWordListSource::Export(list), again);
    for (size_t i = 0; i < std::size(texts); ++i)
        EXPECT_EQ(again.Word(i), texts[i]) << i;
    EXPECT_EQ(again.Password(), std::string("\x01\x02\x03", 3));
}

TEST_F(WordListSourceTest, KeepsImportsSourcesCodesAndMissingLevels) {
    const char* text = R"(type: anagrams
main-language: Klingon = 255
text-language: Deutsch = 5
import: batch one | t1 | t2 | 7 | 65535 | 0001020304FEFF41
levels: none
[words]
@group 100
@source 1
cat | a pet
@source 0
dog | another pet
)";
    TWordListSource::Build(text, list);
    EXPECT_EQ(list.PrimaryLanguageCode(), 255);
    EXPECT_EQ(list.TextLanguageCode(), 5);
    EXPECT_EQ(list.LevelCount(), 0u);
    EXPECT_EQ(list.Source(0), 1);
    EXPECT_EQ(list.Group(1), 99);
    ASSERT_EQ(list.ImportSourceCount(), 1u);
    EXPECT_EQ(list.ImportSource(0)->number2, 65535);
    EXPECT_EQ(list.ImportSource(0)->extra[7], 0x41);
    ExpectStableRoundTrip();
}

TEST_F(WordListSourceTest, MistakesAreReportedWithTheirLine) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"title: x\n", "line 1: the first entry must be the type"},
        {"type: poem\n", "line 1: type is vocabulary, anagrams or quiz"},
        {"type: quiz\n", ": a list needs at least type and main-language"},
        {"type: quiz\nmain-language: English\ncolour: red\n", "line 3: unknown entry \"colour\""},
        {"type: quiz\nmain-language: English\n[words]\n@group 101\n", "line 4: bad group \"101\""},
        {"type: quiz\nmain-language: English\n[words]\na | b | c\n",
         "line 4: a row has 3 fields; this list has 2"},
        {"type: quiz\nmain-language: English\n[words]\na\\q\n", "line 4: unknown escape \\q"},
        {"type: quiz\nmain-language: English\nlanguage: French\n",
         "line 3: only vocabulary lists have further languages"},
        {"type: vocabulary\nmain-language: English\nlanguage: English\n",
         "line 3: the main language is also a further language"},
        {"type: quiz\nmain-language: E\ndescription: 1\ndescription: 2\ndescription: "
         "3\ndescription: 4\ndescription: 5\n",
         "line 7: a description has at most 4 lines"},
        {"type: quiz\nmain-language: E\nlevel: a | 1\n[text-language F]\nlevel: x\nlevel: y\n",
         "line 6: more level names than the list has levels"},
        {"type: quiz\nmain-language: E\n[words]\n@source 1\nw | c\n",
         "line 4: the list has no import 1"},
    };
    for (const auto& c : cases) {
        list.SetHandle("before");
        try {
            TWordListSource::Build(c.text, list);
            ADD_FAILURE() << "built: " << c.text;
        } catch (const WordListException& e) {
            EXPECT_EQ(e.what(), std::string("Word-list source") +
                                    (c.message[0] == ':' ? "" : ", ") + c.message);
        }
        EXPECT_EQ(list.Handle(), "");
        EXPECT_EQ(list.WordCount(), 0u);
    }
}

} // namespace
} // namespace qr

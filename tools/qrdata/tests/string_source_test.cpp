// SPDX-License-Identifier: GPL-3.0-or-later
#include "string_source.h"

#include "foundation/polyglot.h"

#include <gtest/gtest.h>

namespace qr {
namespace {

TEST(StringSource, GeneratesNumberedLinesWithGapsAndGameEncoding) {
    auto src = TStringSource::Parse("# header\n0 English\n\n2\tenu eng\n4 Grüße ä\n", "eng");
    // Line 1 and 3 are gaps; the umlauts become single Windows-1252 bytes.
    EXPECT_EQ(src.Generate(), "English\n\nenu eng\n\nGr\xFC\xDF"
                              "e \xE4\n");
}

TEST(StringSource, KeepsTextAfterTheSeparatorVerbatim) {
    auto src = TStringSource::Parse("7   two leading blanks stay  \r\n", "x");
    EXPECT_EQ(src.Strings().at(7), "  two leading blanks stay  ");
}

TEST(StringSource, NumbersAbove255AreFurtherLines) {
    auto src = TStringSource::Parse("0 first\n300 late\n", "x");
    std::string out = src.Generate();
    TPolyglot table;
    table.LoadFromBytes(out);
    EXPECT_EQ(table.LineCount(), 301u);
    EXPECT_EQ(table.GetString(300), "late");
    EXPECT_EQ(table.GetString(299), "");
    EXPECT_EQ(table.GetString(301), TPolyglot::kAccessError);
    EXPECT_EQ(table.GetString(-1), TPolyglot::kAccessError);
}

TEST(StringSource, RejectsFaultyLinesNamingTheLine) {
    struct Case {
        const char* text;
        const char* fault;
    } cases[] = {
        {"0 a\n0 b\n", "x:2: string 0 is given twice"},
        {"5 a\n3 b\n", "x:2: string 3 comes after 5"},
        {"1000 a\n", "expected a string number"},
        {" 1 a\n", "must start with its number"},
        {"abc\n", "expected a string number"},
        {"1\n", "string 1 has no text"},
        {"1 \n", "string 1 has no text"},
        {"1 snow \xE2\x98\x83\n", "cannot store"},
        {"# only a comment\n", "no strings"},
    };
    for (const Case& c : cases) {
        try {
            TStringSource::Parse(c.text, "x");
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const StringSourceError& e) {
            EXPECT_NE(std::string(e.what()).find(c.fault), std::string::npos) << e.what();
        }
    }
}

TEST(StringSource, TranslationMustMatchNumbersAndPlaceholders) {
    auto eng = TStringSource::Parse(
        "0 English\n108 Group number %d\n170 Clues in %s, answers in %s\n", "eng");
    EXPECT_NO_THROW(
        TStringSource::Parse("0 Deutsch\n108 Gruppe %d\n170 Hinweise: %s, Antworten: %s\n", "deu")
            .CheckAgainst(eng));

    const char* faulty[] = {
        "0 Deutsch\n108 Gruppe %d\n",                       // missing 170
        "0 Deutsch\n108 Gruppe %d\n170 %s %s\n200 extra\n", // extra number
        "0 Deutsch\n108 Gruppe %s\n170 %s %s\n",            // wrong kind
        "0 Deutsch\n108 Gruppe %d\n170 Hinweise: %s\n",     // one lost
    };
    for (const char* text : faulty)
        EXPECT_THROW(TStringSource::Parse(text, "deu").CheckAgainst(eng), StringSourceError)
            << text;
}

TEST(StringSource, PlaceholdersIgnoreEscapedPercent) {
    EXPECT_EQ(Placeholders("100%% sure: %.2d of %s%"),
              (std::vector<std::string>{"%.2d", "%s", "%"}));
}

} // namespace
} // namespace qr

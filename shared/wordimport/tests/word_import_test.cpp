// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordimport/word_import.h"

#include <gtest/gtest.h>

#include "foundation/polyglot.h"
#include "foundation/stream.h"
#include "foundation/text_codec.h"
#include "wordimport/csv_writer.h"

namespace qr {
namespace {

const char* kEnglishNames[23] = {
    "French",    "German", "English", "Spanish", "Italian",   "Portuguese", "Dutch",    "Swedish",
    "Norwegian", "Danish", "Finnish", "Polish",  "Czech",     "Hungarian",  "Greek",    "Russian",
    "Turkish",   "Latin",  "Irish",   "Welsh",   "Icelandic", "Croatian",   "Esperanto"};

// A string table like the game's: string 0 the interface language, 30.. the languages.
void UseStrings(const std::string& interface,
                const std::vector<std::pair<int, std::string>>& renamed = {}) {
    std::vector<std::string> lines(250, "-");
    lines[0] = interface;
    for (int k = 0; k < 23; ++k)
        lines[size_t(30 + k)] = kEnglishNames[k];
    for (const auto& [code, name] : renamed)
        lines[size_t(30 + code)] = name;
    std::string text;
    for (const auto& l : lines)
        text += l + "\n";
    Polyglot().LoadFromBytes(text);
}

std::string Fixture(const std::string& name) {
    auto bytes =
        ReadFileBytes(std::string(QR_SOURCE_DIR) + "/shared/wordimport/tests/fixtures/" + name);
    return std::string(bytes.begin(), bytes.end());
}

TImportResult Import(std::string_view bytes, TImportFormat format,
                     const TImportOptions& options = {}) {
    return ImportWordList(bytes, format, options, "test.file");
}

TImportResult Csv(std::string_view bytes, const TImportOptions& options = {}) {
    return Import(bytes, TImportFormat::Csv, options);
}

// What the game gets: the list saved and loaded again.
TQRWordList Reloaded(TQRWordList& list) {
    TMemoryStream s(list.SaveToBytes());
    TQRWordList again;
    again.Reset();
    EXPECT_TRUE(again.LoadFromStream(s)) << again.LastError();
    return again;
}

std::vector<int> Groups(const TLevel& level) {
    std::vector<int> g;
    for (int i = 0; i <= TLevel::kMaxGroup; ++i)
        if (level.Contains(i)) g.push_back(i);
    return g;
}

std::string ErrorOf(std::string_view bytes, TImportFormat format,
                    const TImportOptions& options = {}) {
    try {
        Import(bytes, format, options);
    } catch (const ImportException& e) {
        return e.what();
    }
    return "(no error)";
}

class WordImport : public ::testing::Test {
  protected:
    void SetUp() override { UseStrings("English"); }
};

TEST_F(WordImport, KvtmlLessonsBecomeNamedGroupsAndLevelsOfAThreeLanguageList) {
    auto r = Import(Fixture("lessons.kvtml"), TImportFormat::Kvtml);
    TQRWordList l = Reloaded(r.list);

    EXPECT_EQ(l.ListType(), TListType::Vocabulary);
    EXPECT_EQ(l.PrimaryLanguage(), "English");
    EXPECT_EQ(l.PrimaryLanguageCode(), 2);
    ASSERT_EQ(l.LanguageCount(), 2u);
    EXPECT_EQ(l.LanguageName(0), "German");
    EXPECT_EQ(l.LanguageCode(0), 1);
    EXPECT_EQ(l.LanguageName(1), "French");
    EXPECT_EQ(l.LanguageCode(1), 0);
    EXPECT_EQ(l.TextLanguage(), "English");

    EXPECT_EQ(l.StoredTitle(), "Home & Garden");
    ASSERT_EQ(l.DescriptionCount(), 2u);
    EXPECT_EQ(l.DescriptionLine(1), "Three languages.");
    ASSERT_EQ(l.AuthorLineCount(), 2u);
    EXPECT_EQ(l.AuthorLine(1), "Ben Helper");
    EXPECT_EQ(l.Comment(0), "Imported from test.file");

    // The entry without any text is left out; the inactive one stays, out of play.
    EXPECT_EQ(r.summary.imported, 6u);
    EXPECT_EQ(r.summary.skipped, 1u);
    std::vector<std::string> words, french;
    for (size_t i = 0; i < l.WordCount(); ++i) {
        words.push_back(l.Word(i));
        french.push_back(l.GetTranslation("French", i));
    }
    EXPECT_EQ(words,
              (std::vector<std::string>{"house", "garden", "the cat", "-dog", "tree", "chair"}));
    EXPECT_EQ(french, (std::vector<std::string>{"maison", "jardin", "le chat", "-le chien",
                                                "l'arbre", ""}));

    // Groups in file order: Indoors (house), Indoors / Pets (cat, dog), Outdoors; the
    // entry in no lesson gets a group of its own that only the "All" level plays.
    EXPECT_EQ(l.GroupName(0), "Indoors");
    EXPECT_EQ(l.GroupName(1), "Indoors / Pets");
    EXPECT_EQ(l.GroupName(2), "Outdoors");
    EXPECT_EQ(l.Group(0), 0);
    EXPECT_EQ(l.Group(2), 1);
    EXPECT_EQ(l.Group(1), 2);
    EXPECT_EQ(l.Group(5), 3);
    ASSERT_EQ(l.LevelCount(), 3u);
    EXPECT_EQ(l.LevelName(0), "Indoors");
    EXPECT_EQ(Groups(*l.Level(0)), (std::vector<int>{0, 1}));
    EXPECT_EQ(l.LevelName(1), "Outdoors");
    EXPECT_EQ(Groups(*l.Level(1)), (std::vector<int>{2}));
    EXPECT_EQ(l.LevelName(2), "All");
    EXPECT_EQ(Groups(*l.Level(2)), (std::vector<int>{0, 1, 2, 3}));
}

TEST_F(WordImport, LanguagesCanBeChosenAndReorderedByLocaleNameOrCode) {
    TImportOptions o;
    o.languages = {"fra", "Deutsch"};
    auto r = Import(Fixture("lessons.kvtml"), TImportFormat::Kvtml, o);
    EXPECT_EQ(r.list.PrimaryLanguage(), "French");
    ASSERT_EQ(r.list.LanguageCount(), 1u);
    EXPECT_EQ(r.list.LanguageName(0), "German");
    EXPECT_EQ(r.list.Word(4), "l'arbre");
    EXPECT_EQ(r.list.GetTranslation("German", 4), "Baum");

    // An anagram list of two languages takes the second as the clue.
    o.type = TListType::Anagrams;
    r = Import(Fixture("lessons.kvtml"), TImportFormat::Kvtml, o);
    EXPECT_EQ(r.list.ListType(), TListType::Anagrams);
    EXPECT_EQ(r.list.Word(0), "maison");
    EXPECT_EQ(r.list.Clue(0), "Haus");

    // A one-language list of another language takes that language's own comments.
    std::string commented = Fixture("lessons.kvtml");
    commented.replace(commented.find("<text>jardin</text>"), 19,
                      "<text>jardin</text><comment>dehors</comment>");
    o.languages = {"fr"};
    o.type = TListType::Quiz;
    r = Import(commented, TImportFormat::Kvtml, o);
    EXPECT_EQ(r.list.Word(1), "jardin");
    EXPECT_EQ(r.list.Clue(1), "dehors");

    o.languages = {"es"};
    EXPECT_EQ(ErrorOf(Fixture("lessons.kvtml"), TImportFormat::Kvtml, o),
              "the file has no language \"es\" (it has: en, de, fr_FR)");
}

TEST_F(WordImport, LanguageNamesFollowTheInterfaceLanguageWithTheSameCodes) {
    UseStrings("Deutsch", {{0, "Franz\xF6sisch"}, {1, "Deutsch"}, {2, "Englisch"}});
    auto r = Import(Fixture("lessons.kvtml"), TImportFormat::Kvtml);
    EXPECT_EQ(r.list.PrimaryLanguage(), "Englisch");
    EXPECT_EQ(r.list.PrimaryLanguageCode(), 2);
    EXPECT_EQ(r.list.LanguageName(1), "Franz\xF6sisch");
    EXPECT_EQ(r.list.LanguageCode(1), 0);
    // Read under an English interface, the same list names its languages in English.
    std::string bytes = r.list.SaveToBytes();
    UseStrings("English");
    TMemoryStream s(bytes);
    TQRWordList l;
    l.Reset();
    ASSERT_TRUE(l.LoadFromStream(s));
    EXPECT_EQ(l.LanguageName(1), "French");
}

TEST_F(WordImport, AOneLanguageListWithHintsIsAQuizWithTheHintsAsClues) {
    auto r = Import(Fixture("hangman.kvtml"), TImportFormat::Kvtml);
    TQRWordList l = Reloaded(r.list);
    EXPECT_EQ(l.ListType(), TListType::Quiz);
    EXPECT_EQ(l.PrimaryLanguage(), "German");
    EXPECT_EQ(l.WordCount(), 5u);
    EXPECT_EQ(l.Word(0), "B\xE4r");
    EXPECT_EQ(l.Clue(0), "Er schl\xE4"
                         "ft im Winter.");
    // Typographic quotes would land on the fonts' special letters: they become plain.
    EXPECT_EQ(l.Clue(1), "Es tr\xE4gt sein Junges im \"Beutel\".");
    ASSERT_EQ(l.LevelCount(), 1u);
    EXPECT_EQ(Groups(*l.Level(0)), (std::vector<int>{0}));
    ASSERT_EQ(r.summary.warnings.size(), 1u);
    EXPECT_EQ(r.summary.warnings[0], "1 answer(s) are longer than the 21 cells the game can draw: "
                                     "\"Papageientaucherk\xC3\xBCkenmama\"");

    // Without a hint for every word it is an anagram list: every word stays playable.
    std::string partial = Fixture("hangman.kvtml");
    partial.replace(partial.find("<comment>Ein junger Vogel</comment>"), 35, "");
    EXPECT_EQ(Import(partial, TImportFormat::Kvtml).list.ListType(), TListType::Anagrams);

    TImportOptions vocabulary;
    vocabulary.type = TListType::Vocabulary;
    EXPECT_EQ(ErrorOf(partial, TImportFormat::Kvtml, vocabulary),
              "a vocabulary list needs two languages, and the file has only one");
}

TEST_F(WordImport, QuirksOfRealKvtmlFilesAreSurvived) {
    auto file = [](const std::string& entries) {
        return "<kvtml version=\"2.0\"><identifiers><identifier "
               "id=\"0\"><locale>nl</locale></identifier>"
               "</identifiers><entries>" +
               entries + "</entries></kvtml>";
    };
    auto entry = [](int id, const std::string& text, bool inactive) {
        return "<entry id=\"" + std::to_string(id) + "\"><inactive>" +
               (inactive ? "true" : "false") + "</inactive><translation id=\"0\"><text>" + text +
               "</text></translation></entry>\n";
    };
    // An entry id used twice: the second is left out.
    auto r = Import(file(entry(0, "kat", false) + entry(0, "hond", false) + entry(1, "vis", true)),
                    TImportFormat::Kvtml);
    EXPECT_EQ(r.list.WordCount(), 2u);
    EXPECT_EQ(r.list.Word(1), "-vis");
    EXPECT_EQ(r.summary.skipped, 1u);
    EXPECT_EQ(r.summary.warnings,
              std::vector<std::string>{"line 2: entry 0 is there twice; the second is left out"});
    // Every entry inactive (as in some of KDE's hangman lists): the flag means nothing.
    r = Import(file(entry(0, "kat", true) + entry(1, "vis", true)), TImportFormat::Kvtml);
    EXPECT_EQ(r.list.Word(0), "kat");
    EXPECT_EQ(
        r.summary.warnings,
        std::vector<std::string>{"every entry is marked inactive: all are imported as playable"});
}

TEST_F(WordImport, UnshowableCharactersFailNamingTheCharacterEntryAndLineUnlessSkipped) {
    EXPECT_EQ(ErrorOf(Fixture("unshowable.kvtml"), TImportFormat::Kvtml),
              "line 11, entry \"je\xC5\xBE"
              "ek\": the game cannot show the character \"\xC5\xBE\" (U+017E) in the word "
              "\"je\xC5\xBE"
              "ek\"");
    TImportOptions skip;
    skip.skipUnshowable = true;
    auto r = Import(Fixture("unshowable.kvtml"), TImportFormat::Kvtml, skip);
    EXPECT_EQ(r.summary.imported, 3u); // kočka and kůň use the fonts' special letters
    EXPECT_EQ(r.summary.skipped, 1u);
    EXPECT_EQ(r.summary.unshowable, 1u);
    EXPECT_EQ(r.list.Word(0), "ko\x8F"
                              "ka");
    // The title is no entry: it is kept with a stand-in and a warning.
    EXPECT_EQ(r.list.StoredTitle(), "Zv\xED\x89"
                                    "ata a je?ci");
    EXPECT_EQ(r.summary.warnings,
              std::vector<std::string>{
                  "the title has characters the game cannot show; they read as \"?\""});
}

TEST_F(WordImport, Kvtml1FilesImportWithTheirLanguagesLessonsAndRemarks) {
    // Languages named on the first entry only, lessons joined by number, one entry in none.
    auto r = Import("<?xml version=\"1.0\"?>\n<kvtml encoding=\"UTF-8\" title=\"Tiere\" "
                    "author=\"Frau Weber\">\n"
                    "<lesson><desc no=\"1\">Haus</desc><desc no=\"2\">Wald</desc></lesson>\n"
                    "<e m=\"2\"><o l=\"de\">Fuchs</o><t l=\"fr\">renard</t></e>\n"
                    "<e m=\"1\"><o>Katze</o><t>chat</t></e>\n"
                    "<e><o>Igel</o><t>h\xC3\xA9risson</t></e>\n</kvtml>",
                    TImportFormat::Kvtml);
    TQRWordList l = Reloaded(r.list);
    EXPECT_EQ(l.ListType(), TListType::Vocabulary);
    EXPECT_EQ(l.PrimaryLanguage(), "German");
    EXPECT_EQ(l.LanguageName(0), "French");
    EXPECT_EQ(l.StoredTitle(), "Tiere");
    ASSERT_EQ(l.WordCount(), 3u);
    EXPECT_EQ(l.Word(0), "Fuchs");
    EXPECT_EQ(l.GetTranslation("French", 2), "h\xE9risson");
    ASSERT_EQ(l.LevelCount(), 3u); // Haus, Wald, All
    EXPECT_EQ(l.LevelName(0), "Haus");
    EXPECT_EQ(l.LevelName(1), "Wald");

    // A list of one language with an empty <t> in every entry (as KDE's Norwegian lists
    // have) is an anagram list; remarks on every word make it a quiz.
    auto entries = [](const std::string& remark) {
        std::string e;
        for (const char* w : {"leketid",
                              "m\xC3\xB8"
                              "bler",
                              "hage"})
            e += std::string("<e>\n\t<o") + (remark.empty() ? "" : " r=\"" + remark + "\"") + ">" +
                 w + "</o>\n\t<t></t>\n</e>\n";
        return "<!DOCTYPE kvtml SYSTEM \"kvoctrain.dtd\">\n<kvtml encoding=\"UTF-8\">\n" + e +
               "</kvtml>";
    };
    r = Import(entries(""), TImportFormat::Kvtml);
    EXPECT_EQ(r.list.ListType(), TListType::Anagrams);
    EXPECT_EQ(r.list.WordCount(), 3u);
    EXPECT_EQ(r.list.Word(1), "m\xF8"
                              "bler");
    EXPECT_EQ(Import(entries("ein Wort"), TImportFormat::Kvtml).list.ListType(), TListType::Quiz);
}

TEST_F(WordImport, LAcuteReadForARingIsRepairedOutsideSlovakAndCounted) {
    // KDE's Swedish lists call themselves English and write "blĺbär" for "blåbär".
    auto file = [](const std::string& locale, const std::string& entries) {
        return "<kvtml version=\"2.0\"><identifiers><identifier id=\"0\"><locale>" + locale +
               "</locale></identifier></identifiers><entries>" + entries + "</entries></kvtml>";
    };
    auto entry = [](int id, const std::string& text, const std::string& clue) {
        return "<entry id=\"" + std::to_string(id) + "\"><translation id=\"0\"><text>" + text +
               "</text><comment>" + clue + "</comment></translation></entry>\n";
    };
    const std::string entries = entry(0,
                                      "bl\xC4\xBA"
                                      "b\xC3\xA4r",
                                      "S\xC3\xB6ta bl\xC4\xBA b\xC3\xA4r") +
                                entry(1, "\xC4\xB9l", "Dricks kall") +
                                entry(2, "p\xC3\xA4ron",
                                      "V\xC3\xA4xer p\xC4\xBA tr\xC3\xA4"
                                      "d");
    for (const char* locale : {"en", "sv", "nb", "fi"}) {
        auto r = Import(file(locale, entries), TImportFormat::Kvtml);
        EXPECT_EQ(r.list.Word(0), "bl\xE5"
                                  "b\xE4r")
            << locale;
        EXPECT_EQ(r.list.Clue(0), "S\xF6ta bl\xE5 b\xE4r") << locale;
        EXPECT_EQ(r.list.Word(1), "\xC5l") << locale;
        EXPECT_EQ(r.list.Clue(2), "V\xE4xer p\xE5 tr\xE4"
                                  "d")
            << locale;
        EXPECT_EQ(r.summary.repairedAring, 3u) << locale;
    }
    EXPECT_EQ(Import(file("sv", entry(0, "hallon", "R\xC3\xB6tt")), TImportFormat::Kvtml)
                  .summary.repairedAring,
              0u);
    // In Slovak the letter is real: the fonts cannot draw it, and the import says so.
    EXPECT_EQ(ErrorOf(file("sk", entry(0, "d\xC4\xBA\xC5\xBEka", "x")), TImportFormat::Kvtml),
              "line 1, entry \"d\xC4\xBA\xC5\xBEka\": the game cannot show the character "
              "\"\xC4\xBA\" (U+013A) in the word \"d\xC4\xBA\xC5\xBEka\"");
}

TEST_F(WordImport, TypographicCharactersArePlainInCluesButNeverInAnswers) {
    auto quiz = [](const std::string& answer, const std::string& clue) {
        return "<kvtml version=\"2.0\"><identifiers><identifier id=\"0\"><locale>de</locale>"
               "</identifier></identifiers><entries><entry id=\"0\"><translation id=\"0\"><text>" +
               answer + "</text><comment>" + clue +
               "</comment></translation></entry></entries></kvtml>";
    };
    struct {
        const char* clue;
        const char* plain;
    } cases[] = {
        {"H\u2082O", "H2O"},
        {"CO\u2082 und SO\u2084\u00B2\u207B",
         "CO2 und SO4\xB2-"}, // "\u00B2" has a glyph of its own
        {"E = mc\u00B2, x\u207F\u207A\u00B9", "E = mc\xB2, xn+\xB9"},
        {"\u2212 5 \u2009 \u00B0C", "- 5 \xB0"
                                    "C"},
        {"5\u2032 11\u2033, \u2022 1\u20442", "5' 11\", - 1/2"},
    };
    for (const auto& c : cases) {
        auto r = Import(quiz("Wasser", c.clue), TImportFormat::Kvtml);
        EXPECT_EQ(r.list.Clue(0), c.plain) << c.clue;
    }
    EXPECT_EQ(ErrorOf(quiz("H\u2082O", "Wasser"), TImportFormat::Kvtml),
              "line 1, entry \"H\u2082O\": the game cannot show the character \"\u2082\" (U+2082) "
              "in the word \"H\u2082O\"");
}

TEST_F(WordImport, CsvDelimitersAndEncodingsAreFoundOut) {
    struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"comma, UTF-8 with BOM, CRLF",
         "\xEF\xBB\xBF"
         "English,German\r\nbear,B\xC3\xA4r\r\n\"one, two\",\"\"\"eins\"\", zwei\"\r\n"},
        {"semicolon, Windows-1252, empty columns after the last",
         "English;German;;\nbear;B\xE4r;;\n\"one, two\";\"\"\"eins\"\", zwei\";;\n"},
        {"tab, UTF-8, quoted line break",
         "English\tGerman\nbear\tB\xC3\xA4r\n\"one,\ntwo\"\t\"\"\"eins\"\", zwei\""},
        {"semicolon with commas in the header's quotes",
         "\"English, UK\";German\rbear;B\xC3\xA4r\r\"one, two\";\"\"\"eins\"\", zwei\""},
    };
    for (const auto& c : cases) {
        auto r = Csv(c.bytes);
        const TQRWordList& l = r.list;
        ASSERT_EQ(l.WordCount(), 2u) << c.what;
        EXPECT_EQ(l.LanguageName(0), "German") << c.what;
        EXPECT_EQ(l.GetTranslation("German", 0), "B\xE4r") << c.what;
        EXPECT_EQ(l.Word(1), "one, two") << c.what;
        EXPECT_EQ(l.GetTranslation("German", 1), "\"eins\", zwei") << c.what;
        EXPECT_TRUE(r.summary.warnings.empty()) << c.what;
    }
}

TEST_F(WordImport, EntriesWithNothingToSpellAreSkippedNamingTheirLine) {
    // A vocabulary entry needs a word in two languages; a quiz entry an answer (a clue
    // alone, or an answer that is only a note, spells nothing).
    auto vocabulary = Csv("English;German\n;x\nbear;B\xC3\xA4r\n;y\n");
    EXPECT_EQ(vocabulary.list.WordCount(), 1u);
    EXPECT_EQ(vocabulary.summary.skipped, 2u);
    EXPECT_EQ(vocabulary.summary.warnings,
              (std::vector<std::string>{
                  "line 2, entry \"x\": skipped: it has a word in one language only",
                  "line 4, entry \"y\": skipped: it has a word in one language only"}));
    auto quiz =
        Csv("Clue,German\nWho sleeps all winter?,\nRed or yellow?,{a note}\nWho?,B\xC3\xA4r\n");
    EXPECT_EQ(quiz.list.WordCount(), 1u);
    ASSERT_EQ(quiz.summary.warnings.size(), 2u);
    EXPECT_EQ(quiz.summary.warnings[0],
              "line 2, entry \"Who sleeps all winter?\": skipped: the answer is empty");
    // Nothing left to play is no list.
    EXPECT_NE(ErrorOf("English;German\n;x\n;y\n", TImportFormat::Csv).find("no entries"),
              std::string::npos);
}

TEST_F(WordImport, CsvGroupColumnKeepsNumbersAndNumbersNamesInOrder) {
    auto r = Csv("English,Group,French\n"
                 "hello,Greetings,bonjour\n"
                 "cat,3,chat\n"
                 "\n"
                 "dog,Animals,chien,a note\n"
                 "thanks,Greetings,merci\n"
                 "bird,,oiseau\n");
    TQRWordList l = Reloaded(r.list);
    EXPECT_EQ(r.summary.imported, 5u);
    EXPECT_EQ(r.summary.warnings,
              std::vector<std::string>{"line 5: cells beyond the named columns are left out"});
    EXPECT_EQ(l.Group(0), 0); // Greetings: the first free number
    EXPECT_EQ(l.Group(1), 2); // "3" as people count
    EXPECT_EQ(l.Group(2), 1); // Animals: the next free one
    EXPECT_EQ(l.Group(3), 0);
    EXPECT_EQ(l.Group(4), 3); // an empty cell is a group without a name
    EXPECT_EQ(l.GroupName(0), "Greetings");
    EXPECT_EQ(l.GroupName(1), "Animals");
    EXPECT_EQ(l.GroupName(2), "");
    ASSERT_EQ(l.LevelCount(), 5u);
    EXPECT_EQ(l.LevelName(0), "Greetings");
    EXPECT_EQ(Groups(*l.Level(4)), (std::vector<int>{0, 1, 2, 3}));

    // A clue column makes a one-language sheet a quiz.
    auto quiz = Csv("Hint;English\nA pet that purrs;cat\nIt barks;dog\n");
    EXPECT_EQ(quiz.list.ListType(), TListType::Quiz);
    EXPECT_EQ(quiz.list.Word(1), "dog");
    EXPECT_EQ(quiz.list.Clue(1), "It barks");
}

TEST_F(WordImport, CsvExportComesBackThroughTheImport) {
    auto first = Csv("English,French,group\nhello,bonjour,Greetings\n\"a, "
                     "b\",\"\"\"c\"\"\",4\ncat,chat,Greetings\n");
    std::string csv = ExportCsv(first.list);
    EXPECT_EQ(csv, "\xEF\xBB\xBF"
                   "English,French,group\r\nhello,bonjour,Greetings\r\n\"a, b\",\"\"\"c\"\"\",4\r\n"
                   "cat,chat,Greetings\r\n");
    auto again = Csv(csv);
    EXPECT_EQ(again.list.SaveToBytes(), first.list.SaveToBytes());
}

TEST_F(WordImport, LimitsOfTheFormatAreReported) {
    std::string longWord(256, 'a');
    EXPECT_EQ(ErrorOf("English,German\n" + longWord + ",lang\n", TImportFormat::Csv),
              "line 2, entry \"" + longWord +
                  "\": the word is longer than the 255 bytes a list can store");

    std::string many = "English\n";
    for (int i = 0; i < 65536; ++i)
        many += "w" + std::to_string(i) + "\n";
    EXPECT_EQ(ErrorOf(many, TImportFormat::Csv),
              "the file has 65536 entries; a word list holds at most 65535");

    std::string groups = "English,group\n";
    for (int i = 0; i < 101; ++i)
        groups += "w,g" + std::to_string(i) + "\n";
    EXPECT_EQ(ErrorOf(groups, TImportFormat::Csv),
              "line 102: the group column names more than the 100 groups a list can have");

    // KVTML: more than 100 lessons fold into their top-level lessons; more than 100
    // top-level lessons cannot be kept apart.
    auto kvtml = [](int top, int sub) {
        std::string x = "<kvtml version=\"2.0\"><identifiers><identifier "
                        "id=\"0\"><locale>en</locale></identifier>"
                        "</identifiers><entries>";
        for (int i = 0; i < top * sub; ++i)
            x += "<entry id=\"" + std::to_string(i) +
                 "\"><translation id=\"0\"><text>w</text><comment>c</comment>"
                 "</translation></entry>";
        x += "</entries><lessons>";
        for (int t = 0, e = 0; t < top; ++t) {
            x += "<container><name>L" + std::to_string(t) + "</name>";
            for (int s = 0; s < sub; ++s, ++e)
                x += "<container><name>S</name><entry id=\"" + std::to_string(e) +
                     "\"/></container>";
            x += "</container>";
        }
        return x + "</lessons></kvtml>";
    };
    auto folded = Import(kvtml(3, 40), TImportFormat::Kvtml);
    EXPECT_EQ(folded.list.GroupName(2), "L2");
    EXPECT_EQ(folded.list.Group(119), 2);
    EXPECT_EQ(folded.list.LevelCount(), 4u);
    EXPECT_NE(folded.summary.warnings.at(0).find("each top-level lesson became one group"),
              std::string::npos);
    EXPECT_EQ(ErrorOf(kvtml(101, 1), TImportFormat::Kvtml),
              "the file has 101 lessons with entries; a word list holds at most 100 groups");
    auto hundred = Import(kvtml(100, 1), TImportFormat::Kvtml);
    EXPECT_EQ(hundred.list.LevelCount(), 100u); // no room for "All"
}

TEST_F(WordImport, FilesThatAreNoWordListsAreRefusedWithTheirReason) {
    struct {
        TImportFormat format;
        std::string bytes;
        std::string error;
    } cases[] = {
        {TImportFormat::Kvtml, "<kvtml version=\"2.0\"><identifiers>",
         "line 1: not a well-formed XML file: "},
        {TImportFormat::Kvtml, "<?xml version=\"1.0\"?>\n<kvtml version=\"3.0\">\n</kvtml>",
         "line 2: KVTML version 3.0 is not known; only KVTML 1 and 2 can be imported"},
        {TImportFormat::Kvtml, "<kvtml><e><o></o><t></t></e></kvtml>",
         "the file has no entries to import"},
        {TImportFormat::Kvtml, "<html/>",
         "line 1: not a KVTML file (its root element is not <kvtml>)"},
        {TImportFormat::Kvtml, "<kvtml version=\"2.0\"/>",
         "the file names no language (it has no identifiers)"},
        {TImportFormat::Kvtml,
         "<kvtml version=\"2.0\"><identifiers><identifier id=\"0\"/><identifier "
         "id=\"0\"/></identifiers></kvtml>",
         "line 1: identifier 0 is there twice"},
        {TImportFormat::Kvtml,
         "<kvtml version=\"2.0\"><identifiers><identifier id=\"0\"/></identifiers></kvtml>",
         "the file has no entries to import"},
        // Entities are neither expanded nor fetched.
        {TImportFormat::Kvtml,
         "<!DOCTYPE kvtml [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
         "<!ENTITY x SYSTEM \"file:///etc/passwd\">]><kvtml "
         "version=\"2.0\"><identifiers><identifier id=\"0\">"
         "<locale>en</locale></identifier></identifiers><entries><entry id=\"0\"><translation "
         "id=\"0\">"
         "<text>&b;&x;</text></translation></entry></entries></kvtml>",
         "the file has no entries to import"},
        {TImportFormat::Csv, "", "the file is empty; its first row must name the languages"},
        {TImportFormat::Csv, "English,,German\nw,x,y\n",
         "line 1: column 2 has no name; the first row names the languages"},
        {TImportFormat::Csv, "group\n1\n", "line 1: the first row names no language column"},
        {TImportFormat::Csv, "English\n\"open\nw\n", "line 2: a quoted field is not closed"},
        {TImportFormat::Csv,
         "\xFF\xFE"
         "E\0",
         "the file is UTF-16; save it as UTF-8 (or Windows-1252) CSV instead"},
    };
    for (const auto& c : cases) {
        std::string e = ErrorOf(c.bytes, c.format);
        EXPECT_EQ(e.substr(0, c.error.size()), c.error) << c.bytes;
    }
}

} // namespace
} // namespace qr

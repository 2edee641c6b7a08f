// SPDX-License-Identifier: GPL-3.0-or-later
// The bundled word lists and the string files must agree on the languages: a list's
// languages are stored by number, so that the game can name them in the player's language.
#include <gtest/gtest.h>

#include <filesystem>

#include "data_tree.h"
#include "foundation/polyglot.h"
#include "foundation/text_codec.h"
#include "game/gameplay/play_rules.h"
#include "graphics/font.h"
#include "graphics/image_library.h"
#include "wordlist/word_list.h"

namespace qr {
namespace {

using namespace datatest;
namespace fs = std::filesystem;

TEST(WordLists, BundledListsLoadWithStandardLanguagesNamedInEveryInterfaceLanguage) {
    int lists = 0;
    for (const auto& entry : fs::directory_iterator(TreePath("lists"))) {
        if (entry.path().extension() != ".qrw") continue;
        ++lists;
        Polyglot().Load(TreePath("str/qr_eng.str"));
        TQRWordList list;
        ASSERT_TRUE(list.LoadFromFile(entry.path().string()))
            << entry.path() << ": " << list.LastError();
        const int primary = list.PrimaryLanguageCode();
        EXPECT_TRUE(primary >= 0 && primary <= 22)
            << entry.path() << " main language " << list.PrimaryLanguage();
        std::vector<int> codes;
        for (size_t i = 0; i < list.LanguageCount(); ++i) {
            EXPECT_LE(list.LanguageCode(i), 22) << entry.path() << " language " << i;
            codes.push_back(list.LanguageCode(i));
        }
        for (const char* code : {"deu", "fra"}) {
            Polyglot().Load(TreePath(std::string("str/qr_") + code + ".str"));
            list.SetNameLanguage(Polyglot().GetString(0));
            if (primary >= 0 && primary <= 22) {
                EXPECT_EQ(list.PrimaryLanguage(), Polyglot().LanguageName(primary))
                    << entry.path() << " in " << code;
            }
        }
    }
    Polyglot().Load(TreePath("str/qr_eng.str"));
    EXPECT_GT(lists, 0) << "no bundled word lists";
}

// The home room shows a title in a 250-pixel column and the description in 528 pixels,
// the play room a level name in 420 and a clue line in 432 (as the editor warns), all in
// the 14-point font: what does not fit is cut off on screen. Every text language a list
// carries is shown to someone.
TEST(WordLists, BundledTextsFitWhereTheGameShowsThem) {
    RegisterGameFontMetrics();
    TPX8Library lib;
    lib.Open(TreePath("imglib/game.px8"));
    TPX8Font font(lib, "04ab14bz", "abce14bz");
    Polyglot().Load(TreePath("str/qr_eng.str"));
    const auto fits = [&](const fs::path& file, const std::string& what, const std::string& text,
                          int limit) {
        const int width = font.TextWidth(text);
        EXPECT_LE(width, limit) << file.filename() << " " << what << ": \"" << text << "\" is "
                                << width << " pixels";
    };
    for (const auto& entry : fs::directory_iterator(TreePath("lists"))) {
        if (entry.path().extension() != ".qrw") continue;
        TQRWordList list;
        ASSERT_TRUE(list.LoadFromFile(entry.path().string())) << entry.path();
        std::vector<std::string> languages{list.TextLanguage()};
        for (size_t i = 0; i < list.TextLanguageCount(); ++i)
            languages.push_back(list.TextLanguageName(i));
        for (const std::string& language : languages) {
            fits(entry.path(), language + " title", list.TitleIn(language), 250);
            for (size_t i = 0; i < list.DescriptionCountIn(language); ++i)
                fits(entry.path(), language + " description", list.DescriptionLineIn(language, i),
                     528);
            for (size_t i = 0; i < list.LevelCount(); ++i)
                fits(entry.path(), language + " level", list.LevelNameIn(language, i), 420);
        }
        // A vocabulary list's clue is a word of any of its languages, notes in brackets.
        std::vector<std::string> columns{list.PrimaryLanguage()};
        for (size_t k = 0; k < list.LanguageCount(); ++k)
            columns.push_back(list.LanguageName(k));
        for (size_t i = 0; list.ListType() == TListType::Vocabulary && i < list.WordCount(); ++i)
            for (const std::string& column : columns)
                fits(entry.path(), column + " clue", ClueText(list.GetTranslation(column, i)), 432);
        for (size_t i = 0; i < list.ClueCount(); ++i) {
            std::string line = list.Clue(i);
            if (list.ListType() == TListType::Anagrams) line += ": " + LowerCase(list.Word(i));
            fits(entry.path(), "clue", line, 432);
        }
    }
}

} // namespace
} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
// The bundled word lists and the string files must agree on the languages: a list's
// languages are stored by number, so that the game can name them in the player's language.
#include <gtest/gtest.h>

#include <filesystem>

#include "data_tree.h"
#include "foundation/polyglot.h"
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

} // namespace
} // namespace qr

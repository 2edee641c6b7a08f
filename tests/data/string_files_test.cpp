// SPDX-License-Identifier: GPL-3.0-or-later
// Every numbered text the game and the editor ask for must be in every string file, and
// the texts that are formatted must carry the placeholders their callers fill in.
#include <gtest/gtest.h>

#include <set>

#include "data_tree.h"
#include "foundation/polyglot.h"
#include "foundation/utils.h"

namespace qr {
namespace {

using datatest::TreePath;

struct Language {
    const char* code;    // file name part
    const char* name;    // string 0, as it appears in the ini file
    const char* windows; // a Windows language code the file must claim in string 2
};
const Language kLanguages[] = {{"eng", "English", "enu"},
                               {"deu", "Deutsch", "deu"},
                               {"fra",
                                "Fran\xE7"
                                "ais",
                                "fra"}};

// The numbers the program reads, as the screens and dialogs use them.
std::set<int> RequiredNumbers() {
    std::set<int> n = {0, 1, 2, 3, 74, 239, 246, 247, 250, 253, 254};
    auto range = [&](int a, int b) {
        for (int i = a; i <= b; ++i)
            n.insert(i);
    };
    range(4, 29);    // editor window, wizard, dialog buttons (9, 13-15)
    range(30, 52);   // the 23 languages
    range(53, 78);   // languages page, creator page, saving, default titles, closing
    range(80, 121);  // passwords, menus, dialogs
    range(150, 152); // start room
    range(155, 199); // start room, play panels, help page 6, home, credits heading
    range(200, 209); // credit pages
    range(210, 238); // level dialog, translation dialog, help pages, help menu
    range(240, 241);
    return n;
}

TPolyglot Load(const Language& lang) {
    TPolyglot table;
    table.Load(TreePath(std::string("str/qr_") + lang.code + ".str"));
    return table;
}

TEST(StringFiles, EveryNumberTheProgramUsesIsPresentInEveryLanguage) {
    for (const Language& lang : kLanguages) {
        TPolyglot table = Load(lang);
        for (int n : RequiredNumbers()) {
            std::string s = table.GetString(uint8_t(n));
            EXPECT_NE(s, TPolyglot::kAccessError) << lang.code << " string " << n;
            EXPECT_FALSE(s.empty()) << lang.code << " string " << n;
        }
    }
}

TEST(StringFiles, LanguagesNameThemselvesAndClaimTheirWindowsCodes) {
    std::set<std::string> names;
    for (const Language& lang : kLanguages) {
        TPolyglot table = Load(lang);
        EXPECT_EQ(table.GetString(0), lang.name);
        EXPECT_NE(table.GetString(2).find(lang.windows), std::string::npos) << lang.code;
        EXPECT_EQ(table.GetString(247), lang.code);
        // The language room lists files by string 0; two files with one name would hide one.
        EXPECT_TRUE(names.insert(table.GetString(0)).second);
        // Language numbers are looked up by name, so the 23 names must differ.
        std::set<std::string> languageNames;
        for (int k = 0; k < TPolyglot::kLanguageCount; ++k)
            languageNames.insert(table.LanguageName(k));
        EXPECT_EQ(languageNames.size(), size_t(TPolyglot::kLanguageCount)) << lang.code;
        EXPECT_GE(table.LanguageNumber(table.GetString(0)), 0)
            << lang.code << " names itself among the 23";
    }
}

TEST(StringFiles, FormattedTextsCarryThePlaceholdersTheirCallersFill) {
    struct Format {
        int number;
        const char* placeholders;
    } formats[] = {
        {56, "s"},  {57, "s"},  {108, "d"}, {113, "d"},  {115, "d"}, {119, "d"}, {121, "s"},
        {157, "d"}, {160, "d"}, {162, "d"}, {170, "ss"}, {239, "s"}, {241, "s"},
    };
    for (const Language& lang : kLanguages) {
        TPolyglot table = Load(lang);
        for (const Format& f : formats) {
            std::string s = table.GetString(uint8_t(f.number));
            std::string found;
            for (size_t i = 0; i + 1 < s.size(); ++i)
                if (s[i] == '%') found += s[++i];
            EXPECT_EQ(found, f.placeholders) << lang.code << " string " << f.number << ": " << s;
        }
        // Texts drawn as they are must not carry placeholders or the text blocks' escapes.
        for (int n :
             {13, 14, 15, 9, 74, 150, 151, 152, 165, 166, 167, 168, 169, 177, 222, 223, 253, 254})
            EXPECT_EQ(table.GetString(uint8_t(n)).find_first_of("%\\`"), std::string::npos)
                << lang.code << " " << n;
    }
}

TEST(StringFiles, AllLanguagesFillTheSameLines) {
    TPolyglot eng = Load(kLanguages[0]);
    for (const Language& lang : kLanguages) {
        TPolyglot table = Load(lang);
        ASSERT_EQ(table.LineCount(), eng.LineCount()) << lang.code;
        for (size_t n = 0; n < eng.LineCount(); ++n)
            EXPECT_EQ(table.GetString(uint8_t(n)).empty(), eng.GetString(uint8_t(n)).empty())
                << lang.code << " " << n;
    }
}

} // namespace
} // namespace qr

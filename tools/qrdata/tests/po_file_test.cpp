// SPDX-License-Identifier: GPL-3.0-or-later
#include "po_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fit_limits.h"
#include "foundation/text_codec.h"

namespace qr {
namespace {

std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// Whatever the string sources hold now: each goes out to PO and comes back unchanged.
TEST(PoFile, EveryStringSourceComesBackFromItsPoFileByteForByte) {
    const std::filesystem::path dir = std::filesystem::path(QR_SOURCE_DIR) / "data/str";
    const std::string english = Read(dir / "eng.txt");
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() != ".txt") continue;
        ++files;
        const std::string source = Read(entry.path());
        const std::string code = entry.path().stem().string();
        const std::string po = ExportPo(english, source, code);
        EXPECT_NE(po.find("\"Language: " + code + "\\n\""), std::string::npos) << code;
        std::string back;
        try {
            back = ImportPo(po, english, code + ".po");
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
        }
        EXPECT_EQ(back, source) << code;
    }
    EXPECT_GE(files, 3);
}

const char* const kEnglish = "# Test texts.\n"
                             "\n"
                             "# --- A section ---\n"
                             "# 56: said when the language is a standard one.\n"
                             "56 %s is one of the standard languages.\n"
                             "151 Change\n"
                             "224 Welcome!\\n\\nFind the `words. A \\\\n stays.\n";
const char* const kGerman = "# Deutsch.\n"
                            "56 %s ist eine der Standardsprachen.\n"
                            "\n"
                            "# Knopf\n"
                            "151 \xC3\x84ndern\n"
                            "224 Willkommen!\\n\\nFinde die `W\xC3\xB6rter. A \\\\n stays.\n"
                            "# Ende\n";

TEST(PoFile, EntriesCarryNumberEnglishTranslationAndTheNotesTranslatorsNeed) {
    const std::string po = ExportPo(kEnglish, kGerman, "deu");
    EXPECT_NE(
        po.find("# # Deutsch.\n# ~ after the last string ~\n# # Ende\nmsgid \"\"\nmsgstr \"\"\n"),
        std::string::npos)
        << po;
    EXPECT_NE(po.find("#. --- A section ---\n"
                      "#. 56: said when the language is a standard one.\n"
                      "#. Keep %s in this order: the program puts a text or number in its place.\n"
                      "#, c-format\n"
                      "msgctxt \"56\"\n"
                      "msgid \"%s is one of the standard languages.\"\n"
                      "msgstr \"%s ist eine der Standardsprachen.\"\n"),
              std::string::npos)
        << po;
    EXPECT_EQ(po.find("Test texts"), std::string::npos) << "the file's own header is no note";
    const int width = FitWidth(4, "Change");
    EXPECT_NE(po.find("#\n# # Knopf\n#. Drawn on one line as a button of the start room (MODSTART "
                      "CHANGENAME): at most 80 pixels wide; the English is " +
                      std::to_string(width) +
                      ".\nmsgctxt \"151\"\nmsgid \"Change\"\n"
                      "msgstr \"\xC3\x84ndern\"\n"),
              std::string::npos)
        << po;
    // A text block's breaks are real line breaks; an escaped backslash stays one.
    EXPECT_NE(po.find("msgid \"Welcome!\\n\\nFind the `words. A \\\\\\\\n stays.\"\n"),
              std::string::npos)
        << po;
    EXPECT_EQ(ImportPo(po, kEnglish, "deu.po"), kGerman);

    const std::string pot = ExportPot(kEnglish);
    EXPECT_NE(pot.find("msgctxt \"151\"\nmsgid \"Change\"\nmsgstr \"\"\n"), std::string::npos);
    EXPECT_EQ(pot.find("Language:"), std::string::npos);
}

TEST(PoFile, PoFilesAsTranslationEditorsSaveThemAreTakenBack) {
    // Wrapped strings, the translator's own comment, references and flags in other places.
    const std::string po = "# Translator: Anna\n"
                           "msgid \"\"\n"
                           "msgstr \"\"\n"
                           "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
                           "\n"
                           "#, c-format\n"
                           "msgctxt \"56\"\n"
                           "msgid \"%s is one of the \"\n"
                           "\"standard languages.\"\n"
                           "msgstr \"\"\n"
                           "\"%s est une des \"\n"
                           "\"langues standard.\"\n"
                           "\n"
                           "# \xC3\xA0 revoir\n"
                           "#: start room\n"
                           "msgctxt \"151\"\n"
                           "msgid \"Change\"\n"
                           "msgstr \"Changer\"\n"
                           "\n"
                           "msgctxt \"224\"\n"
                           "msgid \"\"\n"
                           "\"Welcome!\\n\"\n"
                           "\"\\n\"\n"
                           "\"Find the `words. A \\\\\\\\n stays.\"\n"
                           "msgstr \"Bienvenue !\\n\\nTrouve les `mots.\"\n"
                           "\n"
                           "#~ msgctxt \"99\"\n"
                           "#~ msgid \"Gone\"\n"
                           "#~ msgstr \"Parti\"\n";
    EXPECT_EQ(ImportPo(po, kEnglish, "fra.po"), "# Translator: Anna\n"
                                                "56 %s est une des langues standard.\n"
                                                "# \xC3\xA0 revoir\n"
                                                "151 Changer\n"
                                                "224 Bienvenue !\\n\\nTrouve les `mots.\n");
}

TEST(PoFile, TranslationsThatWouldBreakTheGameAreRefusedNamingTheEntry) {
    const std::string po = ExportPo(kEnglish, kGerman, "deu");
    const std::string good = "msgstr \"%s ist eine der Standardsprachen.\"";
    struct {
        std::string po;
        std::string fault;
    } cases[] = {
        {Replaced(po, good, "msgstr \"Eine der Standardsprachen.\""),
         "string 56 (\"%s is one of the standard languages.\"): the translation drops %s"},
        {Replaced(po, good, "msgstr \"%s ist %d der Standardsprachen.\""),
         "string 56 (\"%s is one of the standard languages.\"): the translation adds %d"},
        {Replaced(po, good, "msgstr \"\""), "string 56 (\"%s is one of the standard "
                                            "languages.\"): is not translated"},
        {Replaced(po, "#, c-format\n", "#, c-format, fuzzy\n"),
         "string 56 (\"%s is one of the standard languages.\"): is marked fuzzy"},
        {Replaced(po, "msgid \"Change\"", "msgid \"Rename\""),
         "string 151 (\"Change\"): the English text has changed since the PO file was made"},
        {Replaced(po, "msgstr \"\xC3\x84ndern\"", "msgstr \"Umbenennen und \xC3\xA4ndern\""),
         "string 151 (\"Change\"): the translation is " +
             std::to_string(FitWidth(4, "Umbenennen und \xE4ndern")) +
             " pixels wide, and a button of the start room (MODSTART CHANGENAME) has room for 80"},
        {Replaced(po, "msgstr \"\xC3\x84ndern\"", "msgstr \"\xE2\x98\x83\""),
         "string 151 (\"Change\"): the translation holds a character the string files cannot "
         "store"},
        {Replaced(po, "msgctxt \"151\"", "msgctxt \"150\""), "string 151 (\"Change\"): is not in "
                                                             "the PO file"},
        {Replaced(po, "msgctxt \"151\"", "msgctxt \"56\""), "string 56 is there twice"},
        {Replaced(po, "msgctxt \"151\"", "msgctxt \"Knopf\""),
         "the entry's msgctxt \"Knopf\" is no string number"},
        {Replaced(po, "msgstr \"\xC3\x84ndern\"", "msgstr \"\xC3\x84ndern"),
         "a string must be written in double quotes"},
        {Replaced(po, "msgstr \"\xC3\x84ndern\"", "msgstr[0] \"\xC3\x84ndern\""),
         "plural forms are not used"},
        {Replaced(po, "charset=UTF-8", "charset=ISO-8859-1"), "must be saved as UTF-8"},
    };
    for (const auto& c : cases) {
        std::string message = "(no error)";
        try {
            ImportPo(c.po, kEnglish, "deu.po");
        } catch (const PoError& e) {
            message = e.what();
        }
        EXPECT_NE(message.find(c.fault), std::string::npos) << message;
    }
    // A source that the data build would refuse is refused with the build's message.
    EXPECT_THROW(ExportPo(kEnglish, "151 a\n56 b\n", "deu"), StringSourceError);
    EXPECT_THROW(ExportPo(kEnglish, "57 nicht englisch\n", "deu"), PoError);
}

} // namespace
} // namespace qr

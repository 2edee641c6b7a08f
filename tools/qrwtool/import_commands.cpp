// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/qrwtool/import_commands.h"

#include <algorithm>
#include <iostream>

#include "foundation/command_line.h"
#include "foundation/stream.h"
#include "foundation/text_codec.h"
#include "wordimport/csv_writer.h"
#include "wordimport/word_import.h"

namespace qr {

namespace {

int ImportUsage(const std::string& problem) {
    return UsageError("qrwtool", problem, "usage: qrwtool COMMAND\n" QRWTOOL_IMPORT_USAGE,
                      std::cerr);
}

std::vector<std::string> SplitCommas(const std::string& s) {
    std::vector<std::string> out;
    size_t pos = 0;
    while (pos <= s.size()) {
        size_t end = std::min(s.find(',', pos), s.size());
        if (end > pos) out.push_back(s.substr(pos, end - pos));
        pos = end + 1;
    }
    return out;
}

const char* TypeName(TListType t) {
    return t == TListType::Vocabulary ? "a vocabulary"
           : t == TListType::Anagrams ? "an anagram"
                                      : "a quiz";
}

} // namespace

int RunImportCommand(const std::vector<std::string>& args) {
    TImportOptions options;
    std::vector<std::string> files;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        bool hasValue = i + 1 < args.size();
        if (a == "--type" && hasValue) {
            std::string t = args[++i];
            if (t == "vocabulary")
                options.type = TListType::Vocabulary;
            else if (t == "anagram" || t == "anagrams")
                options.type = TListType::Anagrams;
            else if (t == "quiz")
                options.type = TListType::Quiz;
            else
                return ImportUsage("unknown list type " + t);
        } else if (a == "--languages" && hasValue) {
            options.languages = SplitCommas(args[++i]);
        } else if (a == "--title" && hasValue) {
            options.title = args[++i];
        } else if (a == "--skip-unshowable") {
            options.skipUnshowable = true;
        } else if (a.rfind("--", 0) == 0) {
            return ImportUsage(hasValue ? "unknown option " + a : a + " needs a value");
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) return ImportUsage("import needs a SOURCE and an OUT file");
    const std::string& source = files[0];
    TImportResult result;
    try {
        result = ImportWordListFile(source, options);
    } catch (const ImportException& e) {
        // A file name or a text from the file may hold any byte: control bytes are shown
        // escaped, never sent to the terminal.
        std::cerr << "qrwtool: " << Printable(source + ": " + e.what()) << "\n"
                  << "qrwtool: " << Printable(source + ": nothing was written") << "\n";
        return 1;
    }
    for (const std::string& w : result.summary.warnings)
        std::cerr << "qrwtool: " << Printable(source + ": warning: " + w) << "\n";
    result.list.SaveToFile(files[1]);
    const TQRWordList& list = result.list;
    std::string languages = ToUtf8(list.PrimaryLanguage());
    for (size_t k = 0; k < list.LanguageCount(); ++k)
        languages += ", " + ToUtf8(list.LanguageName(k));
    std::cout << Printable(files[1]) << ": " << result.summary.imported << " entries imported as "
              << TypeName(list.ListType()) << " list (" << languages << "), " << list.LevelCount()
              << " level(s); " << result.summary.skipped << " skipped";
    if (result.summary.unshowable)
        std::cout << " (" << result.summary.unshowable
                  << " with texts the game cannot show or store)";
    std::cout << "\n";
    if (size_t n = result.summary.repairedAring)
        std::cout << files[1] << ": " << n << (n == 1 ? " word" : " words")
                  << " repaired: \u013A read as \u00E5\n";
    return 0;
}

bool IsCsvExport(const std::vector<std::string>& args) {
    return !args.empty() && args[0] == "export" &&
           std::find(args.begin(), args.end(), "--csv") != args.end();
}

int RunCsvExportCommand(const std::vector<std::string>& args) {
    std::vector<std::string> rest;
    std::string out;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--csv" && i + 1 < args.size())
            out = args[++i];
        else
            rest.push_back(args[i]);
    }
    if (out.empty() || rest.size() != 1) {
        std::cerr << "usage: qrwtool export FILE --csv OUT.csv\n";
        return 2;
    }
    TQRWordList list;
    list.Reset();
    if (!list.LoadFromFile(rest[0])) {
        std::cerr << "qrwtool: " << Printable(rest[0] + ": " + list.LastError()) << "\n";
        return 1;
    }
    std::string text = ExportCsv(list);
    WriteFileAtomic(out, text.data(), text.size());
    return 0;
}

} // namespace qr

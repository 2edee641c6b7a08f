// SPDX-License-Identifier: GPL-3.0-or-later
// qrwtool: the command-line tool for ".qrw" word lists, for authors and for the data
// build. It reads every format version and writes the current one.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/command_line.h"
#include "foundation/polyglot.h"
#include "foundation/stream.h"
#include "foundation/text_codec.h"
#include "graphics/font.h"
#include "tools/qrwtool/import_commands.h"
#include "tools/qrwtool/word_list_json.h"
#include "wordlist/shown_texts.h"
#include "wordlist/word_list.h"
#include "wordlist/word_list_source.h"

namespace {

const char* kUsage =
    "usage: qrwtool COMMAND [--strings qr_xxx.str]\n"
    "  dump FILE           print every field of the list as JSON\n"
    "  check FILE          exit 0 when the game would load the list; warns of characters\n"
    "                      the game's fonts cannot draw (exit 1 for them too with --strict)\n"
    "  build SOURCE OUT    make a list from its text form\n"
    "  export FILE [OUT]   write the text form of a list (to stdout without OUT)\n"
    "  upgrade IN OUT      rewrite a list of any version as the current version\n"
    // clang-format off
    QRWTOOL_IMPORT_USAGE
    // clang-format on
    "--strings names the string file whose language names are used: loaded lists show\n"
    "their languages in it, and built lists look their language codes up in it.\n"
    "Without it every language name and code stays as written.\n";

int Usage(const std::string& problem) {
    return qr::UsageError("qrwtool", problem, kUsage, std::cerr);
}

bool Load(qr::TQRWordList& list, const std::string& path) {
    qr::RequireReadable(path);
    if (list.LoadFromFile(path)) return true;
    std::cerr << "qrwtool: " << qr::Printable(path + ": " + list.LastError()) << "\n";
    return false;
}

std::string ReadText(const std::string& path) {
    qr::RequireReadable(path);
    std::ifstream in(path, std::ios::binary);
    if (!in) throw qr::ToolError(path + ": cannot be read");
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Warns of every text holding a character the game's fonts leave blank (a child would see
// an empty card or cell); true when there was one.
bool WarnUndrawn(const qr::TQRWordList& list, const std::string& path) {
    bool any = false;
    for (const qr::TShownText& shown : qr::ShownTexts(list)) {
        for (char c : shown.text) {
            const auto byte = uint8_t(c);
            if (qr::GameFontsDraw(byte)) continue;
            char code[8];
            std::snprintf(code, sizeof code, "U+%04X", unsigned(qr::ByteToCodePoint(byte)));
            std::cerr << "qrwtool: " << qr::Printable(path)
                      << ": warning: " << qr::Printable(qr::ToUtf8(shown.where)) << " \""
                      << qr::Printable(qr::ToUtf8(shown.text)) << "\" has the character " << code
                      << " (byte " << int(byte) << "), which the game's fonts cannot draw\n";
            any = true;
            break;
        }
    }
    return any;
}

} // namespace

int main(int argc, char** argv) {
    if (std::optional<int> done = qr::HandleCommonOptions(
            "qrwtool", std::vector<std::string>(argv + 1, argv + argc), kUsage, std::cout,
            std::cerr, {"--strings", "--type", "--languages", "--title", "--csv"},
            {"--skip-unshowable", "--strict"}))
        return *done;
    std::vector<std::string> args;
    std::string strings;
    bool strict = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--strings" && i + 1 < argc)
            strings = argv[++i];
        else if (a == "--strict")
            strict = true;
        else
            args.push_back(a);
    }
    if (args.empty()) return Usage("a command is needed");
    const std::string& cmd = args[0];
    try {
        if (!strings.empty()) {
            qr::RequireReadable(strings);
            qr::Polyglot().Load(strings);
        }
        qr::TQRWordList list;
        list.Reset();
        if (cmd == "import") {
            return qr::RunImportCommand(args);
        } else if (qr::IsCsvExport(args)) {
            return qr::RunCsvExportCommand(args);
        } else if (cmd == "dump" && args.size() == 2) {
            if (!Load(list, args[1])) return 1;
            std::cout << qr::WordListToJson(list);
        } else if (cmd == "check" && args.size() == 2) {
            if (!Load(list, args[1])) return 1;
            if (WarnUndrawn(list, args[1]) && strict) return 1;
        } else if (cmd == "build" && args.size() == 3) {
            const std::string source = ReadText(args[1]);
            try {
                qr::TWordListSource::Build(source, list);
            } catch (const qr::UvoException& e) {
                throw qr::ToolError(args[1] + ": " + e.what());
            }
            list.SaveToFile(args[2]);
        } else if (cmd == "export" && (args.size() == 2 || args.size() == 3)) {
            if (!Load(list, args[1])) return 1;
            std::string text = qr::TWordListSource::Export(list);
            if (args.size() == 3)
                qr::WriteFileAtomic(args[2], text.data(), text.size());
            else
                std::cout << text;
        } else if (cmd == "upgrade" && args.size() == 3) {
            if (!Load(list, args[1])) return 1;
            list.SaveToFile(args[2]);
        } else if (cmd == "dump" || cmd == "check" || cmd == "build" || cmd == "export" ||
                   cmd == "upgrade") {
            return Usage("wrong number of arguments for " + cmd);
        } else {
            return Usage("unknown command " + cmd);
        }
    } catch (const std::exception& e) {
        std::cerr << "qrwtool: " << qr::Printable(e.what()) << "\n";
        return 1;
    }
    return 0;
}

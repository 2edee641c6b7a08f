// SPDX-License-Identifier: GPL-3.0-or-later
// qrdata: the data build's own steps that no Debian tool can do.
//   qrdata strings SOURCE OUTPUT [REFERENCE]   generate a "qr_*.str" file from its source,
//                                               checked against the reference language
//   qrdata po-export SOURCE ENGLISH OUT.po      a string source as a PO file for translators
//   qrdata po-template ENGLISH OUT.pot          the PO template of a new language
//   qrdata po-import IN.po ENGLISH SOURCE       a translated PO file back as a string source
//   qrdata compile-script TXT DAT               compile the world script
//   qrdata compile-sounds TXT DAT               compile the sound table
//   qrdata quantise IN.png PALETTE OUT.png [key=N] [dither]
//                                               full-colour art to an indexed picture in
//                                               the game palette
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "compile_filters.h"
#include "foundation/command_line.h"
#include "foundation/obf_text.h"
#include "foundation/stream.h"
#include "png_io.h"
#include "po_file.h"
#include "px8tool.h"
#include "quantise.h"
#include "string_source.h"

namespace {

const char* const kUsage = "usage: qrdata strings SOURCE OUTPUT [REFERENCE]\n"
                           "       qrdata po-export SOURCE ENGLISH OUT.po\n"
                           "       qrdata po-template ENGLISH OUT.pot\n"
                           "       qrdata po-import IN.po ENGLISH SOURCE\n"
                           "       qrdata compile-script TXT DAT\n"
                           "       qrdata compile-sounds TXT DAT\n"
                           "       qrdata quantise IN.png PALETTE OUT.png [key=N] [dither]\n";

std::string ReadText(const std::string& path) {
    qr::RequireReadable(path);
    std::vector<uint8_t> bytes = qr::ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

// Compiles a world script or sound table. What the game could not use is refused rather
// than compiled into a file that looks fine: bytes that are not text, or nothing but
// comments and blank lines.
void CompileText(const std::string& txt, const std::string& dat, const qr::TObfText::Filter& filter,
                 const char* what) {
    const std::string text = ReadText(txt);
    int line = 1;
    for (unsigned char c : text) {
        if (c == '\n') ++line;
        if (c < 0x20 && c != '\n' && c != '\r' && c != '\t')
            throw qr::ToolError(txt + ": not a " + what + " (a control byte on line " +
                                std::to_string(line) + ")");
    }
    int kept = 0;
    auto counting = [&](std::string& l) {
        const bool keep = filter(l);
        if (keep && !l.empty() && l[0] != '#') ++kept;
        return keep;
    };
    const std::vector<uint8_t> out =
        qr::TObfText::CompileBytes(std::vector<uint8_t>(text.begin(), text.end()), counting);
    if (kept == 0) throw qr::ToolError(txt + ": not a " + what + " (no lines to compile)");
    qr::WriteFileAtomic(dat, out.data(), out.size());
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (std::optional<int> done =
            qr::HandleCommonOptions("qrdata", args, kUsage, std::cout, std::cerr))
        return *done;
    if (args.empty()) return qr::UsageError("qrdata", "a command is needed", kUsage, std::cerr);
    const std::string cmd = args[0];
    try {
        if (cmd == "strings" && (argc == 4 || argc == 5)) {
            qr::TStringSource src = qr::TStringSource::Parse(ReadText(argv[2]), argv[2]);
            if (argc == 5) src.CheckAgainst(qr::TStringSource::Parse(ReadText(argv[4]), argv[4]));
            std::string out = src.Generate();
            qr::WriteFileAtomic(argv[3], out.data(), out.size());
            return 0;
        }
        if (cmd == "po-export" && argc == 5) {
            // The language is the source's file name ("deu" for deu.txt), as string 247.
            std::string language = std::filesystem::path(argv[2]).stem().string();
            std::string out =
                qr::ExportPo(ReadText(argv[3]), ReadText(argv[2]), language, argv[3], argv[2]);
            qr::WriteFileAtomic(argv[4], out.data(), out.size());
            return 0;
        }
        if (cmd == "po-template" && argc == 4) {
            std::string out = qr::ExportPot(ReadText(argv[2]), argv[2]);
            qr::WriteFileAtomic(argv[3], out.data(), out.size());
            return 0;
        }
        if (cmd == "po-import" && argc == 5) {
            std::string out = qr::ImportPo(ReadText(argv[2]), ReadText(argv[3]), argv[2], argv[3]);
            qr::WriteFileAtomic(argv[4], out.data(), out.size());
            return 0;
        }
        if (cmd == "compile-script" && argc == 4) {
            CompileText(argv[2], argv[3], qr::WorldScriptCompileFilter, "world script");
            return 0;
        }
        if (cmd == "compile-sounds" && argc == 4) {
            CompileText(argv[2], argv[3], qr::SoundTableCompileFilter, "sound table");
            return 0;
        }
        if (cmd == "quantise" && argc >= 5) {
            qr::QuantiseOptions options;
            for (int i = 5; i < argc; ++i) {
                std::string opt = argv[i];
                if (opt == "dither")
                    options.dither = true;
                else if (std::optional<long long> key = qr::ParseInteger(
                             opt.rfind("key=", 0) == 0 ? opt.substr(4) : "", 0, 255))
                    options.key = int(*key);
                else
                    return qr::UsageError("qrdata",
                                          "quantise takes key=0..255 and dither, not " + opt,
                                          kUsage, std::cerr);
            }
            const qr::TRgbPalette palette = qr::ReadPaletteFile(argv[3]);
            qr::RequireReadable(argv[2]);
            qr::TPngImage png = qr::ReadPng(argv[2]);
            if (png.Indexed) throw std::runtime_error(std::string(argv[2]) + " is indexed already");
            std::vector<uint8_t> px =
                qr::QuantiseToPalette(png.Pixels, png.Width, png.Height, palette, options);
            qr::WriteIndexedPng(argv[4], png.Width, png.Height, px, palette);
            return 0;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qrdata: %s\n", qr::Printable(e.what()).c_str());
        return 1;
    }
    if (cmd == "strings" || cmd == "po-export" || cmd == "po-template" || cmd == "po-import" ||
        cmd == "compile-script" || cmd == "compile-sounds" || cmd == "quantise")
        return qr::UsageError("qrdata", "wrong number of arguments for " + cmd, kUsage, std::cerr);
    return qr::UsageError("qrdata", "unknown command " + cmd, kUsage, std::cerr);
}

// qrdata: the data build's own steps that no Debian tool can do.
//   qrdata strings SOURCE OUTPUT [REFERENCE]   generate a "qr_*.str" file from its source,
//                                               checked against the reference language
//   qrdata compile-script TXT DAT               compile the world script
//   qrdata compile-sounds TXT DAT               compile the sound table
//   qrdata quantise IN.png PALETTE OUT.png [key=N] [dither]
//                                               full-colour art to an indexed picture in
//                                               the game palette
#include <cstdio>
#include <exception>
#include <string>

#include "compile_filters.h"
#include "foundation/obf_text.h"
#include "foundation/stream.h"
#include "png_io.h"
#include "px8tool.h"
#include "quantise.h"
#include "string_source.h"

namespace {

std::string ReadText(const std::string& path) {
    std::vector<uint8_t> bytes = qr::ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

int Usage() {
    std::fprintf(stderr, "usage: qrdata strings SOURCE OUTPUT [REFERENCE]\n"
                         "       qrdata compile-script TXT DAT\n"
                         "       qrdata compile-sounds TXT DAT\n"
                         "       qrdata quantise IN.png PALETTE OUT.png [key=N] [dither]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) return Usage();
    std::string cmd = argv[1];
    try {
        if (cmd == "strings" && (argc == 4 || argc == 5)) {
            qr::TStringSource src = qr::TStringSource::Parse(ReadText(argv[2]), argv[2]);
            if (argc == 5) src.CheckAgainst(qr::TStringSource::Parse(ReadText(argv[4]), argv[4]));
            std::string out = src.Generate();
            qr::WriteFileAtomic(argv[3], out.data(), out.size());
            return 0;
        }
        if (cmd == "compile-script" && argc == 4) {
            qr::TObfText::Compile(argv[2], argv[3], qr::WorldScriptCompileFilter);
            return 0;
        }
        if (cmd == "compile-sounds" && argc == 4) {
            qr::TObfText::Compile(argv[2], argv[3], qr::SoundTableCompileFilter);
            return 0;
        }
        if (cmd == "quantise" && argc >= 5) {
            qr::QuantiseOptions options;
            for (int i = 5; i < argc; ++i) {
                std::string opt = argv[i];
                if (opt == "dither")
                    options.dither = true;
                else if (opt.rfind("key=", 0) == 0)
                    options.key = std::stoi(opt.substr(4));
                else
                    return Usage();
            }
            if (options.key > 255) return Usage();
            const qr::TRgbPalette palette = qr::ReadPaletteFile(argv[3]);
            qr::TPngImage png = qr::ReadPng(argv[2]);
            if (png.Indexed) throw std::runtime_error(std::string(argv[2]) + " is indexed already");
            std::vector<uint8_t> px =
                qr::QuantiseToPalette(png.Pixels, png.Width, png.Height, palette, options);
            qr::WriteIndexedPng(argv[4], png.Width, png.Height, px, palette);
            return 0;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qrdata: %s\n", e.what());
        return 1;
    }
    return Usage();
}

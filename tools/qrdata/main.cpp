// qrdata: the data build's own steps that no Debian tool can do.
//   qrdata strings SOURCE OUTPUT [REFERENCE]   generate a "qr_*.str" file from its source,
//                                               checked against the reference language
//   qrdata compile-script TXT DAT               compile the world script
//   qrdata compile-sounds TXT DAT               compile the sound table
#include <cstdio>
#include <exception>
#include <string>

#include "compile_filters.h"
#include "foundation/obf_text.h"
#include "foundation/stream.h"
#include "string_source.h"

namespace {

std::string ReadText(const std::string& path) {
    std::vector<uint8_t> bytes = qr::ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

int Usage() {
    std::fprintf(stderr,
                 "usage: qrdata strings SOURCE OUTPUT [REFERENCE]\n"
                 "       qrdata compile-script TXT DAT\n"
                 "       qrdata compile-sounds TXT DAT\n");
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
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qrdata: %s\n", e.what());
        return 1;
    }
    return Usage();
}

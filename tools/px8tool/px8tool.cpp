// SPDX-License-Identifier: GPL-3.0-or-later
#include "px8tool.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <sstream>

#include "foundation/command_line.h"
#include "foundation/stream.h"
#include "foundation/utils.h"
#include "graphics/image_data.h"
#include "graphics/image_library.h"
#include "graphics/image_writer.h"
#include "graphics/px8_exception.h"
#include "png_io.h"

namespace qr {

namespace fs = std::filesystem;

namespace {

const char* const kUsage = "usage: px8tool list LIB\n"
                           "       px8tool extract LIB NAME OUT.png|OUT.raw\n"
                           "       px8tool pack OUT.px8 MANIFEST\n"
                           "       px8tool palette export LIB OUT.pal|OUT.png\n"
                           "       px8tool palette import LIB PALETTE.pal|PALETTE.png [OUT.px8]\n";

bool EndsWithNoCase(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() && AsciiLower(s.substr(s.size() - suffix.size())) == suffix;
}

// The palette as the file holds it (the game fixes entries 0 and 255 when it shows it;
// authors get back exactly what they put in).
TRgbPalette LibraryPalette(const TPX8Library& lib) {
    TFileStream s(lib.FileName(), TFileStream::Mode::OpenRead);
    std::vector<uint8_t> raw(kPX8PaletteSize);
    s.Seek(kPX8FileHeaderSize);
    s.ReadBuffer(raw.data(), raw.size());
    TRgbPalette p{};
    for (size_t i = 0; i < 256; ++i)
        p[i] = {raw[i * 4 + 2], raw[i * 4 + 1], raw[i * 4]};
    return p;
}

// Opens the library a command reads; anything else is refused with the file's name.
void OpenLibrary(TPX8Library& lib, const std::string& path) {
    RequireReadable(path);
    try {
        lib.Open(path);
    } catch (const UvoException& e) {
        std::string reason = PlainReason(e);
        if (reason == "header invalid") reason = "bad header";
        throw ToolError(path + ": not an image library (" + reason + ")");
    }
}

// What goes wrong reading pictures out of a library that opened is damage inside it.
template <class Read> auto ReadingLibrary(const std::string& path, Read read) {
    try {
        return read();
    } catch (const FileOpenError&) {
        throw;
    } catch (const StreamWriteError&) {
        throw;
    } catch (const PX8Exception& e) {
        throw ToolError(path + ": damaged image library (" + PlainReason(e) + ")");
    } catch (const StreamReadError& e) {
        throw ToolError(path + ": damaged image library (" + PlainReason(e) + ")");
    }
}

int List(const std::string& path, std::ostream& out) {
    TPX8Library lib;
    OpenLibrary(lib, path);
    // Directory order is file order: walk the records as the library does.
    std::ostringstream lines;
    ReadingLibrary(path, [&] {
        TFileStream s(path, TFileStream::Mode::OpenRead);
        int64_t offset = kPX8FirstRecord;
        while (offset < s.Size()) {
            s.Seek(offset);
            const TPX8ImageHeader h = TPX8ImageHeader::Read(s);
            s.Seek(offset + kPX8ImageHeaderSize + 4 * (h.SegmentCount - 1));
            const uint32_t length = s.ReadU32();
            lines << Printable(h.Name) << ' ' << h.Width << ' ' << h.Height << ' ' << int(h.Storage)
                  << ' ' << (h.Transparent ? 1 : 0) << ' ' << int(h.TransparentColour) << '\n';
            offset += length;
        }
        return 0;
    });
    out << lines.str();
    return 0;
}

int Extract(const std::string& path, const std::string& name, const std::string& outPath) {
    TPX8Library lib;
    OpenLibrary(lib, path);
    if (!lib.ImageExists(name)) throw ToolError(path + ": no picture named \"" + name + "\"");
    int32_t width = 0, height = 0;
    const std::vector<uint8_t> px = ReadingLibrary(path, [&] {
        TImageRef node(lib, name);
        TImageDataRef data(lib, node.get());
        width = data->Width;
        height = data->Height;
        std::vector<uint8_t> pixels;
        pixels.reserve(size_t(width) * height);
        for (int32_t y = 0; y < height; ++y) {
            const uint8_t* row = data->StartLine(0, y);
            pixels.insert(pixels.end(), row, row + width);
        }
        return pixels;
    });
    if (EndsWithNoCase(outPath, ".png")) {
        WriteIndexedPng(outPath, width, height, px, LibraryPalette(lib));
    } else if (EndsWithNoCase(outPath, ".raw")) {
        WriteFileAtomic(outPath, px.data(), px.size());
    } else {
        throw ToolError(outPath + ": the output must end in .png or .raw");
    }
    return 0;
}

struct ManifestError : UvoException {
    using UvoException::UvoException;
};

int Pack(const std::string& outPath, const std::string& manifestPath) {
    RequireReadable(manifestPath);
    std::ifstream in(manifestPath);
    if (!in) throw ToolError(manifestPath + ": cannot be read");
    const fs::path base = fs::path(manifestPath).parent_path();
    auto resolve = [&](const std::string& f) {
        return fs::path(f).is_absolute() ? f : (base / f).string();
    };
    TPX8Writer writer;
    bool havePalette = false;
    TRgbPalette palette{};
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        const std::string where = manifestPath + ":" + std::to_string(lineNo) + ": ";
        std::istringstream words(line);
        std::string keyword;
        if (!(words >> keyword) || keyword[0] == '#') continue;
        if (keyword == "palette") {
            std::string file;
            if (!(words >> file)) throw ManifestError(where + "palette needs a file");
            palette = ReadPaletteFile(resolve(file));
            havePalette = true;
            for (int i = 0; i < 256; ++i)
                writer.SetPaletteRGB(i, palette[size_t(i)][0], palette[size_t(i)][1],
                                     palette[size_t(i)][2]);
            continue;
        }
        if (keyword != "image") throw ManifestError(where + "unknown keyword \"" + keyword + "\"");
        TPX8WriterImage img;
        std::string file;
        if (!(words >> img.Name >> file))
            throw ManifestError(where + "image needs a name and a file");
        std::string opt;
        int key = -1;
        while (words >> opt) {
            if (opt == "raw")
                img.Coding = TBandCoding::Raw;
            else if (opt == "lines")
                img.Coding = TBandCoding::LineCoded;
            else if (opt == "runs")
                img.Coding = TBandCoding::RunMode;
            else if (opt.rfind("key=", 0) == 0) {
                const std::string v = opt.substr(4);
                if (v == "none")
                    key = -1;
                else {
                    try {
                        key = std::stoi(v);
                    } catch (...) {
                        key = 256;
                    }
                    if (key < 0 || key > 255)
                        throw ManifestError(where + "key must be 0-255 or none");
                }
            } else {
                throw ManifestError(where + "unknown option \"" + opt + "\"");
            }
        }
        img.Transparent = key >= 0;
        img.TransparentColour = uint8_t(key >= 0 ? key : 0);
        const TPngImage png = ReadPng(resolve(file));
        img.Width = png.Width;
        img.Height = png.Height;
        if (png.Indexed) {
            // Indexed art is drawn in the library palette already: indices are kept.
            img.Pixels = png.Pixels;
            if (!havePalette) {
                palette = png.Palette;
                havePalette = true;
                for (int i = 0; i < 256; ++i)
                    writer.SetPaletteRGB(i, palette[size_t(i)][0], palette[size_t(i)][1],
                                         palette[size_t(i)][2]);
            }
        } else {
            if (!havePalette)
                throw ManifestError(where + "a truecolour picture needs a palette line first");
            img.Pixels.resize(size_t(png.Width) * png.Height);
            std::map<uint32_t, uint8_t> cache;
            for (size_t i = 0; i < img.Pixels.size(); ++i) {
                const uint8_t* p = png.Pixels.data() + i * 4;
                if (p[3] < 128) {
                    if (key < 0)
                        throw ManifestError(where + "\"" + file +
                                            "\" has transparent pixels: give key=N");
                    img.Pixels[i] = uint8_t(key);
                    continue;
                }
                const uint32_t rgb = (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
                auto it = cache.find(rgb);
                if (it == cache.end())
                    it = cache.emplace(rgb, NearestColour(palette, p[0], p[1], p[2])).first;
                img.Pixels[i] = it->second;
            }
        }
        writer.Add(std::move(img));
    }
    if (!havePalette)
        throw ManifestError(manifestPath + ": no palette (a palette line or an indexed picture)");
    writer.SaveToFile(outPath);
    return 0;
}

int PaletteCommand(const std::vector<std::string>& a, std::ostream& err) {
    if (a.size() >= 4 && a[1] == "export") {
        TPX8Library lib;
        OpenLibrary(lib, a[2]);
        const TRgbPalette p = LibraryPalette(lib);
        if (EndsWithNoCase(a[3], ".png")) {
            std::vector<uint8_t> swatch(256 * 16 * 16);
            for (int y = 0; y < 256; ++y)
                for (int x = 0; x < 256; ++x)
                    swatch[size_t(y) * 256 + x] = uint8_t((y / 16) * 16 + x / 16);
            WriteIndexedPng(a[3], 256, 256, swatch, p);
        } else {
            WritePalFile(a[3], p);
        }
        return 0;
    }
    if ((a.size() == 4 || a.size() == 5) && a[1] == "import") {
        const TRgbPalette p = ReadPaletteFile(a[3]);
        {
            // Refuses to rewrite anything that is not a library.
            TPX8Library lib;
            OpenLibrary(lib, a[2]);
        }
        std::vector<uint8_t> bytes = ReadFileBytes(a[2]);
        for (size_t i = 0; i < 256; ++i) {
            bytes[kPX8FileHeaderSize + i * 4] = p[i][2];
            bytes[kPX8FileHeaderSize + i * 4 + 1] = p[i][1];
            bytes[kPX8FileHeaderSize + i * 4 + 2] = p[i][0];
            bytes[kPX8FileHeaderSize + i * 4 + 3] = 0;
        }
        WriteFileAtomic(a.size() == 5 ? a[4] : a[2], bytes.data(), bytes.size());
        return 0;
    }
    return UsageError("px8tool", "palette needs export LIB OUT or import LIB PALETTE [OUT]", kUsage,
                      err);
}

} // namespace

uint8_t NearestColour(const TRgbPalette& palette, uint8_t r, uint8_t g, uint8_t b) {
    int best = 0;
    int bestDist = 1 << 30;
    for (int i = 0; i < 256; ++i) {
        const int dr = palette[size_t(i)][0] - r, dg = palette[size_t(i)][1] - g,
                  db = palette[size_t(i)][2] - b;
        // Weighted towards green as the eye is; enough for art drawn with the palette in mind.
        const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    return uint8_t(best);
}

TRgbPalette ReadPaletteFile(const std::string& path) {
    if (EndsWithNoCase(path, ".png")) {
        const TPngImage png = ReadPng(path);
        if (!png.Indexed)
            throw UvoException("\"" + path + "\" has no palette (not an indexed PNG)");
        return png.Palette;
    }
    RequireReadable(path);
    std::ifstream in(path);
    if (!in) throw ToolError(path + ": cannot be read");
    std::string magic, version;
    int count = 0;
    if (!(in >> magic >> version >> count) || magic != "JASC-PAL" || count < 1 || count > 256)
        throw UvoException("\"" + path + "\" is not a JASC-PAL palette file");
    TRgbPalette p{};
    for (int i = 0; i < count; ++i) {
        int r, g, b;
        if (!(in >> r >> g >> b) || r < 0 || r > 255 || g < 0 || g > 255 || b < 0 || b > 255)
            throw UvoException("\"" + path + "\": bad colour at entry " + std::to_string(i));
        p[size_t(i)] = {uint8_t(r), uint8_t(g), uint8_t(b)};
    }
    return p;
}

void WritePalFile(const std::string& path, const TRgbPalette& palette) {
    std::string s = "JASC-PAL\r\n0100\r\n256\r\n";
    for (const auto& c : palette)
        s +=
            std::to_string(c[0]) + " " + std::to_string(c[1]) + " " + std::to_string(c[2]) + "\r\n";
    WriteFileAtomic(path, s.data(), s.size());
}

int RunPx8Tool(const std::vector<std::string>& a, std::ostream& out, std::ostream& err) {
    if (std::optional<int> done = HandleCommonOptions("px8tool", a, kUsage, out, err)) return *done;
    try {
        if (a.size() == 2 && a[0] == "list") return List(a[1], out);
        if (a.size() == 4 && a[0] == "extract") return Extract(a[1], a[2], a[3]);
        if (a.size() == 3 && a[0] == "pack") return Pack(a[1], a[2]);
        if (!a.empty() && a[0] == "palette") return PaletteCommand(a, err);
        if (a.empty()) return UsageError("px8tool", "a command is needed", kUsage, err);
        if (a[0] == "list" || a[0] == "extract" || a[0] == "pack")
            return UsageError("px8tool", "wrong number of arguments for " + a[0], kUsage, err);
        return UsageError("px8tool", "unknown command " + a[0], kUsage, err);
    } catch (const std::exception& e) {
        err << "px8tool: " << Printable(e.what()) << '\n';
        return 1;
    }
}

} // namespace qr

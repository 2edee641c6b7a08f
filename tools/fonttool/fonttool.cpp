// SPDX-License-Identifier: GPL-3.0-or-later
#include "fonttool.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <ostream>
#include <sstream>

#include "foundation/command_line.h"
#include "foundation/stream.h"
#include "foundation/text_codec.h"
#include "png_io.h"
#include "px8tool.h"

namespace qr {

const TFontDesign& GameFontDesign(int slot) {
    static const TFontDesign slot4{4,
                                   23,
                                   23,
                                   18,
                                   16,
                                   {{' ', 3},
                                    {'-', 6},
                                    {'A', 9},
                                    {'`', 4},
                                    {'0', 9},
                                    {'1', 9},
                                    {'2', 9},
                                    {'3', 9},
                                    {'4', 9},
                                    {'5', 9},
                                    {'6', 9},
                                    {'7', 9},
                                    {'8', 9},
                                    {'9', 9}}};
    static const TFontDesign slot5{5,
                                   72,
                                   74,
                                   57,
                                   48,
                                   {{' ', 12},
                                    {'-', 17},
                                    {'`', 13},
                                    {'0', 30},
                                    {'1', 30},
                                    {'2', 30},
                                    {'3', 30},
                                    {'4', 30},
                                    {'5', 30},
                                    {'6', 30},
                                    {'7', 30},
                                    {'8', 30},
                                    {'9', 30}}};
    if (slot == 4) return slot4;
    if (slot == 5) return slot5;
    throw UvoException("No font design for slot " + std::to_string(slot));
}

namespace {

// The character glyph entry i stands for: bytes 32-127 and 160-255, except that entry
// 95 is drawn for byte 138 and entry 96 for byte 154 (the font maps those two there).
char32_t GlyphCodePoint(int i) {
    if (i == 95) return ByteToCodePoint(138);
    if (i == 96) return ByteToCodePoint(154);
    return ByteToCodePoint(uint8_t(i < 96 ? i + 32 : i + 64));
}

char32_t SpecialCodePoint(int k) {
    for (int b = 0; b < 256; ++b) {
        const TGlyphRef g = MapFontByte(uint8_t(b));
        if (g.kind == TGlyphRef::Special && g.index == k) return ByteToCodePoint(uint8_t(b));
    }
    return 0;
}

struct FtLibrary {
    FT_Library lib = nullptr;
    FT_Face face = nullptr;
    ~FtLibrary() {
        if (face) FT_Done_Face(face);
        if (lib) FT_Done_FreeType(lib);
    }
};

struct Glyph {
    int advance = 0; // pixels
    int left = 0, top = 0, w = 0, h = 0;
    std::vector<uint8_t> ink; // w x h, 1 = ink
};

Glyph Render(FT_Face face, char32_t cp, const std::string& path) {
    const FT_UInt index = FT_Get_Char_Index(face, cp);
    if (index == 0 && cp != 0) {
        std::ostringstream s;
        s << "\"" << path << "\" has no glyph for U+" << std::hex << std::uppercase << uint32_t(cp);
        throw UvoException(s.str());
    }
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL))
        throw UvoException("Cannot render a glyph of \"" + path + "\"");
    const FT_GlyphSlot g = face->glyph;
    Glyph out;
    out.advance = int(std::lround(double(g->advance.x) / 64.0));
    out.left = g->bitmap_left;
    out.top = g->bitmap_top;
    out.w = int(g->bitmap.width);
    out.h = int(g->bitmap.rows);
    out.ink.resize(size_t(out.w) * out.h);
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x)
            out.ink[size_t(y) * out.w + x] =
                g->bitmap.buffer[y * g->bitmap.pitch + x] >= 100 ? 1 : 0;
    return out;
}

// Lays glyphs out in rows of perRow cells of Width + 2 columns and draws their ink.
template <size_t N>
void LayOut(const std::vector<Glyph>& glyphs, const std::vector<int>& widths, int perRow,
            const TFontDesign& d, std::array<TGlyphEntry, N>& entries, int32_t extraColumns,
            int32_t& imgW, int32_t& imgH, std::vector<uint8_t>& mask) {
    const int rows = int((glyphs.size() + size_t(perRow) - 1) / size_t(perRow));
    imgW = 0;
    for (int r = 0; r < rows; ++r) {
        int x = 0;
        for (int i = r * perRow; i < std::min<int>((r + 1) * perRow, int(glyphs.size())); ++i) {
            entries[size_t(i)] = {uint16_t(x + 1), uint8_t(widths[size_t(i)]), 0};
            x += widths[size_t(i)] + 2;
        }
        imgW = std::max(imgW, x);
    }
    imgW += extraColumns;
    imgH = int32_t(rows * int(d.RowHeight));
    mask.assign(size_t(imgW) * imgH, 0);
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const Glyph& g = glyphs[i];
        const TGlyphEntry& e = entries[i];
        const int cellLeft = e.X - 1, cellRight = e.X + e.Width; // inclusive, margins included
        const int cellTop = int(i / size_t(perRow)) * int(d.RowHeight);
        // Glyphs with a fixed width are centred in their cell.
        const int origin = cellLeft + ((e.Width + 2) - g.advance) / 2;
        for (int y = 0; y < g.h; ++y)
            for (int x = 0; x < g.w; ++x) {
                if (!g.ink[size_t(y) * g.w + x]) continue;
                const int px = origin + g.left + x;
                const int py = cellTop + int(d.Baseline) - g.top + y;
                if (px < cellLeft || px > cellRight || py < cellTop ||
                    py >= cellTop + int(d.Height))
                    continue;
                mask[size_t(py) * imgW + px] = 1;
            }
    }
}

} // namespace

TRasterFont RasteriseFont(const std::string& ttfPath, const TFontDesign& d) {
    FtLibrary ft;
    if (FT_Init_FreeType(&ft.lib)) throw UvoException("FreeType did not start");
    RequireReadable(ttfPath);
    if (FT_New_Face(ft.lib, ttfPath.c_str(), 0, &ft.face))
        throw ToolError(ttfPath + ": not a font (FreeType cannot read it)");
    if (FT_Set_Pixel_Sizes(ft.face, 0, FT_UInt(d.PixelSize)))
        throw UvoException("Cannot size the font");

    auto widthFor = [&](const Glyph& g, int byte) {
        for (const auto& [b, w] : d.Widths)
            if (b == byte) return int(w);
        return std::clamp(g.advance - 2, 1, 255);
    };
    TRasterFont f;
    f.Metrics.Height = d.Height;
    f.Metrics.RowHeight = d.RowHeight;
    f.Metrics.Baseline = d.Baseline;
    std::vector<Glyph> glyphs;
    std::vector<int> widths;
    for (int i = 0; i < kFontGlyphCount; ++i) {
        const char32_t cp = GlyphCodePoint(i);
        // Byte 127 has no character of its own (entry 95 is shown for byte 138); byte 160
        // is likewise replaced. Control code points get an empty cell.
        glyphs.push_back(cp < 32 || (cp >= 0x7F && cp < 0xA0) ? Glyph{}
                                                              : Render(ft.face, cp, ttfPath));
        widths.push_back(widthFor(glyphs.back(), i < 96 ? i + 32 : i + 64));
    }
    LayOut(glyphs, widths, kFontGlyphsPerRow, d, f.Metrics.Glyphs, 12, f.Width, f.Height, f.Mask);
    glyphs.clear();
    widths.clear();
    for (int k = 0; k < kFontSpecialCount; ++k) {
        glyphs.push_back(Render(ft.face, SpecialCodePoint(k), ttfPath));
        widths.push_back(widthFor(glyphs.back(), -1));
    }
    LayOut(glyphs, widths, kFontSpecialsPerRow, d, f.Specials, 0, f.SpecialWidth, f.SpecialHeight,
           f.SpecialMask);
    return f;
}

std::vector<uint8_t> PaintMask(const std::vector<uint8_t>& mask, int32_t w, int32_t h,
                               const TFontColours& c, bool mark) {
    std::vector<uint8_t> px(mask.size(), uint8_t(c.Key));
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            if (mask[size_t(y) * w + x]) {
                px[size_t(y) * w + x] = uint8_t(c.Ink);
                continue;
            }
            if (c.Outline < 0) continue;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx) {
                    const int32_t nx = x + dx, ny = y + dy;
                    near = nx >= 0 && ny >= 0 && nx < w && ny < h && mask[size_t(ny) * w + nx];
                }
            if (near) px[size_t(y) * w + x] = uint8_t(c.Outline);
        }
    if (mark)
        for (int32_t y = h - 2; y < h; ++y)
            for (int32_t x = w - 11; x < w; ++x)
                px[size_t(y) * w + x] = uint8_t(c.Ink);
    return px;
}

std::string MetricsSource(const std::vector<std::pair<TRasterFont, int>>& fonts,
                          const std::string& ttfName) {
    std::ostringstream s;
    s << "// SPDX-License-Identifier: GPL-3.0-or-later\n"
      << "// The metrics of the game's font designs, made by fonttool from " << ttfName << ".\n"
      << "// They describe the font images the data build makes from the same font: regenerate\n"
      << "// both together (fonttool metrics).\n"
      << "#include \"graphics/font.h\"\n\nnamespace qr {\n\nnamespace {\n\n";
    auto table = [&](const auto& entries) {
        for (size_t i = 0; i < entries.size(); ++i)
            s << (i % 8 == 0 ? "\n    " : " ") << "{" << entries[i].X << ", "
              << int(entries[i].Width) << ", 0},";
        s << "\n";
    };
    for (const auto& [f, slot] : fonts) {
        s << "TFontMetrics gSlot" << slot << "{" << f.Metrics.Height << ", " << f.Metrics.RowHeight
          << ", " << f.Metrics.Baseline << ", {{";
        table(f.Metrics.Glyphs);
        s << "}}, nullptr};\n\nconst std::array<TGlyphEntry, kFontSpecialCount> gSpecials" << slot
          << "{{";
        table(f.Specials);
        s << "}};\n\n";
    }
    s << "} // namespace\n\nTFontMetrics& GameFontMetrics(int slot) {\n";
    for (const auto& [f, slot] : fonts)
        s << "    if (slot == " << slot << ") return gSlot" << slot << ";\n";
    s << "    throw UvoException(\"Font not loaded\");\n}\n\n"
      << "const std::array<TGlyphEntry, kFontSpecialCount>& GameFontSpecials(int slot) {\n";
    for (const auto& [f, slot] : fonts)
        s << "    if (slot == " << slot << ") return gSpecials" << slot << ";\n";
    s << "    throw UvoException(\"Font not loaded\");\n}\n\nvoid RegisterGameFontMetrics() {\n";
    for (const auto& [f, slot] : fonts)
        s << "    RegisterFontMetrics(" << slot << ", &gSlot" << slot << ", &gSpecials" << slot
          << ");\n";
    s << "}\n\n} // namespace qr\n";
    return s.str();
}

namespace {

const char* const kUsage =
    "usage: fonttool metrics TTF OUT.cpp\n"
    "       fonttool render TTF SLOT PALETTE INK OUTLINE|none KEY FONT.png SPECIALS.png\n";

int ParseIndex(const std::string& s, bool allowNone) {
    if (allowNone && s == "none") return -1;
    try {
        size_t used = 0;
        const int v = std::stoi(s, &used);
        if (used == s.size() && v >= 0 && v <= 255) return v;
    } catch (...) {
    }
    throw UvoException("\"" + s + "\" is not a palette index 0-255");
}

} // namespace

int RunFontTool(const std::vector<std::string>& a, std::ostream& out, std::ostream& err) {
    if (std::optional<int> done = HandleCommonOptions("fonttool", a, kUsage, out, err))
        return *done;
    try {
        if (a.size() == 3 && a[0] == "metrics") {
            std::vector<std::pair<TRasterFont, int>> fonts;
            for (int slot : {4, 5})
                fonts.emplace_back(RasteriseFont(a[1], GameFontDesign(slot)), slot);
            const std::string src =
                MetricsSource(fonts, std::filesystem::path(a[1]).filename().string());
            WriteFileAtomic(a[2], src.data(), src.size());
            return 0;
        }
        if (a.size() == 9 && a[0] == "render") {
            const int slot = ParseIndex(a[2], false);
            const TRgbPalette palette = ReadPaletteFile(a[3]);
            const TFontColours c{ParseIndex(a[4], false), ParseIndex(a[5], true),
                                 ParseIndex(a[6], false)};
            const TRasterFont f = RasteriseFont(a[1], GameFontDesign(slot));
            WriteIndexedPng(a[7], f.Width, f.Height, PaintMask(f.Mask, f.Width, f.Height, c, true),
                            palette);
            WriteIndexedPng(a[8], f.SpecialWidth, f.SpecialHeight,
                            PaintMask(f.SpecialMask, f.SpecialWidth, f.SpecialHeight, c, false),
                            palette);
            out << "font " << f.Width << "x" << f.Height << ", extra glyphs " << f.SpecialWidth
                << "x" << f.SpecialHeight << "\n";
            return 0;
        }
        if (a.empty()) return UsageError("fonttool", "a command is needed", kUsage, err);
        if (a[0] == "metrics" || a[0] == "render")
            return UsageError("fonttool", "wrong number of arguments for " + a[0], kUsage, err);
        return UsageError("fonttool", "unknown command " + a[0], kUsage, err);
    } catch (const std::exception& e) {
        err << "fonttool: " << Printable(e.what()) << '\n';
        return 1;
    }
}

} // namespace qr

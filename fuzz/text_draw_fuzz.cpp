// SPDX-License-Identifier: GPL-3.0-or-later
// Lays out and draws arbitrary bytes as marked-up text with two fonts and their extra
// glyphs, and draws them straight with a font.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "graphics/font.h"
#include "graphics/image_writer.h"
#include "graphics/text_block.h"

namespace {

std::vector<uint8_t> Cells(int perRow, int count) {
    const int w = perRow * 6, h = (count + perRow - 1) / perRow * 6;
    std::vector<uint8_t> px(size_t(w) * h, 0);
    for (int i = 0; i < count; ++i)
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 1 + i % 4; ++x)
                px[size_t((i / perRow) * 6 + y) * w + 1 + 6 * (i % perRow) + x] = uint8_t(1 + i);
    return px;
}

struct Fixture {
    qr::TFontMetrics metrics;
    std::array<qr::TGlyphEntry, qr::kFontSpecialCount> specials{};
    qr::TPX8Library lib;
    std::unique_ptr<qr::TPX8Font> regular, heading;
    qr::TImageNode* back = nullptr;
    qr::TPX8ImageData* dest = nullptr;

    Fixture() {
        metrics.Height = 5;
        metrics.RowHeight = 6;
        metrics.Baseline = 4;
        for (int i = 0; i < qr::kFontGlyphCount; ++i)
            metrics.Glyphs[size_t(i)] = {uint16_t(1 + 6 * (i % 32)), uint8_t(1 + i % 4), 0};
        for (int k = 0; k < qr::kFontSpecialCount; ++k)
            specials[size_t(k)] = {uint16_t(1 + 6 * (k % 12)), uint8_t(1 + k % 4), 0};
        qr::RegisterFontMetrics(9, &metrics, &specials);
        qr::TPX8Writer w;
        auto add = [&](const char* name, int width, int height, std::vector<uint8_t> px) {
            qr::TPX8WriterImage img;
            img.Name = name;
            img.Width = width;
            img.Height = height;
            img.Pixels = std::move(px);
            img.Transparent = true;
            w.Add(std::move(img));
        };
        add("09r", 192, 36, Cells(32, qr::kFontGlyphCount));
        add("09h", 192, 36, Cells(32, qr::kFontGlyphCount));
        add("abcer", 72, 6 * qr::kFontSpecialRows, Cells(12, qr::kFontSpecialCount));
        lib.OpenStream(std::make_unique<qr::TMemoryStream>(w.Bytes()));
        regular = std::make_unique<qr::TPX8Font>(lib, "09r", "abcer");
        heading = std::make_unique<qr::TPX8Font>(lib, "09h");
        back = lib.CreateImage("back", 120, 80);
        dest = lib.GetImageData(back);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Fixture f;
    if (size < 3) return 0;
    qr::TTextBlock block(f.regular.get(), "r");
    block.AddFont("h", f.heading.get());
    block.Alignment = data[0] % 4;
    block.Indent = int8_t(data[1] % 16);
    block.BlankLineHeight = int8_t(data[2]);
    const std::string_view text(reinterpret_cast<const char*>(data + 3), size - 3);
    const qr::TRect rect{-5, 3, 10 + data[0] % 110, 5 + data[1] % 75};
    size_t done = 0;
    // Page through the whole text as a room would; each page must move on or stop.
    for (int page = 0; page < 64 && done < text.size(); ++page) {
        qr::TPX8Font* const font = block.CurrentFont;
        const size_t measured = block.Draw(nullptr, rect, text.substr(done), {}, page == 0);
        block.CurrentFont = font;
        const size_t n = block.Draw(f.dest, rect, text.substr(done), {}, page == 0);
        // Measuring and drawing lay the text out alike.
        if (n != measured || n > text.size() - done) std::abort();
        if (n == 0) break;
        done += n;
    }
    qr::TPoint pen{-20, 2};
    f.regular->DrawText(*f.dest, pen, text);
    (void)f.heading->TextExtent({0, 0}, text);
    f.dest->Damage.Clear();
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/version_label.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>
#include <vector>

#include "platform/files.h"

namespace qr {

namespace {
constexpr uint8_t kWhite = 255;
// Not a colour of the text, so it can stand for "no text here".
constexpr uint8_t kClear = 0;
constexpr int kPixelHeight = 11;
} // namespace

TVersionLabel::TVersionLabel(std::string text, TPoint at) : text_(std::move(text)), at_(at) {}

std::string TVersionLabel::FontPath() {
    if (const char* env = std::getenv("QUILRUSH_LABEL_FONT"); env && FileExists(env)) return env;
    for (const char* p : {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                          "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf"})
        if (FileExists(p)) return p;
    return {};
}

void TVersionLabel::Render() {
    rendered_ = true;
    const std::string path = FontPath();
    if (path.empty()) return;
    FT_Library ft = nullptr;
    if (FT_Init_FreeType(&ft) != 0) return;
    FT_Face face = nullptr;
    int32_t width = 0, height = 0;
    std::vector<uint8_t> mask; // width x height
    if (FT_New_Face(ft, path.c_str(), 0, &face) == 0 &&
        FT_Set_Pixel_Sizes(face, 0, kPixelHeight) == 0) {
        const int ascent = int(face->size->metrics.ascender >> 6);
        height = int(face->size->metrics.height >> 6) + 1;
        // First pass measures, second draws.
        for (int pass = 0; pass < 2; ++pass) {
            int pen = 0;
            for (unsigned char c : text_) {
                if (FT_Load_Char(face, c, FT_LOAD_RENDER) != 0) continue;
                const FT_GlyphSlot g = face->glyph;
                if (pass == 1) {
                    for (unsigned row = 0; row < g->bitmap.rows; ++row) {
                        for (unsigned col = 0; col < g->bitmap.width; ++col) {
                            int x = pen + g->bitmap_left + int(col);
                            int y = ascent - g->bitmap_top + int(row);
                            if (x < 0 || y < 0 || x >= width || y >= height) continue;
                            if (g->bitmap.buffer[row * unsigned(g->bitmap.pitch) + col] >= 128)
                                mask[size_t(y) * size_t(width) + size_t(x)] = kWhite;
                        }
                    }
                }
                pen += int(g->advance.x >> 6);
            }
            if (pass == 0) {
                width = pen + 1;
                mask.assign(size_t(width) * size_t(height), kClear);
            }
        }
    }
    if (face) FT_Done_Face(face);
    FT_Done_FreeType(ft);
    if (width <= 0 || height <= 0) return;
    label_ = std::make_unique<TSurfaceImage>("label", width, height, mask.data());
    label_->Surface().SetTransparency(kClear, true);
}

TRect TVersionLabel::SetVisible(TPX8ImageData& client, bool visible) {
    if (visible == visible_) return {};
    if (!rendered_) Render();
    visible_ = visible;
    if (!label_) return {};
    const TRect area = Intersect(TRect::FromOriginSize(at_, label_->Width(), label_->Height()),
                                 client.GetBounds());
    if (area.IsEmpty()) return {};
    if (visible) {
        under_ = TSurfaceImage::Copy(client, area);
        client.Blit(at_, label_->Surface(), label_->Surface().GetBounds());
    } else if (under_) {
        CopyPixels(client, area.TopLeft(), under_->Surface(), under_->Surface().GetBounds());
        under_.reset();
    }
    return area;
}

} // namespace qr

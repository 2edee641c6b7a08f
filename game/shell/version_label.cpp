// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/version_label.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>

#include "platform/files.h"

namespace qr {

namespace {
constexpr uint8_t kWhite = 255;
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
    if (FT_New_Face(ft, path.c_str(), 0, &face) == 0 &&
        FT_Set_Pixel_Sizes(face, 0, kPixelHeight) == 0) {
        const int ascent = int(face->size->metrics.ascender >> 6);
        height_ = int(face->size->metrics.height >> 6) + 1;
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
                            if (x < 0 || y < 0 || x >= width_ || y >= height_) continue;
                            if (g->bitmap.buffer[row * unsigned(g->bitmap.pitch) + col] >= 128)
                                mask_[size_t(y) * size_t(width_) + size_t(x)] = 1;
                        }
                    }
                }
                pen += int(g->advance.x >> 6);
            }
            if (pass == 0) {
                width_ = pen + 1;
                mask_.assign(size_t(width_) * size_t(height_), 0);
            }
        }
    }
    if (face) FT_Done_Face(face);
    FT_Done_FreeType(ft);
}

TRect TVersionLabel::SetVisible(TMemoryPicture& client, bool visible) {
    if (visible == visible_) return {};
    if (!rendered_) Render();
    visible_ = visible;
    if (mask_.empty()) return {};
    const TRect area = Intersect(TRect::FromOriginSize(at_, width_, height_),
                                 {0, 0, client.Width(), client.Height()});
    if (visible) under_.assign(size_t(width_) * size_t(height_), 0);
    for (int32_t y = area.Top; y < area.Bottom; ++y) {
        for (int32_t x = area.Left; x < area.Right; ++x) {
            const size_t k = size_t(y - at_.Y) * size_t(width_) + size_t(x - at_.X);
            if (!mask_[k]) continue;
            if (visible) {
                under_[k] = client.At(x, y);
                client.At(x, y) = kWhite;
            } else {
                client.At(x, y) = under_[k];
            }
        }
    }
    return area;
}

} // namespace qr

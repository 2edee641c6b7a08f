// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/text_block.h"

#include <algorithm>
#include <string>

#include "graphics/tile_background.h"

namespace qr {

void TBGArea::Draw(TPX8ImageData& dest, const TRect& r) {
    switch (Kind) {
    case KindColour:
        dest.FillRect(r, Colour);
        break;
    case KindImage:
        if (Image)
            dest.Blit(r.TopLeft(), *Image, TRect::FromOriginSize(Origin, r.Width(), r.Height()));
        break;
    case KindTiles:
        if (Tiles) Tiles->PaintTo(dest, Origin, r);
        break;
    default:
        break;
    }
}

TTextBlock::TTextBlock(TPX8Font* font, std::string_view id) {
    AddFont(id, font);
    CurrentFont = font;
    if (font) {
        LineGap = font->RowHeight - font->Height;
        BlankLineHeight = int8_t(font->RowHeight);
    }
}

void TTextBlock::AddFont(std::string_view id, TPX8Font* font) {
    Fonts.Append(std::make_unique<TFontNode>(id, font));
}

void TTextBlock::SetMargins(uint16_t left, uint16_t top, uint16_t right, uint16_t bottom) {
    MarginLeft = left;
    MarginTop = top;
    MarginRight = right;
    MarginBottom = bottom;
}

TPX8Font* TTextBlock::DefaultFont() const {
    auto* n = static_cast<TFontNode*>(Fonts.First());
    return n ? n->Font : nullptr;
}

TPX8Font* TTextBlock::FontByID(char id) const {
    auto* n = static_cast<TFontNode*>(Fonts.FindByID(std::string_view(&id, 1)));
    return n ? n->Font : nullptr;
}

namespace {

// Reads up to `digits` decimal digits after a tab escape. Fewer than asked give 0.
int ReadNumber(std::string_view text, size_t at, int digits, size_t& used) {
    int v = 0;
    used = 0;
    while (int(used) < digits && at + used < text.size() && text[at + used] >= '0' &&
           text[at + used] <= '9')
        v = v * 10 + (text[at + used++] - '0');
    return int(used) == digits ? v : 0;
}

enum class LineEnd { Text, Limit, Hard, Overflow };

} // namespace

size_t TTextBlock::Draw(TPX8ImageData* dest, const TRect& rect, std::string_view text,
                        std::optional<size_t> limit, bool reset) {
    if (reset) {
        CurrentFont = DefaultFont();
        CurLeft = MarginLeft;
        CurTop = MarginTop;
        CurRight = MarginRight;
        CurBottom = MarginBottom;
    }
    const TRect area{rect.Left + CurLeft, rect.Top + CurTop, rect.Right - CurRight,
                     rect.Bottom - CurBottom};
    if (dest) Background->Draw(*dest, BackgroundOverRect ? rect : area);
    if (!CurrentFont) return 0;
    // A zero byte ends the text.
    text = text.substr(0, std::min(text.size(), text.find('\0')));
    const size_t end = limit ? std::min(*limit, text.size()) : text.size();

    size_t pos = 0;
    int32_t penY = area.Top;
    bool paragraph = true;
    while (pos < end && penY <= area.Bottom - CurrentFont->Height) {
        TPX8Font* const lineFont = CurrentFont;
        const int32_t startX = area.Left + (paragraph ? 0 : Indent);

        // --- Measuring: find the break B.
        int32_t x = startX;
        size_t breakAt = std::string_view::npos;
        int32_t breakWidth = 0;
        int hyphenWidth = 0; // of the pending soft hyphen, 0 when none
        bool breakIsHyphen = false;
        LineEnd kind = LineEnd::Text;
        size_t i = pos;
        TPX8Font* font = lineFont;
        auto charWidth = [&](char c) { return font->TextWidth(std::string_view(&c, 1)); };
        while (true) {
            if (i >= text.size()) {
                kind = LineEnd::Text;
                break;
            }
            if (i >= end) {
                kind = LineEnd::Limit;
                break;
            }
            const char c = text[i];
            if (x + hyphenWidth > area.Right && c != ' ') {
                kind = LineEnd::Overflow;
                break;
            }
            if (c == 13) {
                breakAt = i + 1 + (i + 1 < text.size() && text[i + 1] == 10 ? 1 : 0);
                breakWidth = x - area.Left;
                kind = LineEnd::Hard;
                break;
            }
            if (c == 1) {
                x += font->TextWidth("0");
                ++i;
                continue;
            }
            if (c == 96) {
                const int hw = font->TextWidth("-");
                if (x + hw > area.Right) {
                    kind = LineEnd::Overflow;
                    break;
                }
                hyphenWidth = hw;
                breakAt = i + 1;
                breakWidth = x - area.Left;
                breakIsHyphen = true;
                ++i;
                continue;
            }
            char ch = c;
            size_t step = 1;
            if (c == '\\' && i + 1 < text.size()) {
                const char d = text[i + 1];
                size_t used = 0;
                if (d == 'n') {
                    breakAt = i + 2;
                    breakWidth = x - area.Left;
                    kind = LineEnd::Hard;
                    break;
                }
                if (d == 'p') {
                    x += 1;
                    i += 2;
                    continue;
                }
                if (d == 't') {
                    x += ReadNumber(text, i + 2, 2, used);
                    i += 2 + used;
                    continue;
                }
                if (d == 'T') {
                    x = area.Left + ReadNumber(text, i + 2, 3, used);
                    i += 2 + used;
                    continue;
                }
                if (d != '\\') {
                    if (TPX8Font* f = FontByID(d)) {
                        font = f;
                        i += 2;
                        continue;
                    }
                }
                ch = d; // "\\" and an unknown escape are the character itself
                step = 2;
            }
            if (ch == ' ' && step == 1 && x <= area.Right) {
                breakAt = i;
                breakWidth = x - area.Left;
                hyphenWidth = 0;
                breakIsHyphen = false;
            }
            const int w = charWidth(ch);
            if (x + w > area.Right) {
                kind = LineEnd::Overflow;
                break;
            }
            x += w;
            i += step;
        }

        // --- Choosing the break.
        bool stretch = false;
        bool hard = false;
        bool hyphenAtBreak = false;
        if (kind == LineEnd::Text || kind == LineEnd::Limit) {
            breakAt = i;
            breakWidth = x - area.Left;
        } else if (kind == LineEnd::Hard) {
            hard = true;
        } else {
            if (breakAt == std::string_view::npos || breakAt <= pos) {
                // No break position: the word is cut where it overflowed, keeping escape
                // pairs with what follows them, and at least one character per line so
                // that the layout always moves on.
                size_t cut = i;
                while (cut >= pos + 2 && text[cut - 2] == '\\')
                    cut -= 2;
                if (cut <= pos)
                    cut = i > pos ? i : pos + (text[pos] == '\\' && pos + 1 < text.size() ? 2 : 1);
                breakAt = cut;
                breakWidth = -1; // measured while replaying
            } else {
                // The last break seen decides: a space or a soft hyphen.
                hyphenAtBreak = breakIsHyphen;
                stretch = true;
                if (hyphenAtBreak)
                    breakWidth += hyphenWidth ? hyphenWidth : lineFont->TextWidth("-");
            }
        }
        const bool endsAtSpace = stretch && !hyphenAtBreak;

        // --- Replaying [pos, breakAt): measure or draw runs.
        auto replay = [&](bool drawing, int32_t penX, int32_t slack, int spaces) {
            TPX8Font* f = lineFont;
            std::string run;
            TPoint pen{penX, penY};
            auto flush = [&] {
                if (run.empty()) return;
                if (drawing)
                    f->DrawText(*dest, pen, run);
                else
                    pen.X += f->TextWidth(run);
                run.clear();
            };
            for (size_t j = pos; j < breakAt;) {
                const char c = text[j];
                if (c == 13) { // the hard break that ends the line, with its line feed
                    j += (j + 1 < breakAt && text[j + 1] == 10) ? 2 : 1;
                    continue;
                }
                if (c == 1) {
                    flush();
                    pen.X += f->TextWidth("0");
                    ++j;
                    continue;
                }
                if (c == 96) {
                    ++j;
                    continue;
                } // a soft hyphen away from the break shows nothing
                if (c == '\\' && j + 1 < text.size()) {
                    const char d = text[j + 1];
                    size_t used = 0;
                    if (d == 'n') {
                        j += 2;
                        continue;
                    }
                    if (d == 'p') {
                        flush();
                        pen.X += 1;
                        j += 2;
                        continue;
                    }
                    if (d == 't') {
                        flush();
                        pen.X += ReadNumber(text, j + 2, 2, used);
                        j += 2 + used;
                        continue;
                    }
                    if (d == 'T') {
                        flush();
                        pen.X = area.Left + ReadNumber(text, j + 2, 3, used);
                        j += 2 + used;
                        continue;
                    }
                    if (d != '\\') {
                        if (TPX8Font* nf = FontByID(d)) {
                            flush();
                            f = nf;
                            j += 2;
                            continue;
                        }
                    }
                    run += d;
                    j += 2;
                    continue;
                }
                run += c;
                ++j;
                if (c == ' ' && spaces > 0) {
                    // Larger shares first: each space takes the rounded-up part of what is left.
                    flush();
                    const int32_t extra = slack > 0 ? (slack + spaces - 1) / spaces : 0;
                    pen.X += extra;
                    slack -= extra;
                    --spaces;
                }
            }
            if (hyphenAtBreak) run += '-';
            flush();
            CurrentFont = f;
            return pen.X;
        };

        if (breakWidth < 0) breakWidth = replay(false, startX, 0, 0) - area.Left;
        const int32_t slack = (area.Right - area.Left) - breakWidth;
        int32_t lineX = area.Left;
        switch (Alignment) {
        case AlignRight:
            lineX = area.Left + slack;
            break;
        case AlignCentre:
            lineX = area.Left + slack / 2;
            break;
        default:
            lineX = area.Left + (paragraph ? 0 : Indent);
            break;
        }
        int spaces = 0;
        if (Alignment == AlignJustify && stretch)
            for (size_t j = pos; j < breakAt; ++j)
                if (text[j] == ' ' && (j == pos || text[j - 1] != '\\')) ++spaces;
        const int32_t stretchSlack = Alignment == AlignJustify ? slack : 0;
        // Whether the line drew anything is judged by its measured widths, so that laying
        // out with and without a surface always fits the same text on a page.
        const int32_t endX = replay(false, lineX, stretchSlack, spaces);
        if (dest) replay(true, lineX, stretchSlack, spaces);

        // --- Advancing.
        pos = breakAt;
        if (endsAtSpace && pos < text.size() && text[pos] == ' ') ++pos;
        penY += endX != lineX ? CurrentFont->Height + LineGap : BlankLineHeight;
        paragraph = hard;
        // Every line consumes at least one byte, so the layout always ends.
        if (kind == LineEnd::Limit) break;
    }
    return pos;
}

} // namespace qr

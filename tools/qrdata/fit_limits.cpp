// SPDX-License-Identifier: GPL-3.0-or-later
#include "fit_limits.h"

#include "graphics/font.h"

namespace qr {

namespace {

// Button widths are those of the world script's hit boxes; the data tests hold each one
// against the compiled script, so a box that is changed there shows up here at once.
#define QR_LABEL(n, room, box, width, what)                                                        \
    { n, 4, (width)-kLabelMargin, room, box, what }
#define QR_CREDIT(n, font, width, what)                                                            \
    { n, font, width, nullptr, nullptr, what }

constexpr TFitLimit kLimits[] = {
    QR_LABEL(151, "MODSTART", "CHANGENAME", 88, "a button of the start room"),
    QR_LABEL(166, "MODSTART", "CLUELANG", 198, "a button of the start room"),
    QR_LABEL(167, "MODSTART", "ANSLANG", 198, "a button of the start room"),
    QR_LABEL(165, "MODSTART", "ICONCLUES", 198, "a button of the start room"),
    QR_LABEL(222, "MODSTART", "INFO", 198, "a button of the start room"),
    QR_LABEL(152, "MODSTART", "CLEAR", 198, "a button of the start room"),
    QR_LABEL(168, "MODSTART", "GAMEMENU", 198, "a button of the start room"),
    QR_LABEL(169, "MODSTART", "PLAYGAME", 136, "a button of the start room"),
    QR_LABEL(172, "HOME", "WORKLANG", 140, "a button of the home room"),
    QR_LABEL(198, "HOME", "CREDITS", 140, "a button of the home room"),
    QR_LABEL(13, "INITIALS", "OK", 120, "a button of the initials room"),
    QR_LABEL(9, "INITIALS", "CANCEL", 120, "a button of the initials room"),
    QR_LABEL(13, "PICKLANG", "OK", 120, "a button of the language room"),
    QR_LABEL(9, "PICKLANG", "CANCEL", 120, "a button of the language room"),
    QR_LABEL(223, "PICKLANG", "RETURN", 140, "a button of the language room"),
    QR_LABEL(223, "AUTHOR", "RETURN", 140, "a button of the author room"),
    QR_LABEL(14, "PLAY", "YESQUIT", 110, "a button of the play room's quit question"),
    QR_LABEL(15, "PLAY", "NOQUIT", 110, "a button of the play room's quit question"),
    QR_LABEL(168, "CREDITS", "HOMEBTN", 140, "a button of the credits room"),
    // The credits page runs from 20 to 580: the heading may be in the big card font.
    QR_CREDIT(199, 5, 540, "the heading of the credits room, in the big card font"),
    QR_CREDIT(200, 4, 520, "a line of the credits room"),
    QR_CREDIT(201, 4, 520, "a line of the credits room"),
    QR_CREDIT(202, 4, 520, "a line of the credits room"),
    QR_CREDIT(203, 4, 520, "a line of the credits room"),
    QR_CREDIT(204, 4, 520, "a line of the credits room"),
    QR_CREDIT(205, 4, 520, "a line of the credits room"),
    QR_CREDIT(206, 4, 520, "a line of the credits room"),
    QR_CREDIT(207, 4, 520, "a line of the credits room"),
    QR_CREDIT(208, 4, 520, "a line of the credits room"),
    QR_CREDIT(209, 4, 520, "a line of the credits room"),
    QR_CREDIT(130, 4, 520, "a line of the credits room"),
    QR_CREDIT(131, 4, 520, "a line of the credits room"),
    QR_CREDIT(132, 4, 520, "a line of the credits room"),
    QR_CREDIT(133, 4, 520, "a line of the credits room"),
    QR_CREDIT(134, 4, 520, "a line of the credits room"),
    QR_CREDIT(135, 4, 520, "a line of the credits room"),
    QR_CREDIT(136, 4, 520, "a line of the credits room"),
    QR_CREDIT(137, 4, 520, "a line of the credits room"),
    QR_CREDIT(138, 4, 520, "a line of the credits room"),
    QR_CREDIT(139, 4, 520, "a line of the credits room"),
    QR_CREDIT(140, 4, 520, "a line of the credits room"),
};

#undef QR_LABEL
#undef QR_CREDIT

} // namespace

std::span<const TFitLimit> FitLimits() {
    return kLimits;
}

// As the font measures a line: every glyph takes its width and a column each side.
int FitWidth(int fontSlot, std::string_view bytes) {
    const TFontMetrics& m = GameFontMetrics(fontSlot);
    int width = 0;
    for (char ch : bytes) {
        const TGlyphRef g = MapFontByte(uint8_t(ch));
        width += 2;
        if (g.kind == TGlyphRef::Glyph)
            width += m.Glyphs[size_t(g.index)].Width;
        else if (g.kind == TGlyphRef::Special && m.Specials)
            width += (*m.Specials)[size_t(g.index)].Width;
    }
    return width;
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/dlg_confirm.h"

#include "foundation/polyglot.h"

namespace qr {

namespace {

// Design values of the dialog.
constexpr int kBevelTop = 12, kBevelHeight = 121;
constexpr int kLabelTop = 40, kLabelHeight = 37;
constexpr int kMargin = kLabelTop - kBevelTop;          // 28
constexpr int kFreeHeight = kBevelHeight - 2 * kMargin; // 65

TDlgConfirm::Presenter& ThePresenter() {
    static TDlgConfirm::Presenter p;
    return p;
}

// Lines the label needs: explicit breaks plus word wrapping at a width in characters.
int CountLines(const std::string& text, int widthChars) {
    int lines = 0;
    size_t start = 0;
    while (true) {
        size_t end = text.find('\n', start);
        std::string para =
            text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        int len = int(para.size());
        lines += len == 0 ? 1 : (len + widthChars - 1) / widthChars;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

} // namespace

TDlgConfirm::Layout TDlgConfirm::MakeLayout(const std::string& caption, const std::string& message,
                                            int buttons, int lineHeight, int lineWidthChars) {
    Layout l;
    l.caption = caption.empty() ? std::string("Confirm") : caption;
    l.message = message;
    int textHeight = CountLines(message, lineWidthChars > 0 ? lineWidthChars : 1) * lineHeight;
    // Centred while it fits the design height; a longer message is left-aligned and
    // grows the label downwards from a higher top.
    l.centred = textHeight <= kLabelHeight;
    l.labelHeight = textHeight;
    l.labelTop = kBevelTop + kMargin + (kFreeHeight - l.labelHeight) / 2;

    auto& b1 = l.buttons[0];
    auto& b2 = l.buttons[1];
    auto& b3 = l.buttons[2];
    b1.left = 37;
    b2.left = 125;
    b3.left = 213;
    b1.visible = b3.visible = true;
    b2.visible = false;
    const TPolyglot& s = Polyglot();
    if (buttons == kOK) {
        b1 = {s.GetString(13), kResultOK, 213, true};
        b3.visible = false;
    } else if (buttons == (kYes | kNo)) {
        b1 = {s.GetString(14), kResultYes, 37, true};
        b3 = {s.GetString(15), kResultNo, 213, true};
    } else if (buttons == (kOK | kCancel)) {
        b1 = {s.GetString(13), kResultOK, 37, true};
        b3 = {s.GetString(9), kResultCancel, 213, true};
    } else {
        b1 = {s.GetString(14), kResultYes, 37, true};
        b2 = {s.GetString(15), kResultNo, 125, true};
        b3 = {s.GetString(9), kResultCancel, 213, true};
    }
    return l;
}

int TDlgConfirm::Confirm(const std::string& caption, const std::string& message, int buttons) {
    Layout l = MakeLayout(caption, message, buttons);
    if (ThePresenter()) return ThePresenter()(l);
    return l.DefaultResult();
}

void TDlgConfirm::SetPresenter(Presenter presenter) {
    ThePresenter() = std::move(presenter);
}

} // namespace qr

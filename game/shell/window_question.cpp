// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/window_question.h"

#include <algorithm>

#include "foundation/utils.h"
#include "game/world/pictures.h"
#include "graphics/font.h"
#include "graphics/hot_image.h"
#include "graphics/surface_image.h"

namespace qr {

namespace {
// Palette entries of the game's pictures.
constexpr uint8_t kNavy = 22, kWhite = 255, kBlack = 0;
constexpr int32_t kPad = 16, kGap = 14, kShadow = 5, kMaxTextWidth = 440;
// The button picture: three states of one button stacked (plain, default, pressed); its
// ends are kept and its middle repeated to fit the caption.
constexpr const char* kButtonPicture = "dlgbtn";
constexpr int32_t kButtonEnd = 10;

// The text in lines no wider than `width`, broken at spaces and line breaks.
std::vector<std::string> Wrap(const TPX8Font& font, const std::string& text, int32_t width) {
    std::vector<std::string> lines;
    std::string paragraph;
    auto flush = [&] {
        std::string line;
        std::string_view rest(paragraph);
        for (std::string word = NextWord(rest); !word.empty(); word = NextWord(rest)) {
            const std::string longer = line.empty() ? word : line + ' ' + word;
            if (!line.empty() && font.TextWidth(longer) > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = longer;
            }
        }
        lines.push_back(line);
        paragraph.clear();
    };
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n')
            flush();
        else
            paragraph.push_back(c);
    }
    flush();
    return lines;
}
} // namespace

TWindowQuestion::TWindowQuestion(TPX8Library& library, const DialogRequest& request, TRect area)
    : request_(request) {
    textFont_ = std::make_unique<TPX8Font>(library, "04ab14bw", "abce14bw");
    captionFont_ = std::make_unique<TPX8Font>(library, "04ab14by", "abce14by");
    buttonPicture_ = FindPicture(library, kButtonPicture);

    const int32_t lineHeight = textFont_->Height - textFont_->TopSkip + 2;
    const int32_t buttonHeight =
        buttonPicture_ ? buttonPicture_->Surface().Height / 3 : lineHeight + 10;
    int32_t buttonsWidth = 0;
    for (const DialogButton& b : request.buttons) {
        Button button;
        button.result = b.result;
        for (char c : b.caption) {
            if (c == '&' && button.accessIndex < 0)
                button.accessIndex = int(button.caption.size());
            else
                button.caption.push_back(c);
        }
        if (button.accessIndex >= int(button.caption.size())) button.accessIndex = -1;
        const int32_t w = std::max<int32_t>(84, textFont_->TextWidth(button.caption) + 28);
        button.rect = {0, 0, w, buttonHeight};
        buttonsWidth += (buttons_.empty() ? 0 : kGap) + w;
        buttons_.push_back(std::move(button));
    }
    const int32_t widest = area.Width() - 2 * kPad - 2 * kShadow;
    lines_ = Wrap(*textFont_, request.text, std::min(kMaxTextWidth, widest));
    int32_t textWidth = 0;
    for (const std::string& line : lines_)
        textWidth = std::max(textWidth, textFont_->TextWidth(line));
    const int32_t titleHeight = captionFont_->Height - captionFont_->TopSkip + 8;
    const int32_t inner = std::max(
        {textWidth, buttonsWidth, captionFont_->TextWidth(request.caption) + 8, int32_t(220)});
    const int32_t width = std::min(inner + 2 * kPad, area.Width() - kShadow);
    const int32_t height = std::min(titleHeight + kPad + int32_t(lines_.size()) * lineHeight +
                                        kPad + buttonHeight + kPad,
                                    area.Height() - kShadow);
    box_ = TRect::FromOriginSize(
        {area.Left + (area.Width() - width) / 2, area.Top + (area.Height() - height) / 2}, width,
        height);
    int32_t x = box_.Left + (width - buttonsWidth) / 2;
    for (Button& b : buttons_) {
        b.rect.MoveTo({x, box_.Bottom - kPad - buttonHeight});
        x += b.rect.Width() + kGap;
    }
}

TWindowQuestion::~TWindowQuestion() = default;

void TWindowQuestion::Show(TPX8ImageData& surface) {
    const TRect outer{box_.Left, box_.Top, box_.Right + kShadow, box_.Bottom + kShadow};
    under_ = TSurfaceImage::Copy(surface, outer);
    shownOn_ = &surface;
    surface.FillRect(box_ + TPoint{kShadow, kShadow}, kBlack);
    surface.FillRect(box_, kWhite);
    surface.FrameRect(box_, kNavy);
    surface.FrameRect({box_.Left + 1, box_.Top + 1, box_.Right - 1, box_.Bottom - 1}, kNavy);
    const int32_t titleHeight = captionFont_->Height - captionFont_->TopSkip + 8;
    surface.FillRect({box_.Left, box_.Top, box_.Right, box_.Top + titleHeight}, kNavy);
    TPoint pen{box_.Left + 8, box_.Top + 4 - captionFont_->TopSkip};
    captionFont_->DrawText(surface, pen, request_.caption);
    textCut_ = pen.X > box_.Right;
    const int32_t lineHeight = textFont_->Height - textFont_->TopSkip + 2;
    int32_t y = box_.Top + titleHeight + kPad;
    // A text too long for the window is cut above the buttons.
    const int32_t textBottom = buttons_.empty() ? box_.Bottom - kPad : buttons_[0].rect.Top;
    for (const std::string& line : lines_) {
        pen = {box_.Left + (box_.Width() - textFont_->TextWidth(line)) / 2, y - textFont_->TopSkip};
        if (y + lineHeight <= textBottom) textFont_->DrawText(surface, pen, line);
        if (y + lineHeight > textBottom || pen.X > box_.Right) textCut_ = true;
        y += lineHeight;
    }
    for (size_t i = 0; i < buttons_.size(); ++i)
        DrawButton(surface, i);
    surface.Invalidate(outer);
}

void TWindowQuestion::Hide(TPX8ImageData& surface) {
    if (!under_ || shownOn_ != &surface) return;
    const TRect outer{box_.Left, box_.Top, box_.Right + kShadow, box_.Bottom + kShadow};
    surface.Blit(outer.TopLeft(), under_->Surface(), under_->Surface().GetBounds());
    surface.Invalidate(outer);
    under_.reset();
    shownOn_ = nullptr;
}

void TWindowQuestion::DrawButton(TPX8ImageData& surface, size_t index) {
    const Button& b = buttons_[index];
    const bool down = int(index) == pressed_ && pressedDown_;
    const int state = down ? 2 : int(index) == request_.defaultButton ? 1 : 0;
    surface.FillRect(b.rect, kWhite);
    if (buttonPicture_) {
        TPX8ImageData& pic = buttonPicture_->Surface();
        const int32_t h = b.rect.Height(), top = state * h;
        const int32_t end = std::min(kButtonEnd, pic.Width / 2);
        const int32_t middle = pic.Width - 2 * end;
        surface.Blit(b.rect.TopLeft(), pic, {0, top, end, top + h});
        for (int32_t x = b.rect.Left + end; x < b.rect.Right - end && middle > 0; x += middle) {
            const int32_t w = std::min(middle, b.rect.Right - end - x);
            surface.Blit({x, b.rect.Top}, pic, {end, top, end + w, top + h});
        }
        surface.Blit({b.rect.Right - end, b.rect.Top}, pic,
                     {pic.Width - end, top, pic.Width, top + h});
    } else {
        surface.FrameRect(b.rect, kNavy);
        if (state > 0)
            surface.FrameRect(
                {b.rect.Left + 1, b.rect.Top + 1, b.rect.Right - 1, b.rect.Bottom - 1}, kNavy);
    }
    const int32_t shift = down ? 1 : 0;
    const int32_t textHeight = textFont_->Height - textFont_->TopSkip;
    const TPoint at{b.rect.Left + (b.rect.Width() - textFont_->TextWidth(b.caption)) / 2 + shift,
                    b.rect.Top + (b.rect.Height() - textHeight) / 2 + shift};
    TPoint pen{at.X, at.Y - textFont_->TopSkip};
    textFont_->DrawText(surface, pen, b.caption);
    if (b.accessIndex >= 0) {
        // The access letter is underlined, as on the system's buttons.
        const int32_t x = at.X + textFont_->TextWidth(b.caption.substr(0, size_t(b.accessIndex)));
        const int32_t w = textFont_->TextWidth(b.caption.substr(size_t(b.accessIndex), 1)) - 2;
        surface.HLine({x + 1, at.Y + textFont_->Baseline - textFont_->TopSkip + 2}, w, kNavy);
    }
    surface.Invalidate(b.rect);
}

int TWindowQuestion::ButtonAt(TPoint p) const {
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i].rect.Contains(p)) return int(i);
    return -1;
}

bool TWindowQuestion::MouseDown(TPoint p) {
    pressed_ = ButtonAt(p);
    pressedDown_ = pressed_ >= 0;
    if (pressed_ < 0 || !shownOn_) return false;
    DrawButton(*shownOn_, size_t(pressed_));
    return true;
}

bool TWindowQuestion::MouseMove(TPoint p) {
    if (pressed_ < 0) return false;
    const bool over = ButtonAt(p) == pressed_;
    if (over == pressedDown_) return false;
    pressedDown_ = over;
    if (shownOn_) DrawButton(*shownOn_, size_t(pressed_));
    return shownOn_ != nullptr;
}

bool TWindowQuestion::MouseUp(TPoint p) {
    const int was = pressed_;
    if (was < 0) return false;
    pressed_ = -1;
    pressedDown_ = false;
    if (shownOn_) DrawButton(*shownOn_, size_t(was));
    if (ButtonAt(p) == was) Choose(was);
    return shownOn_ != nullptr;
}

void TWindowQuestion::Key(KeyPress key) {
    switch (key.kind) {
    case KeyPress::Enter:
        Choose(request_.defaultButton);
        break;
    case KeyPress::Escape:
        // A box without an escape button is not closed by Escape.
        Choose(request_.escapeButton);
        break;
    case KeyPress::Other:
        for (size_t i = 0; i < buttons_.size(); ++i) {
            const Button& b = buttons_[i];
            if (b.accessIndex >= 0 && key.letter != 0 &&
                AsciiUpper(b.caption.substr(size_t(b.accessIndex), 1)) ==
                    std::string(1, key.letter)) {
                Choose(int(i));
                break;
            }
        }
        break;
    }
}

void TWindowQuestion::Choose(int index) {
    if (index >= 0 && index < int(buttons_.size())) answer_ = buttons_[size_t(index)].result;
}

DialogResult TWindowQuestion::Dismissed() const {
    const int i = request_.escapeButton >= 0 && request_.escapeButton < int(buttons_.size())
                      ? request_.escapeButton
                      : request_.defaultButton;
    if (i >= 0 && i < int(buttons_.size())) return buttons_[size_t(i)].result;
    return DialogResult::None;
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The confirmation question in the working language: the standard message box would
// label its buttons in the system's language, so questions go through this dialog,
// whose button captions come from the string table. This unit decides what the
// dialog shows (captions, which buttons, their places, default and cancel buttons, the
// message's alignment and place); a presenter of the platform shows it modally.
#include <array>
#include <functional>
#include <string>

namespace qr {

class TDlgConfirm {
  public:
    // Button flags of a question.
    enum : int { kYes = 1, kNo = 2, kOK = 4, kCancel = 8 };
    // Modal results.
    enum : int { kResultOK = 1, kResultCancel = 2, kResultYes = 6, kResultNo = 7 };

    struct Button {
        std::string caption;
        int result = 0;
        int left = 0; // x in the 367x183 client area
        bool visible = false;
    };
    // What the dialog shows. Buttons are cmd1, cmd2, cmd3 from left to right;
    // cmd1 is the default button and cmd3 answers Escape (when hidden, Escape gives 2).
    struct Layout {
        std::string caption;
        std::string message;
        std::array<Button, 3> buttons;
        bool centred = true;
        int labelTop = 0;
        int labelHeight = 0;
        int EscapeResult() const { return buttons[2].visible ? buttons[2].result : kResultCancel; }
        int DefaultResult() const { return buttons[0].result; }
    };

    // Shows a layout modally and answers the chosen button's result.
    using Presenter = std::function<int(const Layout&)>;

    // The layout of a question. The label's height is the message's height in the
    // dialog's font: lines x line height.
    static Layout MakeLayout(const std::string& caption, const std::string& message, int buttons,
                             int lineHeight = 14, int lineWidthChars = 50);

    // Shows the question through the program's presenter; without one the default
    // button's answer is given, as if Enter had been pressed.
    static int Confirm(const std::string& caption, const std::string& message, int buttons);
    static void SetPresenter(Presenter presenter);
};

} // namespace qr

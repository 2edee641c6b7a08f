// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Modal message boxes. The game shows its start-up failures, warnings and questions
// through these; the captions of custom buttons come from the working language's string
// table, so a box can carry any captions with a role for each button.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qr {

enum class DialogIcon { None, Error, Warning, Information, Question };

// The role a button plays; the numbers are the results the callers compare with.
enum class DialogResult { None = 0, OK = 1, Cancel = 2, Yes = 6, No = 7 };

struct DialogButton {
    std::string caption; // bytes of the working language ("&" marks the access key)
    DialogResult result;
};

struct DialogRequest {
    std::string caption; // window title
    std::string text;    // may hold line breaks
    DialogIcon icon = DialogIcon::None;
    std::vector<DialogButton> buttons;
    int defaultButton = 0; // index into buttons
    int escapeButton = -1; // index answered by Escape or closing the box; -1: none
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual DialogResult Show(const DialogRequest& request) = 0;

    // The standard button sets in the system's own words.
    enum class Buttons { OK, OKCancel, YesNo, YesNoCancel };
    DialogResult MessageBox(const std::string& caption, const std::string& text, DialogIcon icon,
                            Buttons buttons);

    // Where the system's own box cannot be shown, the program may ask inside its window
    // instead, rather than answer for the player: this answers the request there, or gives
    // nothing when it cannot show it either.
    using InWindow = std::function<std::optional<DialogResult>(const DialogRequest&)>;
    void SetInWindow(InWindow ask) { inWindow_ = std::move(ask); }

  protected:
    std::optional<DialogResult> AskInWindow(const DialogRequest& request) {
        return inWindow_ ? inWindow_(request) : std::nullopt;
    }

  private:
    InWindow inWindow_;
};

const char* ResultName(DialogResult r);

} // namespace qr

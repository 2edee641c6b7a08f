// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A message box drawn inside the game's own window, for when the system cannot show one
// (a bare X server, no dialog support): the same caption, text and buttons, in the game's
// font with picture buttons. Enter answers with the default button, Escape with the escape
// button, a button's access letter or a click with that button. The box only draws and
// listens; whoever shows it runs the loop that feeds it input until it has an answer.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/geometry.h"
#include "platform/dialogs.h"
#include "platform/window_client.h"

namespace qr {

class TPX8Library;
class TPX8Font;
class TPX8ImageData;
class TSurfaceImage;
class THotImage;

class TWindowQuestion {
  public:
    // Throws when the library lacks the fonts (nothing can be shown then).
    TWindowQuestion(TPX8Library& library, const DialogRequest& request, TRect area);
    ~TWindowQuestion();

    // Draws the box centred in the area, keeping what it covers; Hide puts that back.
    // Both mark what they change as damage of `surface`.
    void Show(TPX8ImageData& surface);
    void Hide(TPX8ImageData& surface);

    // Input in the surface's coordinates; true when the box's picture changed.
    bool MouseDown(TPoint p);
    bool MouseMove(TPoint p);
    bool MouseUp(TPoint p);
    void Key(KeyPress key);

    std::optional<DialogResult> Answer() const { return answer_; }
    // What a box answers that is closed without a choice: the escape button, else the
    // default one.
    DialogResult Dismissed() const;

    TRect ButtonRect(size_t index) const { return buttons_[index].rect; }
    // Whether the last Show had to leave text out or let a line run past the box.
    bool TextCut() const { return textCut_; }

  private:
    struct Button {
        std::string caption;  // without the access-key mark
        int accessIndex = -1; // the marked letter's position in caption
        DialogResult result;
        TRect rect;
    };
    int ButtonAt(TPoint p) const;
    void DrawButton(TPX8ImageData& surface, size_t index);
    void Choose(int index);

    const DialogRequest request_;
    std::unique_ptr<TPX8Font> textFont_, captionFont_;
    std::unique_ptr<THotImage> buttonPicture_; // three states stacked; may be missing
    std::vector<Button> buttons_;
    std::vector<std::string> lines_;
    TRect box_;
    int pressed_ = -1;         // the button the mouse went down on
    bool pressedDown_ = false; // and the mouse is still over it
    std::unique_ptr<TSurfaceImage> under_;
    TPX8ImageData* shownOn_ = nullptr;
    std::optional<DialogResult> answer_;
    bool textCut_ = false;
};

} // namespace qr

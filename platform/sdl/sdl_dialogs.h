// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Message boxes through SDL. Captions and texts are converted from the program's bytes to
// UTF-8 here, at the edge. When SDL cannot show a box, the program's window asks instead
// (SetInWindow); before there is a window the box is written to standard error and
// answered with its default button, so a start-up failure is never silent.
#include <functional>

#include "platform/dialogs.h"

struct SDL_Window;

namespace qr {

class SdlDialogs : public Dialogs {
  public:
    DialogResult Show(const DialogRequest& request) override;
    void SetParent(SDL_Window* window) { parent_ = window; }
    // A system box runs a loop of its own that a termination signal does not end: while
    // one is open, a signal runs this (on another thread) to save and end the program.
    void SetOnTermination(std::function<void()> f) { onTermination_ = std::move(f); }

  private:
    SDL_Window* parent_ = nullptr;
    std::function<void()> onTermination_;
};

} // namespace qr

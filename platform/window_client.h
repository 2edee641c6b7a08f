// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program's main window offers the platform's message loop: a 55 ms timer
// callback, the close button, and whether the window wants to be closed now.
namespace qr {

// A key pressed while the window has the keyboard: the keys a question asked in the window
// answers to, and for any other key its letter (A-Z, 0 when it has none).
struct KeyPress {
    enum Kind { Enter, Escape, Other } kind = Other;
    char letter = 0;
};

class WindowClient {
  public:
    virtual ~WindowClient() = default;
    // Every 55 ms while the loop runs.
    virtual void OnTimer() = 0;
    // The window's close button; true lets the window close now.
    virtual bool OnCloseRequest() = 0;
    // Checked after every event and timer: true ends the loop.
    virtual bool WantsClose() const = 0;
    // The window became active or inactive.
    virtual void OnActivate(bool active) {}
};

} // namespace qr

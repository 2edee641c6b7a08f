// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's one desktop window and its message loop on SDL: a resizable window whose
// client area is scaled by whole multiples (letterboxed), a 55 ms timer, and the close
// button routed through the client.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/geometry.h"
#include "platform/window_client.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;
struct SDL_Cursor;

namespace qr {

class Display;
class SdlDisplay;

class SdlWindow {
  public:
    ~SdlWindow();

    // Initialises SDL video; false (and `error` set to one line) when there is no display.
    static bool InitVideo(std::string& error);
    // The display going away (the X server ends at logout) is a request to end, like
    // SIGTERM: `onLost` saves what the player owns, then the process ends with exit code 0.
    // The connection is gone by then, so `onLost` must not draw or ask anything.
    static void SetOnDisplayLost(std::function<void()> onLost);
    // Opens the window (SDL video must be initialised). On failure (no display) returns null
    // and sets `error` to one line saying why.
    static std::unique_ptr<SdlWindow> Open(const std::string& caption, int width, int height,
                                           std::string& error);

    void SetCaption(const std::string& caption);
    // Runs until the client wants to close. `raise`, checked every tick, answers whether
    // the window should come to the front.
    void Run(WindowClient& client, const std::function<bool()>& raise = nullptr);
    SDL_Window* Handle() const { return window_; }
    // "Let pending messages run": handles the events waiting now (mouse, close button,
    // exposure) from inside a tick or a room switch, without running the timer.
    void PumpPending(WindowClient& client);
    // For a question asked inside the window: waits up to a tick for input and hands it to
    // onMouse and onKey, without running the timer. The close button answers like Escape,
    // as a box's own close button does.
    void WaitForInput(WindowClient& client);

    // The client area's picture: what is presented and shown on it appears in the window
    // at the next turn of the loop (and is drawn again when the window is exposed).
    Display& Screen();
    // Mouse events in client coordinates (the letterbox bars are outside the client).
    enum class MouseKind { Down, Up, Move };
    std::function<void(MouseKind kind, int button, int shift, int x, int y)> onMouse;
    // Keys pressed (the game itself reads the keyboard's state; a question takes presses
    // and says so by returning true).
    std::function<bool(KeyPress key)> onKey;
    // Every other key press, by SDL scancode, as it arrives (before the next tick looks).
    std::function<void(int scancode)> onKeyDown;
    // Typed text (UTF-8) and the keys that edit it, as the world numbers them (8
    // Backspace, 13 Enter, 27 Escape, 37 Left, 39 Right); only presses no question took.
    std::function<void(const std::string& utf8)> onText;
    std::function<void(int virtualKey)> onEditKey;
    // The game's cursor number: 0 default arrow, -1 hidden, 1000 hourglass, others the
    // game's own pictures (shown with the nearest system cursor until they are loaded).
    void SetCursorNumber(int cursor);
    // The game's own cursor pictures (0xAARRGGBB, alpha 0 transparent), scaled with the
    // window's picture; numbers without one keep the system stand-in.
    struct CursorPicture {
        int number = 0;
        int width = 0, height = 0;
        std::vector<uint32_t> argb;
        int hotX = 0, hotY = 0;
    };
    void SetCursorPictures(std::vector<CursorPicture> pictures);
    // The window's icon (0xAARRGGBB, rows top to bottom); the desktop keeps its own copy.
    void SetIcon(int width, int height, const std::vector<uint32_t>& argb);
    SDL_Renderer* Renderer() const { return renderer_; }
    int Scale() const { return scale_; }

  private:
    SdlWindow() = default;
    void Present(); // the whole window
    void ShowChanges();
    // True when the window must close now.
    bool HandleEvent(const SDL_Event& e, WindowClient& client);
    void UpdateScale();

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    std::unique_ptr<SdlDisplay> display_;
    bool shown_ = false; // something was shown on the display
    SDL_Cursor* cursors_[4] = {};
    std::vector<CursorPicture> pictures_;
    // Colour cursors made at the scale they were made for.
    std::vector<std::pair<int, SDL_Cursor*>> colourCursors_;
    int colourScale_ = 0;
    int cursorNumber_ = 0;
    void FreeColourCursors();
    bool dirty_ = false;
    bool active_ = true;
    bool pumping_ = false;
    bool closeNow_ = false;
    WindowClient* client_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int scale_ = 1;
};

} // namespace qr

#pragma once
// The program's one desktop window and its message loop on SDL: a resizable window whose
// client area is scaled by whole multiples (letterboxed), a 55 ms timer, and the close
// button routed through the client.
#include <functional>
#include <memory>
#include <string>

#include "platform/window_client.h"

struct SDL_Window;
struct SDL_Renderer;

namespace qr {

class SdlWindow {
public:
    ~SdlWindow();

    // Initialises SDL video; false (and `error` set to one line) when there is no display.
    static bool InitVideo(std::string& error);
    // Opens the window (SDL video must be initialised). On failure (no display) returns null
    // and sets `error` to one line saying why.
    static std::unique_ptr<SdlWindow> Open(const std::string& caption, int width, int height,
                                           std::string& error);

    void SetCaption(const std::string& caption);
    // Runs until the client wants to close. `raise`, checked every tick, answers whether
    // the window should come to the front.
    void Run(WindowClient& client, const std::function<bool()>& raise = nullptr);
    SDL_Window* Handle() const { return window_; }
    SDL_Renderer* Renderer() const { return renderer_; }
    int Scale() const { return scale_; }

private:
    SdlWindow() = default;
    void Present();
    void UpdateScale();

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int scale_ = 1;
};

} // namespace qr

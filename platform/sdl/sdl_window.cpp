#include "platform/sdl/sdl_window.h"

#include <SDL.h>
#include <algorithm>
#include <atomic>
#include <csignal>

#include "foundation/text_codec.h"

namespace qr {

namespace {
constexpr Uint32 kTickMs = 55;

// SIGTERM, SIGINT and SIGHUP (a session logging out, Ctrl+C in the terminal) are the
// desktop's way of pressing the close button: the game gets to ask and to save.
std::atomic<bool> closeSignal{false};
extern "C" void OnCloseSignal(int) { closeSignal = true; }
} // namespace

SdlWindow::~SdlWindow() {
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    // SDL video stays up until the process ends: quitting it unloads the display libraries,
    // and message boxes after the window (settings that failed to save) still need them.
}

bool SdlWindow::InitVideo(std::string& error) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    const char* wanted = SDL_getenv("SDL_VIDEODRIVER");
    const bool named = wanted && *wanted;
    auto set = [](const char* var) {
        const char* v = SDL_getenv(var);
        return v && *v;
    };
    // Probing for a display that is not there makes the system libraries print their own
    // complaints; one clear line from us is better.
    if (!named && !set("DISPLAY") && !set("WAYLAND_DISPLAY")) {
        error = "no display found (neither DISPLAY nor WAYLAND_DISPLAY is set)";
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = std::string("cannot open a display (") + SDL_GetError() + ")";
        return false;
    }
    // Without a display SDL falls back to a video driver that draws nowhere; a player would
    // see nothing, so that only counts when asked for by name.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && !named &&
        (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        error = "no display found (neither DISPLAY nor WAYLAND_DISPLAY is set)";
        return false;
    }
    return true;
}

std::unique_ptr<SdlWindow> SdlWindow::Open(const std::string& caption, int width, int height,
                                           std::string& error) {
    if (!InitVideo(error)) return nullptr;
    std::unique_ptr<SdlWindow> w(new SdlWindow());
    w->width_ = width;
    w->height_ = height;
    // Start at the largest whole scale that fits the usable screen area.
    SDL_Rect usable{0, 0, width, height};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) usable = {0, 0, width, height};
    int scale = std::max(1, std::min(usable.w / width, (usable.h - 40) / height));
    w->window_ = SDL_CreateWindow(ToUtf8(caption).c_str(), SDL_WINDOWPOS_CENTERED,
                                  SDL_WINDOWPOS_CENTERED, width * scale, height * scale,
                                  SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!w->window_) {
        error = std::string("cannot open a window (") + SDL_GetError() + ")";
        return nullptr;
    }
    w->renderer_ = SDL_CreateRenderer(w->window_, -1, SDL_RENDERER_PRESENTVSYNC);
    if (!w->renderer_) w->renderer_ = SDL_CreateRenderer(w->window_, -1, SDL_RENDERER_SOFTWARE);
    if (!w->renderer_) {
        error = std::string("cannot draw in the window (") + SDL_GetError() + ")";
        return nullptr;
    }
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) std::signal(sig, OnCloseSignal);
    SDL_RenderSetLogicalSize(w->renderer_, width, height);
    SDL_RenderSetIntegerScale(w->renderer_, SDL_TRUE);
    SDL_SetWindowMinimumSize(w->window_, width, height);
    w->UpdateScale();
    return w;
}

void SdlWindow::SetCaption(const std::string& caption) {
    SDL_SetWindowTitle(window_, ToUtf8(caption).c_str());
}

void SdlWindow::UpdateScale() {
    int ww, wh;
    SDL_GetRendererOutputSize(renderer_, &ww, &wh);
    scale_ = std::max(1, std::min(ww / width_, wh / height_));
}

void SdlWindow::Present() {
    // Until the world draws, the window shows the frame layout: grey frame with its
    // black drop shadow on a dark surround.
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_SetRenderDrawColor(renderer_, 40, 60, 110, 255);
    SDL_Rect all{0, 0, width_, height_};
    SDL_RenderFillRect(renderer_, &all);
    int left = (width_ - (602 + 12)) / 2, top = (height_ - (402 + 12)) / 2;
    SDL_Rect shadow{left + 12, top + 12, 602, 402};
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderFillRect(renderer_, &shadow);
    SDL_Rect frame{left, top, 602, 402};
    SDL_SetRenderDrawColor(renderer_, 192, 192, 192, 255);
    SDL_RenderFillRect(renderer_, &frame);
    SDL_RenderPresent(renderer_);
}

void SdlWindow::Run(WindowClient& client, const std::function<bool()>& raise) {
    Uint32 next = SDL_GetTicks() + kTickMs;
    bool active = true;
    Present();
    while (!client.WantsClose()) {
        SDL_Event e;
        Uint32 now = SDL_GetTicks();
        int wait = next > now ? int(next - now) : 0;
        if (SDL_WaitEventTimeout(&e, wait)) {
            do {
                switch (e.type) {
                case SDL_QUIT:
                    if (client.OnCloseRequest()) return;
                    break;
                case SDL_WINDOWEVENT:
                    if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED && !active) {
                        active = true;
                        client.OnActivate(true);
                    } else if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST && active) {
                        active = false;
                        client.OnActivate(false);
                    } else if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                               e.window.event == SDL_WINDOWEVENT_EXPOSED) {
                        UpdateScale();
                        Present();
                    }
                    break;
                }
            } while (!client.WantsClose() && SDL_PollEvent(&e));
        }
        if (closeSignal.exchange(false) && client.OnCloseRequest()) return;
        if (SDL_GetTicks() >= next) {
            next += kTickMs;
            if (SDL_GetTicks() > next + 10 * kTickMs) next = SDL_GetTicks() + kTickMs;
            if (raise && raise()) {
                SDL_RestoreWindow(window_);
                SDL_RaiseWindow(window_);
            }
            client.OnTimer();
        }
    }
}

} // namespace qr

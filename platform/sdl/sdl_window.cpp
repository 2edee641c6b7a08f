// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/sdl_window.h"

#include <SDL.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <utility>

#include "foundation/text_codec.h"
#include "platform/sdl/display_sdl.h"

namespace qr {

namespace {
constexpr Uint32 kTickMs = 55;
} // namespace

SdlWindow::~SdlWindow() {
    FreeColourCursors();
    display_.reset(); // its texture belongs to the renderer
    for (SDL_Cursor* c : cursors_)
        if (c) SDL_FreeCursor(c);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    // SDL video stays up until the process ends: quitting it unloads the display libraries,
    // and message boxes after the window (settings that failed to save) still need them.
}

namespace {
std::function<void()>& DisplayLostAction() {
    static std::function<void()> action;
    return action;
}

// Xlib calls this when the connection to the X server breaks, and ends the process itself
// with exit code 1 if it returns; it never returns. The connection is dead, so anything that
// draws would come back here: a second call ends the process at once.
extern "C" int OnXConnectionLost(void*) {
    static bool once = false;
    if (!once) {
        once = true;
        std::fputs("quilrush32: the display went away; ending as when asked to.\n", stderr);
        if (DisplayLostAction()) DisplayLostAction()();
    }
    std::fflush(nullptr);
    std::_Exit(0);
}
} // namespace

void SdlWindow::SetOnDisplayLost(std::function<void()> onLost) {
    DisplayLostAction() = std::move(onLost);
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || SDL_strcmp(driver, "x11") != 0) return;
    // SDL loads Xlib itself; its handler is set in the copy SDL uses, without linking the
    // program against Xlib.
    void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (!xlib) return;
    using Handler = int (*)(void*);
    using SetHandler = Handler (*)(Handler);
    if (auto set = reinterpret_cast<SetHandler>(dlsym(xlib, "XSetIOErrorHandler")))
        set(OnXConnectionLost);
    dlclose(xlib);
}

bool SdlWindow::InitVideo(std::string& error) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    const char* wanted = SDL_getenv("SDL_VIDEODRIVER");
    const bool named = wanted && *wanted;
    // The displays the environment names, for the messages: "DISPLAY=:0".
    std::string displays;
    for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* v = SDL_getenv(var);
        if (!v || !*v) continue;
        displays += std::string(displays.empty() ? "" : ", ") + var + "=" + v;
    }
    // Probing for a display that is not there makes the system libraries print their own
    // complaints; one clear line from us is better.
    if (!named && displays.empty()) {
        error = "no display found (neither DISPLAY nor WAYLAND_DISPLAY is set)";
        return false;
    }
    // Termination signals are the program's own business (they end it without a question);
    // SDL would turn them into a close button press.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    const std::string which = named ? std::string("with SDL_VIDEODRIVER=") + wanted : displays;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = "cannot open the display (" + which + "): " + SDL_GetError();
        return false;
    }
    // When no display opens SDL falls back to a video driver that draws nowhere; a player
    // would see nothing, so that only counts when asked for by name.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && !named &&
        (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0)) {
        const std::string fallback = driver;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        // SDL forgets why the real drivers failed once one that draws nowhere starts: ask
        // each driver the environment names again, alone, for its reason.
        std::string reasons;
        for (const auto& [var, name] :
             {std::pair{"DISPLAY", "x11"}, {"WAYLAND_DISPLAY", "wayland"}}) {
            const char* v = SDL_getenv(var);
            if (!v || !*v) continue;
            SDL_ClearError();
            if (SDL_VideoInit(name) == 0) {
                SDL_VideoQuit();
                continue;
            }
            const char* why = SDL_GetError();
            reasons += std::string(reasons.empty() ? "" : "; ") + name + ": " +
                       (why && *why ? why : "not available");
        }
        error = "cannot open the display (" + which + "): " +
                (reasons.empty() ? "only SDL's " + fallback + " video driver started" : reasons);
        return false;
    }
    return true;
}

namespace {

// True when the renderer's OpenGL is a rasteriser running on the processor (no graphics
// card, a virtual display).
bool DrawsWithSoftwareGl(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name ||
        SDL_strncmp(info.name, "opengl", 6) != 0)
        return false;
    using GetString = const unsigned char* (*)(unsigned int);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (!getString) return false;
    constexpr unsigned int kGlRenderer = 0x1F01;
    const char* name = reinterpret_cast<const char*>(getString(kGlRenderer));
    if (!name) return false;
    for (const char* soft : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"})
        if (SDL_strstr(name, soft)) return true;
    return false;
}

} // namespace

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
    const char* named = SDL_getenv("SDL_RENDER_DRIVER");
    if (w->renderer_ && !(named && *named) && DrawsWithSoftwareGl(w->renderer_)) {
        // OpenGL emulated on the processor redraws the whole scaled window for every change
        // (18 times a second on the animated title); SDL's own software renderer writing
        // straight to the window costs a fraction of that.
        SDL_DestroyRenderer(w->renderer_);
        w->renderer_ = nullptr;
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    }
    if (!w->renderer_) w->renderer_ = SDL_CreateRenderer(w->window_, -1, SDL_RENDERER_SOFTWARE);
    if (!w->renderer_) {
        error = std::string("cannot draw in the window (") + SDL_GetError() + ")";
        return nullptr;
    }
    try {
        w->display_ = std::make_unique<SdlDisplay>(w->renderer_, width, height);
    } catch (const std::exception& e) {
        error = e.what();
        return nullptr;
    }
    SdlWindow* raw = w.get();
    w->display_->onShow = [raw] {
        raw->shown_ = true;
        raw->dirty_ = true;
    };
    SDL_RenderSetLogicalSize(w->renderer_, width, height);
    SDL_RenderSetIntegerScale(w->renderer_, SDL_TRUE);
    SDL_SetWindowMinimumSize(w->window_, width, height);
    w->UpdateScale();
    // Children find the keyboard first: typed letters reach the game as text events.
    SDL_StartTextInput();
    return w;
}

void SdlWindow::SetCaption(const std::string& caption) {
    SDL_SetWindowTitle(window_, ToUtf8(caption).c_str());
}

void SdlWindow::UpdateScale() {
    int ww, wh;
    SDL_GetRendererOutputSize(renderer_, &ww, &wh);
    scale_ = std::max(1, std::min(ww / width_, wh / height_));
    if (!pictures_.empty()) SetCursorNumber(cursorNumber_);
}

Display& SdlWindow::Screen() {
    return *display_;
}

void SdlWindow::FreeColourCursors() {
    for (auto& [n, c] : colourCursors_)
        if (c) SDL_FreeCursor(c);
    colourCursors_.clear();
}

void SdlWindow::SetCursorPictures(std::vector<CursorPicture> pictures) {
    FreeColourCursors();
    pictures_ = std::move(pictures);
    SetCursorNumber(cursorNumber_);
}

void SdlWindow::SetIcon(int width, int height, const std::vector<uint32_t>& argb) {
    if (width <= 0 || height <= 0 || argb.size() < size_t(width) * size_t(height)) return;
    // SDL copies the pixels; the surface only lends them for the call.
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(argb.data()), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return;
    SDL_SetWindowIcon(window_, surface);
    SDL_FreeSurface(surface);
}

void SdlWindow::SetCursorNumber(int cursor) {
    cursorNumber_ = cursor;
    if (cursor != -1) {
        // The game's own picture for this number, at the picture's current scale.
        if (colourScale_ != scale_) {
            FreeColourCursors();
            colourScale_ = scale_;
        }
        for (auto& [n, c] : colourCursors_) {
            if (n == cursor && c) {
                SDL_ShowCursor(SDL_ENABLE);
                SDL_SetCursor(c);
                return;
            }
        }
        for (const CursorPicture& p : pictures_) {
            if (p.number != cursor || p.width <= 0 || p.height <= 0) continue;
            const int k = std::max(1, scale_);
            std::vector<uint32_t> big(size_t(p.width * k) * size_t(p.height * k));
            for (int y = 0; y < p.height * k; ++y)
                for (int x = 0; x < p.width * k; ++x)
                    big[size_t(y) * size_t(p.width * k) + size_t(x)] =
                        p.argb[size_t(y / k) * size_t(p.width) + size_t(x / k)];
            SDL_Surface* surface =
                SDL_CreateRGBSurfaceWithFormatFrom(big.data(), p.width * k, p.height * k, 32,
                                                   p.width * k * 4, SDL_PIXELFORMAT_ARGB8888);
            SDL_Cursor* c =
                surface ? SDL_CreateColorCursor(surface, p.hotX * k, p.hotY * k) : nullptr;
            if (surface) SDL_FreeSurface(surface);
            colourCursors_.push_back({cursor, c});
            if (c) {
                SDL_ShowCursor(SDL_ENABLE);
                SDL_SetCursor(c);
                return;
            }
        }
    }
    if (cursor == -1) {
        SDL_ShowCursor(SDL_DISABLE);
        return;
    }
    SDL_ShowCursor(SDL_ENABLE);
    // Until the game's cursor pictures come with the data: arrow, hand for the ones that
    // act, a hand pointing for go, and the hourglass.
    int slot = 0;
    SDL_SystemCursor id = SDL_SYSTEM_CURSOR_ARROW;
    if (cursor == 1000)
        slot = 1, id = SDL_SYSTEM_CURSOR_WAIT;
    else if (cursor == 3 || cursor == 11)
        slot = 2, id = SDL_SYSTEM_CURSOR_HAND;
    else if (cursor > 0)
        slot = 3, id = SDL_SYSTEM_CURSOR_CROSSHAIR;
    if (!cursors_[slot]) cursors_[slot] = SDL_CreateSystemCursor(id);
    if (cursors_[slot]) SDL_SetCursor(cursors_[slot]);
}

void SdlWindow::ShowChanges() {
    dirty_ = false;
    if (shown_) display_->DrawChanges();
}

void SdlWindow::Present() {
    dirty_ = false;
    if (shown_) {
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        display_->Redraw();
        return;
    }
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

bool SdlWindow::HandleEvent(const SDL_Event& e, WindowClient& client) {
    switch (e.type) {
    case SDL_QUIT:
        return client.OnCloseRequest();
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        if (!onMouse) break;
        // With a logical size SDL hands over client coordinates; the bars around a
        // letterboxed picture lie outside it.
        int x = e.type == SDL_MOUSEMOTION ? e.motion.x : e.button.x;
        int y = e.type == SDL_MOUSEMOTION ? e.motion.y : e.button.y;
        MouseKind kind = e.type == SDL_MOUSEMOTION       ? MouseKind::Move
                         : e.type == SDL_MOUSEBUTTONDOWN ? MouseKind::Down
                                                         : MouseKind::Up;
        bool inside = x >= 0 && y >= 0 && x < width_ && y < height_;
        if (!inside && kind != MouseKind::Up) break;
        int button = e.type == SDL_MOUSEMOTION              ? 0
                     : e.button.button == SDL_BUTTON_RIGHT  ? 2
                     : e.button.button == SDL_BUTTON_MIDDLE ? 3
                                                            : 1;
        SDL_Keymod mod = SDL_GetModState();
        int shift =
            ((mod & KMOD_SHIFT) ? 1 : 0) | ((mod & KMOD_ALT) ? 2 : 0) | ((mod & KMOD_CTRL) ? 4 : 0);
        onMouse(kind, button, shift, x, y);
        break;
    }
    case SDL_TEXTINPUT:
        if (onText) onText(e.text.text);
        break;
    case SDL_KEYDOWN: {
        const SDL_Keycode k = e.key.keysym.sym;
        KeyPress press;
        if (k == SDLK_RETURN || k == SDLK_KP_ENTER)
            press.kind = KeyPress::Enter;
        else if (k == SDLK_ESCAPE)
            press.kind = KeyPress::Escape;
        else if (k >= SDLK_a && k <= SDLK_z)
            press.letter = char('A' + (k - SDLK_a));
        else if (k >= SDLK_0 && k <= SDLK_9)
            press.letter = char('0' + (k - SDLK_0));
        // A press that answers a question in the window is not also kept for the game's
        // next look at the keyboard (an Escape would open the quit panel behind it), nor
        // handed to the room.
        if (onKey && onKey(press)) break;
        if (onKeyDown && !e.key.repeat) onKeyDown(int(e.key.keysym.scancode));
        int key = 0;
        switch (k) {
        case SDLK_BACKSPACE:
            key = 8;
            break;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            key = 13;
            break;
        case SDLK_ESCAPE:
            key = 27;
            break;
        case SDLK_LEFT:
            key = 37;
            break;
        case SDLK_RIGHT:
            key = 39;
            break;
        default:
            break;
        }
        if (key && onEditKey) onEditKey(key);
        break;
    }
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED && !active_) {
            active_ = true;
            client.OnActivate(true);
        } else if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST && active_) {
            active_ = false;
            client.OnActivate(false);
        } else if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                   e.window.event == SDL_WINDOWEVENT_EXPOSED) {
            UpdateScale();
            Present();
        }
        break;
    }
    return false;
}

void SdlWindow::PumpPending(WindowClient& client) {
    // Only events run here, never the timer: a tick that lets messages run must not
    // start another tick.
    if (pumping_ || !client_) return;
    pumping_ = true;
    SDL_Event e;
    while (!closeNow_ && SDL_PollEvent(&e))
        if (HandleEvent(e, client)) closeNow_ = true;
    if (dirty_) ShowChanges();
    pumping_ = false;
}

void SdlWindow::WaitForInput(WindowClient& client) {
    SDL_Event e;
    if (SDL_WaitEventTimeout(&e, int(kTickMs))) {
        do {
            if (e.type == SDL_QUIT) {
                if (onKey) onKey({KeyPress::Escape, 0});
            } else {
                HandleEvent(e, client);
            }
        } while (SDL_PollEvent(&e));
    }
    if (dirty_) ShowChanges();
}

void SdlWindow::Run(WindowClient& client, const std::function<bool()>& raise) {
    Uint32 next = SDL_GetTicks() + kTickMs;
    client_ = &client;
    closeNow_ = false;
    Present();
    while (!client.WantsClose() && !closeNow_) {
        SDL_Event e;
        Uint32 now = SDL_GetTicks();
        int wait = next > now ? int(next - now) : 0;
        if (SDL_WaitEventTimeout(&e, wait)) {
            do {
                if (HandleEvent(e, client)) closeNow_ = true;
            } while (!client.WantsClose() && !closeNow_ && SDL_PollEvent(&e));
        }
        if (closeNow_) break;
        if (SDL_GetTicks() >= next) {
            next += kTickMs;
            if (SDL_GetTicks() > next + 10 * kTickMs) next = SDL_GetTicks() + kTickMs;
            if (raise && raise()) {
                SDL_RestoreWindow(window_);
                SDL_RaiseWindow(window_);
            }
            client.OnTimer();
        }
        if (dirty_) ShowChanges();
    }
    client_ = nullptr;
}

} // namespace qr

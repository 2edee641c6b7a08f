// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/sdl_system.h"

#include <SDL.h>

#include <utility>

namespace qr {

int SdlSystem::ColourDepth() const {
    SDL_DisplayMode mode;
    if (SDL_WasInit(SDL_INIT_VIDEO) && SDL_GetDesktopDisplayMode(0, &mode) == 0)
        return int(SDL_BITSPERPIXEL(mode.format));
    return 32; // no display to ask: assume a modern one
}

uint32_t SdlSystem::TickCount() const {
    return SDL_GetTicks();
}

bool SdlSystem::KeyDown(Key key) const {
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    SDL_Keymod mod = SDL_GetModState();
    switch (key) {
    case Key::Shift:
        return (mod & KMOD_SHIFT) != 0;
    case Key::Ctrl:
        return (mod & KMOD_CTRL) != 0;
    case Key::Delete:
        return Remembered(deletePressedAt_) || (keys && keys[SDL_SCANCODE_DELETE]);
    case Key::Escape:
        return Remembered(escapePressedAt_) || (keys && keys[SDL_SCANCODE_ESCAPE]);
    }
    return false;
}

bool SdlSystem::Remembered(uint32_t& pressedAt) const {
    // The next look comes within a tick of 55 ms; a second leaves room for a slow machine.
    constexpr uint32_t kKeptMs = 1000;
    const uint32_t at = std::exchange(pressedAt, 0);
    return at != 0 && SDL_GetTicks() - at <= kKeptMs;
}

void SdlSystem::NoteKeyDown(int scancode) {
    const uint32_t now = SDL_GetTicks() | 1; // never 0, which means "no press"
    if (scancode == SDL_SCANCODE_ESCAPE) escapePressedAt_ = now;
    if (scancode == SDL_SCANCODE_DELETE) deletePressedAt_ = now;
}

bool SdlSystem::CapsLockOn() const {
    return (SDL_GetModState() & KMOD_CAPS) != 0;
}

} // namespace qr

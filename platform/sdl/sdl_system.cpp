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
        return std::exchange(deletePressed_, false) || (keys && keys[SDL_SCANCODE_DELETE]);
    case Key::Escape:
        return std::exchange(escapePressed_, false) || (keys && keys[SDL_SCANCODE_ESCAPE]);
    }
    return false;
}

void SdlSystem::NoteKeyDown(int scancode) {
    if (scancode == SDL_SCANCODE_ESCAPE) escapePressed_ = true;
    if (scancode == SDL_SCANCODE_DELETE) deletePressed_ = true;
}

bool SdlSystem::CapsLockOn() const {
    return (SDL_GetModState() & KMOD_CAPS) != 0;
}

} // namespace qr

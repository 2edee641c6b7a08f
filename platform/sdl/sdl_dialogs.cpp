// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/sdl_dialogs.h"

#include <SDL.h>
#include <cstdio>
#include <optional>
#include <vector>

#include "foundation/text_codec.h"
#include "platform/termination.h"

namespace qr {

DialogResult SdlDialogs::Show(const DialogRequest& request) {
    if (request.buttons.empty()) return DialogResult::None;
    std::vector<std::string> captions;
    for (const auto& b : request.buttons) {
        std::string c;
        for (char ch : b.caption)
            if (ch != '&') c.push_back(ch);
        captions.push_back(ToUtf8(c));
    }
    // SDL lays buttons out right to left on some platforms; give them in reading order.
    std::vector<SDL_MessageBoxButtonData> buttons;
    for (size_t i = 0; i < request.buttons.size(); ++i) {
        Uint32 flags = 0;
        if (int(i) == request.defaultButton) flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        if (int(i) == request.escapeButton) flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
        buttons.push_back({flags, int(i), captions[i].c_str()});
    }
    Uint32 flags = request.icon == DialogIcon::Error     ? SDL_MESSAGEBOX_ERROR
                   : request.icon == DialogIcon::Warning ? SDL_MESSAGEBOX_WARNING
                                                         : SDL_MESSAGEBOX_INFORMATION;
#if SDL_VERSION_ATLEAST(2, 0, 12)
    flags |= SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
#endif
    std::string title = ToUtf8(request.caption);
    std::string text = ToUtf8(request.text);
    SDL_MessageBoxData data{
        flags, parent_, title.c_str(), text.c_str(), int(buttons.size()), buttons.data(), nullptr};
    int hit = -1;
    int shown;
    {
        std::optional<TerminationWatch> watch;
        if (onTermination_) watch.emplace(onTermination_);
        shown = SDL_ShowMessageBox(&data, &hit);
    }
    if (shown != 0) {
        if (std::optional<DialogResult> r = AskInWindow(request)) return *r;
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
        hit = request.defaultButton;
    }
    if (hit < 0) hit = request.escapeButton >= 0 ? request.escapeButton : request.defaultButton;
    if (hit < 0 || hit >= int(request.buttons.size())) hit = 0;
    return request.buttons[size_t(hit)].result;
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless/headless_dialogs.h"

#include "foundation/text_codec.h"

namespace qr {

static std::string Escaped(const std::string& bytes) {
    std::string out;
    for (char c : ToUtf8(bytes)) {
        if (c == '\r') continue;
        if (c == '\n')
            out += "\\n";
        else
            out.push_back(c);
    }
    return out;
}

std::string HeadlessDialogs::LogLine(const DialogRequest& request, DialogResult answer) {
    std::string buttons;
    for (const auto& b : request.buttons) {
        if (!buttons.empty()) buttons += ",";
        for (char c : b.caption)
            if (c != '&') buttons.push_back(c);
    }
    return "DIALOG " + Escaped(request.caption) + " | " + Escaped(request.text) + " | " +
           Escaped(buttons) + " -> " + ResultName(answer);
}

DialogResult HeadlessDialogs::Show(const DialogRequest& request) {
    if (!systemBoxes_)
        if (std::optional<DialogResult> r = AskInWindow(request)) {
            if (sink_) sink_(LogLine(request, *r));
            return *r;
        }
    DialogResult answer = DialogResult::None;
    if (!answers_.empty()) {
        DialogResult wanted = answers_.front();
        answers_.pop_front();
        for (const auto& b : request.buttons)
            if (b.result == wanted) answer = wanted;
        // An answer the box does not offer is what Escape would give, else the default.
        if (answer == DialogResult::None && request.escapeButton >= 0 &&
            request.escapeButton < int(request.buttons.size()))
            answer = request.buttons[size_t(request.escapeButton)].result;
    }
    if (answer == DialogResult::None && !request.buttons.empty()) {
        int d = request.defaultButton >= 0 && request.defaultButton < int(request.buttons.size())
                    ? request.defaultButton
                    : 0;
        answer = request.buttons[size_t(d)].result;
    }
    if (sink_) sink_(LogLine(request, answer));
    return answer;
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialogs.h"

namespace qr {

DialogResult Dialogs::MessageBox(const std::string& caption, const std::string& text,
                                 DialogIcon icon, Buttons buttons) {
    DialogRequest r{caption, text, icon, {}, 0, -1};
    switch (buttons) {
    case Buttons::OK:
        r.buttons = {{"OK", DialogResult::OK}};
        r.escapeButton = 0;
        break;
    case Buttons::OKCancel:
        r.buttons = {{"OK", DialogResult::OK}, {"Cancel", DialogResult::Cancel}};
        r.escapeButton = 1;
        break;
    case Buttons::YesNo:
        r.buttons = {{"Yes", DialogResult::Yes}, {"No", DialogResult::No}};
        break;
    case Buttons::YesNoCancel:
        r.buttons = {
            {"Yes", DialogResult::Yes}, {"No", DialogResult::No}, {"Cancel", DialogResult::Cancel}};
        r.escapeButton = 2;
        break;
    }
    return Show(r);
}

const char* ResultName(DialogResult r) {
    switch (r) {
    case DialogResult::OK:
        return "OK";
    case DialogResult::Cancel:
        return "Cancel";
    case DialogResult::Yes:
        return "Yes";
    case DialogResult::No:
        return "No";
    default:
        return "None";
    }
}

} // namespace qr

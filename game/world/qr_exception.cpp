// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/world/qr_exception.h"

#include "foundation/utils.h"

namespace qr {

void RegisterWorldStrings() {
    static const ResString kTable[] = {
        {kStrInvalidImageData, "Display: invalid ImageData"},
        {kStrUnknownScript,
         "Caught an attempt to run an unknown script called \"%s\" (sender = \"%s\")"},
        {kStrNilPointer, "NIL pointer detected"},
    };
    RegisterResStrings(kTable, std::size(kTable));
}

void RaiseResString(int id) {
    RegisterWorldStrings();
    throw QRException(LoadResString(id));
}

} // namespace qr

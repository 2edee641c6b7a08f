// SPDX-License-Identifier: GPL-3.0-or-later
// Loads arbitrary bytes as a saved list of nodes.
#include "foundation/uvo_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qr::TMemoryStream s(std::string_view(reinterpret_cast<const char*>(data), size));
    qr::TIDList list;
    try {
        list.LoadFromStream(s);
        qr::TMemoryStream out;
        list.SaveToStream(out);
    } catch (const qr::UvoException&) {
    }
    return 0;
}

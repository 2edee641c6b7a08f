// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/checksum.h"

#include <algorithm>
#include <limits>
#include <zlib.h>

namespace qr {

uint32_t Crc32(std::string_view bytes) {
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib takes lengths as uInt; feed large inputs in pieces.
    while (!bytes.empty()) {
        size_t n = std::min<size_t>(bytes.size(), std::numeric_limits<uInt>::max());
        crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), uInt(n));
        bytes.remove_prefix(n);
    }
    return uint32_t(crc);
}

} // namespace qr

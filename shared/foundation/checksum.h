// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CRC-32 (the zip/PNG polynomial): word-list files end with it, and the record of seeded
// word lists keeps it for each copy.
#include <cstdint>
#include <string_view>

namespace qr {

uint32_t Crc32(std::string_view bytes);

} // namespace qr

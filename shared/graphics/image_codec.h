// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The band codec of PX8 libraries: the line decoder (line codes and escapes), the run
// decoder (one run-length stream across rows) and the writer's encoders. Bands are
// rows bottom-up, each Stride bytes; the decoders never read outside the coded bytes
// nor write outside the band, whatever the input.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qr {

struct TBandGeometry {
    int32_t Width = 0;
    int32_t Stride = 0;
    int32_t Rows = 0;
};

// Decodes one band into dst (Rows x Stride bytes). Flags are the segment header's:
// kSegRunMode picks the run decoder, kSegNoLineCodes makes every row a literal.
// Raises PX8Exception with the decoder's messages.
void DecodeBand(const uint8_t* src, size_t srcSize, uint8_t* dst, const TBandGeometry& g,
                uint8_t escapeA, uint8_t escapeB, uint8_t flags);

// How the writer stores a band.
enum class TBandCoding {
    Raw,       // Storage 2: rows exactly as in memory
    LineCoded, // line codes with escapes
    RunMode,   // one run-length stream
};

struct TEncodedBand {
    uint8_t EscapeA = 0;
    uint8_t EscapeB = 0;
    uint8_t Flags = 0;
    std::vector<uint8_t> Data;
};

// The escapes the writer picks: the least and second least frequent values 1..255 of the
// band's pixels (padding excluded), ties to the lower value.
void ChooseEscapes(const uint8_t* band, const TBandGeometry& g, uint8_t& escapeA, uint8_t& escapeB);

// Encodes a band (Rows x Stride bytes, bottom row first). The result decodes with
// DecodeBand to the same pixels and zero padding.
TEncodedBand EncodeBand(const uint8_t* band, const TBandGeometry& g, TBandCoding coding);

} // namespace qr

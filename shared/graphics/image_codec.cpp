// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/image_codec.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "graphics/image_library.h"

namespace qr {

namespace {

[[noreturn]] void SourceOverflow() {
    throw PX8Exception("Decode: source buffer overflow");
}
[[noreturn]] void LineOverflow() {
    throw PX8Exception("Decode: output line overflow");
}
[[noreturn]] void InvalidCode() {
    throw PX8Exception("Decode: invalid line code");
}

// Bounds-checked reading of the coded bytes.
struct Reader {
    const uint8_t* p;
    const uint8_t* end;
    uint8_t Byte() {
        if (p == end) SourceOverflow();
        return *p++;
    }
    const uint8_t* Take(size_t n) {
        if (size_t(end - p) < n) SourceOverflow();
        const uint8_t* r = p;
        p += n;
        return r;
    }
};

// The escaped run section: fills row[c..width) from the stream. below is null on the
// first row of a band, where a copy from below has nothing to copy from.
void EscapedSection(Reader& in, uint8_t* row, const uint8_t* below, int32_t c, int32_t width,
                    uint8_t a, uint8_t b) {
    while (c < width) {
        const uint8_t x = in.Byte();
        const int32_t left = width - c;
        if (x == a) {
            const uint8_t n = in.Byte();
            if (n == 0) {
                row[c++] = a;
            } else if (n == 1) {
                if (left < 2) LineOverflow();
                row[c++] = a;
                row[c++] = a;
            } else if (n == 2) {
                const uint8_t m = in.Byte();
                const int32_t count = m == 0 ? left : m;
                if (count > left) LineOverflow();
                if (!below) InvalidCode();
                std::memcpy(row + c, below + c, size_t(count));
                c += count;
            } else {
                const uint8_t v = in.Byte();
                if (n > left) LineOverflow();
                std::memset(row + c, v, n);
                c += n;
            }
        } else if (x == b) {
            const uint8_t v = in.Byte();
            if (v == a) {
                row[c++] = b;
            } else if (v == b) {
                if (left < 2) LineOverflow();
                row[c++] = b;
                row[c++] = b;
            } else {
                if (left < 3) LineOverflow();
                row[c++] = v;
                row[c++] = v;
                row[c++] = v;
            }
        } else {
            row[c++] = x;
        }
    }
}

void LineDecode(Reader& in, uint8_t* dst, const TBandGeometry& g, uint8_t a, uint8_t b,
                uint8_t flags) {
    const bool noCodes = flags & kSegNoLineCodes;
    for (int32_t r = 0; r < g.Rows; ++r) {
        uint8_t* row = dst + size_t(r) * g.Stride;
        const uint8_t* below = r > 0 ? row - g.Stride : nullptr;
        int32_t c = 0;
        while (c < g.Width) {
            if (in.p == in.end) SourceOverflow();
            const uint8_t code = noCodes ? 0 : in.Byte();
            if (r == 0 && (code == 2 || code >= 7)) InvalidCode();
            const int32_t left = g.Width - c;
            switch (code) {
            case 0:
                std::memcpy(row + c, in.Take(size_t(left)), size_t(left));
                c = g.Width;
                break;
            case 6:
                std::memset(row + c, in.Byte(), size_t(left));
                c = g.Width;
                break;
            case 7:
                std::memcpy(row + c, below + c, size_t(left));
                c = g.Width;
                break;
            case 1:
            case 3:
            case 4:
            case 5:
                EscapedSection(in, row, below, c, g.Width, a, b);
                c = g.Width;
                break;
            case 2:
                EscapedSection(in, row, below, c, g.Width, a, b);
                for (int32_t i = 0; i < g.Width; ++i)
                    row[i] ^= below[i];
                c = g.Width;
                break;
            default: // 8..255: partial copy from below
                if (code > left) LineOverflow();
                std::memcpy(row + c, below + c, code);
                c += code;
                break;
            }
        }
        std::memset(row + g.Width, 0, size_t(g.Stride - g.Width));
    }
}

void RunDecode(Reader& in, uint8_t* dst, const TBandGeometry& g, uint8_t a) {
    uint32_t repeat = 0;
    uint8_t value = 0;
    for (int32_t r = 0; r < g.Rows; ++r) {
        uint8_t* row = dst + size_t(r) * g.Stride;
        int32_t c = 0;
        while (c < g.Width) {
            if (repeat > 0) {
                // Write as much of the pending run as this row holds in one go.
                const uint32_t n = std::min<uint32_t>(repeat, uint32_t(g.Width - c));
                std::memset(row + c, value, n);
                c += int32_t(n);
                repeat -= n;
                continue;
            }
            const uint8_t x = in.Byte();
            if (x != a) {
                row[c++] = x;
                value = x;
                continue;
            }
            const uint8_t n = in.Byte();
            if (n >= 2) {
                value = in.Byte();
                repeat = n - 1u;
            } else {
                value = a;
                repeat = n;
            }
            row[c++] = value;
        }
        std::memset(row + g.Width, 0, size_t(g.Stride - g.Width));
    }
}

} // namespace

void DecodeBand(const uint8_t* src, size_t srcSize, uint8_t* dst, const TBandGeometry& g,
                uint8_t escapeA, uint8_t escapeB, uint8_t flags) {
    Reader in{src, src + srcSize};
    if (flags & kSegRunMode)
        RunDecode(in, dst, g, escapeA);
    else
        LineDecode(in, dst, g, escapeA, escapeB, flags);
}

// ---------------------------------------------------------------------------------------
// Writer

void ChooseEscapes(const uint8_t* band, const TBandGeometry& g, uint8_t& escapeA,
                   uint8_t& escapeB) {
    std::array<uint32_t, 256> count{};
    for (int32_t r = 0; r < g.Rows; ++r) {
        const uint8_t* row = band + size_t(r) * g.Stride;
        for (int32_t i = 0; i < g.Width; ++i)
            ++count[row[i]];
    }
    int best = 1, second = 2;
    if (count[2] < count[1]) std::swap(best, second);
    for (int v = 3; v < 256; ++v) {
        if (count[size_t(v)] < count[size_t(best)]) {
            second = best;
            best = v;
        } else if (count[size_t(v)] < count[size_t(second)]) {
            second = v;
        }
    }
    escapeA = uint8_t(best);
    escapeB = uint8_t(second);
}

namespace {

int32_t RunLength(const uint8_t* p, int32_t n) {
    int32_t k = 1;
    while (k < n && k < 255 && p[k] == p[0])
        ++k;
    return k;
}

// k (1-255) bytes equal to the escape byte a itself.
void PutEscapeRun(std::vector<uint8_t>& out, uint8_t a, int32_t k) {
    if (k == 1)
        out.insert(out.end(), {a, 0});
    else if (k == 2)
        out.insert(out.end(), {a, 1});
    else
        out.insert(out.end(), {a, uint8_t(k), a});
}

// Escaped encoding of row[c..width). With below, long stretches equal to the row below
// become copies.
void EncodeEscaped(std::vector<uint8_t>& out, const uint8_t* row, const uint8_t* below, int32_t c,
                   int32_t width, uint8_t a, uint8_t b) {
    while (c < width) {
        const int32_t left = width - c;
        if (below) {
            int32_t m = 0;
            while (m < left && row[c + m] == below[c + m])
                ++m;
            if (m >= 4) {
                if (m == left) {
                    out.insert(out.end(), {a, 2, 0});
                    return;
                }
                m = std::min(m, 255);
                out.insert(out.end(), {a, 2, uint8_t(m)});
                c += m;
                continue;
            }
        }
        const uint8_t v = row[c];
        int32_t k = RunLength(row + c, left);
        if (v == a) {
            PutEscapeRun(out, a, k);
        } else if (v == b) {
            if (k == 1)
                out.insert(out.end(), {b, a});
            else if (k == 2)
                out.insert(out.end(), {b, b});
            else
                out.insert(out.end(), {a, uint8_t(k), b});
        } else if (k == 1) {
            out.push_back(v);
        } else if (k == 2) {
            out.insert(out.end(), {v, v});
        } else if (k == 3) {
            out.insert(out.end(), {b, v});
        } else {
            out.insert(out.end(), {a, uint8_t(k), v});
        }
        c += k;
    }
}

// One section that completes the row from c: the shortest of literal, fill and escaped.
void EncodeRest(std::vector<uint8_t>& out, const uint8_t* row, const uint8_t* below, int32_t c,
                int32_t width, uint8_t a, uint8_t b) {
    const int32_t left = width - c;
    if (std::all_of(row + c, row + width, [&](uint8_t v) { return v == row[c]; })) {
        out.insert(out.end(), {6, row[c]});
        return;
    }
    std::vector<uint8_t> esc;
    EncodeEscaped(esc, row, below, c, width, a, b);
    if (esc.size() < size_t(left)) {
        out.push_back(1);
        out.insert(out.end(), esc.begin(), esc.end());
    } else {
        out.push_back(0);
        out.insert(out.end(), row + c, row + width);
    }
}

std::vector<uint8_t> EncodeLines(const uint8_t* band, const TBandGeometry& g, uint8_t a,
                                 uint8_t b) {
    std::vector<uint8_t> out;
    std::vector<uint8_t> x(size_t(g.Width)), plain, xored;
    for (int32_t r = 0; r < g.Rows; ++r) {
        const uint8_t* row = band + size_t(r) * g.Stride;
        const uint8_t* below = r > 0 ? row - g.Stride : nullptr;
        if (below && std::memcmp(row, below, size_t(g.Width)) == 0) {
            out.push_back(7);
            continue;
        }
        plain.clear();
        int32_t prefix = 0;
        if (below)
            while (prefix < g.Width && prefix < 255 && row[prefix] == below[prefix])
                ++prefix;
        if (prefix >= 8) {
            plain.push_back(uint8_t(prefix));
            EncodeRest(plain, row, below, prefix, g.Width, a, b);
        } else {
            EncodeRest(plain, row, below, 0, g.Width, a, b);
        }
        if (below) {
            // Rows that differ from the one below by a few values code well as their
            // exclusive-or with it.
            for (int32_t i = 0; i < g.Width; ++i)
                x[size_t(i)] = row[i] ^ below[i];
            xored.assign(1, 2);
            EncodeEscaped(xored, x.data(), nullptr, 0, g.Width, a, b);
            if (xored.size() < plain.size()) {
                out.insert(out.end(), xored.begin(), xored.end());
                continue;
            }
        }
        out.insert(out.end(), plain.begin(), plain.end());
    }
    return out;
}

std::vector<uint8_t> EncodeRuns(const uint8_t* band, const TBandGeometry& g, uint8_t a) {
    std::vector<uint8_t> out;
    std::vector<uint8_t> flat;
    flat.reserve(size_t(g.Rows) * g.Width);
    for (int32_t r = 0; r < g.Rows; ++r) {
        const uint8_t* row = band + size_t(r) * g.Stride;
        flat.insert(flat.end(), row, row + g.Width);
    }
    const int32_t n = int32_t(flat.size());
    for (int32_t i = 0; i < n;) {
        const uint8_t v = flat[size_t(i)];
        const int32_t k = RunLength(flat.data() + i, n - i);
        if (v == a) {
            PutEscapeRun(out, a, k);
        } else if (k <= 3) {
            out.insert(out.end(), size_t(k), v);
        } else {
            out.insert(out.end(), {a, uint8_t(k), v});
        }
        i += k;
    }
    return out;
}

} // namespace

TEncodedBand EncodeBand(const uint8_t* band, const TBandGeometry& g, TBandCoding coding) {
    TEncodedBand e;
    if (coding == TBandCoding::Raw) {
        e.Data.assign(band, band + size_t(g.Rows) * g.Stride);
        for (int32_t r = 0; r < g.Rows; ++r)
            std::memset(e.Data.data() + size_t(r) * g.Stride + g.Width, 0,
                        size_t(g.Stride - g.Width));
        return e;
    }
    ChooseEscapes(band, g, e.EscapeA, e.EscapeB);
    const size_t rawSize = size_t(g.Rows) * g.Width;
    if (coding == TBandCoding::RunMode) {
        e.Data = EncodeRuns(band, g, e.EscapeA);
        e.Flags = kSegCoded | kSegRunMode;
    } else {
        e.Data = EncodeLines(band, g, e.EscapeA, e.EscapeB);
        e.Flags = kSegCoded;
    }
    // Noise codes worse than plain rows; rows without line codes always fit a segment.
    if (e.Data.size() >= rawSize) {
        e.Flags = kSegCoded | kSegNoLineCodes;
        e.Data.clear();
        for (int32_t r = 0; r < g.Rows; ++r) {
            const uint8_t* row = band + size_t(r) * g.Stride;
            e.Data.insert(e.Data.end(), row, row + g.Width);
        }
    }
    return e;
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/image_codec.h"

#include <gtest/gtest.h>

#include "fixtures.h"
#include "graphics/image_library.h"

namespace qr {
namespace {

TEST(BandLayout, FollowsTheBandRule) {
    struct Case {
        int w, h, stride, rows, bands, last;
    };
    const Case cases[] = {
        {256, 255, 256, 255, 1, 255}, // exactly 65280 bytes: one band
        {256, 256, 256, 128, 2, 128}, // one row more: two even bands
        {1, 1, 4, 1, 1, 1},           {5, 3, 8, 3, 1, 3},
        {640, 480, 640, 96, 5, 96},   {600, 301, 600, 101, 3, 99}, // the last band holds fewer rows
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        const TBandLayout l = ComputeBandLayout(c.w, c.h);
        EXPECT_EQ(l.Stride, c.stride);
        EXPECT_EQ(l.RowsPerBand, c.rows);
        EXPECT_EQ(l.BandCount, c.bands);
        EXPECT_EQ(l.LastRows, c.last);
        EXPECT_LE(l.RowsPerBand * l.Stride, kPX8MaxBandBytes);
    }
}

TEST(BandLayout, RejectsSizesThatCannotBeBanded) {
    EXPECT_THROW(ComputeBandLayout(0, 5), PX8Exception);
    EXPECT_THROW(ComputeBandLayout(5, 0), PX8Exception);
    EXPECT_THROW(ComputeBandLayout(65281, 1), PX8Exception); // a row wider than a band
    EXPECT_NO_THROW(ComputeBandLayout(65280, 1));
}

// Decodes with a 6-pixel-wide band (stride 8) whose escapes are A = 250, B = 251.
std::vector<uint8_t> Decode6(std::vector<uint8_t> src, int rows, uint8_t flags = kSegCoded) {
    std::vector<uint8_t> out(size_t(rows) * 8, 0xEE);
    DecodeBand(src.data(), src.size(), out.data(), {6, 8, rows}, 250, 251, flags);
    return out;
}
std::vector<uint8_t> Row(std::vector<uint8_t> px) {
    px.resize(8, 0); // padding is zero after decoding
    return px;
}
std::vector<uint8_t> Rows(std::initializer_list<std::vector<uint8_t>> rows) {
    std::vector<uint8_t> out;
    for (const auto& r : rows) {
        auto p = Row(r);
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

TEST(LineDecode, EveryLineCodeAndEscape) {
    struct Case {
        const char* what;
        std::vector<uint8_t> src;
        int rows;
        std::vector<uint8_t> want;
    };
    const std::vector<uint8_t> r0{1, 2, 3, 4, 5, 6};
    const Case cases[] = {
        {"literal", {0, 1, 2, 3, 4, 5, 6}, 1, Rows({r0})},
        {"fill", {6, 9}, 1, Rows({{9, 9, 9, 9, 9, 9}})},
        {"repeat row", {0, 1, 2, 3, 4, 5, 6, 7}, 2, Rows({r0, r0})},
        {"plain bytes in an escaped run",
         {1, 7, 8, 9, 10, 11, 12},
         1,
         Rows({{7, 8, 9, 10, 11, 12}})},
        {"A 0 and A 1", {1, 250, 0, 250, 1, 5, 5, 5}, 1, Rows({{250, 250, 250, 5, 5, 5}})},
        {"A n v", {1, 250, 6, 42}, 1, Rows({{42, 42, 42, 42, 42, 42}})},
        {"B A, B B, B v", {1, 251, 250, 251, 251, 251, 3}, 1, Rows({{251, 251, 251, 3, 3, 3}})},
        {"A 2 0 copies the rest from below",
         {0, 1, 2, 3, 4, 5, 6, 1, 9, 250, 2, 0},
         2,
         Rows({r0, {9, 2, 3, 4, 5, 6}})},
        {"A 2 n copies n from below",
         {0, 1, 2, 3, 4, 5, 6, 1, 250, 2, 3, 7, 7, 7},
         2,
         Rows({r0, {1, 2, 3, 7, 7, 7}})},
        {"code 2 xors with the row below",
         {0, 1, 2, 3, 4, 5, 6, 2, 0, 0, 0, 0, 0, 3},
         2,
         Rows({r0, {1, 2, 3, 4, 5, 5}})},
        {"code 3 is an escaped run too", {3, 1, 2, 4, 250, 3, 7}, 1, Rows({{1, 2, 4, 7, 7, 7}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Decode6(c.src, c.rows), c.want);
    }
}

TEST(LineDecode, PartialCopyIsFollowedByMoreSections) {
    // 10 wide: a copy of 8 from below, then a fill for the last two.
    const std::vector<uint8_t> src{0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 8, 6, 77};
    std::vector<uint8_t> out(24);
    DecodeBand(src.data(), src.size(), out.data(), {10, 12, 2}, 250, 251, kSegCoded);
    const std::vector<uint8_t> want{0, 1, 2, 3, 4, 5, 6, 7, 8,  9,  0, 0,
                                    0, 1, 2, 3, 4, 5, 6, 7, 77, 77, 0, 0};
    EXPECT_EQ(out, want);
}

TEST(LineDecode, RowsWithoutLineCodesAreRawAndPadded) {
    EXPECT_EQ(Decode6({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 2, kSegCoded | kSegNoLineCodes),
              Rows({{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}));
}

TEST(LineDecode, BadDataRaisesTheDecoderMessages) {
    struct Case {
        const char* what;
        std::vector<uint8_t> src;
        int rows;
        const char* message;
    };
    const Case cases[] = {
        {"empty source", {}, 1, "Decode: source buffer overflow"},
        {"literal cut short", {0, 1, 2}, 1, "Decode: source buffer overflow"},
        {"second row missing", {6, 1}, 2, "Decode: source buffer overflow"},
        {"escape cut after A", {1, 250}, 1, "Decode: source buffer overflow"},
        {"code 2 on the first row", {2, 1, 2, 3, 4, 5, 6}, 1, "Decode: invalid line code"},
        {"code 7 on the first row", {7}, 1, "Decode: invalid line code"},
        {"partial copy on the first row", {8}, 1, "Decode: invalid line code"},
        {"copy-from-below escape on the first row", {1, 250, 2, 0}, 1, "Decode: invalid line code"},
        {"partial copy longer than the row", {6, 1, 9}, 2, "Decode: output line overflow"},
        {"run past the row end", {1, 1, 250, 6, 9}, 1, "Decode: output line overflow"},
        {"B v past the row end", {1, 1, 2, 3, 4, 251, 9}, 1, "Decode: output line overflow"},
        {"copy past the row end", {6, 1, 1, 1, 250, 2, 6}, 2, "Decode: output line overflow"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            Decode6(c.src, c.rows);
            ADD_FAILURE() << "no exception";
        } catch (const PX8Exception& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST(RunDecode, RunsCarryAcrossRowsButNotIntoPadding) {
    // A run of 8 fills row 0 (6 pixels) and the first two of row 1.
    const std::vector<uint8_t> src{250, 8, 4, 250, 0, 250, 1, 9};
    EXPECT_EQ(Decode6(src, 2, kSegCoded | kSegRunMode),
              Rows({{4, 4, 4, 4, 4, 4}, {4, 4, 250, 250, 250, 9}}));
}

TEST(RunDecode, NeverReadsPastTheData) {
    for (std::vector<uint8_t> src :
         {std::vector<uint8_t>{1, 2, 3}, std::vector<uint8_t>{250}, std::vector<uint8_t>{250, 9}}) {
        try {
            Decode6(src, 1, kSegCoded | kSegRunMode);
            ADD_FAILURE() << "no exception";
        } catch (const PX8Exception& e) {
            EXPECT_STREQ(e.what(), "Decode: source buffer overflow");
        }
    }
}

TEST(Escapes, LeastFrequentValuesOneToTwoFiftyFiveLowerOnTies) {
    std::vector<uint8_t> band(8 * 2, 0);
    // Values 10 and up never appear: they tie at zero and the lowest two win; 0 never counts.
    const uint8_t px[] = {1, 1, 2, 3, 0, 0, 4, 5, 6, 7, 8, 9};
    for (int i = 0; i < 12; ++i)
        band[size_t(i / 6 * 8 + i % 6)] = px[i];
    uint8_t a, b;
    ChooseEscapes(band.data(), {6, 8, 2}, a, b);
    EXPECT_EQ(a, 10);
    EXPECT_EQ(b, 11);
    EXPECT_NE(a, 0);
}

// Every coding round-trips through the decoder on art-like pictures, noise, flat
// pictures and sizes that leave padding.
TEST(Encoder, EveryCodingRoundTrips) {
    struct Pic {
        const char* what;
        int w, h;
        std::vector<uint8_t> px;
    };
    std::vector<Pic> pics = {
        {"art", 97, 60, test::ArtLikePixels(97, 60)},
        {"noise", 33, 20, test::NoisePixels(33, 20, 5)},
        {"flat", 64, 10, std::vector<uint8_t>(640, 13)},
        {"one pixel", 1, 1, {250}},
        {"long runs", 600, 3, std::vector<uint8_t>(1800, 7)},
    };
    for (int v = 0; v < 256; ++v)
        pics[2].px[size_t(v) % 640] = uint8_t(v); // all values: escapes occur in data
    for (const Pic& p : pics)
        for (TBandCoding coding :
             {TBandCoding::Raw, TBandCoding::LineCoded, TBandCoding::RunMode}) {
            SCOPED_TRACE(std::string(p.what) + " coding " + std::to_string(int(coding)));
            const int stride = StrideOf(p.w);
            std::vector<uint8_t> band(size_t(stride) * p.h, 0);
            for (int r = 0; r < p.h; ++r)
                std::copy_n(p.px.data() + size_t(r) * p.w, p.w, band.data() + size_t(r) * stride);
            const TEncodedBand e = EncodeBand(band.data(), {p.w, stride, p.h}, coding);
            std::vector<uint8_t> out(band.size(), 0xCC);
            if (coding == TBandCoding::Raw) {
                EXPECT_EQ(e.Data, band);
                continue;
            }
            EXPECT_NE(e.EscapeA, e.EscapeB);
            DecodeBand(e.Data.data(), e.Data.size(), out.data(), {p.w, stride, p.h}, e.EscapeA,
                       e.EscapeB, e.Flags);
            EXPECT_EQ(out, band);
        }
}

TEST(Encoder, CompressesArt) {
    const auto px = test::ArtLikePixels(200, 100);
    const TEncodedBand e = EncodeBand(px.data(), {200, 200, 100}, TBandCoding::LineCoded);
    EXPECT_LT(e.Data.size(), px.size() / 2);
    EXPECT_EQ(e.Flags & kSegNoLineCodes, 0);
}

} // namespace
} // namespace qr

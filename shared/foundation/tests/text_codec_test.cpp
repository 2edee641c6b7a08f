// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/text_codec.h"

#include <gtest/gtest.h>
#include <set>

using namespace qr;

TEST(TextCodec, EveryByteRoundTripsThroughUtf8) {
    for (int b = 0; b < 256; ++b) {
        std::string one(1, char(b));
        EXPECT_EQ(FromUtf8(ToUtf8(one)), one) << "byte " << b;
    }
    EXPECT_EQ(ToUtf8("caf\xe9 \x80 \x81"), "caf\xc3\xa9 \xc4\xb3 \xc4\x85");
    EXPECT_EQ(FromUtf8("\xe2\x82\xac"), "?");    // the euro sign has no byte here
    EXPECT_EQ(FromUtf8("\xff\xfe"), "\xff\xfe"); // invalid UTF-8 is taken as bytes
}

TEST(TextCodec, FortyEightDistinctSpecialLetters) {
    int count = 0;
    std::set<char32_t> letters;
    for (int b = 0; b < 256; ++b)
        if (IsSpecialLetter(uint8_t(b))) {
            ++count;
            letters.insert(ByteToCodePoint(uint8_t(b)));
            EXPECT_TRUE((b >= 0x01 && b <= 0x1E) || (b >= 0x80 && b <= 0x9E)) << b;
        }
    EXPECT_EQ(count, 48);
    EXPECT_EQ(letters.size(), 48u);
}

TEST(TextCodec, CaseMappingAndLetters) {
    struct Case {
        uint8_t upper, lower;
    } pairs[] = {{'A', 'a'},   {'Z', 'z'},   {0xC0, 0xE0}, {0xDE, 0xFE},
                 {0x8A, 0x9A}, {0x8C, 0x9C}, {0x9F, 0xFF}, {0x01, 0x81},
                 {0x18, 0x98}, {0x1B, 0x9B}, {0x1D, 0x9D}, {0x1E, 0x9E}};
    for (auto p : pairs) {
        EXPECT_EQ(LowerChar(p.upper), p.lower) << int(p.upper);
        EXPECT_EQ(UpperChar(p.lower), p.upper) << int(p.lower);
        EXPECT_TRUE(IsLetter(p.upper));
        EXPECT_TRUE(IsLetter(p.lower));
    }
    for (uint8_t c : {uint8_t('1'), uint8_t(' '), uint8_t(0xD7), uint8_t(0xF7), uint8_t(0x1A),
                      uint8_t(0x80), uint8_t(0xDF), uint8_t(0x0A)})
        EXPECT_FALSE(IsLetter(c)) << int(c);
    EXPECT_EQ(LowerCase("HeLLo \xc4"), "hello \xe4");
}

TEST(TextCodec, StoredAndDisplayForms) {
    EXPECT_EQ(ToStoredForm(">a"), "\x81");
    EXPECT_EQ(ToDisplayForm("\x81"), ">a");
    EXPECT_EQ(ToStoredForm(">x>"), ">x>");
    EXPECT_EQ(ToStoredForm("G>{ra"), "G\x07ra");
    EXPECT_EQ(ToDisplayForm(ToStoredForm(">A>L>\x8a>j")), ">A>L>\x8a>j");
}

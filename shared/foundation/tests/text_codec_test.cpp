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

// Imports must refuse what the fonts cannot draw instead of showing a stand-in.
TEST(TextCodec, ShowableConversionNamesTheFirstCharacterWithoutAByte) {
    struct {
        const char* utf8;
        const char* bytes; // when it converts
        char32_t bad;      // otherwise
    } cases[] = {
        {"Gr\xc3\xbc\xc3\x9f \xc5\x82 \xc3\xb3 \xc5\xba", "Gr\xfc\xdf \x82 \xf3 \x85", 0},
        {"\xd0\x9c\xd0\xb8\xd1\x80", nullptr, 0x041C}, // Cyrillic
        {"a\xe2\x82\xac", nullptr, 0x20AC},            // the euro's byte holds a letter here
        {"tab\there", nullptr, 0x09},
        {"line\n", nullptr, 0x0A},
        {"\xc2\x8d", nullptr, 0x8D}, // a C1 control keeps its byte but no glyph
        {"\xff", nullptr, 0xFFFD},   // not UTF-8
    };
    for (const auto& c : cases) {
        std::string out;
        auto bad = FromUtf8Showable(c.utf8, out);
        if (c.bytes) {
            EXPECT_FALSE(bad) << c.utf8;
            EXPECT_EQ(out, c.bytes);
        } else {
            EXPECT_EQ(bad.value_or(0), c.bad) << c.utf8;
        }
    }
}

TEST(TextCodec, Windows1252IsDecodedAsWindowsDoes) {
    EXPECT_EQ(Windows1252ToUtf8("caf\xe9 \x80\x8a"), "caf\xc3\xa9 \xe2\x82\xac\xc5\xa0");
    EXPECT_TRUE(IsValidUtf8("caf\xc3\xa9"));
    EXPECT_FALSE(IsValidUtf8("caf\xe9"));
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

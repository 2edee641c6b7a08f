// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordlist/scramble.h"

#include <gtest/gtest.h>

#include "foundation/random.h"

namespace qr {
namespace {

TEST(Scramble, KnownBytesAndEmptyText) {
    EXPECT_EQ(ScrambleText("abc"), std::string("\x2A\x8A\xC4\x43\xB0", 5));
    EXPECT_EQ(ScrambleText(""), std::string(2, '\0'));
    EXPECT_EQ(UnscrambleText(std::string("\x2A\x8A\xC4\x43\xB0", 5)), "abc");
}

TEST(Scramble, RoundTripsEveryKindOfText) {
    const std::string cases[] = {"x", "secret", std::string("\0\xFF\x81 mixed", 10),
                                 std::string(255, '\xFF'), "Passwort mit \xE4\xF6\xFC"};
    for (const auto& plain : cases) {
        std::string s = ScrambleText(plain);
        EXPECT_EQ(s.size(), plain.size() + 2);
        EXPECT_EQ(UnscrambleText(s), plain) << plain;
    }
}

TEST(Scramble, TooShortTextsUnscrambleToNothing) {
    EXPECT_EQ(UnscrambleText(""), "");
    EXPECT_EQ(UnscrambleText("\x41"), "");
}

TEST(Scramble, LeavesTheSharedGeneratorReseeded) {
    // The key of "abc" is drawn from seed 0x2AB0; afterwards the generator must not be
    // left where the key's draws put it.
    GameRandom().SetSeed(12345);
    ScrambleText("abc");
    TRandom afterKey;
    afterKey.SetSeed(0x2AB0);
    for (int i = 0; i < 3; ++i)
        afterKey.Random(256);
    EXPECT_NE(GameRandom().Seed(), afterKey.Seed());
}

} // namespace
} // namespace qr

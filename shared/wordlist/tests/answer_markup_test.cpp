// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordlist/answer_markup.h"

#include <gtest/gtest.h>

namespace qr {
namespace {

TEST(AnswerMarkup, ShownForm) {
    const struct {
        const char* answer;
        const char* shown;
    } cases[] = {
        {"house", "house"},
        {"hous{e}", "hous"},          // last letter braced
        {"[t]he house", "the house"}, // bracketed first letter
        {"{to }go{ away}", "go"},     // several braced parts
        {"a{b{c}d", "ad"},            // first "{" to the first "}" after it
        {"open{", "open{"},           // no closing brace: stays
        {"x}y{", "x}y{"},             // closing brace before the opening one
        {"[ab]", "[ab]"},             // more than one character: stays
        {"[[x]]", "x"},               // replacement completes an outer pair
        {"[a[]]", "a"},               // ... starting two places before it
        {"{[}x]", "x]"},              // braces go first
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShownAnswer(c.answer), c.shown) << c.answer;
}

TEST(AnswerMarkup, FitCountsShownCharacters) {
    EXPECT_FALSE(AnswerTooLong(std::string(21, 'a')));
    EXPECT_TRUE(AnswerTooLong(std::string(22, 'a')));
    // Hidden and bracket characters do not count.
    EXPECT_FALSE(AnswerTooLong(std::string(21, 'a') + "{bcd}"));
    EXPECT_FALSE(AnswerTooLong("[x]" + std::string(20, 'a')));
    EXPECT_TRUE(AnswerTooLong("[x]" + std::string(21, 'a')));
}

} // namespace
} // namespace qr

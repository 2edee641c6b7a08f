// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "game/shell/headless_driver.h"

using namespace qr;

TEST(ExpectState, ComparesOnlyTheFieldNamed) {
    const auto state = nlohmann::ordered_json::parse(
        R"({"room":"HOME","flags":2048,"quit":false,"caption":"Quill-Rush: a b",
            "clue":{"name":"","id":255},"stack":["A","B"],
            "boxes":[{"id":"GO","rect":[1,2,3,4],"enabled":true}]})");
    const struct {
        const char* key;
        const char* value;
        bool holds;
    } cases[] = {
        {"room", "HOME", true},
        {"room", "\"HOME\"", true},
        {"room", "PLAY", false},
        {"flags", "2048", true},
        {"flags", "2048.0", true},
        {"flags", "\"2048\"", false},
        {"quit", "false", true},
        {"quit", "0", false},
        {"caption", "Quill-Rush: a b", true},
        {"clue.id", "255", true},
        {"clue.name", "\"\"", true},
        {"stack", "[\"A\",\"B\"]", true},
        {"stack.1", "B", true},
        {"stack", "[\"B\",\"A\"]", false},
        {"boxes.0.rect", "[1,2,3,4]", true},
        {"boxes.0.enabled", "true", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpectStateField(state, c.key, c.value).empty(), c.holds)
            << c.key << " " << c.value;
    // A field that is not there is a failure that says so, not a crash.
    for (const char* key : {"nothing", "clue.id.more", "stack.2", "stack.-1", "boxes.x"})
        EXPECT_NE(ExpectStateField(state, key, "1").find("no such field"), std::string::npos)
            << key;
    EXPECT_FALSE(ExpectStateField(state, "", "1").empty());
    EXPECT_EQ(ExpectStateField(state, "flags", "7"), "expect state flags failed: it is 2048");
}

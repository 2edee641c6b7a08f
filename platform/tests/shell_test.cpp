// SPDX-License-Identifier: GPL-3.0-or-later
// Handing an address to the desktop's launcher and reading its answer.
#include "platform/shell.h"

#include <gtest/gtest.h>

#include "test_support/temp_dir.h"

namespace qr {
namespace {

TEST(LauncherShell, TheLaunchersAnswerBecomesTheResult) {
    test::TempDir dir;
    const std::string script = dir.Write("exit4.sh", "exit 4\n");
    EXPECT_GT(LauncherShell("true").Open("https://example.org/", 5), Shell::kFirstSuccess);
    EXPECT_EQ(LauncherShell("false").Open("https://example.org/", 5), 1);
    // "sh" runs the target as a script here: its exit status is the error number.
    EXPECT_EQ(LauncherShell("sh").Open(script, 1), 4);
    EXPECT_EQ(LauncherShell("/nonexistent/launcher").Open("https://example.org/", 5), 2);
}

TEST(LauncherShell, AnAddressThatLooksLikeAnOptionIsRefused) {
    EXPECT_EQ(LauncherShell("true").Open("--help", 5), 2);
    EXPECT_EQ(LauncherShell("true").Open("", 5), 2);
}

TEST(LauncherShell, ALauncherStillBusyHasTakenTheAddress) {
    EXPECT_GT(LauncherShell("sleep", 50).Open("1", 5), Shell::kFirstSuccess);
}

} // namespace
} // namespace qr

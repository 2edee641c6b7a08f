// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's built-in string resources (numbers 1024 and up), fixed texts that do not
// depend on the working language, and the program's fixed names.
namespace qr {

constexpr const char* kAppTitle = "Quill-Rush";
constexpr const char* kVersionText = "Quill-Rush for Linux 0.1";
constexpr const char* kInstanceName = "QRL32";
constexpr const char* kInstanceMessage = "Check for Quill-Rush instance";
constexpr const char* kStartupProblem = " encountered a problem on start-up: ";

enum GameResString {
    kResMonochrome = 1024,
    kResSixteenColours = 1025,
    kResGameLibrary = 1027,
    kResMissingFile = 1349,
};

// Makes the table available to LoadResString; safe to call more than once.
void RegisterGameResStrings();

} // namespace qr

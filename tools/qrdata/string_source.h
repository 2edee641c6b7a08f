// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The string files are generated from commented sources so that a string's number is
// written next to its text and can never drift when a line is added or removed.
// Source format (UTF-8): "#" starts a comment line, blank lines are ignored, and every
// other line is "<number> <text>" (number 0-999, ascending, each once). The text runs
// from after the single separator (a space or a tab) to the end of the line.
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qr {

class StringSourceError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// One language's strings as written in its source, still in UTF-8.
class TStringSource {
  public:
    // Raises StringSourceError naming the source and the line for every fault: a bad or
    // out-of-range number, a number out of order or given twice, an empty text, or a
    // character the string files cannot hold (Windows-1252 plus the special letters).
    static TStringSource Parse(std::string_view text, const std::string& name);

    const std::map<int, std::string>& Strings() const { return strings_; }

    // The line-numbered file: line k is string k in the game's byte encoding, numbers
    // without a text are empty lines, every line ends in a line feed.
    std::string Generate() const;

    // Raises StringSourceError unless this source has exactly the numbers of the
    // reference and every string carries the same "%s"/"%d" placeholders in the same
    // order, so a translation can never crash a message format or lose a string.
    void CheckAgainst(const TStringSource& reference) const;

  private:
    std::string name_;
    std::map<int, std::string> strings_;
};

// The printf placeholders of a text in order ("%s", "%d", "%.2d"...); "%%" is not one.
std::vector<std::string> Placeholders(std::string_view text);

} // namespace qr

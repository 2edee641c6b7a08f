// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every program's command line shares: values are checked strictly, so that a typing
// slip is refused with a clear word instead of being half-read, and text that came from
// outside (file names, lines of a file) is shown on a terminal without its control bytes.
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qr {

// The whole of `text` as a decimal integer in [min, max]: no sign other than a leading
// '-', no blanks, no trailing letters, no overflow. Nothing otherwise.
std::optional<long long> ParseInteger(std::string_view text, long long min, long long max);

// `text` with every control byte (0x00-0x1F, 0x7F) written as \xNN and a backslash as
// "\\"; bytes from 0x80 up stay, so UTF-8 names read as they are.
std::string Printable(std::string_view text);

// "NAME VERSION" for --version.
std::string VersionLine(std::string_view program);

// The reason a file cannot be read as input, or empty when it can be opened: it does not
// exist, is a folder, or cannot be read (with the system's reason).
std::string UnreadableFileReason(const std::string& path);

// ---- what the command-line tools share

// A failure a tool reports as it is: the message already names the file and the reason.
class ToolError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The options every tool takes, looked for anywhere among `args`: --help and -h print
// `usage` to `out`, --version the version line (both 0); any other word starting with '-'
// (except "-" itself, the options in `valueOptions`, which take the next word, and those
// in `flagOptions`) is refused on `err` with the usage (2). Nothing when the tool should
// go on.
std::optional<int> HandleCommonOptions(std::string_view tool, const std::vector<std::string>& args,
                                       std::string_view usage, std::ostream& out, std::ostream& err,
                                       const std::vector<std::string>& valueOptions = {},
                                       const std::vector<std::string>& flagOptions = {});

// Says what was wrong with the command line and how to call the tool, on `err`; 2.
int UsageError(std::string_view tool, const std::string& problem, std::string_view usage,
               std::ostream& err);

// Throws ToolError("FILE: reason") unless `path` is a file that can be read.
void RequireReadable(const std::string& path);

// An exception's message as a reason for a person: without the internal operation name
// some messages begin with ("Decode: source buffer overflow" -> "source buffer overflow").
std::string PlainReason(const std::exception& e);

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/command_line.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

#include "foundation/uvo_exception.h"
#include "qr_version.h"

namespace qr {

std::optional<long long> ParseInteger(std::string_view text, long long min, long long max) {
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) ++i;
    if (i == text.size()) return std::nullopt;
    // Accumulated as a negative number, whose range is the larger one.
    constexpr long long kLowest = std::numeric_limits<long long>::min();
    long long value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return std::nullopt;
        const int digit = c - '0';
        if (value < (kLowest + digit) / 10) return std::nullopt;
        value = value * 10 - digit;
    }
    if (!negative) {
        if (value == kLowest) return std::nullopt;
        value = -value;
    }
    if (value < min || value > max) return std::nullopt;
    return value;
}

std::string Printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c < 0x20 || c == 0x7F) {
            char buf[5];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        } else {
            out += char(c);
        }
    }
    return out;
}

std::string VersionLine(std::string_view program) {
    return std::string(program) + " " + kQuillRushVersion;
}

std::string UnreadableFileReason(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return std::strerror(errno);
    if (S_ISDIR(st.st_mode)) return "is a folder, not a file";
    // Without O_NONBLOCK the question alone would wait for ever on a FIFO nobody writes to.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return std::strerror(errno);
    ::close(fd);
    return {};
}

std::optional<int> HandleCommonOptions(std::string_view tool, const std::vector<std::string>& args,
                                       std::string_view usage, std::ostream& out, std::ostream& err,
                                       const std::vector<std::string>& valueOptions,
                                       const std::vector<std::string>& flagOptions) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            out << usage;
            return 0;
        }
        if (a == "--version") {
            out << VersionLine(tool) << "\n";
            return 0;
        }
    }
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() < 2 || a[0] != '-') continue;
        if (std::find(flagOptions.begin(), flagOptions.end(), a) != flagOptions.end()) continue;
        bool known = false;
        for (const std::string& v : valueOptions)
            known = known || a == v;
        if (!known) return UsageError(tool, "unknown option " + a, usage, err);
        if (i + 1 >= args.size()) return UsageError(tool, a + " needs a value", usage, err);
        ++i;
    }
    return std::nullopt;
}

int UsageError(std::string_view tool, const std::string& problem, std::string_view usage,
               std::ostream& err) {
    err << tool << ": " << Printable(problem) << "\n" << usage;
    return 2;
}

void RequireReadable(const std::string& path) {
    if (std::string why = UnreadableFileReason(path); !why.empty())
        throw ToolError(path + ": " + why);
}

std::string PlainReason(const std::exception& e) {
    if (dynamic_cast<const StreamReadError*>(&e)) return "it ends too early";
    const std::string m = e.what();
    const size_t colon = m.find(": ");
    if (colon == std::string::npos || colon == 0) return m;
    for (size_t i = 0; i < colon; ++i) {
        const char c = m[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return m;
    }
    return m.substr(colon + 2);
}

} // namespace qr

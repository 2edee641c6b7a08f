// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files.h"

#include <algorithm>
#include <cstdlib>
#include <unistd.h>

#include "foundation/utils.h"

namespace qr {

namespace fs = std::filesystem;

bool FileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool DirectoryExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

std::optional<fs::file_time_type> FileTime(const std::string& path) {
    std::error_code ec;
    auto t = fs::last_write_time(path, ec);
    if (ec) return std::nullopt;
    return t;
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
    // Iterative wildcard match with one backtrack point: linear in practice, no recursion.
    size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; };
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::vector<std::string> FindFiles(const std::string& dir, std::string_view pattern) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(dir, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code e2;
        if (!it->is_regular_file(e2)) continue;
        std::string name = it->path().filename().string();
        if (MatchesPattern(name, pattern)) names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        std::string la = AsciiLower(a), lb = AsciiLower(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

std::string ResolveNoCase(const std::string& dir, std::string_view name) {
    std::string base = WithSeparator(dir);
    if (FileExists(base + std::string(name))) return base + std::string(name);
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (EqualsNoCase(it->path().filename().string(), name)) return it->path().string();
    return base + std::string(name);
}

std::string WithSeparator(std::string path) {
    if (path.empty() || path.back() != '/') path.push_back('/');
    return path;
}

std::string ExecutableFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return WithSeparator(fs::current_path(ec).string());
    return WithSeparator(exe.parent_path().string());
}

std::string XdgFolder(const char* variable, const char* fallbackUnderHome) {
    if (const char* v = std::getenv(variable); v && v[0] == '/') return v;
    if (const char* h = std::getenv("HOME"); h && h[0] == '/')
        return std::string(h) + "/" + fallbackUnderHome;
    return {};
}

bool HasLineBreak(std::string_view path) {
    return path.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace qr

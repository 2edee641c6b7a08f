// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ini_file.h"

#include <cerrno>
#include <climits>
#include <filesystem>

#include "foundation/stream.h"
#include "foundation/utils.h"

namespace qr {

namespace {

// Ini files larger than this are not settings files; reading them whole would only let
// a hostile file eat memory.
constexpr uintmax_t kMaxIniSize = 16u << 20;

std::string TrimBlanks(std::string_view s) {
    size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t'))
        ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t'))
        --b;
    return std::string(s.substr(a, b - a));
}

// Index of the section line, or -1.
int FindSection(const std::vector<IniFile::Line>& lines, std::string_view section) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].kind == IniFile::Line::Section && EqualsNoCase(lines[i].text, section))
            return int(i);
    return -1;
}

// Index of the key's line within the section starting at s, or -1.
int FindKey(const std::vector<IniFile::Line>& lines, int s, std::string_view key) {
    for (size_t i = size_t(s) + 1; i < lines.size() && lines[i].kind != IniFile::Line::Section; ++i)
        if (lines[i].kind == IniFile::Line::Entry && EqualsNoCase(lines[i].text, key))
            return int(i);
    return -1;
}

} // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

std::vector<IniFile::Line> IniFile::Parse(std::string_view text) {
    std::vector<Line> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view raw = text.substr(pos, end - pos);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        pos = end + 1;

        std::string t = TrimBlanks(raw);
        Line line;
        if (t.size() >= 2 && t.front() == '[' && t.find(']') != std::string::npos) {
            line.kind = Line::Section;
            line.text = TrimBlanks(std::string_view(t).substr(1, t.find(']') - 1));
        } else if (!t.empty() && t[0] != ';' && t[0] != '#' && t.find('=') != std::string::npos) {
            size_t eq = t.find('=');
            line.kind = Line::Entry;
            line.text = TrimBlanks(std::string_view(t).substr(0, eq));
            std::string v = TrimBlanks(std::string_view(t).substr(eq + 1));
            // A value written in matching quotes is read without them.
            if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
                v = v.substr(1, v.size() - 2);
            line.value = v;
            if (line.text.empty()) line = Line{Line::Other, std::string(raw), {}};
        } else {
            line.text = std::string(raw);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string IniFile::Render(const std::vector<Line>& lines) {
    std::string out;
    for (const Line& l : lines) {
        switch (l.kind) {
        case Line::Section:
            out += "[" + l.text + "]\n";
            break;
        case Line::Entry:
            out += l.text + "=" + l.value + "\n";
            break;
        case Line::Other:
            out += l.text + "\n";
            break;
        }
    }
    return out;
}

std::vector<IniFile::Line> IniFile::Load() const {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path_, ec)) return {};
    auto size = std::filesystem::file_size(path_, ec);
    if (ec || size > kMaxIniSize) return {};
    try {
        std::vector<uint8_t> bytes = ReadFileBytes(path_);
        return Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    } catch (const UvoException&) {
        return {}; // an unreadable file reads as empty, like a missing one
    }
}

void IniFile::Save(const std::vector<Line>& lines) {
    std::filesystem::path p(path_);
    std::error_code ec;
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path(), ec);
    std::string text = Render(lines);
    WriteFileAtomic(path_, text.data(), text.size());
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const {
    auto lines = Load();
    int s = FindSection(lines, section);
    if (s < 0) return std::string(def);
    int k = FindKey(lines, s, key);
    return k < 0 ? std::string(def) : lines[size_t(k)].value;
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
    std::string v = ReadString(section, key, "");
    if (v.empty()) return def;
    const char* s = v.c_str();
    bool neg = false;
    if (*s == '+' || *s == '-') neg = *s++ == '-';
    int base = 10;
    if (s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s += 2;
    } else if (s[0] == '$') {
        base = 16;
        ++s;
    }
    if (!*s) return def;
    errno = 0;
    char* end = nullptr;
    long long n = std::strtoll(s, &end, base);
    if (*end != '\0' || end == s) return def;
    if (neg) n = -n;
    if (errno == ERANGE || n > INT32_MAX) return n < 0 ? INT32_MIN : INT32_MAX;
    if (n < INT32_MIN) return INT32_MIN;
    return int32_t(n);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool IniFile::SectionExists(std::string_view section) const {
    return FindSection(Load(), section) >= 0;
}

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
    auto lines = Load();
    int s = FindSection(lines, section);
    return s >= 0 && FindKey(lines, s, key) >= 0;
}

std::vector<std::string> IniFile::ReadSection(std::string_view section) const {
    std::vector<std::string> keys;
    auto lines = Load();
    int s = FindSection(lines, section);
    if (s < 0) return keys;
    for (size_t i = size_t(s) + 1; i < lines.size() && lines[i].kind != Line::Section; ++i)
        if (lines[i].kind == Line::Entry) keys.push_back(lines[i].text);
    return keys;
}

std::vector<std::string> IniFile::ReadSections() const {
    std::vector<std::string> names;
    for (const Line& l : Load())
        if (l.kind == Line::Section) names.push_back(l.text);
    return names;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    // A line break in a value would forge further keys or sections.
    std::string v;
    for (char c : value)
        if (c != '\n' && c != '\r') v.push_back(c);
    auto lines = Load();
    int s = FindSection(lines, section);
    if (s < 0) {
        if (!lines.empty() && !(lines.back().kind == Line::Other && lines.back().text.empty()))
            lines.push_back(Line{Line::Other, "", {}});
        lines.push_back(Line{Line::Section, std::string(section), {}});
        lines.push_back(Line{Line::Entry, std::string(key), v});
    } else if (int k = FindKey(lines, s, key); k >= 0) {
        lines[size_t(k)].value = v;
    } else {
        // After the section's last entry, before any blank lines that separate it.
        size_t at = size_t(s) + 1;
        for (size_t i = at; i < lines.size() && lines[i].kind != Line::Section; ++i)
            if (lines[i].kind == Line::Entry) at = i + 1;
        lines.insert(lines.begin() + long(at), Line{Line::Entry, std::string(key), v});
    }
    Save(lines);
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::EraseSection(std::string_view section) {
    auto lines = Load();
    int s = FindSection(lines, section);
    if (s < 0) return;
    size_t e = size_t(s) + 1;
    while (e < lines.size() && lines[e].kind != Line::Section)
        ++e;
    lines.erase(lines.begin() + s, lines.begin() + long(e));
    Save(lines);
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
    auto lines = Load();
    int s = FindSection(lines, section);
    if (s < 0) return;
    int k = FindKey(lines, s, key);
    if (k < 0) return;
    lines.erase(lines.begin() + k);
    Save(lines);
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ini_file.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "foundation/stream.h"
#include "foundation/text_codec.h"
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

// Names and comment lines of an older file: only the bytes above ASCII are letters of
// Windows-1252; tabs and other control bytes stay what they are.
std::string HighBytesToUtf8(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (uint8_t(c) < 0x80)
            out.push_back(c);
        else
            out += ToUtf8(std::string_view(&c, 1));
    }
    return out;
}

} // namespace

IniFile::IniFile(std::string path, Values values) : path_(std::move(path)), values_(values) {}

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

IniFile::Loaded IniFile::Load() const {
    Loaded r;
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0) {
        // Missing is the normal first state of a settings file; anything else is a fault.
        if (errno != ENOENT) r.error = std::string("cannot be read (") + std::strerror(errno) + ")";
        return r;
    }
    if (!S_ISREG(st.st_mode)) {
        r.error = "is not a regular file";
        return r;
    }
    if (uintmax_t(st.st_size) > kMaxIniSize) {
        r.error = "is larger than 16 MiB, too large for a settings file";
        return r;
    }
    // Start-up reads a dozen keys; the file is parsed again only when it has changed.
    const Stamp stamp{st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
    if (cached_ && cachedStamp_ == stamp) return *cached_;
    std::vector<uint8_t> bytes;
    errno = 0;
    try {
        bytes = ReadFileBytes(path_);
    } catch (const UvoException&) {
        r.error = std::string("cannot be read (") + std::strerror(errno ? errno : EIO) + ")";
        return r;
    }
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    r.lines = Parse(text);
    if (!IsValidUtf8(text)) {
        // A file of an older version: its bytes are Windows-1252 text.
        for (Line& l : r.lines) {
            l.text = HighBytesToUtf8(l.text);
            l.value = ToUtf8(l.value);
        }
    }
    cached_ = r;
    cachedStamp_ = stamp;
    return r;
}

std::string IniFile::Problem() const {
    Loaded l = Load();
    if (!l.error.empty()) return l.error;
    struct stat st {};
    if (::stat(path_.c_str(), &st) == 0 &&
        ((st.st_mode & 0222) == 0 || ::access(path_.c_str(), W_OK) != 0))
        return "is read-only";
    return {};
}

std::string IniFile::ToStored(std::string_view value) const {
    // A line break in a value would forge further keys or sections.
    std::string v;
    for (char c : value)
        if (c != '\n' && c != '\r') v.push_back(c);
    if (values_ == Values::Bytes || !IsValidUtf8(v)) return ToUtf8(v);
    return v;
}

std::string IniFile::FromStored(const std::string& value) const {
    return values_ == Values::Bytes ? FromUtf8(value) : value;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const {
    const std::string sec = ToStored(section), k = ToStored(key);
    const std::optional<std::string> stored = StoredValue(Lines(), sec, k);
    known_[KnownKey(sec, k)] = stored;
    return stored ? FromStored(*stored) : std::string(def);
}

std::optional<std::string> IniFile::StoredValue(const std::vector<Line>& lines,
                                                const std::string& section,
                                                const std::string& key) {
    int s = FindSection(lines, section);
    if (s < 0) return std::nullopt;
    int k = FindKey(lines, s, key);
    if (k < 0) return std::nullopt;
    return lines[size_t(k)].value;
}

std::string IniFile::KnownKey(const std::string& section, const std::string& key) {
    return AsciiLower(section) + '\n' + AsciiLower(key);
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
    return FindSection(Lines(), ToStored(section)) >= 0;
}

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
    auto lines = Lines();
    int s = FindSection(lines, ToStored(section));
    return s >= 0 && FindKey(lines, s, ToStored(key)) >= 0;
}

std::vector<std::string> IniFile::ReadSection(std::string_view section) const {
    std::vector<std::string> keys;
    auto lines = Lines();
    int s = FindSection(lines, ToStored(section));
    if (s < 0) return keys;
    for (size_t i = size_t(s) + 1; i < lines.size() && lines[i].kind != Line::Section; ++i)
        if (lines[i].kind == Line::Entry) keys.push_back(FromStored(lines[i].text));
    return keys;
}

std::vector<std::string> IniFile::ReadSections() const {
    std::vector<std::string> names;
    for (const Line& l : Lines())
        if (l.kind == Line::Section) names.push_back(FromStored(l.text));
    return names;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    Edit e(*this);
    e.WriteString(section, key, value);
    e.Save();
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::EraseSection(std::string_view section) {
    Edit e(*this);
    e.EraseSection(section);
    e.Save();
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
    Edit e(*this);
    e.DeleteKey(section, key);
    e.Save();
}

namespace {

void SetValue(std::vector<IniFile::Line>& lines, const std::string& sec, const std::string& k,
              const std::string& v) {
    using Line = IniFile::Line;
    int s = FindSection(lines, sec);
    if (s < 0) {
        if (!lines.empty() && !(lines.back().kind == Line::Other && lines.back().text.empty()))
            lines.push_back(Line{Line::Other, "", {}});
        lines.push_back(Line{Line::Section, sec, {}});
        lines.push_back(Line{Line::Entry, k, v});
    } else if (int at = FindKey(lines, s, k); at >= 0) {
        lines[size_t(at)].value = v;
    } else {
        // After the section's last entry, before any blank lines that separate it.
        size_t pos = size_t(s) + 1;
        for (size_t i = pos; i < lines.size() && lines[i].kind != Line::Section; ++i)
            if (lines[i].kind == Line::Entry) pos = i + 1;
        lines.insert(lines.begin() + long(pos), Line{Line::Entry, k, v});
    }
}

// An advisory lock on the file at a path, held while it lives. The file is replaced by a
// rename, so the lock taken may be on a file that has just been replaced: then the new one
// is locked instead. A lock that cannot be had (a folder this user may not write into, a
// writer that hangs) is given up; the save then goes ahead as it would without one.
class FileLock {
  public:
    explicit FileLock(const std::string& path) {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < giveUp) {
            const int fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0644);
            if (fd < 0) return;
            while (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK &&
                   std::chrono::steady_clock::now() < giveUp)
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            struct stat held {
            }, now{};
            if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &now) == 0 &&
                held.st_dev == now.st_dev && held.st_ino == now.st_ino) {
                fd_ = fd;
                return;
            }
            ::close(fd);
        }
    }
    ~FileLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

  private:
    int fd_ = -1;
};

} // namespace

IniFile::Edit::Edit(IniFile& file) : file_(file) {
    Loaded l = file.Load();
    if (!l.error.empty())
        throw FileOpenError("Cannot read file \"" + file.path_ + "\": it " + l.error +
                            ". It is left as it is.");
}

void IniFile::Edit::WriteString(std::string_view section, std::string_view key,
                                std::string_view value) {
    const std::string v = file_.ToStored(value), sec = file_.ToStored(section),
                      k = file_.ToStored(key);
    // What this program last saw of the key: when it writes that same value back and the
    // other program has changed the key since, the change is the other's to keep.
    std::optional<std::optional<std::string>> seen;
    if (auto it = file_.known_.find(KnownKey(sec, k)); it != file_.known_.end()) seen = it->second;
    for (const std::string& prefix : erased_)
        if (KnownKey(sec, k).compare(0, prefix.size(), prefix) == 0) seen.reset();
    touched_.emplace_back(sec, k);
    changes_.push_back([v, sec, k, seen](std::vector<Line>& lines) {
        if (seen && *seen == v && StoredValue(lines, sec, k) != *seen) return;
        SetValue(lines, sec, k, v);
    });
}

void IniFile::Edit::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::Edit::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::Edit::EraseSection(std::string_view section) {
    // Keys this program erased are gone by its own doing: written again later, they are
    // new values, not ones it merely read and hands back.
    erased_.push_back(AsciiLower(file_.ToStored(section)) + '\n');
    changes_.push_back([sec = file_.ToStored(section)](std::vector<Line>& lines) {
        int s = FindSection(lines, sec);
        if (s < 0) return;
        size_t e = size_t(s) + 1;
        while (e < lines.size() && lines[e].kind != Line::Section)
            ++e;
        lines.erase(lines.begin() + s, lines.begin() + long(e));
    });
}

void IniFile::Edit::DeleteKey(std::string_view section, std::string_view key) {
    touched_.emplace_back(file_.ToStored(section), file_.ToStored(key));
    changes_.push_back(
        [sec = file_.ToStored(section), k = file_.ToStored(key)](std::vector<Line>& lines) {
            int s = FindSection(lines, sec);
            if (s < 0) return;
            int at = FindKey(lines, s, k);
            if (at >= 0) lines.erase(lines.begin() + at);
        });
}

void IniFile::Edit::Save() {
    std::filesystem::path p(file_.path_);
    std::error_code ec;
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path(), ec);
    FileLock lock(file_.path_);
    // What the other program wrote since the edit began stays: only this edit's own
    // changes are made, to the file as it is now.
    Loaded l = file_.Load();
    if (!l.error.empty())
        throw FileOpenError("Cannot read file \"" + file_.path_ + "\": it " + l.error +
                            ". It is left as it is.");
    for (const auto& change : changes_)
        change(l.lines);
    std::string text = Render(l.lines);
    WriteFileAtomic(file_.path_, text.data(), text.size());
    for (const std::string& prefix : erased_)
        for (auto& [key, value] : file_.known_)
            if (key.compare(0, prefix.size(), prefix) == 0) value = std::nullopt;
    for (const auto& [sec, k] : touched_)
        file_.known_[KnownKey(sec, k)] = StoredValue(l.lines, sec, k);
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ini files with the semantics the programs grew up with: sections and keys are matched
// without regard to case, every read sees the file as it is on disk now, and every write
// goes to disk at once, keeping all other sections, keys and comment lines as they were.
// Both programs share one settings file, so a write must never drop what the other wrote.
// Files are replaced atomically (temporary file, then rename): a crash mid-write keeps
// the previous good file, and several changes made through one Edit are one replace.
// Two programs writing at once take turns: a write locks the file (flock), reads it as it
// is on disk now, makes only its own changes to it and replaces it, so neither program
// wipes out what the other wrote in the meantime. A value written back as this program
// last read it (a shut-down save of every setting) does not undo the other program's
// change of that key since.
//
// A file that exists but cannot be read (too large, no permission, not a regular file, an
// I/O error) reads as empty, and is never written over: writing would replace the user's
// file with defaults. Problem() says why.
//
// Files are written in UTF-8 and read as UTF-8 or, when they are not valid UTF-8, as
// Windows-1252 (files of older versions). The program's values are its own byte text
// (Windows-1252 with the fonts' special letters) unless the file is made for UTF-8 values
// (the registry, which holds paths).
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qr {

class IniFile {
  public:
    enum class Values { Bytes, Utf8 };
    explicit IniFile(std::string path, Values values = Values::Bytes);

    const std::string& FileName() const { return path_; }
    // Why the file cannot be used as it is: empty when it reads fine or does not exist yet;
    // otherwise a reason such as "cannot be read (Permission denied)" or "is read-only".
    std::string Problem() const;

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    // A value that is not a whole number (after optional sign, decimal or "0x" hex) gives
    // the default; out-of-range values are clamped to 32 bits.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
    // Booleans are stored as integers: 0 is false, anything else true.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    std::vector<std::string> ReadSection(std::string_view section) const;
    std::vector<std::string> ReadSections() const;

    // Each write saves the file; a failure to save raises FileOpenError or StreamWriteError,
    // and so does a file that could not be read.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view key);

    // Changes gathered in memory and saved as one replace of the file. The file is read
    // when the edit begins, and one that cannot be read raises FileOpenError there; the
    // changes are made at Save to the file as it is then.
    class Edit;

    // Parses ini text into lines; exposed for the fuzz target.
    struct Line {
        enum Kind { Other, Section, Entry } kind = Other;
        std::string text;  // the raw line for Other; the name for Section; the key for Entry
        std::string value; // Entry only
    };
    static std::vector<Line> Parse(std::string_view text);
    static std::string Render(const std::vector<Line>& lines);

  private:
    // The lines (values in UTF-8) and, when the file exists but could not be read, why.
    struct Loaded {
        std::vector<Line> lines;
        std::string error;
    };
    Loaded Load() const;
    std::vector<Line> Lines() const { return Load().lines; }
    std::string ToStored(std::string_view value) const;
    std::string FromStored(const std::string& value) const;

    std::string path_;
    Values values_;
    // The last file read, and what identified it on disk.
    struct Stamp {
        uint64_t device, inode;
        int64_t size, seconds, nanoseconds;
        bool operator==(const Stamp&) const = default;
    };
    mutable std::optional<Loaded> cached_;
    mutable Stamp cachedStamp_{};
    // The stored value of each key as this program last read or wrote it (nullopt: absent).
    static std::optional<std::string>
    StoredValue(const std::vector<Line>& lines, const std::string& section, const std::string& key);
    static std::string KnownKey(const std::string& section, const std::string& key);
    mutable std::map<std::string, std::optional<std::string>> known_;
};

class IniFile::Edit {
  public:
    explicit Edit(IniFile& file);
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view key);
    // Under the file's lock: reads it again, makes the changes and writes it once; raises
    // FileOpenError or StreamWriteError.
    void Save();

  private:
    IniFile& file_;
    std::vector<std::function<void(std::vector<Line>&)>> changes_;
    std::vector<std::pair<std::string, std::string>> touched_;
    std::vector<std::string> erased_; // known-key prefixes of the erased sections
};

} // namespace qr

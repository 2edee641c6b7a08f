// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ini files with the semantics the programs grew up with: sections and keys are matched
// without regard to case, every read sees the file as it is on disk now, and every write
// goes to disk at once, keeping all other sections, keys and comment lines as they were.
// Both programs share one settings file, so a write must never drop what the other wrote.
// Files are replaced atomically (temporary file, then rename): a crash mid-write keeps
// the previous good file.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qr {

class IniFile {
  public:
    explicit IniFile(std::string path);

    const std::string& FileName() const { return path_; }

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

    // Each write saves the file; a failure to save raises FileOpenError or StreamWriteError.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view key);

    // Parses ini text into lines; exposed for the fuzz target.
    struct Line {
        enum Kind { Other, Section, Entry } kind = Other;
        std::string text;  // the raw line for Other; the name for Section; the key for Entry
        std::string value; // Entry only
    };
    static std::vector<Line> Parse(std::string_view text);
    static std::string Render(const std::vector<Line>& lines);

  private:
    std::vector<Line> Load() const;
    void Save(const std::vector<Line>& lines);

    std::string path_;
};

} // namespace qr

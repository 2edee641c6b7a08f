// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program-wide table of user-interface texts, loaded from one "qr_*.str" file: line
// k is string k. Strings 30-52 name the 23 standard languages (language k is string
// 30 + k). A missing string never fails: it reads as "*** STRING ACCESS ERROR ***".
#include <cstdint>
#include <string>
#include <vector>

namespace qr {

class TPolyglot {
  public:
    static constexpr const char* kAccessError = "*** STRING ACCESS ERROR ***";
    static constexpr int kLanguageCount = 23;
    static constexpr int kFirstLanguageString = 30;

    // Replaces the lines with those of the file (bytes as stored; CR LF, LF or CR end a
    // line). A file that cannot be read raises FileOpenError or StreamReadError.
    void Load(const std::string& path);
    void LoadFromBytes(std::string_view bytes);

    // Numbers from 256 on are the program's own later texts: the table is line-numbered, so
    // they are simply further lines, and every number below keeps its meaning.
    static constexpr int kMaxStrings = 1000;
    std::string GetString(int number) const;
    size_t LineCount() const { return lines_.size(); }
    // First k in 0-22 whose language string equals the name exactly; -1 when none.
    int LanguageNumber(std::string_view name) const;
    // String 30 + k for k <= 22, else empty.
    std::string LanguageName(int k) const;

  private:
    std::vector<std::string> lines_;
};

// The program-wide table. Its lifetime is the program's; start-up loads it.
TPolyglot& Polyglot();

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordimport/csv_reader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>

#include "foundation/text_codec.h"

namespace qr {
namespace {

// More columns than a list can have languages (plus group and clue) is no word list.
constexpr size_t kMaxColumns = 258;

[[noreturn]] void Fail(int line, const std::string& message) {
    throw ImportException("line " + std::to_string(line) + ": " + message);
}

struct Record {
    std::vector<std::string> fields;
    int line = 0;
};

// RFC 4180 with the leniency spreadsheets need: any line end, a quote inside an
// unquoted field taken as a character.
class CsvParser {
  public:
    CsvParser(std::string_view text, char delimiter) : s_(text), delimiter_(delimiter) {}

    bool Next(Record& r) {
        if (pos_ >= s_.size()) return false;
        r.fields.clear();
        r.line = line_;
        std::string field;
        while (true) {
            field.clear();
            if (pos_ < s_.size() && s_[pos_] == '"') {
                int opened = line_;
                ++pos_;
                while (true) {
                    if (pos_ >= s_.size()) Fail(opened, "a quoted field is not closed");
                    char c = s_[pos_++];
                    if (c == '"') {
                        if (pos_ < s_.size() && s_[pos_] == '"') {
                            field += '"';
                            ++pos_;
                            continue;
                        }
                        break;
                    }
                    if (c == '\n' || (c == '\r' && (pos_ >= s_.size() || s_[pos_] != '\n')))
                        ++line_;
                    field += c;
                }
            }
            while (pos_ < s_.size() && s_[pos_] != delimiter_ && s_[pos_] != '\n' &&
                   s_[pos_] != '\r')
                field += s_[pos_++];
            if (r.fields.size() >= kMaxColumns)
                Fail(r.line, "the row has more columns than a word list can use");
            r.fields.push_back(field);
            if (pos_ < s_.size() && s_[pos_] == delimiter_) {
                ++pos_;
                continue;
            }
            if (pos_ < s_.size() && s_[pos_] == '\r') ++pos_;
            if (pos_ < s_.size() && s_[pos_] == '\n') ++pos_;
            ++line_;
            return true;
        }
    }

  private:
    std::string_view s_;
    char delimiter_;
    size_t pos_ = 0;
    int line_ = 1;
};

// The delimiter that occurs most often outside quotes in the header row.
char DetectDelimiter(std::string_view text) {
    std::map<char, int> count;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (!quoted && (c == '\n' || c == '\r')) break;
        if (!quoted && (c == ',' || c == ';' || c == '\t')) ++count[c];
    }
    char best = ',';
    for (char c : {'\t', ';', ','})
        if (count[c] > count[best]) best = c;
    return best;
}

std::string Trim(std::string_view s) {
    size_t a = s.find_first_not_of(" \t");
    if (a == std::string_view::npos) return {};
    size_t b = s.find_last_not_of(" \t");
    return std::string(s.substr(a, b - a + 1));
}

std::string Lower(std::string s) {
    for (char& c : s)
        c = char(std::tolower(uint8_t(c)));
    return s;
}

// A group cell: "1".."100" is that group as people count them; other text a group name.
int GroupNumber(const std::string& cell) {
    int n = 0;
    auto [end, ec] = std::from_chars(cell.data(), cell.data() + cell.size(), n);
    return ec == std::errc() && end == cell.data() + cell.size() && n >= 1 && n <= 100 ? n : 0;
}

} // namespace

TImportTable ReadCsv(std::string_view bytes) {
    if (bytes.size() > kMaxImportFileSize)
        throw ImportException("the file is too large to be a word list");
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF")
        throw ImportException("the file is UTF-16; save it as UTF-8 (or Windows-1252) CSV instead");
    std::string text;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        text = bytes.substr(3);
    else if (IsValidUtf8(bytes))
        text = bytes;
    else
        text = Windows1252ToUtf8(bytes);

    TImportTable t;
    CsvParser csv(text, DetectDelimiter(text));
    Record header;
    do {
        if (!csv.Next(header))
            throw ImportException("the file is empty; its first row must name the languages");
    } while (header.fields.size() == 1 && Trim(header.fields[0]).empty());

    // Spreadsheets often save empty columns after the last one that is used.
    while (header.fields.size() > 1 && Trim(header.fields.back()).empty())
        header.fields.pop_back();
    int groupColumn = -1, clueColumn = -1;
    std::vector<int> languageColumns;
    for (size_t i = 0; i < header.fields.size(); ++i) {
        std::string name = Trim(header.fields[i]);
        std::string key = Lower(name);
        if (key == "group" && groupColumn < 0)
            groupColumn = int(i);
        else if ((key == "clue" || key == "hint") && clueColumn < 0)
            clueColumn = int(i);
        else if (name.empty())
            Fail(header.line, "column " + std::to_string(i + 1) +
                                  " has no name; the first row names the languages");
        else {
            languageColumns.push_back(int(i));
            t.languages.push_back({name, name});
        }
    }
    if (t.languages.empty()) Fail(header.line, "the first row names no language column");

    // Group numbers written as numbers keep their number; named groups take the lowest
    // number still free when they first appear.
    std::map<std::string, int> groupOf;
    std::vector<bool> taken(100, false);
    std::vector<std::pair<int, std::string>> pending; // row index, group name
    bool warnedExtra = false;
    Record r;
    while (csv.Next(r)) {
        auto cell = [&](int column) {
            return column >= 0 && size_t(column) < r.fields.size() ? Trim(r.fields[size_t(column)])
                                                                   : std::string();
        };
        TImportRow row;
        row.line = r.line;
        bool any = false;
        for (int c : languageColumns) {
            row.texts.push_back(cell(c));
            any = any || !row.texts.back().empty();
        }
        row.hints.assign(row.texts.size(), cell(clueColumn));
        if (!any && row.hints[0].empty()) continue; // blank rows are spacing, not entries
        bool extra = false;
        for (size_t i = header.fields.size(); i < r.fields.size(); ++i)
            extra = extra || !Trim(r.fields[i]).empty();
        if (extra && !warnedExtra) {
            t.warnings.push_back("line " + std::to_string(r.line) +
                                 ": cells beyond the named columns are left out");
            warnedExtra = true;
        }
        std::string g = cell(groupColumn);
        if (int n = GroupNumber(g)) {
            row.group = n - 1;
            taken[size_t(n - 1)] = true;
        } else if (groupColumn >= 0) {
            pending.emplace_back(int(t.rows.size()), g);
        }
        if (t.rows.size() >= kMaxImportRows) TooManyRows();
        t.rows.push_back(std::move(row));
    }
    // Group indexes here are group numbers; groups are listed in number order.
    std::map<int, std::string> names;
    for (const auto& row : t.rows)
        if (row.group >= 0) names[row.group];
    int next = 0;
    for (const auto& [rowIndex, name] : pending) {
        auto it = groupOf.find(name);
        if (it == groupOf.end()) {
            while (next < 100 && taken[size_t(next)])
                ++next;
            if (next >= 100)
                Fail(t.rows[size_t(rowIndex)].line,
                     "the group column names more than the 100 groups a list can have");
            taken[size_t(next)] = true;
            it = groupOf.emplace(name, next).first;
            names[next] = name;
        }
        t.rows[size_t(rowIndex)].group = it->second;
    }
    std::map<int, int> indexOf;
    for (const auto& [number, name] : names) {
        indexOf[number] = int(t.groups.size());
        t.groups.push_back({name, int(t.levels.size()), number});
        t.levels.push_back(name);
    }
    for (auto& row : t.rows)
        if (row.group >= 0) row.group = indexOf[row.group];
    return t;
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/gameplay/high_score_man.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <set>

#include "foundation/checksum.h"
#include "foundation/command_line.h"

#include "foundation/obf_text.h"
#include "foundation/stream.h"
#include "foundation/text_codec.h"
#include "foundation/uvo_exception.h"
#include "wordlist/word_list.h"

namespace qr {

namespace {

const std::string kEmptyEntry = "---000000";
// A record of the compiled file holds at most 254 bytes; the key is what is left of them.
constexpr size_t kMaxLine = 254;
constexpr size_t kMaxKey = kMaxLine - kHighScoreEntriesLength;
constexpr int32_t kMaxScore = 999999; // six digits

std::string EmptyEntries() {
    std::string s;
    for (int i = 0; i < kHighScorePlaces; ++i)
        s += kEmptyEntry;
    return s;
}

// Initials + three blanks, cut to three characters.
std::string PadInitials(std::string_view initials) {
    return (std::string(initials) + "   ").substr(0, 3);
}

bool EntriesIntact(const std::string& line) {
    if (line.size() < size_t(kHighScoreEntriesLength)) return false;
    for (int place = 0; place < kHighScorePlaces; ++place) {
        const size_t at = size_t(place * kHighScoreEntryLength + 3);
        for (size_t i = at; i < at + 6; ++i)
            if (!std::isdigit(static_cast<unsigned char>(line[i]))) return false;
    }
    return true;
}

std::string KeyOf(const std::string& line) {
    return line.size() > size_t(kHighScoreEntriesLength)
               ? line.substr(size_t(kHighScoreEntriesLength))
               : std::string();
}

// The lines of a compiled file and its bytes.
struct ReadTables {
    std::vector<std::string> lines;
    std::vector<uint8_t> bytes;
    bool readable = false;
};

ReadTables ReadTableFile(const std::string& file) {
    ReadTables r;
    try {
        r.bytes = ReadFileBytes(file);
        r.readable = true;
        TObfText text = TObfText::FromBytes(r.bytes);
        while (!text.EndOfData())
            if (std::string line = text.ReadLine(); !line.empty())
                r.lines.push_back(std::move(line));
    } catch (const UvoException&) {
        r.lines.clear();
    }
    return r;
}

// "dat/hiscores.dat" -> "dat/hiscores.bak".
std::string BackupName(const std::string& file) {
    return std::filesystem::path(file).replace_extension(".bak").string();
}

// The backup is the same tables in the same form, and a last line with the CRC-32 of the
// file saved with it: that tells an intact file from one with a changed digit or letter,
// which no look at the tables themselves could, and proves the backup intact too.
constexpr std::string_view kChecksumLine = "#crc32 ";

std::string ChecksumLine(const std::vector<uint8_t>& fileBytes) {
    char hex[16];
    std::snprintf(
        hex, sizeof hex, "%08x",
        Crc32(std::string_view(reinterpret_cast<const char*>(fileBytes.data()), fileBytes.size())));
    return std::string(kChecksumLine) + hex;
}

// The backup's tables, when it is intact, and the checksum of the file saved with it.
struct Backup {
    std::vector<std::string> lines;
    std::string checksum;
};

std::optional<Backup> ReadBackup(const std::string& file) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) return std::nullopt;
    ReadTables r = ReadTableFile(file);
    if (r.lines.empty() || r.lines.back().rfind(kChecksumLine, 0) != 0) return std::nullopt;
    Backup b{std::move(r.lines), {}};
    b.checksum = b.lines.back();
    b.lines.pop_back();
    if (ChecksumLine(TObfText::CompileLines(b.lines)) != b.checksum) return std::nullopt;
    return b;
}

} // namespace

THighScoreMan::THighScoreMan(std::string fileName) : fileName_(std::move(fileName)) {
    if (fileName_.empty()) return;
    std::error_code ec;
    // A deleted file is the player's way to start again: the backup does not bring it back.
    if (!std::filesystem::exists(fileName_, ec)) return;
    ReadTables main = ReadTableFile(fileName_);
    const std::string backupFile = BackupName(fileName_);
    const std::optional<Backup> backup = ReadBackup(backupFile);
    auto say = [this](const std::string& key, const std::string& what) {
        repairs_.push_back("the high-score table \"" + Printable(ToUtf8(key)) + "\" in \"" +
                           fileName_ + "\" " + what);
    };
    if (backup && main.readable && ChecksumLine(main.bytes) == backup->checksum) {
        // As saved.
        for (std::string& line : main.lines)
            AddLine(std::move(line));
        return;
    }
    if (!backup) {
        // Without an intact copy a damaged table can only start again empty.
        for (std::string& line : main.lines) {
            const bool emptied = !EntriesIntact(line);
            const size_t before = lines_.size();
            AddLine(std::move(line));
            if (emptied && lines_.size() > before)
                say(KeyOf(lines_.back()), "was damaged and \"" + backupFile +
                                              "\" holds no copy of it; it starts again empty.");
        }
        if (!main.readable)
            repairs_.push_back("\"" + fileName_ + "\" cannot be read and \"" + backupFile +
                               "\" holds no copy of it; the high scores start again empty.");
    } else {
        // The file is not the one saved with the backup: damaged, or older, when a kill
        // came between the two saves (the backup is written first). The backup holds every
        // table then, and each one is taken from it; a table only the damaged file seems to
        // have is a damaged key.
        for (const std::string& saved : backup->lines) {
            if (std::find(main.lines.begin(), main.lines.end(), saved) == main.lines.end())
                say(KeyOf(saved),
                    "was damaged or not saved whole; it is restored from \"" + backupFile + "\".");
            lines_.push_back(saved);
        }
    }
    for (const std::string& r : repairs_)
        std::fprintf(stderr, "quilrush32: %s\n", r.c_str());
}

THighScoreMan::~THighScoreMan() {
    try {
        Save();
    } catch (const std::exception&) {
        // Nothing at shut-down could tell the player; the old file is still intact.
    }
}

void THighScoreMan::LoadFromBytes(std::vector<uint8_t> bytes) {
    lines_.clear();
    current_ = -1;
    TObfText text = TObfText::FromBytes(std::move(bytes));
    while (!text.EndOfData()) {
        std::string line = text.ReadLine();
        if (!line.empty()) AddLine(std::move(line));
    }
}

// A damaged line is repaired to an empty table under its own key, so one bad byte costs
// one table and never the others. A line without any key cannot be selected and is
// dropped.
void THighScoreMan::AddLine(std::string line) {
    if (EntriesIntact(line)) {
        lines_.push_back(std::move(line));
        return;
    }
    std::string key = line.size() > size_t(kHighScoreEntriesLength)
                          ? line.substr(size_t(kHighScoreEntriesLength))
                          : std::string();
    if (key.rfind("#=", 0) != 0) {
        const size_t at = line.find("#=");
        if (at == std::string::npos) return;
        key = line.substr(at);
    }
    lines_.push_back(EmptyEntries() + key);
}

void THighScoreMan::Save() const {
    if (fileName_.empty()) return;
    // A fresh installation folder may not have its dat/ folder yet.
    const std::filesystem::path folder = std::filesystem::path(fileName_).parent_path();
    std::error_code ec;
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    const std::vector<uint8_t> bytes = TObfText::CompileLines(lines_);
    // First the copy beside it, with the checksum of the file about to be saved: a bit that
    // later flips in the file costs nothing, and a kill between the two saves leaves the
    // newer tables in the copy, which reading then prefers.
    std::vector<std::string> copy = lines_;
    copy.push_back(ChecksumLine(bytes));
    const std::vector<uint8_t> backup = TObfText::CompileLines(copy);
    try {
        WriteFileAtomic(BackupName(fileName_), backup.data(), backup.size());
    } catch (const UvoException&) {
        // The tables themselves are still saved. An older copy must not be taken for them
        // later: it goes, and the next save makes it again.
        std::error_code gone;
        std::filesystem::remove(BackupName(fileName_), gone);
    }
    WriteFileAtomic(fileName_, bytes.data(), bytes.size());
}

std::string THighScoreMan::MakeKey(std::string_view title, std::string_view handle, int speed,
                                   std::string_view answerKey, std::string_view clueKey) {
    // The game's own case mapping, so that "\xe9" and "\xc9" give one table.
    const std::string t = UpperCase(title), h = UpperCase(handle);
    const std::string a(answerKey), c(clueKey);
    const int n = std::snprintf(nullptr, 0, "#=%s&+%s^:%s*@%s!?%d", t.c_str(), h.c_str(), c.c_str(),
                                a.c_str(), speed);
    std::string key(size_t(n) + 1, '\0');
    std::snprintf(key.data(), key.size(), "#=%s&+%s^:%s*@%s!?%d", t.c_str(), h.c_str(), c.c_str(),
                  a.c_str(), speed);
    key.resize(size_t(n));
    // A key too long for the file would be cut on saving and never match again; cutting
    // it the same way here keeps a long title's table.
    if (key.size() > kMaxKey) key.resize(kMaxKey);
    return key;
}

void THighScoreMan::SelectTable(std::string_view title, std::string_view handle, int speed,
                                std::string_view answerKey, std::string_view clueKey) {
    const std::string key = MakeKey(title, handle, speed, answerKey, clueKey);
    const int32_t was = current_;
    current_ = -1;
    for (size_t i = 0; i < lines_.size() && current_ < 0; ++i)
        if (std::string_view(lines_[i]).substr(size_t(kHighScoreEntriesLength)) == key)
            current_ = int32_t(i);
    if (current_ < 0) {
        lines_.push_back(EmptyEntries() + key);
        current_ = int32_t(lines_.size() - 1);
    }
    // The last entry belongs to the table it was made in: another table has no new entry
    // to highlight or to give initials to.
    if (current_ != was) lastPlace_ = 0;
}

bool THighScoreMan::AddScore(std::string_view initials, int32_t score) {
    lastPlace_ = 0;
    if (current_ < 0) return false;
    score = std::min(score, kMaxScore);
    std::string& line = lines_[size_t(current_)];
    for (int i = 0; i < kHighScorePlaces; ++i) {
        if (GetScore(i + 1) >= score) continue;
        char digits[16];
        std::snprintf(digits, sizeof digits, "%.6d", score);
        const size_t at = size_t(i * kHighScoreEntryLength);
        const size_t kept = size_t((kHighScorePlaces - 1 - i) * kHighScoreEntryLength);
        line = line.substr(0, at) + PadInitials(initials) + digits + line.substr(at, kept) +
               line.substr(size_t(kHighScoreEntriesLength));
        lastPlace_ = i + 1;
        return true;
    }
    return false;
}

int32_t THighScoreMan::GetScore(int place) const {
    if (current_ < 0 || place < 1 || place > kHighScorePlaces) return 0;
    const std::string& line = lines_[size_t(current_)];
    int32_t score = 0;
    for (size_t i = 0; i < 6; ++i)
        score = score * 10 + (line[size_t((place - 1) * kHighScoreEntryLength + 3) + i] - '0');
    return score;
}

std::string THighScoreMan::GetInitials(int place) const {
    if (current_ < 0 || place < 1 || place > kHighScorePlaces) return {};
    return lines_[size_t(current_)].substr(size_t((place - 1) * kHighScoreEntryLength), 3);
}

void THighScoreMan::SetInitials(int place, std::string_view initials) {
    if (current_ < 0 || place < 1 || place > kHighScorePlaces) return;
    lines_[size_t(current_)].replace(size_t((place - 1) * kHighScoreEntryLength), 3,
                                     PadInitials(initials));
}

void THighScoreMan::ClearTable() {
    if (current_ < 0) return;
    std::string& line = lines_[size_t(current_)];
    line = EmptyEntries() + line.substr(size_t(kHighScoreEntriesLength));
    lastPlace_ = 0;
}

namespace {

std::string LanguageKey(const TQRWordList* list, int number, const std::string& name) {
    if (!list) return "///";
    if (list->ListType() != TListType::Vocabulary) {
        const int main = list->PrimaryLanguageCode();
        return main == -1 || main == 255 ? list->PrimaryLanguage() : std::to_string(main);
    }
    return number == 255 ? name : std::to_string(number);
}

} // namespace

std::string HighScoreClueKey(const TQRWordList* list, const THighScoreLanguages& languages) {
    if (languages.UseIcons) return "ICONS";
    return LanguageKey(list, languages.ClueNumber, languages.ClueName);
}

std::string HighScoreAnswerKey(const TQRWordList* list, const THighScoreLanguages& languages) {
    return LanguageKey(list, languages.AnswerNumber, languages.AnswerName);
}

void SelectHighScoreTable(THighScoreMan& scores, const TQRWordList* list, std::string_view title,
                          const THighScoreLanguages& languages, int speed) {
    scores.SelectTable(list ? title : std::string_view(), list ? list->Handle() : std::string(),
                       speed, HighScoreAnswerKey(list, languages),
                       HighScoreClueKey(list, languages));
}

} // namespace qr

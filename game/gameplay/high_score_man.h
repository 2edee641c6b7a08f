// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ten best scores for every combination of word list, languages (or icon clues) and
// speed, all kept in one compiled text file. A table is one line: ten entries of three
// initials and six digits, then the key that names the combination.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qr {

class TQRWordList;

inline constexpr int kHighScorePlaces = 10;
inline constexpr int kHighScoreEntryLength = 9;
inline constexpr int kHighScoreEntriesLength = kHighScorePlaces * kHighScoreEntryLength; // 90

class THighScoreMan {
  public:
    // Reads the file when it exists; a missing file gives no tables. Every save also
    // writes a copy beside it ("hiscores.bak", with the checksum of the file saved with it):
    // a file that is not the one saved last (a flipped bit, a torn block, unreadable) has
    // its tables restored from that copy, and each table repaired is named on standard
    // error (and in Repairs). An empty file name keeps the tables in memory only.
    explicit THighScoreMan(std::string fileName);
    // Saves; a failure to save is swallowed, as nothing at shut-down could report it.
    ~THighScoreMan();
    THighScoreMan(const THighScoreMan&) = delete;
    THighScoreMan& operator=(const THighScoreMan&) = delete;

    // Tables from compiled bytes (the file's form), for tests and fuzzing.
    void LoadFromBytes(std::vector<uint8_t> bytes);
    // Writes the backup copy, then every table, each through a temporary file beside the
    // target and a rename.
    void Save() const;

    // "#=%s&+%s^:%s*@%s!?%d" of the title and handle in upper case, the two language keys
    // and the speed.
    static std::string MakeKey(std::string_view title, std::string_view handle, int speed,
                               std::string_view answerKey, std::string_view clueKey);
    void SelectTable(std::string_view title, std::string_view handle, int speed,
                     std::string_view answerKey, std::string_view clueKey);

    // Enters the score in the selected table when it beats a stored one; equal scores go
    // below. Sets LastPlace (0 when the score did not enter).
    bool AddScore(std::string_view initials, int32_t score);
    int32_t GetScore(int place) const;
    std::string GetInitials(int place) const;
    void SetInitials(int place, std::string_view initials);
    void ClearTable();
    // The place of the last entry in the selected table; 0 once another table is selected
    // or the table is cleared.
    int32_t LastPlace() const { return lastPlace_; }
    // A new game begins: the last entry is nobody's to rename any more.
    void ForgetLastPlace() { lastPlace_ = 0; }

    const std::vector<std::string>& Lines() const { return lines_; }
    // Index of the selected table in Lines, -1 before the first SelectTable.
    int32_t Current() const { return current_; }
    const std::string& FileName() const { return fileName_; }
    // What reading the file repaired, one sentence per table.
    const std::vector<std::string>& Repairs() const { return repairs_; }

  private:
    void AddLine(std::string line);
    std::string fileName_;
    std::vector<std::string> lines_;
    std::vector<std::string> repairs_;
    int32_t current_ = -1;
    int32_t lastPlace_ = 0;
};

// What a table's clues and answers are in, as the world's settings say.
struct THighScoreLanguages {
    bool UseIcons = false; // icon clues are in use
    int ClueNumber = 255;  // 0-22, 255 = a language known only by its name
    std::string ClueName;
    int AnswerNumber = 255;
    std::string AnswerName;
};

// The clue and answer keys of a table: "ICONS" for icon clues (clue key only); "///"
// without a word list; the list's main language for anagram and quiz lists; the chosen
// clue or answer language for vocabulary lists. Numbers are written as decimal text, and
// a language without a standard number by its name.
std::string HighScoreClueKey(const TQRWordList* list, const THighScoreLanguages& languages);
std::string HighScoreAnswerKey(const TQRWordList* list, const THighScoreLanguages& languages);
// Selects the table of the loaded list (or of none) under these settings. The table is
// named by `title`, the list's title as its file gives it (not the translation shown in
// the player's language), and the list's handle.
void SelectHighScoreTable(THighScoreMan& scores, const TQRWordList* list, std::string_view title,
                          const THighScoreLanguages& languages, int speed);

} // namespace qr

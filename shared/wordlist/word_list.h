// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The word list ("module") a game round is played on and an author edits: the main
// words with either their translations (vocabulary) or one clue each (anagrams, quiz),
// the texts the menus show in one or more interface languages, and the groups and
// levels that set the difficulty. The game and the editor share this one object;
// the ".qrw" reader and writer (word_list_file.cpp) fill and save it.
//
// Texts are bytes (Windows-1252 plus the game's special letters). Language names are
// kept in the interface language named by NameLanguage and re-derived from their codes
// whenever that language changes, so they always read in the player's language.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/stream.h"
#include "foundation/uvo_exception.h"
#include "wordlist/import_details.h"
#include "wordlist/level.h"

namespace qr {

// Why a load failed, in kinds a program can put in its user's own words (the reason in
// LastError() is the model's English).
enum class TLoadFault : uint8_t {
    None,
    CannotOpen,   // the file cannot be opened at all
    NotAWordList, // another kind of file
    NewerVersion, // a format this reader does not know yet
    Truncated,    // empty, or ends before its fields do
    Damaged,      // the checksum or the structure is wrong
};

// The string-table entry that says the fault in the user's own language.
int LoadFaultString(TLoadFault fault);

// Raised for a misuse of the model that callers are meant never to commit, and by the
// writer for a list that cannot be stored; by the reader with the kind of fault found.
class WordListException : public UvoException {
  public:
    explicit WordListException(const std::string& message, TLoadFault fault = TLoadFault::Damaged)
        : UvoException(message), fault_(fault) {}
    TLoadFault Fault() const { return fault_; }

  private:
    TLoadFault fault_;
};

enum class TListType : uint8_t { Vocabulary = 0, Anagrams = 1, Quiz = 2 };

// One main word (or translation) with its attribute bits.
struct TWordEntry {
    std::string text;
    uint32_t attributes = 0;
};

// Bits of a word's attributes.
namespace word_attr {
inline uint16_t Source(uint32_t a) {
    return uint16_t(a & 0xFFFF);
}
inline uint8_t Group(uint32_t a) {
    return uint8_t((a >> 16) & 0xFF);
}
inline uint8_t Used(uint32_t a) {
    return uint8_t(a >> 24);
}
inline uint32_t Make(uint16_t source, uint8_t group, uint8_t used = 0) {
    return uint32_t(source) | (uint32_t(group) << 16) | (uint32_t(used) << 24);
}
} // namespace word_attr

// A secondary language of a vocabulary list: one translation per main word.
struct TSecondaryLanguage {
    std::string name;
    uint8_t code = 255;
    std::vector<std::string> translations;
};

struct TLevelEntry {
    std::string name; // in TextLanguage; empty = the default name
    TLevel level;
};

// A further interface language of the list's own texts.
struct TExtraTextLanguage {
    std::string name;
    uint8_t code = 255;
    std::vector<std::string> levelNames; // one per level
    std::vector<std::string> description;
    std::string title;
};

struct TGroupName {
    std::string name;
    uint16_t group = 0;
};

struct TImportSource {
    std::string name;
    TImportDetails details;
};

struct TLanguageSummary {
    std::string name; // at most 60 characters
    uint8_t code = 255;
    uint16_t playable = 0;
};

class TQRWordList {
  public:
    static constexpr uint32_t kMagic = 0x79034DEB;
    static constexpr uint16_t kWriteVersion = 12;
    static constexpr size_t kMaxDescriptionLines = 4;
    static constexpr size_t kMaxLanguages = 255;
    static constexpr size_t kSummaryNameLength = 60;
    // String-table entries the model reads.
    static constexpr uint8_t kDefaultPrimaryString = 32;
    static constexpr uint8_t kDefaultTitleString = 75; // + list type
    static constexpr uint8_t kDefaultLevelNameString = 246;
    static constexpr const char* kCorrupt = "Word-list file is corrupt.";

    TQRWordList() = default;

    void Reset();

    // --- file (word_list_file.cpp) -------------------------------------------------
    // Each returns false on any failure and leaves the list reset; LastError() then
    // says why ("Word-list file is corrupt.", "Invalid WordList file", ...).
    bool LoadFromFile(const std::string& path);
    bool LoadHeaderFromFile(const std::string& path);
    bool LoadFromStream(TStream& stream);
    const std::string& LastError() const { return lastError_; }
    TLoadFault LastFault() const { return lastFault_; }
    // Writes version 12 with its checksum through a temporary file, so the previous
    // file survives any failure. Throws WordListException (naming the field) for a
    // text over 255 bytes or a count over 65535; the disk is not touched then.
    bool SaveToFile(const std::string& path);
    // The complete file as bytes, checksum included.
    std::string SaveToBytes();
    void WriteToStream(TStream& stream);

    // --- counts and getters --------------------------------------------------------
    TListType ListType() const { return listType_; }
    size_t WordCount() const { return words_.size(); }
    size_t LanguageCount() const { return IsVocabulary() ? secondary_.size() : 0; }
    size_t ClueCount() const { return IsVocabulary() ? 0 : clues_.size(); }
    size_t CommentCount() const { return comments_.size(); }
    size_t DescriptionCount() const { return description_.size(); }
    size_t AuthorLineCount() const { return authorLines_.size(); }
    size_t LevelCount() const { return levels_.size(); }
    size_t TextLanguageCount() const { return extraText_.size(); }

    std::string Word(size_t i) const;
    std::string Clue(size_t i) const;
    std::string LanguageName(size_t i) const;
    std::string Comment(size_t i) const;
    std::string DescriptionLine(size_t i) const;
    std::string AuthorLine(size_t i) const;
    std::string TextLanguageName(size_t i) const;
    std::string GetTranslation(std::string_view language, size_t i) const;

    // --- setters by index ----------------------------------------------------------
    void SetWord(size_t i, std::string_view text);
    void SetClue(size_t i, std::string_view text);
    void SetTranslation(std::string_view language, size_t i, std::string_view text);

    uint8_t Group(size_t i) const;
    void SetGroup(size_t i, uint8_t group);
    uint16_t Source(size_t i) const; // 0xFFFF beyond the end
    uint8_t UsedMark(size_t i) const;
    void SetUsedMark(size_t i, uint8_t value);
    void ClearUsedMarks();

    size_t AddWord(std::string_view word, uint8_t group);
    void AddClueWord(std::string_view clue, std::string_view word, uint8_t group);
    void DeleteWord(size_t i);

    void AddComment(std::string_view line);
    void AddAuthorLine(std::string_view line);
    void AddDescriptionLine(std::string_view line);
    void ClearComments();
    void ClearDescription();
    void ClearAuthorLines();

    // --- texts and identity ---------------------------------------------------------
    // The stored title, or the list type's default title from the string table.
    std::string Title() const;
    const std::string& StoredTitle() const { return title_; }
    void SetTitle(std::string_view text);
    const std::string& Handle() const { return handle_; }
    void SetHandle(std::string_view v);
    const std::string& Password() const { return password_; } // scrambled
    void SetPassword(std::string_view scrambled);
    const std::string& Signature() const { return signature_; } // scrambled
    void SetSignature(std::string_view scrambled);
    const std::string& IconLibrary() const { return iconLibrary_; }
    void SetIconLibrary(std::string_view v);
    bool UsesIconClues() const { return usesIconClues_; }
    void SetUsesIconClues(bool v);
    uint16_t VersionMajor() const { return versionMajor_; }
    uint16_t VersionMinor() const { return versionMinor_; }
    void SetVersion(uint16_t major, uint16_t minor);

    void SetListType(TListType t);

    // --- languages -------------------------------------------------------------------
    const std::string& NameLanguage() const { return nameLanguage_; }
    const std::string& PrimaryLanguage() const { return primaryLanguage_; }
    int16_t PrimaryLanguageCode() const { return primaryCode_; }
    const std::string& TextLanguage() const { return textLanguage_; }
    int16_t TextLanguageCode() const { return textCode_; }
    void SetNameLanguage(std::string_view name);
    void SetPrimaryLanguage(std::string_view name);
    void SetTextLanguage(std::string_view name);
    // Secondary languages of a vocabulary list; -1 for other list types.
    int AddLanguage(std::string_view name);
    void DeleteLanguage(std::string_view name);
    int AddTextLanguage(std::string_view name);
    void DeleteTextLanguage(std::string_view name);
    uint8_t LanguageCode(size_t i) const;
    uint8_t TextLanguageCode(size_t i) const;

    // Texts in a given text language (TextLanguage or an extra one).
    std::string TitleIn(std::string_view language) const;
    size_t DescriptionCountIn(std::string_view language) const;
    std::string DescriptionLineIn(std::string_view language, size_t i) const;
    std::string LevelNameIn(std::string_view language, size_t level) const;
    void SetTitleIn(std::string_view language, std::string_view text);
    void AddDescriptionLineIn(std::string_view language, std::string_view line);
    void ClearDescriptionIn(std::string_view language);
    void SetLevelNameIn(std::string_view language, size_t level, std::string_view name);

    // --- levels and groups -----------------------------------------------------------
    void AddLevels(size_t n);
    void DeleteLevel(size_t i);
    void ExchangeLevels(size_t a, size_t b);
    TLevel* Level(size_t i);
    const TLevel* Level(size_t i) const;
    std::string LevelName(size_t i) const; // default name from the string table if empty
    void SetLevelName(size_t i, std::string_view name);

    std::string GroupName(uint16_t group) const;
    void SetGroupName(uint16_t group, std::string_view name);

    const TImportDetails* ImportSource(size_t i) const;
    const std::string& ImportSourceName(size_t i) const;
    size_t ImportSourceCount() const { return importSources_.size(); }

    // --- state -----------------------------------------------------------------------
    bool Modified() const { return modified_; }
    // A new list that only carries the author's defaults counts as unchanged.
    void ClearModified() { modified_ = false; }
    uint16_t FileVersion() const { return fileVersion_; }
    const std::vector<TLanguageSummary>& LanguageSummary() const { return summary_; }
    const std::vector<TGroupName>& GroupNames() const { return groupNames_; }
    const std::vector<TImportSource>& ImportSources() const { return importSources_; }
    const std::vector<TExtraTextLanguage>& ExtraTextLanguages() const { return extraText_; }
    const std::vector<TSecondaryLanguage>& SecondaryLanguages() const { return secondary_; }
    const std::vector<TLevelEntry>& Levels() const { return levels_; }
    const std::vector<TWordEntry>& Words() const { return words_; }
    const std::vector<std::string>& Clues() const { return clues_; }

    bool IsUntouched() const;
    bool HasLanguage(uint16_t code, std::string_view name) const;

    // Picks the main-word indexes of one round into slots; true when five were found.
    // Used marks persist between calls so words do not repeat until a level runs dry.
    bool ChooseRoundWords(std::string_view clueLanguage, std::string_view answerLanguage, int level,
                          std::array<uint16_t, 5>& slots);

    static bool IsPlayable(std::string_view text) { return !text.empty() && text[0] != '-'; }
    static size_t CountPlayable(const std::vector<std::string>& column);
    static size_t CountPlayable(const std::vector<TWordEntry>& column);

    // Standard-language lookups through the active string table.
    static int FindLanguage(std::string_view name);
    static std::string StandardLanguageName(int code);

  private:
    friend class TWordListReader;
    friend class TWordListWriter;
    friend class TWordListSource;
    friend class TWordListImport;

    bool IsVocabulary() const { return listType_ == TListType::Vocabulary; }
    int SecondaryIndex(std::string_view name) const;
    int ExtraTextIndex(std::string_view name) const;
    void RecomputeSecondaryCodes();
    void RecomputeExtraTextCodes();
    void AddWordRow(std::string_view word, uint8_t group, std::string_view clue);
    void AdoptInterfaceLanguage();
    bool LoadFailed(const std::string& reason, TLoadFault fault,
                    const std::string& savedNameLanguage);

    TListType listType_ = TListType::Quiz;
    std::string nameLanguage_;
    std::vector<TSecondaryLanguage> secondary_; // vocabulary lists
    std::vector<std::string> clues_;            // anagram and quiz lists
    std::vector<TWordEntry> words_;
    std::string primaryLanguage_;
    int16_t primaryCode_ = 2;
    bool usesIconClues_ = false;
    std::string title_;
    std::string handle_;
    std::string password_ = std::string(2, '\0');
    std::string signature_ = std::string(2, '\0');
    std::string textLanguage_;
    int16_t textCode_ = -1;
    std::vector<std::string> comments_;
    std::vector<std::string> description_;
    std::vector<std::string> authorLines_;
    std::vector<TLevelEntry> levels_;
    std::vector<TExtraTextLanguage> extraText_;
    uint16_t versionMajor_ = 1;
    uint16_t versionMinor_ = 0;
    std::string iconLibrary_;
    std::vector<TGroupName> groupNames_;
    std::vector<TImportSource> importSources_;
    uint16_t fileVersion_ = 0;
    bool modified_ = false;
    std::vector<TLanguageSummary> summary_;
    std::string lastError_;
    TLoadFault lastFault_ = TLoadFault::None;
};

} // namespace qr

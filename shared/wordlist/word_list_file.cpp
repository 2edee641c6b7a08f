// SPDX-License-Identifier: GPL-3.0-or-later
// Reading ".qrw" files of every format version (1 to 12) and writing version 12.
//
// The file is a header (all the module list needs: type, titles, author, languages
// with their word counts, levels) followed by the body (the words). Fields arrived over
// the years, so the reader gates each on the version it finds. Nothing read is trusted:
// every count is checked against the bytes left before anything is allocated for it,
// and any failure resets the list.
#include "wordlist/word_list_file.h"

#include <zlib.h>

#include <filesystem>
#include <limits>
#include <optional>

#include "foundation/checksum.h"
#include "foundation/polyglot.h"
#include "wordlist/word_list.h"

namespace qr {

uint32_t WordListChecksum(std::string_view bytes) {
    return Crc32(bytes);
}

std::string BackupPath(const std::string& path) {
    std::filesystem::path p(path);
    p.replace_extension(".bak");
    return p.string();
}

TBackupResult BackupBeforeSave(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return TBackupResult::NothingToKeep;
    const std::string backup = BackupPath(path);
    // A backup that is not there yet is no error: asking about it only says "not found".
    if (fs::exists(fs::symlink_status(backup, ec)) && (!fs::remove(backup, ec) || ec))
        return TBackupResult::CannotDeleteBackup;
    ec.clear();
    if (!fs::copy_file(path, backup, ec) || ec) return TBackupResult::CannotMakeBackup;
    return TBackupResult::Done;
}

// --- reading ---------------------------------------------------------------------------------

class TWordListReader {
  public:
    TWordListReader(TQRWordList& list, TStream& stream)
        : l_(list), s_(stream), start_(stream.Position()) {}

    void ReadHeader();
    void ReadBody();

  private:
    // A 16-bit count of items that each take at least minItemBytes.
    uint16_t Count(size_t minItemBytes) {
        uint16_t n = s_.ReadU16();
        if (uint64_t(n) * minItemBytes > uint64_t(std::max<int64_t>(s_.Remaining(), 0)))
            throw WordListException("Word-list file is truncated: a count exceeds the data left.",
                                    TLoadFault::Truncated);
        return n;
    }
    std::string Str() { return s_.ReadShortString(); }
    std::vector<std::string> StringList() {
        std::vector<std::string> v(Count(1));
        for (auto& line : v)
            line = Str();
        return v;
    }
    uint32_t Attributes() {
        uint32_t a;
        if (v_ >= 3) {
            a = s_.ReadU32();
        } else {
            a = uint32_t(s_.ReadU8()) << 16;
            s_.ReadU8();
        }
        if (word_attr::Group(a) > 99) a &= ~0x00FF0000u;
        return a & 0x00FFFFFFu;
    }
    size_t AttributeBytes() const { return v_ >= 3 ? 4 : 2; }
    // A code read with its name: a standard language's name is taken in the current
    // interface language; any other code keeps the stored name.
    template <class Code> static void NameFromCode(std::string& name, Code code) {
        std::string standard = TQRWordList::StandardLanguageName(int(code));
        if (!standard.empty()) name = standard;
    }
    void PrimaryLanguage() {
        l_.primaryLanguage_ = Str();
        l_.primaryCode_ = int16_t(s_.ReadU16() & 0xFF);
        NameFromCode(l_.primaryLanguage_, l_.primaryCode_);
    }
    void CheckChecksum();
    static bool HaveLanguageNames() {
        return Polyglot().LineCount() >
               size_t(TPolyglot::kFirstLanguageString + TPolyglot::kLanguageCount - 1);
    }
    bool TrailerMatches(std::optional<uint32_t> stored);

  public:
    std::string Explain(const std::string& reason);

  private:
    TQRWordList& l_;
    TStream& s_;
    int64_t start_;
    uint16_t v_ = 0;
};

void TWordListReader::ReadHeader() {
    l_.Reset();
    if (s_.ReadU32() != TQRWordList::kMagic)
        throw WordListException("Invalid WordList file", TLoadFault::NotAWordList);
    v_ = s_.ReadU16();
    l_.fileVersion_ = v_;
    if (v_ < 1 || v_ > TQRWordList::kWriteVersion)
        throw WordListException("Unsupported word-list file version " + std::to_string(v_) + ".",
                                v_ > TQRWordList::kWriteVersion ? TLoadFault::NewerVersion
                                                                : TLoadFault::Damaged);
    uint8_t type = s_.ReadU8();
    if (type > uint8_t(TListType::Quiz))
        throw WordListException("Unknown word-list type " + std::to_string(type) + ".");
    l_.listType_ = TListType(type);
    l_.nameLanguage_ = Str();
    l_.title_ = Str();
    l_.handle_ = Str();
    l_.versionMajor_ = s_.ReadU16();
    l_.versionMinor_ = s_.ReadU16();
    l_.usesIconClues_ = s_.ReadU8() != 0;
    if (v_ >= 12) PrimaryLanguage();
    l_.comments_ = StringList();
    if (v_ >= 7) l_.description_ = StringList();
    l_.authorLines_ = StringList();

    l_.groupNames_.resize(Count(v_ >= 4 ? 3 : 1));
    for (auto& g : l_.groupNames_) {
        g.name = Str();
        g.group = v_ >= 4 ? s_.ReadU16() : 0;
    }
    if (v_ >= 2) {
        l_.importSources_.resize(Count(1 + 1 + 1 + 2 + 2 + 8));
        for (auto& src : l_.importSources_) {
            src.name = Str();
            src.details.text1 = Str();
            src.details.text2 = Str();
            src.details.number1 = s_.ReadU16();
            src.details.number2 = s_.ReadU16();
            s_.ReadBuffer(src.details.extra.data(), src.details.extra.size());
        }
    }
    l_.summary_.resize(Count(1 + 1 + 2));
    for (auto& rec : l_.summary_) {
        rec.name = Str();
        if (rec.name.size() > TQRWordList::kSummaryNameLength)
            rec.name.resize(TQRWordList::kSummaryNameLength);
        rec.code = s_.ReadU8();
        rec.playable = s_.ReadU16();
    }
    if (v_ >= 5) {
        l_.textLanguage_ = Str();
        l_.textCode_ = int16_t(s_.ReadU16() & 0xFF);
        NameFromCode(l_.textLanguage_, l_.textCode_);

        l_.levels_.clear();
        l_.levels_.resize(Count(1 + 1));
        for (auto& entry : l_.levels_) {
            entry.name = Str();
            uint8_t members = s_.ReadU8();
            entry.level.SetCount(members);
            for (int i = 0; i < members; ++i)
                entry.level.SetBit(s_.ReadU8());
        }
        const size_t levelCount = l_.levels_.size();
        uint16_t extras = Count(1 + levelCount + (v_ >= 8 ? 2 : 0) + (v_ >= 9 ? 1 : 0) + 1);
        if (extras > TQRWordList::kMaxLanguages)
            throw WordListException("Word-list file has more text languages than a list can hold.");
        l_.extraText_.resize(extras);
        for (auto& extra : l_.extraText_) {
            extra.name = Str();
            extra.levelNames.resize(levelCount);
            for (auto& name : extra.levelNames)
                name = Str();
            if (v_ >= 8) extra.description = StringList();
            if (v_ >= 9) extra.title = Str();
        }
        for (auto& extra : l_.extraText_) {
            extra.code = s_.ReadU8();
            NameFromCode(extra.name, extra.code);
        }
    }
}

void TWordListReader::ReadBody() {
    const bool vocabulary = l_.listType_ == TListType::Vocabulary;
    if (vocabulary) {
        uint16_t languages = Count(1 + 2);
        if (languages > TQRWordList::kMaxLanguages)
            throw WordListException("Word-list file has more languages than a list can hold.");
        l_.secondary_.resize(languages);
        for (auto& lang : l_.secondary_) {
            lang.name = Str();
            lang.translations.resize(Count(1 + AttributeBytes()));
            for (auto& t : lang.translations) {
                t = Str();
                Attributes(); // every row takes its main word's attributes
            }
        }
    } else {
        l_.clues_ = StringList();
    }

    l_.words_.resize(Count(1 + AttributeBytes()));
    uint16_t previousSource = 0;
    for (size_t i = 0; i < l_.words_.size(); ++i) {
        auto& w = l_.words_[i];
        w.text = Str();
        w.attributes = Attributes();
        uint16_t source = word_attr::Source(w.attributes);
        if (source != previousSource && source > 0) {
            if (source > l_.importSources_.size())
                throw WordListException("Word-list file names an import source it does not hold.");
            l_.importSources_[source - 1].details.FirstWord = int(i);
        }
        previousSource = source;
    }
    // The columns must line up row by row; a file where they do not cannot be played
    // or edited without reading past a column's end.
    for (const auto& lang : l_.secondary_)
        if (lang.translations.size() != l_.words_.size())
            throw WordListException(TQRWordList::kCorrupt);
    if (!vocabulary && l_.clues_.size() != l_.words_.size())
        throw WordListException(TQRWordList::kCorrupt);

    if (v_ < 12) PrimaryLanguage();
    l_.password_ = Str();
    l_.iconLibrary_ = Str();
    if (vocabulary) {
        for (auto& lang : l_.secondary_) {
            lang.code = s_.ReadU8();
            std::string standard = TQRWordList::StandardLanguageName(lang.code);
            if (!standard.empty()) {
                lang.name = standard;
            } else if (HaveLanguageNames()) { // without names to look up, the code stays
                int found = TQRWordList::FindLanguage(lang.name);
                lang.code = found < 0 ? 255 : uint8_t(found);
            }
        }
    }
    if (v_ >= 11) l_.signature_ = Str();
    if (v_ >= 10) CheckChecksum();
}

void TWordListReader::CheckChecksum() {
    uint32_t stored = s_.ReadU32();
    if (!TrailerMatches(stored)) throw WordListException(TQRWordList::kCorrupt);
}

bool TWordListReader::TrailerMatches(std::optional<uint32_t> stored) {
    const int64_t end = s_.Size() - 4;
    if (end < start_) return false;
    if (!stored) {
        s_.Seek(end);
        stored = s_.ReadU32();
    }
    s_.Seek(start_);
    uLong crc = crc32(0L, Z_NULL, 0);
    unsigned char block[512];
    for (int64_t left = end - start_; left > 0;) {
        size_t n = size_t(std::min<int64_t>(left, sizeof block));
        s_.ReadBuffer(block, n);
        crc = crc32(crc, block, uInt(n));
        left -= int64_t(n);
    }
    s_.Seek(end + 4);
    return uint32_t(crc) == *stored;
}

// A damaged file of a version with a checksum usually breaks the structure before the
// reader reaches the trailer; the author is better told that the file is damaged than
// which count happened to go wrong.
std::string TWordListReader::Explain(const std::string& reason) {
    if (v_ < 10 || v_ > TQRWordList::kWriteVersion) return reason;
    try {
        if (!TrailerMatches(std::nullopt)) return TQRWordList::kCorrupt;
    } catch (const std::exception&) {
        return TQRWordList::kCorrupt;
    }
    return reason;
}

// Language names are re-derived in the interface language after every read. Without a
// string table (the command-line tools) there is none, and every name stays as stored.
void TQRWordList::AdoptInterfaceLanguage() {
    if (Polyglot().LineCount() > 0) SetNameLanguage(Polyglot().GetString(0));
}

bool TQRWordList::LoadFailed(const std::string& reason, TLoadFault fault,
                             const std::string& savedNameLanguage) {
    nameLanguage_ = savedNameLanguage;
    Reset();
    AdoptInterfaceLanguage();
    fileVersion_ = 0;
    lastError_ = reason;
    // Whatever broke first, a file whose checksum does not match is a damaged one.
    lastFault_ = reason == kCorrupt ? TLoadFault::Damaged : fault;
    return false;
}

namespace {

TLoadFault FaultOf(const std::exception& e) {
    if (auto* w = dynamic_cast<const WordListException*>(&e)) return w->Fault();
    if (dynamic_cast<const StreamReadError*>(&e)) return TLoadFault::Truncated;
    if (dynamic_cast<const FileOpenError*>(&e)) return TLoadFault::CannotOpen;
    return TLoadFault::Damaged;
}

} // namespace

bool TQRWordList::LoadFromStream(TStream& stream) {
    const std::string saved = nameLanguage_;
    lastError_.clear();
    lastFault_ = TLoadFault::None;
    TWordListReader reader(*this, stream);
    try {
        reader.ReadHeader();
        AdoptInterfaceLanguage();
        reader.ReadBody();
        modified_ = false;
        return true;
    } catch (const StreamReadError& e) {
        return LoadFailed(reader.Explain("Word-list file is truncated."), FaultOf(e), saved);
    } catch (const std::exception& e) {
        return LoadFailed(reader.Explain(e.what()), FaultOf(e), saved);
    }
}

bool TQRWordList::LoadFromFile(const std::string& path) {
    try {
        TFileStream stream(path, TFileStream::Mode::OpenRead);
        return LoadFromStream(stream);
    } catch (const std::exception& e) {
        return LoadFailed(e.what(), FaultOf(e), nameLanguage_);
    }
}

bool TQRWordList::LoadHeaderFromFile(const std::string& path) {
    const std::string saved = nameLanguage_;
    lastError_.clear();
    lastFault_ = TLoadFault::None;
    try {
        TFileStream stream(path, TFileStream::Mode::OpenRead);
        TWordListReader reader(*this, stream);
        reader.ReadHeader();
        AdoptInterfaceLanguage();
        modified_ = false;
        return true;
    } catch (const StreamReadError& e) {
        return LoadFailed("Word-list file is truncated.", FaultOf(e), saved);
    } catch (const std::exception& e) {
        return LoadFailed(e.what(), FaultOf(e), saved);
    }
}

// --- writing -----------------------------------------------------------------------------------

class TWordListWriter {
  public:
    TWordListWriter(const TQRWordList& list, TStream& stream) : l_(list), s_(stream) {}
    void Write();

  private:
    // Every text names itself, so a refusal tells the author which one is too long.
    void Str(std::string_view text, const std::string& what) {
        if (text.size() > 255)
            throw WordListException("The word list cannot be saved: " + what +
                                    " is longer than 255 bytes.");
        s_.WriteShortString(text);
    }
    void Count(size_t n, const std::string& what) {
        if (n > 0xFFFF)
            throw WordListException("The word list cannot be saved: it has more than 65535 " +
                                    what + ".");
        s_.WriteU16(uint16_t(n));
    }
    void StringList(const std::vector<std::string>& lines, const std::string& what) {
        Count(lines.size(), what + " lines");
        for (size_t i = 0; i < lines.size(); ++i)
            Str(lines[i], what + " line " + std::to_string(i + 1));
    }

    const TQRWordList& l_;
    TStream& s_;
};

void TWordListWriter::Write() {
    const bool vocabulary = l_.listType_ == TListType::Vocabulary;
    if (vocabulary && l_.secondary_.size() > TQRWordList::kMaxLanguages)
        throw WordListException("The word list cannot be saved: it has more than 255 languages.");
    if (l_.extraText_.size() > TQRWordList::kMaxLanguages)
        throw WordListException(
            "The word list cannot be saved: it has more than 255 text languages.");

    s_.WriteU32(TQRWordList::kMagic);
    s_.WriteU16(TQRWordList::kWriteVersion);
    s_.WriteU8(uint8_t(l_.listType_));
    Str(l_.nameLanguage_, "the name language");
    Str(l_.title_, "the title");
    Str(l_.handle_, "the author's handle");
    s_.WriteU16(l_.versionMajor_);
    s_.WriteU16(l_.versionMinor_);
    s_.WriteU8(l_.usesIconClues_ ? 1 : 0);
    Str(l_.primaryLanguage_, "the main language's name");
    s_.WriteI16(l_.primaryCode_);
    StringList(l_.comments_, "comment");
    StringList(l_.description_, "description");
    StringList(l_.authorLines_, "author");

    Count(l_.groupNames_.size(), "group names");
    for (const auto& g : l_.groupNames_) {
        Str(g.name, "the name of group " + std::to_string(g.group + 1));
        s_.WriteU16(g.group);
    }
    Count(l_.importSources_.size(), "import sources");
    for (size_t i = 0; i < l_.importSources_.size(); ++i) {
        const auto& src = l_.importSources_[i];
        const std::string what = "import source " + std::to_string(i + 1);
        Str(src.name, what);
        Str(src.details.text1, what);
        Str(src.details.text2, what);
        s_.WriteU16(src.details.number1);
        s_.WriteU16(src.details.number2);
        s_.WriteBuffer(src.details.extra.data(), src.details.extra.size());
    }

    // The language summary lets the module list show languages and word counts
    // without reading the body.
    Count(vocabulary ? l_.secondary_.size() + 1 : 1, "languages");
    Str(l_.primaryLanguage_, "the main language's name");
    s_.WriteU8(l_.primaryCode_ < 0 ? 255 : uint8_t(l_.primaryCode_));
    s_.WriteU16(uint16_t(TQRWordList::CountPlayable(l_.words_)));
    if (vocabulary) {
        for (const auto& lang : l_.secondary_) {
            Str(lang.name, "a language's name");
            s_.WriteU8(lang.code);
            s_.WriteU16(uint16_t(TQRWordList::CountPlayable(lang.translations)));
        }
    }

    Str(l_.textLanguage_, "the text language's name");
    s_.WriteI16(l_.textCode_);
    Count(l_.levels_.size(), "levels");
    for (size_t i = 0; i < l_.levels_.size(); ++i) {
        const auto& entry = l_.levels_[i];
        Str(entry.name, "the name of level " + std::to_string(i + 1));
        // The count byte is what was written after it, so the file always lines up
        // even when the count read from an older file disagreed with its members.
        s_.WriteU8(uint8_t(entry.level.MemberCount()));
        for (int g = 0; g <= TLevel::kMaxGroup; ++g)
            if (entry.level.Contains(g)) s_.WriteU8(uint8_t(g));
    }
    Count(l_.extraText_.size(), "text languages");
    for (const auto& extra : l_.extraText_) {
        Str(extra.name, "a text language's name");
        for (size_t i = 0; i < extra.levelNames.size(); ++i)
            Str(extra.levelNames[i],
                "the " + extra.name + " name of level " + std::to_string(i + 1));
        StringList(extra.description, "the " + extra.name + " description");
        Str(extra.title, "the " + extra.name + " title");
    }
    for (const auto& extra : l_.extraText_)
        s_.WriteU8(extra.code);

    // Body.
    if (vocabulary) {
        Count(l_.secondary_.size(), "languages");
        for (const auto& lang : l_.secondary_) {
            Str(lang.name, "a language's name");
            Count(lang.translations.size(), "translations");
            for (size_t i = 0; i < lang.translations.size(); ++i) {
                Str(lang.translations[i],
                    "the " + lang.name + " translation of word " + std::to_string(i + 1));
                s_.WriteU32(i < l_.words_.size() ? l_.words_[i].attributes : 0);
            }
        }
    } else {
        StringList(l_.clues_, "clue");
    }
    Count(l_.words_.size(), "words");
    for (size_t i = 0; i < l_.words_.size(); ++i) {
        Str(l_.words_[i].text, "word " + std::to_string(i + 1));
        s_.WriteU32(l_.words_[i].attributes);
    }
    Str(l_.password_, "the password");
    Str(l_.iconLibrary_, "the icon library's path");
    if (vocabulary)
        for (const auto& lang : l_.secondary_)
            s_.WriteU8(lang.code);
    Str(l_.signature_, "the signature");
}

void TQRWordList::WriteToStream(TStream& stream) {
    TWordListWriter(*this, stream).Write();
    modified_ = false;
}

std::string TQRWordList::SaveToBytes() {
    TMemoryStream stream;
    WriteToStream(stream);
    stream.WriteU32(WordListChecksum(stream.Bytes()));
    return stream.Bytes();
}

bool TQRWordList::SaveToFile(const std::string& path) {
    const bool wasModified = modified_;
    try {
        std::string bytes = SaveToBytes();
        WriteFileAtomic(path, bytes.data(), bytes.size());
    } catch (...) {
        modified_ = wasModified;
        throw;
    }
    return true;
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordlist/word_list.h"

#include <algorithm>

#include "foundation/polyglot.h"
#include "foundation/random.h"
#include "foundation/text_codec.h"

namespace qr {

int LoadFaultString(TLoadFault fault) {
    switch (fault) {
    case TLoadFault::Truncated:
        return 146;
    case TLoadFault::NotAWordList:
        return 147;
    case TLoadFault::NewerVersion:
        return 148;
    case TLoadFault::CannotOpen:
        return 149;
    default:
        return 145; // damaged
    }
}
namespace {

const std::string kEmpty;

template <class T> std::string At(const std::vector<T>& v, size_t i) {
    return i < v.size() ? std::string(v[i]) : std::string();
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return UpperCase(a) == UpperCase(b);
}

std::string CutSummaryName(std::string name) {
    if (name.size() > TQRWordList::kSummaryNameLength) name.resize(TQRWordList::kSummaryNameLength);
    return name;
}

} // namespace

// A table without language names (none loaded yet, as in the command-line tools) must
// neither rename languages to its access-error text nor match that text as a name.
int TQRWordList::FindLanguage(std::string_view name) {
    if (name == TPolyglot::kAccessError) return -1;
    return Polyglot().LanguageNumber(name);
}

std::string TQRWordList::StandardLanguageName(int code) {
    if (code < 0 || code >= TPolyglot::kLanguageCount) return {};
    std::string name = Polyglot().LanguageName(code);
    return name == TPolyglot::kAccessError ? std::string() : name;
}

size_t TQRWordList::CountPlayable(const std::vector<std::string>& column) {
    return size_t(std::count_if(column.begin(), column.end(),
                                [](const std::string& s) { return IsPlayable(s); }));
}

size_t TQRWordList::CountPlayable(const std::vector<TWordEntry>& column) {
    return size_t(std::count_if(column.begin(), column.end(),
                                [](const TWordEntry& w) { return IsPlayable(w.text); }));
}

void TQRWordList::Reset() {
    secondary_.clear();
    clues_.clear();
    words_.clear();
    comments_.clear();
    description_.clear();
    authorLines_.clear();
    levels_.clear();
    extraText_.clear();
    groupNames_.clear();
    importSources_.clear();
    summary_.clear();
    AddLevels(10);
    listType_ = TListType::Quiz;
    primaryLanguage_ = Polyglot().GetString(kDefaultPrimaryString);
    primaryCode_ = 2;
    textLanguage_ = !nameLanguage_.empty() ? nameLanguage_ : primaryLanguage_;
    textCode_ = int16_t(FindLanguage(textLanguage_));
    usesIconClues_ = false;
    title_.clear();
    handle_.clear();
    iconLibrary_.clear();
    password_ = std::string(2, '\0');
    signature_ = std::string(2, '\0');
    versionMajor_ = 1;
    versionMinor_ = 0;
    modified_ = false;
}

// --- getters ---------------------------------------------------------------------------

std::string TQRWordList::Word(size_t i) const {
    return i < words_.size() ? words_[i].text : std::string();
}
std::string TQRWordList::Clue(size_t i) const {
    return IsVocabulary() ? std::string() : At(clues_, i);
}
std::string TQRWordList::LanguageName(size_t i) const {
    return IsVocabulary() && i < secondary_.size() ? secondary_[i].name : std::string();
}
std::string TQRWordList::Comment(size_t i) const {
    return At(comments_, i);
}
std::string TQRWordList::DescriptionLine(size_t i) const {
    return At(description_, i);
}
std::string TQRWordList::AuthorLine(size_t i) const {
    return At(authorLines_, i);
}
std::string TQRWordList::TextLanguageName(size_t i) const {
    return i < extraText_.size() ? extraText_[i].name : std::string();
}

int TQRWordList::SecondaryIndex(std::string_view name) const {
    if (!IsVocabulary()) return -1;
    for (size_t i = 0; i < secondary_.size(); ++i)
        if (secondary_[i].name == name) return int(i);
    return -1;
}

int TQRWordList::ExtraTextIndex(std::string_view name) const {
    for (size_t i = 0; i < extraText_.size(); ++i)
        if (extraText_[i].name == name) return int(i);
    return -1;
}

std::string TQRWordList::GetTranslation(std::string_view language, size_t i) const {
    if (language == primaryLanguage_) return Word(i);
    int k = SecondaryIndex(language);
    return k < 0 ? std::string() : At(secondary_[size_t(k)].translations, i);
}

// --- setters by index --------------------------------------------------------------------

void TQRWordList::SetWord(size_t i, std::string_view text) {
    if (i >= words_.size() || words_[i].text == text) return;
    words_[i].text = text;
    modified_ = true;
}

void TQRWordList::SetClue(size_t i, std::string_view text) {
    if (IsVocabulary() || i >= clues_.size() || clues_[i] == text) return;
    clues_[i] = text;
    modified_ = true;
}

void TQRWordList::SetTranslation(std::string_view language, size_t i, std::string_view text) {
    if (language == primaryLanguage_) return SetWord(i, text);
    int k = SecondaryIndex(language);
    if (k < 0) return;
    auto& column = secondary_[size_t(k)].translations;
    if (i >= column.size() || column[i] == text) return;
    column[i] = text;
    modified_ = true;
}

uint8_t TQRWordList::Group(size_t i) const {
    return i < words_.size() ? word_attr::Group(words_[i].attributes) : 0;
}

void TQRWordList::SetGroup(size_t i, uint8_t group) {
    if (i >= words_.size()) return;
    uint32_t& a = words_[i].attributes;
    if (word_attr::Group(a) == group) return;
    a = (a & ~0x00FF0000u) | (uint32_t(group) << 16);
    modified_ = true;
}

uint16_t TQRWordList::Source(size_t i) const {
    return i < words_.size() ? word_attr::Source(words_[i].attributes) : 0xFFFF;
}

uint8_t TQRWordList::UsedMark(size_t i) const {
    return i < words_.size() ? word_attr::Used(words_[i].attributes) : 0;
}

void TQRWordList::SetUsedMark(size_t i, uint8_t value) {
    if (i < words_.size())
        words_[i].attributes = (words_[i].attributes & 0x00FFFFFFu) | (uint32_t(value) << 24);
}

void TQRWordList::ClearUsedMarks() {
    for (auto& w : words_)
        w.attributes &= 0x00FFFFFFu;
}

// Every row keeps its translations or its clue, whatever the list type, so that the
// columns never differ in length.
void TQRWordList::AddWordRow(std::string_view word, uint8_t group, std::string_view clue) {
    words_.push_back({std::string(word), word_attr::Make(0, group)});
    if (IsVocabulary()) {
        for (auto& lang : secondary_)
            lang.translations.emplace_back();
    } else {
        clues_.emplace_back(clue);
    }
    modified_ = true;
}

size_t TQRWordList::AddWord(std::string_view word, uint8_t group) {
    AddWordRow(word, group, {});
    return words_.size() - 1;
}

void TQRWordList::AddClueWord(std::string_view clue, std::string_view word, uint8_t group) {
    AddWordRow(word, group, clue);
}

void TQRWordList::DeleteWord(size_t i) {
    if (i >= words_.size()) return;
    words_.erase(words_.begin() + ptrdiff_t(i));
    for (auto& lang : secondary_)
        if (i < lang.translations.size())
            lang.translations.erase(lang.translations.begin() + ptrdiff_t(i));
    if (i < clues_.size()) clues_.erase(clues_.begin() + ptrdiff_t(i));
    modified_ = true;
}

void TQRWordList::AddComment(std::string_view line) {
    comments_.emplace_back(line);
    modified_ = true;
}

void TQRWordList::AddAuthorLine(std::string_view line) {
    authorLines_.emplace_back(line);
    modified_ = true;
}

void TQRWordList::AddDescriptionLine(std::string_view line) {
    if (description_.size() >= kMaxDescriptionLines) return;
    description_.emplace_back(line);
    modified_ = true;
}

void TQRWordList::ClearComments() {
    if (!comments_.empty()) modified_ = true;
    comments_.clear();
}

void TQRWordList::ClearDescription() {
    if (!description_.empty()) modified_ = true;
    description_.clear();
}

void TQRWordList::ClearAuthorLines() {
    if (!authorLines_.empty()) modified_ = true;
    authorLines_.clear();
}

// --- texts and identity -------------------------------------------------------------------

std::string TQRWordList::Title() const {
    if (!title_.empty()) return title_;
    return Polyglot().GetString(kDefaultTitleString + int(listType_));
}

void TQRWordList::SetTitle(std::string_view text) {
    if (SameIgnoringCase(text, Title())) return;
    title_ = text;
    modified_ = true;
}

namespace {
template <class T, class V> void Change(T& field, const V& value, bool& modified) {
    if (field == value) return;
    field = value;
    modified = true;
}
} // namespace

void TQRWordList::SetHandle(std::string_view v) {
    Change(handle_, v, modified_);
}
void TQRWordList::SetPassword(std::string_view v) {
    Change(password_, v, modified_);
}
void TQRWordList::SetSignature(std::string_view v) {
    Change(signature_, v, modified_);
}
void TQRWordList::SetIconLibrary(std::string_view v) {
    Change(iconLibrary_, v, modified_);
}
void TQRWordList::SetUsesIconClues(bool v) {
    Change(usesIconClues_, v, modified_);
}

void TQRWordList::SetVersion(uint16_t major, uint16_t minor) {
    Change(versionMajor_, major, modified_);
    Change(versionMinor_, minor, modified_);
}

void TQRWordList::SetListType(TListType t) {
    if (t == listType_) return;
    if (usesIconClues_ || t == TListType::Vocabulary || listType_ == TListType::Vocabulary) {
        words_.clear();
        secondary_.clear();
        clues_.clear();
        usesIconClues_ = false;
        iconLibrary_.clear();
    }
    listType_ = t;
    modified_ = true;
}

// --- languages ------------------------------------------------------------------------------

namespace {

// A 16-bit code slot (primary and text language).
void RederiveWide(std::string& name, int16_t& code) {
    if (code < 0) {
        code = int16_t(TQRWordList::FindLanguage(name));
        return;
    }
    std::string standard = TQRWordList::StandardLanguageName(code);
    if (standard.empty())
        code = -1;
    else
        name = standard;
}

// A one-byte code slot (secondary and extra text languages, summary records).
void RederiveByte(std::string& name, uint8_t& code) {
    if (code == 255) {
        int found = TQRWordList::FindLanguage(name);
        if (found >= 0) code = uint8_t(found);
        return;
    }
    std::string standard = TQRWordList::StandardLanguageName(code);
    if (standard.empty())
        code = 255;
    else
        name = standard;
}

uint8_t ByteCode(std::string_view name) {
    int found = TQRWordList::FindLanguage(name);
    return found < 0 ? 255 : uint8_t(found);
}

} // namespace

void TQRWordList::SetNameLanguage(std::string_view name) {
    if (name == nameLanguage_) return;
    nameLanguage_ = name;
    RederiveWide(primaryLanguage_, primaryCode_);
    if (IsVocabulary())
        for (auto& lang : secondary_)
            RederiveByte(lang.name, lang.code);
    for (auto& extra : extraText_)
        RederiveByte(extra.name, extra.code);
    RederiveWide(textLanguage_, textCode_);
    for (auto& record : summary_) {
        RederiveByte(record.name, record.code);
        record.name = CutSummaryName(record.name);
    }
}

void TQRWordList::RecomputeSecondaryCodes() {
    for (auto& lang : secondary_)
        lang.code = ByteCode(lang.name);
}

void TQRWordList::RecomputeExtraTextCodes() {
    for (auto& extra : extraText_)
        extra.code = ByteCode(extra.name);
}

void TQRWordList::SetPrimaryLanguage(std::string_view name) {
    if (name == primaryLanguage_) return;
    if (IsVocabulary()) {
        std::vector<std::string> newMain;
        int k = SecondaryIndex(name);
        if (k >= 0) {
            newMain = std::move(secondary_[size_t(k)].translations);
            secondary_.erase(secondary_.begin() + k);
        } else {
            newMain.resize(words_.size());
        }
        if (!words_.empty()) {
            TSecondaryLanguage old{primaryLanguage_, 255, {}};
            for (const auto& w : words_)
                old.translations.push_back(w.text);
            secondary_.push_back(std::move(old));
        }
        // The row attributes (group, source) belong to the row, not to the column.
        for (size_t i = 0; i < words_.size(); ++i)
            words_[i].text = std::move(newMain[i]);
        RecomputeSecondaryCodes();
    }
    primaryLanguage_ = name;
    primaryCode_ = int16_t(FindLanguage(name));
    modified_ = true;
}

void TQRWordList::SetTextLanguage(std::string_view name) {
    if (name == textLanguage_) return;
    bool keep = !description_.empty() || !title_.empty() ||
                std::any_of(levels_.begin(), levels_.end(),
                            [](const TLevelEntry& l) { return !l.name.empty(); });

    TExtraTextLanguage incoming;
    int k = ExtraTextIndex(name);
    if (k >= 0) {
        incoming = std::move(extraText_[size_t(k)]);
        extraText_.erase(extraText_.begin() + k);
    }
    incoming.levelNames.resize(levels_.size());

    TExtraTextLanguage outgoing{textLanguage_, 255, {}, std::move(description_), std::move(title_)};
    for (size_t i = 0; i < levels_.size(); ++i) {
        outgoing.levelNames.push_back(std::move(levels_[i].name));
        levels_[i].name = std::move(incoming.levelNames[i]);
    }
    description_ = std::move(incoming.description);
    title_ = std::move(incoming.title);
    if (keep) extraText_.push_back(std::move(outgoing));

    RecomputeExtraTextCodes();
    textLanguage_ = name;
    textCode_ = int16_t(FindLanguage(name));
    modified_ = true;
}

int TQRWordList::AddLanguage(std::string_view name) {
    if (name == primaryLanguage_)
        throw WordListException("Internal error: Setting main language as secondary");
    if (!IsVocabulary()) return -1;
    int k = SecondaryIndex(name);
    if (k >= 0) return k;
    secondary_.push_back(
        {std::string(name), ByteCode(name), std::vector<std::string>(words_.size())});
    modified_ = true;
    return int(secondary_.size() - 1);
}

void TQRWordList::DeleteLanguage(std::string_view name) {
    int k = SecondaryIndex(name);
    if (k < 0) return;
    secondary_.erase(secondary_.begin() + k);
    RecomputeSecondaryCodes();
    modified_ = true;
}

int TQRWordList::AddTextLanguage(std::string_view name) {
    if (name == textLanguage_)
        throw WordListException("Internal error: Setting default text language as secondary");
    int k = ExtraTextIndex(name);
    if (k >= 0) return k;
    TExtraTextLanguage extra;
    extra.name = name;
    extra.code = ByteCode(name);
    extra.levelNames.resize(levels_.size());
    extraText_.push_back(std::move(extra));
    modified_ = true;
    return int(extraText_.size() - 1);
}

void TQRWordList::DeleteTextLanguage(std::string_view name) {
    int k = ExtraTextIndex(name);
    if (k < 0) return;
    extraText_.erase(extraText_.begin() + k);
    RecomputeExtraTextCodes();
    modified_ = true;
}

uint8_t TQRWordList::LanguageCode(size_t i) const {
    return IsVocabulary() && i < secondary_.size() ? secondary_[i].code : 255;
}

uint8_t TQRWordList::TextLanguageCode(size_t i) const {
    return i < extraText_.size() ? extraText_[i].code : 255;
}

std::string TQRWordList::TitleIn(std::string_view language) const {
    if (language == textLanguage_) return Title();
    int k = ExtraTextIndex(language);
    return k < 0 ? std::string() : extraText_[size_t(k)].title;
}

size_t TQRWordList::DescriptionCountIn(std::string_view language) const {
    if (language == textLanguage_) return description_.size();
    int k = ExtraTextIndex(language);
    return k < 0 ? 0 : extraText_[size_t(k)].description.size();
}

std::string TQRWordList::DescriptionLineIn(std::string_view language, size_t i) const {
    if (language == textLanguage_) return DescriptionLine(i);
    int k = ExtraTextIndex(language);
    return k < 0 ? std::string() : At(extraText_[size_t(k)].description, i);
}

std::string TQRWordList::LevelNameIn(std::string_view language, size_t level) const {
    if (language == textLanguage_) return LevelName(level);
    int k = ExtraTextIndex(language);
    if (k < 0 || level >= levels_.size()) return {};
    const std::string& name = extraText_[size_t(k)].levelNames[level];
    return name.empty() ? Polyglot().GetString(kDefaultLevelNameString) : name;
}

// Unlike SetTitle this leaves Modified alone: the translation dialog stores a
// language's description and level names together with its title, and those mark
// the list.
void TQRWordList::SetTitleIn(std::string_view language, std::string_view text) {
    if (language == textLanguage_) {
        if (!SameIgnoringCase(text, Title())) title_ = text;
        return;
    }
    int k = ExtraTextIndex(language);
    if (k < 0) return;
    std::string& title = extraText_[size_t(k)].title;
    if (!SameIgnoringCase(title, text)) title = text;
}

void TQRWordList::AddDescriptionLineIn(std::string_view language, std::string_view line) {
    if (language == textLanguage_) return AddDescriptionLine(line);
    int k = ExtraTextIndex(language);
    if (k < 0) return;
    auto& lines = extraText_[size_t(k)].description;
    if (lines.size() >= kMaxDescriptionLines) return;
    lines.emplace_back(line);
    modified_ = true;
}

void TQRWordList::ClearDescriptionIn(std::string_view language) {
    if (language == textLanguage_) {
        description_.clear();
        modified_ = true;
        return;
    }
    int k = ExtraTextIndex(language);
    if (k < 0) return;
    extraText_[size_t(k)].description.clear();
    modified_ = true;
}

void TQRWordList::SetLevelNameIn(std::string_view language, size_t level, std::string_view name) {
    if (language == textLanguage_) return SetLevelName(level, name);
    int k = ExtraTextIndex(language);
    if (k < 0 || level >= levels_.size()) return;
    extraText_[size_t(k)].levelNames[level] = name;
    modified_ = true;
}

// --- levels and groups --------------------------------------------------------------------

// The level operations mark the list: a level added, removed or moved is an edit
// like any other and must not be lost on closing without the save question.
void TQRWordList::AddLevels(size_t n) {
    for (size_t i = 0; i < n; ++i) {
        levels_.emplace_back();
        for (auto& extra : extraText_)
            extra.levelNames.emplace_back();
    }
    if (n > 0) modified_ = true;
}

void TQRWordList::DeleteLevel(size_t i) {
    if (i >= levels_.size()) return;
    levels_.erase(levels_.begin() + ptrdiff_t(i));
    for (auto& extra : extraText_)
        extra.levelNames.erase(extra.levelNames.begin() + ptrdiff_t(i));
    modified_ = true;
}

void TQRWordList::ExchangeLevels(size_t a, size_t b) {
    if (a >= levels_.size() || b >= levels_.size() || a == b) return;
    std::swap(levels_[a], levels_[b]);
    for (auto& extra : extraText_)
        std::swap(extra.levelNames[a], extra.levelNames[b]);
    modified_ = true;
}

TLevel* TQRWordList::Level(size_t i) {
    return i < levels_.size() ? &levels_[i].level : nullptr;
}
const TLevel* TQRWordList::Level(size_t i) const {
    return i < levels_.size() ? &levels_[i].level : nullptr;
}

std::string TQRWordList::LevelName(size_t i) const {
    if (i >= levels_.size()) return {};
    return levels_[i].name.empty() ? Polyglot().GetString(kDefaultLevelNameString)
                                   : levels_[i].name;
}

void TQRWordList::SetLevelName(size_t i, std::string_view name) {
    if (i >= levels_.size()) return;
    levels_[i].name = name;
    modified_ = true;
}

std::string TQRWordList::GroupName(uint16_t group) const {
    for (const auto& g : groupNames_)
        if (g.group == group) return g.name;
    return {};
}

void TQRWordList::SetGroupName(uint16_t group, std::string_view name) {
    modified_ = true;
    auto it = std::find_if(groupNames_.begin(), groupNames_.end(),
                           [&](const TGroupName& g) { return g.group == group; });
    if (it == groupNames_.end()) {
        if (!name.empty()) groupNames_.push_back({std::string(name), group});
    } else if (name.empty()) {
        groupNames_.erase(it);
    } else {
        it->name = name;
    }
}

const TImportDetails* TQRWordList::ImportSource(size_t i) const {
    return i < importSources_.size() ? &importSources_[i].details : nullptr;
}

const std::string& TQRWordList::ImportSourceName(size_t i) const {
    return i < importSources_.size() ? importSources_[i].name : kEmpty;
}

// --- game -----------------------------------------------------------------------------------

bool TQRWordList::IsUntouched() const {
    const std::string empty2(2, '\0');
    return !modified_ && !usesIconClues_ && listType_ == TListType::Vocabulary &&
           primaryCode_ == 2 && title_.empty() && handle_.empty() && password_ == empty2 &&
           signature_ == empty2 && iconLibrary_.empty() && versionMajor_ == 1 &&
           versionMinor_ == 0 && secondary_.empty() && clues_.empty() && words_.empty() &&
           comments_.empty() && description_.empty() && authorLines_.empty() &&
           groupNames_.empty() && importSources_.empty();
}

bool TQRWordList::HasLanguage(uint16_t code, std::string_view name) const {
    if (code != 65535 && code != 255) {
        if (uint16_t(primaryCode_) == code) return true;
        if (!IsVocabulary()) return false;
        return std::any_of(secondary_.begin(), secondary_.end(),
                           [&](const TSecondaryLanguage& l) { return l.code == code; });
    }
    return name == primaryLanguage_ || SecondaryIndex(name) >= 0;
}

bool TQRWordList::ChooseRoundWords(std::string_view clueLanguage, std::string_view answerLanguage,
                                   int level, std::array<uint16_t, 5>& slots) {
    slots.fill(0);
    const bool iconMode = clueLanguage.empty() && usesIconClues_;
    const bool anagramMode = listType_ == TListType::Anagrams;

    // A column is either the main words or a list of texts; both are read by index.
    const std::vector<std::string>* answerTexts = nullptr;
    const std::vector<std::string>* clueTexts = nullptr;
    bool answerIsMain = false, clueIsMain = false, hasClue = false;
    auto pick = [&](std::string_view language, const std::vector<std::string>*& texts,
                    bool& isMain) {
        if (language == primaryLanguage_) {
            isMain = true;
            return true;
        }
        int k = SecondaryIndex(language);
        if (k < 0) return false;
        texts = &secondary_[size_t(k)].translations;
        return true;
    };
    bool hasAnswer;
    if (IsVocabulary()) {
        hasAnswer = pick(answerLanguage, answerTexts, answerIsMain);
        if (!iconMode) hasClue = pick(clueLanguage, clueTexts, clueIsMain);
    } else {
        hasAnswer = answerIsMain = true;
        if (!iconMode) {
            clueTexts = &clues_;
            hasClue = true;
        }
    }
    if (!hasAnswer || (!iconMode && !hasClue)) return false;

    auto text = [&](const std::vector<std::string>* column, bool isMain,
                    size_t i) -> std::string_view {
        if (isMain) return words_[i].text;
        return i < column->size() ? std::string_view((*column)[i]) : std::string_view();
    };
    const bool checkClue = hasClue && !anagramMode;
    const int levelCount = int(levels_.size());
    TRandom& rnd = GameRandom();
    uint32_t next = 1;
    auto found = [&] { return next > 5; };

    auto scan = [&](int scanned, bool allGroups) {
        TLevel groups;
        if (allGroups) {
            for (int g = 0; g <= TLevel::kMaxGroup; ++g)
                groups.Include(g);
        } else if (scanned >= 0 && scanned < levelCount &&
                   levels_[size_t(scanned)].level.Count() > 0) {
            groups = levels_[size_t(scanned)].level;
        } else {
            groups.Include(0);
        }
        for (size_t i = 0; i < words_.size(); ++i) {
            if (UsedMark(i) != 0 || !IsPlayable(text(answerTexts, answerIsMain, i))) continue;
            if (checkClue && !IsPlayable(text(clueTexts, clueIsMain, i))) continue;
            if (!groups.Contains(Group(i))) continue;
            if (next <= 5) {
                slots[next - 1] = uint16_t(i);
                SetUsedMark(i, 1);
            } else {
                uint32_t r = rnd.Random(next) + 1;
                if (r <= 5) {
                    SetUsedMark(slots[r - 1], 0);
                    slots[r - 1] = uint16_t(i);
                    SetUsedMark(i, 1);
                }
            }
            ++next;
        }
    };

    for (int pass = 0; pass < 2 && !found(); ++pass) {
        if (pass == 1) {
            // Starting over on a used-up list must not offer the words already in the
            // round a second time, so they keep their marks.
            ClearUsedMarks();
            for (uint32_t s = 1; s < next; ++s)
                SetUsedMark(slots[s - 1], 1);
        }
        int d = 0;
        bool up = true, allGroups = false;
        for (;;) {
            scan(d == 0 ? level : (up ? level + d : level - d), allGroups);
            if (found()) break;
            if (up) ++d;
            up = !up;
            if (!up && d > level)
                up = true;
            else if (up && level + d >= levelCount) {
                up = false;
                ++d;
            }
            if (d > level && level + d >= levelCount) allGroups = !allGroups;
            if (!(level - d >= 0 || level + d < levelCount || allGroups)) break;
        }
    }
    if (!found()) return false;
    for (uint32_t n = 5; n >= 2; --n) {
        uint32_t j = rnd.Random(n) + 1;
        std::swap(slots[j - 1], slots[n - 1]);
    }
    return true;
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordlist/word_list_source.h"

#include <charconv>
#include <optional>
#include <sstream>
#include <vector>

#include "foundation/text_codec.h"
#include "wordlist/scramble.h"

namespace qr {
namespace {

const char* kTypeNames[] = {"vocabulary", "anagrams", "quiz"};

// --- text escapes -------------------------------------------------------------------------
// Texts are bytes; the source is UTF-8. Bytes that would not survive as visible text
// (controls, spaces at the edges) and the characters the format itself uses are
// written as escapes.

bool NeedsHex(uint8_t b) {
    char32_t c = ByteToCodePoint(b);
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

std::string Hex(uint8_t b) {
    static const char digits[] = "0123456789ABCDEF";
    return {'\\', 'x', digits[b >> 4], digits[b & 15]};
}

// `atLineStart` guards the characters that open comments, directives and sections;
// `inPair` the "=" of "name = value" entries.
std::string Escape(std::string_view bytes, bool atLineStart = false, bool inPair = false) {
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        uint8_t b = uint8_t(bytes[i]);
        bool edge = i == 0 || i + 1 == bytes.size();
        if (b == '\\' || b == '|' || (b == '=' && inPair))
            out += '\\', out += char(b);
        else if (i == 0 && atLineStart && (b == '#' || b == '@' || b == '['))
            out += '\\', out += char(b);
        else if (NeedsHex(b) || (b == ' ' && edge))
            out += Hex(b);
        else
            out += ToUtf8(bytes.substr(i, 1));
    }
    return out;
}

} // namespace

// --- reading ---------------------------------------------------------------------------------

class TWordListSource::Parser {
  public:
    explicit Parser(std::string_view text) {
        size_t pos = 0;
        while (pos <= text.size()) {
            size_t end = text.find('\n', pos);
            if (end == std::string_view::npos) end = text.size();
            std::string_view line = text.substr(pos, end - pos);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            lines_.emplace_back(line);
            pos = end + 1;
        }
    }

    void Run(TQRWordList& list);

  private:
    // Problems of the whole text (found at its end) name no line.
    [[noreturn]] void Fail(const std::string& message) const {
        if (atEnd_) throw WordListException("Word-list source: " + message);
        throw WordListException("Word-list source, line " + std::to_string(lineNo_) + ": " +
                                message);
    }

    static std::string_view TrimSpaces(std::string_view s) {
        while (!s.empty() && s.front() == ' ')
            s.remove_prefix(1);
        while (!s.empty() && s.back() == ' ')
            s.remove_suffix(1);
        return s;
    }

    // Undoes Escape: the result is bytes.
    std::string Unescape(std::string_view s) const {
        std::string out, plain;
        auto flush = [&] {
            out += FromUtf8(plain);
            plain.clear();
        };
        for (size_t i = 0; i < s.size(); ++i) {
            if (s[i] != '\\') {
                plain += s[i];
                continue;
            }
            if (++i >= s.size()) Fail("a backslash ends the line");
            char c = s[i];
            if (c == 'x') {
                unsigned v = 0;
                if (i + 2 >= s.size()) Fail("\\x needs two hex digits");
                auto r = std::from_chars(s.data() + i + 1, s.data() + i + 3, v, 16);
                if (r.ptr != s.data() + i + 3 || r.ec != std::errc())
                    Fail("\\x needs two hex digits");
                flush();
                out += char(v);
                i += 2;
            } else if (c == 'e') {
                // The empty text, for a line that would otherwise be blank.
            } else if (c == '\\' || c == '|' || c == '=' || c == '#' || c == '@' || c == '[') {
                plain += c;
            } else {
                Fail(std::string("unknown escape \\") + c);
            }
        }
        flush();
        return out;
    }

    // Splits at "|" that are not escaped; fields are trimmed of spaces.
    static std::vector<std::string_view> Split(std::string_view s, char sep = '|') {
        std::vector<std::string_view> fields;
        size_t start = 0;
        for (size_t i = 0; i < s.size(); ++i) {
            if (s[i] == '\\') {
                ++i;
            } else if (s[i] == sep) {
                fields.push_back(TrimSpaces(s.substr(start, i - start)));
                start = i + 1;
            }
        }
        fields.push_back(TrimSpaces(s.substr(start)));
        return fields;
    }

    // "Name" or "Name = code".
    std::pair<std::string, std::optional<int>> Language(std::string_view value) const {
        auto parts = Split(value, '=');
        if (parts.size() > 2) Fail("a language is written as \"Name\" or \"Name = code\"");
        std::optional<int> code;
        if (parts.size() == 2) code = Number(parts[1], -1, 255, "language code");
        return {Unescape(parts[0]), code};
    }

    long Number(std::string_view s, long lo, long hi, const char* what) const {
        long v = 0;
        auto r = std::from_chars(s.data(), s.data() + s.size(), v);
        if (r.ec != std::errc() || r.ptr != s.data() + s.size() || v < lo || v > hi)
            Fail(std::string("bad ") + what + " \"" + std::string(s) + "\"");
        return v;
    }

    uint8_t Group(std::string_view s) const { return uint8_t(Number(s, 1, 100, "group") - 1); }

    std::string Raw(std::string_view hex) const {
        if (hex.size() % 2) Fail("odd number of hex digits");
        std::string out;
        for (size_t i = 0; i < hex.size(); i += 2) {
            unsigned v;
            auto r = std::from_chars(hex.data() + i, hex.data() + i + 2, v, 16);
            if (r.ec != std::errc() || r.ptr != hex.data() + i + 2) Fail("bad hex digits");
            out += char(v);
        }
        return out;
    }

    void HeaderLine(TQRWordList& l, std::string_view key, std::string_view value);
    void TextLanguageLine(TQRWordList& l, std::string_view key, std::string_view value);
    void WordLine(TQRWordList& l, std::string_view line);

    std::vector<std::string> lines_;
    int lineNo_ = 0;
    bool atEnd_ = false;
    // Read state.
    enum class Section { Header, TextLanguage, Words } section_ = Section::Header;
    bool typeSeen_ = false, mainSeen_ = false, textSeen_ = false, levelsSeen_ = false;
    std::optional<int> mainCode_, textCode_;
    std::vector<std::optional<int>> secondaryCodes_;
    TExtraTextLanguage* extra_ = nullptr;
    size_t extraLevel_ = 0;
    uint8_t group_ = 0;
    uint16_t source_ = 0;
};

void TWordListSource::Parser::HeaderLine(TQRWordList& l, std::string_view key,
                                         std::string_view value) {
    if (key == "type") {
        for (int t = 0; t < 3; ++t)
            if (value == kTypeNames[t]) {
                l.listType_ = TListType(t);
                typeSeen_ = true;
                return;
            }
        Fail("type is vocabulary, anagrams or quiz");
    }
    if (!typeSeen_) Fail("the first entry must be the type");
    if (key == "title") {
        l.title_ = Unescape(value);
    } else if (key == "handle") {
        l.handle_ = Unescape(value);
    } else if (key == "version") {
        auto dot = value.find('.');
        if (dot == std::string_view::npos) Fail("version is written as major.minor");
        l.versionMajor_ = uint16_t(Number(value.substr(0, dot), 0, 65535, "version"));
        l.versionMinor_ = uint16_t(Number(value.substr(dot + 1), 0, 65535, "version"));
    } else if (key == "name-language") {
        l.nameLanguage_ = Unescape(value);
    } else if (key == "main-language") {
        auto [name, code] = Language(value);
        l.primaryLanguage_ = name;
        mainCode_ = code;
        mainSeen_ = true;
    } else if (key == "text-language") {
        auto [name, code] = Language(value);
        l.textLanguage_ = name;
        textCode_ = code;
        textSeen_ = true;
    } else if (key == "icon-clues") {
        if (value != "yes" && value != "no") Fail("icon-clues is yes or no");
        l.usesIconClues_ = value == "yes";
    } else if (key == "icon-library") {
        l.iconLibrary_ = Unescape(value);
    } else if (key == "password") {
        l.password_ = ScrambleText(Unescape(value));
    } else if (key == "password-raw") {
        l.password_ = Raw(value);
    } else if (key == "signature") {
        l.signature_ = ScrambleText(Unescape(value));
    } else if (key == "signature-raw") {
        l.signature_ = Raw(value);
    } else if (key == "comment") {
        l.comments_.push_back(Unescape(value));
    } else if (key == "description") {
        if (l.description_.size() >= TQRWordList::kMaxDescriptionLines)
            Fail("a description has at most 4 lines");
        l.description_.push_back(Unescape(value));
    } else if (key == "author") {
        l.authorLines_.push_back(Unescape(value));
    } else if (key == "group-name") {
        auto parts = Split(value, '=');
        if (parts.size() != 2) Fail("group-name is written as \"number = name\"");
        l.groupNames_.push_back(
            {Unescape(parts[1]), uint16_t(Number(parts[0], 1, 65536, "group") - 1)});
    } else if (key == "import") {
        auto f = Split(value);
        if (f.size() != 6)
            Fail("import has six fields: name | text | text | number | number | 16 hex digits");
        TImportSource src;
        src.name = Unescape(f[0]);
        src.details.text1 = Unescape(f[1]);
        src.details.text2 = Unescape(f[2]);
        src.details.number1 = uint16_t(Number(f[3], 0, 65535, "number"));
        src.details.number2 = uint16_t(Number(f[4], 0, 65535, "number"));
        std::string extra = Raw(f[5]);
        if (extra.size() != 8) Fail("import ends with 16 hex digits");
        std::copy(extra.begin(), extra.end(), src.details.extra.begin());
        l.importSources_.push_back(std::move(src));
    } else if (key == "language") {
        if (l.listType_ != TListType::Vocabulary)
            Fail("only vocabulary lists have further languages");
        auto [name, code] = Language(value);
        if (mainSeen_ && name == l.primaryLanguage_)
            Fail("the main language is also a further language");
        l.secondary_.push_back({name, 255, {}});
        secondaryCodes_.push_back(code);
    } else if (key == "levels") {
        if (value != "none") Fail("levels: takes only \"none\"");
        l.levels_.clear();
        levelsSeen_ = true;
    } else if (key == "level") {
        if (!levelsSeen_) l.levels_.clear();
        levelsSeen_ = true;
        auto f = Split(value);
        if (f.size() > 2) Fail("level is written as \"name | groups\"");
        TLevelEntry entry;
        entry.name = Unescape(f[0]);
        if (f.size() == 2) {
            std::string_view groups = f[1];
            while (!groups.empty()) {
                size_t sp = groups.find(' ');
                std::string_view g = groups.substr(0, sp);
                if (!g.empty()) {
                    uint8_t group = Group(g);
                    if (entry.level.Contains(group)) Fail("a group is named twice in one level");
                    entry.level.Include(group);
                }
                groups = sp == std::string_view::npos ? std::string_view() : groups.substr(sp + 1);
            }
        }
        l.levels_.push_back(std::move(entry));
    } else {
        Fail("unknown entry \"" + std::string(key) + "\"");
    }
}

void TWordListSource::Parser::TextLanguageLine(TQRWordList& l, std::string_view key,
                                               std::string_view value) {
    if (key == "title") {
        extra_->title = Unescape(value);
    } else if (key == "description") {
        if (extra_->description.size() >= TQRWordList::kMaxDescriptionLines)
            Fail("a description has at most 4 lines");
        extra_->description.push_back(Unescape(value));
    } else if (key == "level") {
        if (extraLevel_ >= l.levels_.size()) Fail("more level names than the list has levels");
        extra_->levelNames[extraLevel_++] = Unescape(value);
    } else {
        Fail("a text language has title, description and level entries only");
    }
}

void TWordListSource::Parser::WordLine(TQRWordList& l, std::string_view line) {
    if (line[0] == '@') {
        size_t sp = line.find(' ');
        std::string_view directive = line.substr(0, sp);
        std::string_view arg =
            sp == std::string_view::npos ? std::string_view() : TrimSpaces(line.substr(sp + 1));
        if (directive == "@group") {
            // "@group 3" or "@group 3 Farm animals" (which also names the group).
            size_t sp2 = arg.find(' ');
            group_ = Group(arg.substr(0, sp2));
            if (sp2 != std::string_view::npos) {
                std::string name = Unescape(TrimSpaces(arg.substr(sp2 + 1)));
                bool named = false;
                for (const auto& g : l.groupNames_)
                    named |= g.group == group_;
                if (named) Fail("group " + std::to_string(group_ + 1) + " is named twice");
                l.groupNames_.push_back({name, group_});
            }
        } else if (directive == "@source") {
            source_ = uint16_t(Number(arg, 0, 65535, "source"));
            if (source_ > l.importSources_.size())
                Fail("the list has no import " + std::to_string(source_));
        } else {
            Fail("unknown directive " + std::string(directive));
        }
        return;
    }
    auto f = Split(line);
    const bool vocabulary = l.listType_ == TListType::Vocabulary;
    const size_t columns = vocabulary ? 1 + l.secondary_.size() : 2;
    if (f.size() > columns)
        Fail("a row has " + std::to_string(f.size()) + " fields; this list has " +
             std::to_string(columns));
    f.resize(columns);
    l.words_.push_back({Unescape(f[0]), word_attr::Make(source_, group_)});
    if (vocabulary) {
        for (size_t k = 0; k < l.secondary_.size(); ++k)
            l.secondary_[k].translations.push_back(Unescape(f[k + 1]));
    } else {
        l.clues_.push_back(Unescape(f[1]));
    }
}

void TWordListSource::Parser::Run(TQRWordList& l) {
    l.nameLanguage_.clear();
    l.Reset();
    for (const std::string& raw : lines_) {
        ++lineNo_;
        std::string_view line = TrimSpaces(raw);
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            if (line.back() != ']') Fail("a section header ends with ]");
            std::string_view name = TrimSpaces(line.substr(1, line.size() - 2));
            if (!typeSeen_ || !mainSeen_) Fail("type and main-language come before any section");
            if (name == "words") {
                section_ = Section::Words;
            } else if (name.substr(0, 14) == "text-language ") {
                if (section_ == Section::Words) Fail("text languages come before the words");
                auto [lang, code] = Language(name.substr(14));
                TExtraTextLanguage extra;
                extra.name = lang;
                extra.code = uint8_t(code ? *code : TQRWordList::FindLanguage(lang));
                extra.levelNames.resize(l.levels_.size());
                l.extraText_.push_back(std::move(extra));
                extra_ = &l.extraText_.back();
                extraLevel_ = 0;
                section_ = Section::TextLanguage;
            } else {
                Fail("unknown section [" + std::string(name) + "]");
            }
            continue;
        }
        if (section_ == Section::Words) {
            WordLine(l, line);
            continue;
        }
        size_t colon = line.find(':');
        if (colon == std::string_view::npos) Fail("expected \"key: value\"");
        std::string_view key = TrimSpaces(line.substr(0, colon));
        std::string_view value = TrimSpaces(line.substr(colon + 1));
        if (section_ == Section::Header)
            HeaderLine(l, key, value);
        else
            TextLanguageLine(l, key, value);
    }
    atEnd_ = true;
    if (!typeSeen_ || !mainSeen_) Fail("a list needs at least type and main-language");
    if (l.description_.size() > TQRWordList::kMaxDescriptionLines)
        Fail("a description has at most 4 lines");
    for (const auto& e : l.extraText_)
        if (e.description.size() > TQRWordList::kMaxDescriptionLines)
            Fail("a description has at most 4 lines");
    for (const auto& w : l.words_)
        if (word_attr::Source(w.attributes) > l.importSources_.size())
            Fail("a word names an import it does not have");
    for (size_t k = 0; k < l.secondary_.size(); ++k) {
        if (l.secondary_[k].name == l.primaryLanguage_)
            Fail("the main language is also a further language");
        for (size_t j = 0; j < k; ++j)
            if (l.secondary_[j].name == l.secondary_[k].name)
                Fail("language " + l.secondary_[k].name + " is named twice");
    }

    // An unknown language gets 255, the value a file's unknown code reads back as, so a
    // list built from text and one exported and built again are the same bytes.
    auto wideCode = [](const std::optional<int>& given, const std::string& name) {
        int code = given ? *given : TQRWordList::FindLanguage(name);
        return int16_t(code < 0 && !given ? 255 : code);
    };
    l.primaryCode_ = wideCode(mainCode_, l.primaryLanguage_);
    if (!textSeen_)
        l.textLanguage_ = !l.nameLanguage_.empty() ? l.nameLanguage_ : l.primaryLanguage_;
    l.textCode_ = wideCode(textCode_, l.textLanguage_);
    for (size_t k = 0; k < l.extraText_.size(); ++k) {
        if (l.extraText_[k].name == l.textLanguage_)
            Fail("the text language is also a further text language");
        for (size_t j = 0; j < k; ++j)
            if (l.extraText_[j].name == l.extraText_[k].name)
                Fail("text language " + l.extraText_[k].name + " is named twice");
    }
    for (size_t k = 0; k < l.secondary_.size(); ++k) {
        int code = secondaryCodes_[k] ? *secondaryCodes_[k]
                                      : TQRWordList::FindLanguage(l.secondary_[k].name);
        l.secondary_[k].code = code < 0 ? 255 : uint8_t(code);
    }
    l.modified_ = false;
}

// --- writing --------------------------------------------------------------------------------

namespace {

std::string LanguageText(const std::string& name, int code) {
    return Escape(name, false, true) + " = " + std::to_string(code);
}

std::string HexBytes(std::string_view bytes) {
    std::string out;
    for (unsigned char b : bytes)
        out += Hex(b).substr(2);
    return out;
}

// A secret is written as its plain text when that scrambles back to the same bytes.
void Secret(std::ostringstream& out, const char* key, const std::string& scrambled) {
    std::string plain = UnscrambleText(scrambled);
    if (ScrambleText(plain) == scrambled)
        out << key << ":" << (plain.empty() ? "" : " ") << Escape(plain) << "\n";
    else
        out << key << "-raw: " << HexBytes(scrambled) << "\n";
}

} // namespace

void TWordListSource::Build(std::string_view text, TQRWordList& list) {
    Parser parser(text);
    try {
        parser.Run(list);
    } catch (...) {
        list.Reset();
        throw;
    }
}

std::string TWordListSource::Export(const TQRWordList& l) {
    std::ostringstream out;
    auto put = [&](const char* key, const std::string& value) {
        out << key << ":" << (value.empty() ? "" : " ") << value << "\n";
    };
    out << "# Quill-Rush word list\n";
    out << "type: " << kTypeNames[int(l.listType_)] << "\n";
    put("title", Escape(l.title_));
    put("handle", Escape(l.handle_));
    out << "version: " << l.versionMajor_ << "." << l.versionMinor_ << "\n";
    put("name-language", Escape(l.nameLanguage_));
    out << "main-language: " << LanguageText(l.primaryLanguage_, l.primaryCode_) << "\n";
    out << "text-language: " << LanguageText(l.textLanguage_, l.textCode_) << "\n";
    out << "icon-clues: " << (l.usesIconClues_ ? "yes" : "no") << "\n";
    put("icon-library", Escape(l.iconLibrary_));
    Secret(out, "password", l.password_);
    Secret(out, "signature", l.signature_);
    for (const auto& c : l.comments_)
        put("comment", Escape(c));
    for (const auto& d : l.description_)
        put("description", Escape(d));
    for (const auto& a : l.authorLines_)
        put("author", Escape(a));
    for (const auto& g : l.groupNames_)
        out << "group-name: " << g.group + 1 << " = " << Escape(g.name, false, true) << "\n";
    for (const auto& s : l.importSources_) {
        out << "import: " << Escape(s.name) << " | " << Escape(s.details.text1) << " | "
            << Escape(s.details.text2) << " | " << s.details.number1 << " | " << s.details.number2
            << " | "
            << HexBytes(std::string_view(reinterpret_cast<const char*>(s.details.extra.data()), 8))
            << "\n";
    }
    if (l.listType_ == TListType::Vocabulary)
        for (const auto& lang : l.secondary_)
            out << "language: " << LanguageText(lang.name, lang.code) << "\n";
    if (l.levels_.empty()) out << "levels: none\n";
    for (const auto& entry : l.levels_) {
        out << "level:" << (entry.name.empty() ? "" : " " + Escape(entry.name)) << " |";
        for (int g = 0; g <= TLevel::kMaxGroup; ++g)
            if (entry.level.Contains(g)) out << " " << g + 1;
        out << "\n";
    }
    for (const auto& extra : l.extraText_) {
        out << "\n[text-language " << LanguageText(extra.name, extra.code) << "]\n";
        put("title", Escape(extra.title));
        for (const auto& d : extra.description)
            put("description", Escape(d));
        for (const auto& n : extra.levelNames)
            put("level", Escape(n));
    }
    out << "\n[words]\n";
    int group = -1;
    int source = 0;
    for (size_t i = 0; i < l.words_.size(); ++i) {
        uint32_t a = l.words_[i].attributes;
        if (word_attr::Group(a) != group) {
            group = word_attr::Group(a);
            out << "@group " << group + 1 << "\n";
        }
        if (word_attr::Source(a) != source) {
            source = word_attr::Source(a);
            out << "@source " << source << "\n";
        }
        std::string row = Escape(l.words_[i].text, true);
        if (l.listType_ == TListType::Vocabulary) {
            for (const auto& lang : l.secondary_)
                row += " | " + Escape(i < lang.translations.size() ? lang.translations[i] : "");
        } else {
            row += " | " + Escape(i < l.clues_.size() ? l.clues_[i] : "");
        }
        out << (row.empty() ? "\\e" : row) << "\n";
    }
    return out.str();
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/qrwtool/word_list_json.h"

#include <cstdio>
#include <vector>

#include "foundation/text_codec.h"
#include "wordlist/scramble.h"

namespace qr {
namespace {

// Writes indented JSON; keys and texts are given as the list's bytes.
class JsonWriter {
  public:
    void Begin(char bracket) {
        Separate();
        out_ += bracket;
        first_.push_back(true);
    }
    void End(char bracket) {
        bool empty = first_.back();
        first_.pop_back();
        if (!empty) NewLine();
        out_ += bracket;
    }
    void Key(const char* key) {
        Separate();
        Quoted(key);
        out_ += ": ";
        afterKey_ = true;
    }
    void Text(std::string_view bytes) {
        Separate();
        Quoted(ToUtf8(bytes));
    }
    void Number(long long n) {
        Separate();
        out_ += std::to_string(n);
    }
    void Bool(bool b) {
        Separate();
        out_ += b ? "true" : "false";
    }
    template <class T> void Field(const char* key, const T& value) {
        Key(key);
        if constexpr (std::is_same_v<T, bool>)
            Bool(value);
        else if constexpr (std::is_arithmetic_v<T>)
            Number(static_cast<long long>(value));
        else
            Text(value);
    }
    void TextArray(const char* key, const std::vector<std::string>& lines) {
        Key(key);
        Begin('[');
        for (const auto& l : lines)
            Text(l);
        End(']');
    }
    std::string Result() { return out_ + "\n"; }

  private:
    void Separate() {
        if (afterKey_) {
            afterKey_ = false;
            return;
        }
        if (first_.empty()) return;
        if (!first_.back()) out_ += ',';
        first_.back() = false;
        NewLine();
    }
    void NewLine() {
        out_ += '\n';
        out_.append(first_.size() * 2, ' ');
    }
    void Quoted(std::string_view utf8) {
        out_ += '"';
        for (unsigned char c : utf8) {
            if (c == '"' || c == '\\') {
                out_ += '\\';
                out_ += char(c);
            } else if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out_ += buf;
            } else {
                out_ += char(c);
            }
        }
        out_ += '"';
    }

    std::string out_;
    std::vector<bool> first_;
    bool afterKey_ = false;
};

const char* TypeName(TListType t) {
    switch (t) {
    case TListType::Vocabulary:
        return "vocabulary";
    case TListType::Anagrams:
        return "anagrams";
    case TListType::Quiz:
        return "quiz";
    }
    return "?";
}

} // namespace

std::string WordListToJson(const TQRWordList& l) {
    JsonWriter j;
    j.Begin('{');
    j.Field("fileVersion", l.FileVersion());
    j.Field("listType", std::string(TypeName(l.ListType())));
    j.Field("nameLanguage", l.NameLanguage());
    j.Field("title", l.StoredTitle());
    j.Field("handle", l.Handle());
    j.Field("versionMajor", l.VersionMajor());
    j.Field("versionMinor", l.VersionMinor());
    j.Field("usesIconClues", l.UsesIconClues());
    j.Field("iconLibrary", l.IconLibrary());
    j.Field("primaryLanguage", l.PrimaryLanguage());
    j.Field("primaryLanguageCode", l.PrimaryLanguageCode());
    j.Field("textLanguage", l.TextLanguage());
    j.Field("textLanguageCode", l.TextLanguageCode());
    j.Field("password", UnscrambleText(l.Password()));
    j.Field("signature", UnscrambleText(l.Signature()));

    auto lines = [](size_t n, auto get) {
        std::vector<std::string> v;
        for (size_t i = 0; i < n; ++i)
            v.push_back(get(i));
        return v;
    };
    j.TextArray("comments", lines(l.CommentCount(), [&](size_t i) { return l.Comment(i); }));
    j.TextArray("description",
                lines(l.DescriptionCount(), [&](size_t i) { return l.DescriptionLine(i); }));
    j.TextArray("authorLines",
                lines(l.AuthorLineCount(), [&](size_t i) { return l.AuthorLine(i); }));

    j.Key("groupNames");
    j.Begin('[');
    for (const auto& g : l.GroupNames()) {
        j.Begin('{');
        j.Field("group", g.group);
        j.Field("name", g.name);
        j.End('}');
    }
    j.End(']');

    j.Key("importSources");
    j.Begin('[');
    for (const auto& s : l.ImportSources()) {
        j.Begin('{');
        j.Field("name", s.name);
        j.Field("firstWord", s.details.FirstWord);
        j.End('}');
    }
    j.End(']');

    j.Key("languageSummary");
    j.Begin('[');
    for (const auto& s : l.LanguageSummary()) {
        j.Begin('{');
        j.Field("name", s.name);
        j.Field("code", s.code);
        j.Field("playable", s.playable);
        j.End('}');
    }
    j.End(']');

    j.Key("levels");
    j.Begin('[');
    for (const auto& entry : l.Levels()) {
        j.Begin('{');
        j.Field("name", entry.name);
        j.Key("groups");
        j.Begin('[');
        for (int g = 0; g <= TLevel::kLastBit; ++g)
            if (entry.level.Contains(g)) j.Number(g);
        j.End(']');
        j.End('}');
    }
    j.End(']');

    j.Key("extraTextLanguages");
    j.Begin('[');
    for (const auto& e : l.ExtraTextLanguages()) {
        j.Begin('{');
        j.Field("name", e.name);
        j.Field("code", e.code);
        j.Field("title", e.title);
        j.TextArray("description", e.description);
        j.TextArray("levelNames", e.levelNames);
        j.End('}');
    }
    j.End(']');

    j.Key("words");
    j.Begin('[');
    for (size_t i = 0; i < l.WordCount(); ++i) {
        j.Begin('{');
        j.Field("text", l.Word(i));
        j.Field("group", l.Group(i));
        j.Field("source", l.Source(i));
        j.End('}');
    }
    j.End(']');

    j.TextArray("clues", l.Clues());

    j.Key("secondaryLanguages");
    j.Begin('[');
    for (const auto& s : l.SecondaryLanguages()) {
        j.Begin('{');
        j.Field("name", s.name);
        j.Field("code", s.code);
        j.TextArray("translations", s.translations);
        j.End('}');
    }
    j.End(']');
    j.End('}');
    return j.Result();
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/qrwtool/word_list_json.h"

#include <nlohmann/json.hpp>
#include <vector>

#include "foundation/text_codec.h"
#include "wordlist/scramble.h"

namespace qr {
namespace {

using Json = nlohmann::ordered_json;

// Texts of the list are its bytes; JSON holds them in UTF-8.
Json Text(std::string_view bytes) {
    return ToUtf8(bytes);
}

Json Texts(const std::vector<std::string>& lines) {
    Json a = Json::array();
    for (const auto& l : lines)
        a.push_back(Text(l));
    return a;
}

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
    Json j;
    j["fileVersion"] = l.FileVersion();
    j["listType"] = TypeName(l.ListType());
    j["nameLanguage"] = Text(l.NameLanguage());
    j["title"] = Text(l.StoredTitle());
    j["handle"] = l.Handle();
    j["versionMajor"] = l.VersionMajor();
    j["versionMinor"] = l.VersionMinor();
    j["usesIconClues"] = l.UsesIconClues();
    j["iconLibrary"] = Text(l.IconLibrary());
    j["primaryLanguage"] = Text(l.PrimaryLanguage());
    j["primaryLanguageCode"] = l.PrimaryLanguageCode();
    j["textLanguage"] = Text(l.TextLanguage());
    j["textLanguageCode"] = l.TextLanguageCode();
    j["password"] = Text(UnscrambleText(l.Password()));
    j["signature"] = Text(UnscrambleText(l.Signature()));

    auto lines = [](size_t n, auto get) {
        std::vector<std::string> v;
        for (size_t i = 0; i < n; ++i)
            v.push_back(get(i));
        return v;
    };
    j["comments"] = Texts(lines(l.CommentCount(), [&](size_t i) { return l.Comment(i); }));
    j["description"] =
        Texts(lines(l.DescriptionCount(), [&](size_t i) { return l.DescriptionLine(i); }));
    j["authorLines"] = Texts(lines(l.AuthorLineCount(), [&](size_t i) { return l.AuthorLine(i); }));

    Json groups = Json::array();
    for (const auto& g : l.GroupNames())
        groups.push_back({{"group", g.group}, {"name", Text(g.name)}});
    j["groupNames"] = groups;

    Json sources = Json::array();
    for (const auto& s : l.ImportSources())
        sources.push_back({{"name", Text(s.name)}, {"firstWord", s.details.FirstWord}});
    j["importSources"] = sources;

    Json summary = Json::array();
    for (const auto& s : l.LanguageSummary())
        summary.push_back({{"name", Text(s.name)}, {"code", s.code}, {"playable", s.playable}});
    j["languageSummary"] = summary;

    Json levels = Json::array();
    for (const auto& entry : l.Levels()) {
        Json bits = Json::array();
        for (int g = 0; g <= TLevel::kLastBit; ++g)
            if (entry.level.Contains(g)) bits.push_back(g);
        levels.push_back({{"name", Text(entry.name)}, {"groups", bits}});
    }
    j["levels"] = levels;

    Json extra = Json::array();
    for (const auto& e : l.ExtraTextLanguages())
        extra.push_back({{"name", Text(e.name)},
                         {"code", e.code},
                         {"title", Text(e.title)},
                         {"description", Texts(e.description)},
                         {"levelNames", Texts(e.levelNames)}});
    j["extraTextLanguages"] = extra;

    Json words = Json::array();
    for (size_t i = 0; i < l.WordCount(); ++i)
        words.push_back(
            {{"text", Text(l.Word(i))}, {"group", l.Group(i)}, {"source", l.Source(i)}});
    j["words"] = words;

    j["clues"] = Texts(l.Clues());

    Json secondary = Json::array();
    for (const auto& s : l.SecondaryLanguages())
        secondary.push_back(
            {{"name", Text(s.name)}, {"code", s.code}, {"translations", Texts(s.translations)}});
    j["secondaryLanguages"] = secondary;
    return j.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace qr

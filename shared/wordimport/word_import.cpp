// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordimport/word_import.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

#include "foundation/polyglot.h"
#include "foundation/stream.h"
#include "foundation/text_codec.h"
#include "wordimport/csv_reader.h"
#include "wordimport/import_languages.h"
#include "wordimport/kvtml_reader.h"

namespace qr {
namespace {

constexpr size_t kMaxText = 255;
constexpr size_t kMaxWords = 65535;
constexpr size_t kMaxGroups = 100;
constexpr size_t kMaxLevels = 100;
constexpr size_t kMaxExamples = 5;

std::string Lower(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = char(c + 32);
    return r;
}

// Typographic punctuation whose Windows-1252 bytes hold the fonts' special letters in
// the game: the plain forms say the same and can be shown.
constexpr std::pair<std::string_view, std::string_view> kPlainPunctuation[] = {
    {"\u2018", "'"},  {"\u2019", "'"},  {"\u201A", "'"},   {"\u201B", "'"},
    {"\u201C", "\""}, {"\u201D", "\""}, {"\u201E", "\""},  {"\u201F", "\""},
    {"\u2013", "-"},  {"\u2014", "-"},  {"\u2026", "..."},
};

// Clues are read, never typed: characters a clue may use that the fonts cannot draw but
// that have a plain spelling ("H₂O" is H2O) take it. Answers keep theirs, since the
// child must type exactly the answer's letters.
constexpr std::pair<std::string_view, std::string_view> kPlainClueCharacters[] = {
    {"\u2070", "0"}, {"\u2071", "i"},  {"\u2074", "4"}, {"\u2075", "5"}, {"\u2076", "6"},
    {"\u2077", "7"}, {"\u2078", "8"},  {"\u2079", "9"}, {"\u207A", "+"}, {"\u207B", "-"},
    {"\u207C", "="}, {"\u207D", "("},  {"\u207E", ")"}, {"\u207F", "n"}, {"\u2080", "0"},
    {"\u2081", "1"}, {"\u2082", "2"},  {"\u2083", "3"}, {"\u2084", "4"}, {"\u2085", "5"},
    {"\u2086", "6"}, {"\u2087", "7"},  {"\u2088", "8"}, {"\u2089", "9"}, {"\u208A", "+"},
    {"\u208B", "-"}, {"\u208C", "="},  {"\u208D", "("}, {"\u208E", ")"}, {"\u2212", "-"},
    {"\u2032", "'"}, {"\u2033", "\""}, {"\u2044", "/"}, {"\u2022", "-"}, {"\u2009", " "},
    {"\u200A", " "}, {"\u202F", " "},  {"\u2007", " "}, {"\u2002", " "}, {"\u2003", " "},
};

std::string Normalise(std::string_view utf8);

std::string PlainClue(const std::string& utf8) {
    std::string out;
    bool changed = false;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (uint8_t(utf8[i]) == 0xE2) {
            auto it = std::find_if(
                std::begin(kPlainClueCharacters), std::end(kPlainClueCharacters),
                [&](const auto& p) { return utf8.compare(i, p.first.size(), p.first) == 0; });
            if (it != std::end(kPlainClueCharacters)) {
                out += it->second;
                i += it->first.size() - 1;
                changed = true;
                continue;
            }
        }
        out += utf8[i];
    }
    // A folded space may sit next to another or at an end.
    return changed ? Normalise(out) : out;
}

// Latin-1 text read as Latin-2 turns "å" into "ĺ" (the same byte), and KDE's Swedish
// lists, most of which call themselves English, were written so. "ĺ" belongs to Slovak
// alone, so in any other language it can only be such an "å"; in a column of no stated
// language it is left alone. Returns whether anything changed.
bool RepairLatin2Aring(std::string& utf8) {
    bool changed = false;
    for (size_t i = 0; i + 1 < utf8.size(); ++i) {
        if (utf8[i] != '\xC4' || (utf8[i + 1] != '\xBA' && utf8[i + 1] != '\xB9')) continue;
        utf8[i] = '\xC3';
        utf8[i + 1] = utf8[i + 1] == '\xBA' ? '\xA5' : '\x85';
        changed = true;
    }
    return changed;
}

bool AlphabetHasLAcute(const TImportLanguage& l) {
    if (l.id.empty() && l.name.empty()) return true; // unknown: it may be Slovak
    std::string id = Lower(l.id.substr(0, l.id.find_first_of("_-@.")));
    std::string name = Lower(l.name);
    return id == "sk" || id == "slk" || id == "slo" || name.rfind("slovak", 0) == 0 ||
           name.rfind("sloven\xC4\x8Dina", 0) == 0;
}

// One line of text as a cell of the game can hold it: line breaks, tabs and other
// controls become spaces, runs of spaces one, no space at either end; no-break spaces
// are spaces, soft hyphens (invisible hyphenation hints) go, and typographic quotes and
// dashes become plain ones.
std::string Normalise(std::string_view utf8) {
    std::string s;
    s.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        uint8_t b = uint8_t(utf8[i]);
        if (b == 0xC2 && i + 1 < utf8.size()) {
            uint8_t n = uint8_t(utf8[i + 1]);
            if (n == 0xAD) {
                ++i;
                continue;
            }
            if (n == 0xA0 || (n >= 0x80 && n <= 0x9F)) {
                s += ' ';
                ++i;
                continue;
            }
        }
        if (b == 0xE2) {
            auto it = std::find_if(
                std::begin(kPlainPunctuation), std::end(kPlainPunctuation),
                [&](const auto& p) { return utf8.substr(i, p.first.size()) == p.first; });
            if (it != std::end(kPlainPunctuation)) {
                s += it->second;
                i += it->first.size() - 1;
                continue;
            }
        }
        s += (b < 0x20 || b == 0x7F) ? ' ' : char(b);
    }
    std::string out;
    for (char c : s)
        if (c != ' ' || (!out.empty() && out.back() != ' ')) out += c;
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// The character as people read it in a message (it has no byte of the game's own).
std::string Utf8Of(char32_t cp) {
    if (cp < 0x80) return std::string(1, char(cp));
    if (cp < 0x800) return {char(0xC0 | (cp >> 6)), char(0x80 | (cp & 0x3F))};
    if (cp < 0x10000)
        return {char(0xE0 | (cp >> 12)), char(0x80 | ((cp >> 6) & 0x3F)), char(0x80 | (cp & 0x3F))};
    return {char(0xF0 | (cp >> 18)), char(0x80 | ((cp >> 12) & 0x3F)),
            char(0x80 | ((cp >> 6) & 0x3F)), char(0x80 | (cp & 0x3F))};
}

std::string CharacterName(char32_t cp) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", unsigned(cp));
    if (cp < 0x20 || cp == 0xFFFD) return code;
    return "\"" + Utf8Of(cp) + "\" (" + code + ")";
}

std::string LineText(int line) {
    return line > 0 ? "line " + std::to_string(line) + ", " : std::string();
}

// Texts that describe the list rather than being played: a character the game cannot
// show becomes "?" with a warning, a text too long is cut.
class MetaText {
  public:
    explicit MetaText(std::vector<std::string>& warnings) : warnings_(warnings) {}
    std::string operator()(std::string_view utf8, const std::string& what) {
        std::string text = Normalise(utf8), bytes;
        if (FromUtf8Showable(text, bytes)) {
            bytes = FromUtf8(text);
            warnings_.push_back(what + " has characters the game cannot show; they read as \"?\"");
        }
        if (bytes.size() > kMaxText) {
            bytes.resize(kMaxText);
            warnings_.push_back(what + " is cut to 255 bytes");
        }
        return bytes;
    }

  private:
    std::vector<std::string>& warnings_;
};

std::string Stem(std::string_view path) {
    return std::filesystem::path(std::string(path)).stem().string();
}

} // namespace

std::string ShownAnswer(std::string_view answer) {
    std::string s(answer);
    size_t open = s.find('{');
    if (open != std::string::npos) {
        size_t close = s.find('}', open);
        if (close != std::string::npos) {
            size_t from = open > 0 && s[open - 1] == ' ' ? open - 1 : open;
            s.erase(from, close + 1 - from);
        }
    }
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '[' && i + 2 < s.size() && s[i + 2] == ']') {
            out += s[i + 1];
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

TImportResult TWordListImport::Build(const TImportTable& table, const TImportOptions& options,
                                     std::string_view sourceName) {
    TImportResult result;
    TImportSummary& summary = result.summary;
    summary.warnings = table.warnings;
    summary.skipped = table.duplicates;
    MetaText meta(summary.warnings);

    // --- languages: which columns, in which order ---------------------------------------
    std::vector<size_t> columns;
    auto codeOf = [&](size_t i) {
        int code = StandardLanguageCode(table.languages[i].id);
        return code >= 0 ? code : StandardLanguageCode(table.languages[i].name);
    };
    if (options.languages.empty()) {
        for (size_t i = 0; i < table.languages.size(); ++i)
            columns.push_back(i);
    } else {
        for (const std::string& key : options.languages) {
            int wanted = StandardLanguageCode(key);
            size_t found = table.languages.size();
            for (size_t i = 0; i < table.languages.size() && found == table.languages.size(); ++i) {
                const TImportLanguage& l = table.languages[i];
                if (Lower(key) == Lower(l.id) || Lower(key) == Lower(l.name) ||
                    (wanted >= 0 && wanted == codeOf(i)))
                    found = i;
            }
            if (found == table.languages.size()) {
                std::string have;
                for (const auto& l : table.languages)
                    have += (have.empty() ? "" : ", ") + (l.id.empty() ? l.name : l.id);
                throw ImportException("the file has no language \"" + key + "\" (it has: " + have +
                                      ")");
            }
            if (std::find(columns.begin(), columns.end(), found) != columns.end())
                throw ImportException("the language \"" + key + "\" is named twice");
            columns.push_back(found);
        }
    }

    // --- list type ------------------------------------------------------------------------
    auto mainText = [&](const TImportRow& r) { return Normalise(r.texts[columns[0]]); };
    TListType type;
    if (options.type) {
        type = *options.type;
    } else if (columns.size() >= 2) {
        type = TListType::Vocabulary;
    } else {
        bool allHints = std::any_of(table.rows.begin(), table.rows.end(),
                                    [&](const TImportRow& r) { return !mainText(r).empty(); });
        for (const auto& r : table.rows)
            if (!mainText(r).empty() && Normalise(r.hints[columns[0]]).empty()) allHints = false;
        type = allHints ? TListType::Quiz : TListType::Anagrams;
    }
    const bool vocabulary = type == TListType::Vocabulary;
    if (vocabulary && columns.size() < 2)
        throw ImportException("a vocabulary list needs two languages, and the file has only one");
    if (!vocabulary && columns.size() > 2) {
        summary.warnings.push_back(
            "an anagram or quiz list takes one language and a clue: only the first two "
            "languages are used");
        columns.resize(2);
    }

    // --- language names and codes -----------------------------------------------------------
    struct Language {
        std::string name; // bytes
        uint8_t code = 255;
    };
    std::vector<Language> langs;
    std::set<std::string> usedNames;
    for (size_t k = 0; k < columns.size(); ++k) {
        const TImportLanguage& l = table.languages[columns[k]];
        Language lang;
        int code = codeOf(columns[k]);
        if (code >= 0) {
            lang = {StandardLanguageDisplayName(code), uint8_t(code)};
        } else {
            std::string shown = !l.name.empty() ? l.name : FurtherLanguageName(l.id);
            if (shown.empty()) shown = l.id;
            if (Normalise(shown).empty()) shown = "Language " + std::to_string(k + 1);
            lang.name = meta(shown, "the name of language \"" + shown + "\"");
        }
        if (usedNames.count(lang.name)) {
            lang.name = meta(ToUtf8(lang.name) + " (" + l.id + ")", "a language name");
            lang.code = 255;
        }
        usedNames.insert(lang.name);
        langs.push_back(lang);
        if (!vocabulary) break; // the clue column is no language of the list
    }

    // --- rows ---------------------------------------------------------------------------------
    struct Row {
        std::vector<std::string> texts; // vocabulary: one per language; else answer, clue
        int group;
    };
    // Lists where every entry is marked inactive exist (the flag was set and never
    // meant); honouring it there would leave nothing to play.
    bool honourInactive =
        std::any_of(table.rows.begin(), table.rows.end(), [](auto& r) { return !r.inactive; });
    if (!honourInactive && !table.rows.empty())
        summary.warnings.push_back("every entry is marked inactive: all are imported as playable");
    std::vector<Row> rows;
    size_t tooWide = 0;
    std::vector<std::string> wideExamples;
    for (size_t n = 0; n < table.rows.size(); ++n) {
        const TImportRow& r = table.rows[n];
        std::vector<std::string> texts;
        bool repaired = false;
        auto take = [&](std::string text, size_t column) {
            if (!AlphabetHasLAcute(table.languages[column]) && RepairLatin2Aring(text))
                repaired = true;
            texts.push_back(Normalise(text));
        };
        for (size_t k = 0; k < columns.size(); ++k)
            take(r.texts[columns[k]], columns[k]);
        if (!vocabulary && columns.size() == 1) take(r.hints[columns[0]], columns[0]);
        if (!vocabulary) texts[1] = PlainClue(texts[1]);
        // A blank row is no entry at all.
        if (std::all_of(texts.begin(), texts.end(), [](auto& t) { return t.empty(); })) {
            ++summary.skipped;
            continue;
        }
        const std::string& label =
            *std::find_if(texts.begin(), texts.end(), [](auto& t) { return !t.empty(); });
        std::string where = LineText(r.line) + "entry \"" + label + "\": ";
        // An answer with no letter to spell would be played as a row of no cells, and a
        // list of them played straight through to the diploma. A vocabulary entry needs a
        // word in two languages at least (a player picks the pair); a quiz or anagram entry
        // its answer.
        const size_t spelt = size_t(
            std::count_if(texts.begin(), texts.begin() + (vocabulary ? long(texts.size()) : 1),
                          [](auto& t) { return !ShownAnswer(t).empty(); }));
        if (spelt < (vocabulary ? 2u : 1u)) {
            summary.warnings.push_back(where + (vocabulary
                                                    ? "skipped: it has a word in one language only"
                                                    : "skipped: the answer is empty"));
            ++summary.skipped;
            continue;
        }
        std::string problem;
        Row row{{}, r.group};
        for (size_t k = 0; k < texts.size(); ++k) {
            const std::string& t = texts[k];
            std::string role = k == 0 ? "word" : vocabulary ? "translation" : "clue";
            std::string bytes;
            if (auto bad = FromUtf8Showable(t, bytes)) {
                problem = "the game cannot show the character " + CharacterName(*bad) + " in the " +
                          role + " \"" + t + "\"";
                break;
            }
            if (r.inactive && honourInactive && !bytes.empty() && bytes[0] != '-')
                bytes.insert(0, 1, '-');
            if (bytes.size() > kMaxText) {
                problem = "the " + role + " is longer than the 255 bytes a list can store";
                break;
            }
            row.texts.push_back(std::move(bytes));
        }
        if (!problem.empty()) {
            if (!options.skipUnshowable) throw ImportException(where + problem);
            ++summary.skipped;
            ++summary.unshowable;
            continue;
        }
        size_t answers = vocabulary ? row.texts.size() : 1;
        for (size_t k = 0; k < answers; ++k) {
            if (ShownAnswer(row.texts[k]).size() <= kMaxAnswerCells) continue;
            if (++tooWide <= kMaxExamples) wideExamples.push_back(texts[k]);
        }
        if (repaired) ++summary.repairedAring;
        rows.push_back(std::move(row));
    }
    if (rows.size() > kMaxWords)
        throw ImportException("the file has " + std::to_string(rows.size()) +
                              " entries; a word list holds at most " + std::to_string(kMaxWords));
    if (rows.empty()) throw ImportException("the file has no entries to import");
    if (tooWide) {
        std::string list;
        for (const auto& w : wideExamples)
            list += (list.empty() ? "\"" : ", \"") + w + "\"";
        summary.warnings.push_back(std::to_string(tooWide) + " answer(s) are longer than the " +
                                   std::to_string(kMaxAnswerCells) + " cells the game can draw: " +
                                   list + (tooWide > kMaxExamples ? ", ..." : ""));
    }

    // --- groups and levels ----------------------------------------------------------------------
    // Group indexes of the table that hold kept rows, in file order, and their levels.
    std::vector<int> usedGroups;
    bool ungrouped = false;
    {
        std::set<int> seen;
        for (const Row& r : rows) {
            if (r.group < 0)
                ungrouped = true;
            else
                seen.insert(r.group);
        }
        usedGroups.assign(seen.begin(), seen.end());
    }
    std::vector<int> usedLevels;
    for (int g : usedGroups)
        if (std::find(usedLevels.begin(), usedLevels.end(), table.groups[size_t(g)].level) ==
            usedLevels.end())
            usedLevels.push_back(table.groups[size_t(g)].level);

    // number[g] = the list's group for table group g.
    std::map<int, uint8_t> number;
    std::vector<std::pair<uint8_t, std::string>> groupNames;
    int ungroupedNumber = -1;
    size_t needed = usedGroups.size() + (ungrouped ? 1 : 0);
    const bool fixedNumbers = std::all_of(usedGroups.begin(), usedGroups.end(), [&](int g) {
        return table.groups[size_t(g)].number >= 0;
    });
    if (needed > kMaxGroups && usedLevels.size() + (ungrouped ? 1 : 0) <= kMaxGroups &&
        !fixedNumbers) {
        // Too many lessons: each top-level lesson becomes one group instead.
        summary.warnings.push_back(
            "the file has " + std::to_string(needed) + " lessons with entries, more than the " +
            std::to_string(kMaxGroups) +
            " groups a list can have: each top-level lesson became one group");
        for (size_t k = 0; k < usedLevels.size(); ++k) {
            for (int g : usedGroups)
                if (table.groups[size_t(g)].level == usedLevels[k]) number[g] = uint8_t(k);
            groupNames.emplace_back(uint8_t(k),
                                    meta(table.levels[size_t(usedLevels[k])], "a lesson name"));
        }
        if (ungrouped) ungroupedNumber = int(usedLevels.size());
    } else if (needed > kMaxGroups) {
        throw ImportException("the file has " + std::to_string(needed) +
                              " lessons with entries; a word list holds at most " +
                              std::to_string(kMaxGroups) + " groups");
    } else {
        std::set<int> taken;
        for (size_t k = 0; k < usedGroups.size(); ++k) {
            const TImportGroup& g = table.groups[size_t(usedGroups[k])];
            uint8_t n = uint8_t(fixedNumbers ? g.number : int(k));
            number[usedGroups[k]] = n;
            taken.insert(n);
            groupNames.emplace_back(n, meta(g.name, "the name of lesson \"" + g.name + "\""));
        }
        if (ungrouped) {
            ungroupedNumber = 0;
            while (taken.count(ungroupedNumber))
                ++ungroupedNumber;
        }
    }

    TQRWordList& l = result.list;
    l.Reset();
    l.SetListType(type);
    for (const Row& r : rows) {
        uint8_t g = r.group < 0 ? uint8_t(ungroupedNumber) : number[r.group];
        if (vocabulary)
            l.AddWord(r.texts[0], g);
        else
            l.AddClueWord(r.texts[1], r.texts[0], g);
    }

    // Languages: names as the interface language writes them, codes fixed here so that
    // they never depend on which table is loaded when the list is saved.
    if (std::string interface = Polyglot().GetString(0); interface != TPolyglot::kAccessError)
        l.nameLanguage_ = interface;
    else
        l.nameLanguage_ = "English";
    l.primaryLanguage_ = langs[0].name;
    l.primaryCode_ = langs[0].code == 255 ? int16_t(-1) : int16_t(langs[0].code);
    l.textLanguage_ = langs[0].name;
    l.textCode_ = l.primaryCode_;
    if (vocabulary) {
        for (size_t k = 1; k < langs.size(); ++k) {
            TSecondaryLanguage s{langs[k].name, langs[k].code, {}};
            for (const Row& r : rows)
                s.translations.push_back(r.texts[k]);
            l.secondary_.push_back(std::move(s));
        }
    }

    // Texts about the list.
    std::string title = !options.title.empty() ? options.title
                        : !table.title.empty() ? table.title
                                               : Stem(sourceName);
    l.title_ = meta(title, "the title");
    size_t lines = 0;
    std::string comment = table.comment;
    for (size_t pos = 0; pos <= comment.size();) {
        size_t end = std::min(comment.find('\n', pos), comment.size());
        std::string line = Normalise(std::string_view(comment).substr(pos, end - pos));
        pos = end + 1;
        if (line.empty()) continue;
        if (++lines > TQRWordList::kMaxDescriptionLines) {
            summary.warnings.push_back(
                "the comment has more than 4 lines: the description keeps the first 4");
            break;
        }
        l.description_.push_back(meta(line, "the description"));
    }
    for (const auto& a : table.authors)
        if (!Normalise(a).empty()) l.authorLines_.push_back(meta(a, "an author line"));
    l.comments_.push_back(meta("Imported from " + std::string(sourceName), "the file name"));

    for (auto& [n, name] : groupNames)
        if (!name.empty()) l.groupNames_.push_back({name, n});

    // One level per top-level lesson that has entries, then one with every group; a file
    // without lessons gets a single level.
    l.levels_.clear();
    auto addLevel = [&](std::string name, const std::vector<uint8_t>& groups) {
        TLevelEntry e{std::move(name), {}};
        for (uint8_t g : groups)
            e.level.Include(g);
        l.levels_.push_back(std::move(e));
    };
    std::vector<uint8_t> all;
    for (auto& [g, n] : number)
        if (std::find(all.begin(), all.end(), n) == all.end()) all.push_back(n);
    if (ungrouped) all.push_back(uint8_t(ungroupedNumber));
    std::sort(all.begin(), all.end());
    if (usedLevels.size() <= 1) {
        addLevel(usedLevels.empty() ? std::string()
                                    : meta(table.levels[size_t(usedLevels[0])], "a lesson name"),
                 all);
    } else {
        for (int level : usedLevels) {
            std::vector<uint8_t> groups;
            for (auto& [g, n] : number)
                if (table.groups[size_t(g)].level == level) groups.push_back(n);
            addLevel(meta(table.levels[size_t(level)], "a lesson name"), groups);
        }
        if (l.levels_.size() < kMaxLevels)
            addLevel("All", all);
        else if (ungrouped)
            summary.warnings.push_back(
                "the entries in no lesson are in no level, since a list has at most 100 levels");
    }
    l.modified_ = true;
    summary.imported = rows.size();
    return result;
}

TImportFormat DetectImportFormat(std::string_view path, std::string_view bytes) {
    std::string ext = Lower(std::filesystem::path(std::string(path)).extension().string());
    if (ext == ".kvtml" || ext == ".xml") return TImportFormat::Kvtml;
    if (ext == ".csv" || ext == ".tsv" || ext == ".txt") return TImportFormat::Csv;
    return LooksLikeXml(bytes) ? TImportFormat::Kvtml : TImportFormat::Csv;
}

TImportResult ImportWordList(std::string_view bytes, TImportFormat format,
                             const TImportOptions& options, std::string_view sourceName) {
    TImportTable table = format == TImportFormat::Kvtml ? ReadKvtml(bytes) : ReadCsv(bytes);
    return TWordListImport::Build(table, options, sourceName);
}

TImportResult ImportWordListFile(const std::string& path, const TImportOptions& options) {
    std::error_code ec;
    auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxImportFileSize)
        throw ImportException("the file is too large to be a word list");
    std::vector<uint8_t> data = ReadFileBytes(path);
    std::string_view bytes(reinterpret_cast<const char*>(data.data()), data.size());
    std::string name = std::filesystem::path(path).filename().string();
    return ImportWordList(bytes, DetectImportFormat(path, bytes), options, name);
}

} // namespace qr

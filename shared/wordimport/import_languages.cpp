// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordimport/import_languages.h"

#include <algorithm>
#include <cctype>

#include "foundation/text_codec.h"
#include "wordlist/word_list.h"

namespace qr {
namespace {

struct Standard {
    const char* codes; // ISO 639-1 and 639-2 codes
    const char* names; // English first, then the language's own, German and French names
};

// Index = code, in the order of the game's string files. Names are UTF-8, "|"-separated.
constexpr Standard kStandard[23] = {
    {"fr fra fre", "French|Fran\u00E7ais|Franz\u00F6sisch"},
    {"de deu ger", "German|Deutsch|Allemand"},
    {"en eng", "English|Englisch|Anglais"},
    {"es spa", "Spanish|Espa\u00F1ol|Spanisch|Espagnol"},
    {"it ita", "Italian|Italiano|Italienisch|Italien"},
    {"pt por", "Portuguese|Portugu\u00EAs|Portugiesisch|Portugais"},
    {"nl nld dut", "Dutch|Nederlands|Niederl\u00E4ndisch|N\u00E9erlandais"},
    {"sv swe", "Swedish|Svenska|Schwedisch|Su\u00E9dois"},
    {"no nb nn nor nob nno", "Norwegian|Norsk|Norwegisch|Norv\u00E9gien"},
    {"da dan", "Danish|Dansk|D\u00E4nisch|Danois"},
    {"fi fin", "Finnish|Suomi|Finnisch|Finnois"},
    {"pl pol", "Polish|Polski|Polnisch|Polonais"},
    {"cs ces cze", "Czech|\u010Ce\u0161tina|Tschechisch|Tch\u00E8que"},
    {"hu hun", "Hungarian|Magyar|Ungarisch|Hongrois"},
    {"el ell gre", "Greek|\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC|Griechisch|Grec"},
    {"ru rus", "Russian|\u0420\u0443\u0441\u0441\u043A\u0438\u0439|Russisch|Russe"},
    {"tr tur", "Turkish|T\u00FCrk\u00E7e|T\u00FCrkisch|Turc"},
    {"la lat", "Latin|Latina|Latein"},
    {"ga gle", "Irish|Gaeilge|Irisch|Irlandais"},
    {"cy cym wel", "Welsh|Cymraeg|Walisisch|Gallois"},
    {"is isl ice", "Icelandic|\u00CDslenska|Isl\u00E4ndisch|Islandais"},
    {"hr hrv", "Croatian|Hrvatski|Kroatisch|Croate"},
    {"eo epo", "Esperanto|Esp\u00E9ranto"},
};

std::string_view EnglishName(int code) {
    std::string_view names = kStandard[code].names;
    return names.substr(0, names.find('|'));
}

constexpr std::pair<const char*, const char*> kFurther[] = {
    {"ar", "Arabic"},      {"be", "Belarusian"}, {"bg", "Bulgarian"},  {"br", "Breton"},
    {"bs", "Bosnian"},     {"ca", "Catalan"},    {"et", "Estonian"},   {"eu", "Basque"},
    {"fa", "Persian"},     {"fy", "Frisian"},    {"gl", "Galician"},   {"he", "Hebrew"},
    {"hi", "Hindi"},       {"ja", "Japanese"},   {"ko", "Korean"},     {"lb", "Luxembourgish"},
    {"lt", "Lithuanian"},  {"lv", "Latvian"},    {"mk", "Macedonian"}, {"mt", "Maltese"},
    {"nds", "Low German"}, {"pa", "Punjabi"},    {"ro", "Romanian"},   {"sk", "Slovak"},
    {"sl", "Slovenian"},   {"sq", "Albanian"},   {"sr", "Serbian"},    {"tg", "Tajik"},
    {"uk", "Ukrainian"},   {"zh", "Chinese"},
};

std::string Lower(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = char(std::tolower(uint8_t(c)));
    return r;
}

// "de_AT.UTF-8", "de-AT", "sr@latin" -> "de", "de", "sr".
std::string LanguagePart(std::string_view locale) {
    size_t end = locale.find_first_of("_-@.");
    return Lower(locale.substr(0, end));
}

bool ListHas(std::string_view list, std::string_view word, char separator = ' ') {
    size_t pos = 0;
    while (pos < list.size()) {
        size_t end = list.find(separator, pos);
        if (end == std::string_view::npos) end = list.size();
        if (list.substr(pos, end - pos) == word) return true;
        pos = end + 1;
    }
    return false;
}

int CanonicalCode(std::string_view key) {
    std::string lower = Lower(key);
    std::string part = LanguagePart(key);
    for (int code = 0; code < 23; ++code) {
        if (ListHas(Lower(kStandard[code].names), lower, '|')) return code;
        if (!part.empty() && ListHas(kStandard[code].codes, part)) return code;
    }
    return -1;
}

} // namespace

int StandardLanguageCode(std::string_view key) {
    if (int code = TQRWordList::FindLanguage(FromUtf8(key)); code >= 0) return code;
    int code = CanonicalCode(key);
    if (code < 0) return -1;
    int inTable = TQRWordList::FindLanguage(EnglishName(code));
    return inTable >= 0 ? inTable : code;
}

std::string StandardLanguageDisplayName(int code) {
    std::string name = TQRWordList::StandardLanguageName(code);
    if (!name.empty() || code < 0 || code >= 23) return name;
    return std::string(EnglishName(code));
}

std::string FurtherLanguageName(std::string_view locale) {
    std::string part = LanguagePart(locale);
    for (const auto& [code, name] : kFurther)
        if (part == code) return name;
    return {};
}

} // namespace qr

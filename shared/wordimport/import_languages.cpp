// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordimport/import_languages.h"

#include <algorithm>
#include <cctype>

#include "foundation/text_codec.h"
#include "wordlist/word_list.h"

namespace qr {
namespace {

struct Standard {
    const char* english;
    const char* codes; // ISO 639-1 and 639-2 codes, space-separated
};

// Index = code, in the order of the game's string files.
constexpr Standard kStandard[23] = {
    {"French", "fr fra fre"}, {"German", "de deu ger"}, {"English", "en eng"},
    {"Spanish", "es spa"},    {"Italian", "it ita"},    {"Portuguese", "pt por"},
    {"Dutch", "nl nld dut"},  {"Swedish", "sv swe"},    {"Norwegian", "no nb nn nor nob nno"},
    {"Danish", "da dan"},     {"Finnish", "fi fin"},    {"Polish", "pl pol"},
    {"Czech", "cs ces cze"},  {"Hungarian", "hu hun"},  {"Greek", "el ell gre"},
    {"Russian", "ru rus"},    {"Turkish", "tr tur"},    {"Latin", "la lat"},
    {"Irish", "ga gle"},      {"Welsh", "cy cym wel"},  {"Icelandic", "is isl ice"},
    {"Croatian", "hr hrv"},   {"Esperanto", "eo epo"},
};

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

bool ListHas(std::string_view list, std::string_view word) {
    size_t pos = 0;
    while (pos < list.size()) {
        size_t end = list.find(' ', pos);
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
        if (lower == Lower(kStandard[code].english)) return code;
        if (!part.empty() && ListHas(kStandard[code].codes, part)) return code;
    }
    return -1;
}

} // namespace

int StandardLanguageCode(std::string_view key) {
    if (int code = TQRWordList::FindLanguage(FromUtf8(key)); code >= 0) return code;
    int code = CanonicalCode(key);
    if (code < 0) return -1;
    int inTable = TQRWordList::FindLanguage(kStandard[code].english);
    return inTable >= 0 ? inTable : code;
}

std::string StandardLanguageDisplayName(int code) {
    std::string name = TQRWordList::StandardLanguageName(code);
    if (!name.empty() || code < 0 || code >= 23) return name;
    return kStandard[code].english;
}

std::string FurtherLanguageName(std::string_view locale) {
    std::string part = LanguagePart(locale);
    for (const auto& [code, name] : kFurther)
        if (part == code) return name;
    return {};
}

} // namespace qr

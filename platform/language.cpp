// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/language.h"

#include <cstdlib>
#include <utility>

namespace qr {

std::string WindowsLanguageCode(std::string_view locale) {
    // Strip ".codeset" and "@modifier".
    size_t cut = locale.find_first_of(".@");
    if (cut != std::string_view::npos) locale = locale.substr(0, cut);
    std::string_view lang = locale.substr(0, locale.find('_'));
    std::string_view region = locale.find('_') == std::string_view::npos
                                  ? std::string_view()
                                  : locale.substr(locale.find('_') + 1);
    static const std::pair<const char*, const char*> kRegional[] = {
        {"en_US", "enu"}, {"en_GB", "eng"}, {"en_AU", "ena"}, {"en_CA", "enc"}, {"en_NZ", "enz"},
        {"en_IE", "eni"}, {"en_ZA", "ens"}, {"de_DE", "deu"}, {"de_AT", "dea"}, {"de_CH", "des"},
        {"de_LU", "del"}, {"de_LI", "dec"}, {"fr_FR", "fra"}, {"fr_BE", "frb"}, {"fr_CA", "frc"},
        {"fr_CH", "frs"}, {"fr_LU", "frl"}, {"es_ES", "esn"}, {"es_MX", "esm"}, {"it_IT", "ita"},
        {"it_CH", "its"}, {"nl_NL", "nld"}, {"nl_BE", "nlb"}, {"pt_BR", "ptb"}, {"pt_PT", "ptg"},
        {"zh_CN", "chs"}, {"zh_TW", "cht"}, {"nb_NO", "nor"}, {"nn_NO", "non"},
    };
    static const std::pair<const char*, const char*> kLanguage[] = {
        {"en", "enu"}, {"de", "deu"}, {"fr", "fra"}, {"es", "esn"}, {"it", "ita"}, {"nl", "nld"},
        {"pt", "ptg"}, {"sv", "sve"}, {"da", "dan"}, {"fi", "fin"}, {"nb", "nor"}, {"nn", "non"},
        {"no", "nor"}, {"is", "isl"}, {"pl", "plk"}, {"cs", "csy"}, {"sk", "sky"}, {"sl", "slv"},
        {"hu", "hun"}, {"ro", "rom"}, {"hr", "hrv"}, {"ru", "rus"}, {"tr", "trk"}, {"el", "ell"},
        {"ca", "cat"}, {"ja", "jpn"}, {"ko", "kor"}, {"zh", "chs"}, {"et", "eti"}, {"lv", "lvi"},
        {"lt", "lth"}, {"uk", "ukr"}, {"bg", "bgr"}, {"he", "heb"}, {"ar", "ara"},
    };
    for (const auto& [name, code] : kRegional)
        if (locale == name) return code;
    (void)region;
    for (const auto& [name, code] : kLanguage)
        if (lang == name) return code;
    return "enu";
}

std::string SystemLanguageCode() {
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* v = std::getenv(var); v && *v) return WindowsLanguageCode(v);
    return "enu";
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/working_languages.h"

#include "foundation/polyglot.h"
#include "foundation/uvo_exception.h"
#include "platform/files.h"

namespace qr {

std::string HelpFileName(const std::string& stringFileName) {
    const size_t us = stringFileName.find('_');
    std::string rest = us == std::string::npos ? stringFileName : stringFileName.substr(us);
    const size_t dot = rest.rfind('.');
    if (dot != std::string::npos) rest.resize(dot);
    return "quarry" + rest + ".hlp";
}

std::vector<TWorkLangUI> BuildWorkingLanguages(const std::string& stringFolder,
                                               const std::string& helpFolder) {
    std::vector<TWorkLangUI> out;
    for (const std::string& file : FindFiles(stringFolder, "qr_*.str")) {
        if (out.size() >= kMaxWorkingLanguages) break;
        TPolyglot table;
        try {
            table.Load(stringFolder + file);
        } catch (const UvoException&) {
            continue;
        }
        TWorkLangUI rec;
        rec.name = table.GetString(0);
        rec.menuCaption = table.GetString(1);
        rec.buttonCaption = table.GetString(3);
        rec.stringFile = stringFolder + file;
        const std::string help = ResolveNoCase(helpFolder, HelpFileName(file));
        if (FileExists(help)) rec.helpFile = help;
        out.push_back(std::move(rec));
    }
    return out;
}

std::string HelpFileFor(const TWorkLangUI& language, const std::string& helpFolder) {
    return language.helpFile.empty() ? helpFolder + "quarry_eng.hlp" : language.helpFile;
}

int FindWorkingLanguage(const std::vector<TWorkLangUI>& languages, const std::string& name) {
    for (size_t i = 0; i < languages.size(); ++i)
        if (languages[i].name == name) return int(i);
    return -1;
}

TLanguageButtonLayout LanguageButtonLayout(size_t count) {
    TLanguageButtonLayout l;
    l.rearranged = count > 7;
    if (count > 10) l.pitch = 17;
    if (count > 12) l.welcomeVisible = false;
    return l;
}

} // namespace qr

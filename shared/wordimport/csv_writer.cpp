// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordimport/csv_writer.h"

#include "foundation/text_codec.h"

namespace qr {
namespace {

std::string Field(const std::string& bytes) {
    std::string text = ToUtf8(bytes);
    bool quote = text.find_first_of(",;\t\"\r\n") != std::string::npos ||
                 (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote) return text;
    std::string out = "\"";
    for (char c : text)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

void Row(std::string& out, const std::vector<std::string>& fields) {
    for (size_t i = 0; i < fields.size(); ++i)
        out += (i ? "," : "") + Field(fields[i]);
    out += "\r\n";
}

} // namespace

std::string ExportCsv(const TQRWordList& list) {
    const bool vocabulary = list.ListType() == TListType::Vocabulary;
    std::string out = "\xEF\xBB\xBF";
    std::vector<std::string> header{list.PrimaryLanguage()};
    if (vocabulary)
        for (size_t k = 0; k < list.LanguageCount(); ++k)
            header.push_back(list.LanguageName(k));
    else
        header.push_back("clue");
    header.push_back("group");
    Row(out, header);
    for (size_t i = 0; i < list.WordCount(); ++i) {
        std::vector<std::string> row{list.Word(i)};
        if (vocabulary)
            for (size_t k = 0; k < list.LanguageCount(); ++k)
                row.push_back(list.GetTranslation(list.LanguageName(k), i));
        else
            row.push_back(list.Clue(i));
        std::string name = list.GroupName(list.Group(i));
        row.push_back(name.empty() ? std::to_string(list.Group(i) + 1) : name);
        Row(out, row);
    }
    return out;
}

} // namespace qr

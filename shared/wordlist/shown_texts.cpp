// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordlist/shown_texts.h"

namespace qr {

std::vector<TShownText> ShownTexts(const TQRWordList& list) {
    std::vector<TShownText> out;
    auto add = [&](std::string where, const std::string& text) {
        if (!text.empty()) out.push_back({std::move(where), text});
    };
    auto numbered = [](const char* what, size_t i) { return what + (" " + std::to_string(i + 1)); };
    add("title", list.StoredTitle());
    add("handle", list.Handle());
    for (size_t i = 0; i < list.AuthorLineCount(); ++i)
        add(numbered("author line", i), list.AuthorLine(i));
    for (size_t i = 0; i < list.DescriptionCount(); ++i)
        add(numbered("description line", i), list.DescriptionLine(i));
    for (size_t i = 0; i < list.CommentCount(); ++i)
        add(numbered("comment", i), list.Comment(i));
    for (size_t i = 0; i < list.Levels().size(); ++i)
        add(numbered("level", i) + " name", list.Levels()[i].name);
    for (size_t i = 0; i < list.Words().size(); ++i)
        add(numbered("word", i), list.Words()[i].text);
    for (size_t i = 0; i < list.Clues().size(); ++i)
        add(numbered("clue", i), list.Clues()[i]);
    if (list.ListType() == TListType::Vocabulary) {
        add("language", list.PrimaryLanguage());
        for (const TSecondaryLanguage& l : list.SecondaryLanguages()) {
            add("language", l.name);
            for (size_t i = 0; i < l.translations.size(); ++i)
                add(numbered("word", i) + " (" + l.name + ")", l.translations[i]);
        }
    }
    for (const TExtraTextLanguage& l : list.ExtraTextLanguages()) {
        const std::string in = " (" + l.name + ")";
        add("title" + in, l.title);
        for (size_t i = 0; i < l.description.size(); ++i)
            add(numbered("description line", i) + in, l.description[i]);
        for (size_t i = 0; i < l.levelNames.size(); ++i)
            add(numbered("level", i) + " name" + in, l.levelNames[i]);
    }
    return out;
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/rooms/author_pages.h"

#include <algorithm>

#include "foundation/text_codec.h"
#include "foundation/utils.h"
#include "wordlist/word_list.h"

namespace qr {

namespace {

void AddPages(std::vector<TAuthorPage>& pages, char source, const std::vector<std::string>& lines) {
    size_t i = 0;
    while (i < lines.size()) {
        if (Trim(lines[i]).empty()) {
            ++i;
            continue;
        }
        pages.push_back({source, i});
        i = std::min(lines.size(), i + kAuthorPageLines);
    }
}

bool EndsLink(char c) {
    static constexpr std::string_view kEnds = " (){}<>,;\"'";
    return kEnds.find(c) != std::string_view::npos;
}

// Where the next address starts at or after `from`, or npos. A mail address wins over a
// web address anywhere in the rest of the line.
size_t FindLink(const std::string& lower, size_t from) {
    size_t at = lower.find("mailto:", from);
    if (at != std::string::npos) return at;
    return std::min(lower.find("http://", from), lower.find("https://", from));
}

} // namespace

std::vector<TAuthorPage> BuildAuthorPages(const std::vector<std::string>& description,
                                          const std::vector<std::string>& comments,
                                          const std::vector<std::string>& authorLines) {
    std::vector<TAuthorPage> pages;
    AddPages(pages, 'D', description);
    AddPages(pages, 'C', comments);
    AddPages(pages, 'A', authorLines);
    return pages;
}

std::vector<std::string> AuthorSource(const TQRWordList& list, char source) {
    std::vector<std::string> lines;
    const size_t n = source == 'D'   ? list.DescriptionCount()
                     : source == 'C' ? list.CommentCount()
                                     : list.AuthorLineCount();
    for (size_t i = 0; i < n; ++i)
        lines.push_back(source == 'D'   ? list.DescriptionLine(i)
                        : source == 'C' ? list.Comment(i)
                                        : list.AuthorLine(i));
    return lines;
}

std::vector<TAuthorPage> BuildAuthorPages(const TQRWordList& list) {
    return BuildAuthorPages(AuthorSource(list, 'D'), AuthorSource(list, 'C'),
                            AuthorSource(list, 'A'));
}

std::vector<TLinePiece> SplitLinks(std::string_view line) {
    std::vector<TLinePiece> pieces;
    const std::string text(line);
    const std::string lower = LowerCase(text);
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t start = FindLink(lower, pos);
        if (start == std::string::npos) break;
        size_t end = std::min(text.size(), start + 7);
        while (end < text.size() && !EndsLink(text[end]))
            ++end;
        if (start > pos) pieces.push_back({text.substr(pos, start - pos), false});
        pieces.push_back({text.substr(start, end - start), true});
        pos = end;
    }
    if (pos < text.size()) pieces.push_back({text.substr(pos), false});
    return pieces;
}

} // namespace qr

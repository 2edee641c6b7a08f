// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The author room's text: a module's description, comments and author lines cut into
// pages of up to ten lines, and the web and mail addresses inside a line.
#include <string>
#include <string_view>
#include <vector>

namespace qr {

class TQRWordList;

// A page: its source ('D' description, 'C' comments, 'A' author lines) and first line.
struct TAuthorPage {
    char source = 'D';
    size_t first = 0;
    friend bool operator==(const TAuthorPage&, const TAuthorPage&) = default;
};

inline constexpr size_t kAuthorPageLines = 10;

// Each source in turn: blank lines before a page are skipped, a page takes the next ten
// lines (or what is left), the next page starts after them.
std::vector<TAuthorPage> BuildAuthorPages(const std::vector<std::string>& description,
                                          const std::vector<std::string>& comments,
                                          const std::vector<std::string>& authorLines);
std::vector<TAuthorPage> BuildAuthorPages(const TQRWordList& list);
// The lines of a source of the list.
std::vector<std::string> AuthorSource(const TQRWordList& list, char source);

// A line cut into plain text and addresses. An address starts at "mailto:", or where a
// line has none at "http://" or "https://" (any case), and ends before the first blank,
// bracket, comma, semicolon or quote after its seventh character.
struct TLinePiece {
    std::string text;
    bool link = false;
    friend bool operator==(const TLinePiece&, const TLinePiece&) = default;
};
std::vector<TLinePiece> SplitLinks(std::string_view line);

} // namespace qr

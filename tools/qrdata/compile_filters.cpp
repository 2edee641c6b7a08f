// SPDX-License-Identifier: GPL-3.0-or-later
#include "compile_filters.h"

#include "foundation/utils.h"

namespace qr {

namespace {

// Searched by substring, exactly as the game's reader expands the words again.
constexpr const char* kAbbreviations =
    " HITBOX_HBX INFORMONENTRY_IOE HITACTION_HACT HITCURSOR_HCUR FRAMESET_FS ROOMSCRIPTBOX_RSB "
    "XROOMSCRIPTBOX_XRB ";

std::string Abbreviate(const std::string& word) {
    std::string table = kAbbreviations;
    size_t at = table.find(" " + AsciiUpper(word) + "_");
    if (at == std::string::npos) return word;
    size_t from = at + word.size() + 2;
    return table.substr(from, table.find(' ', from) - from);
}

} // namespace

bool WorldScriptCompileFilter(std::string& line) {
    line = Trim(line);
    if (line.empty()) return false;
    size_t space = line.find(' ');
    std::string word = line.substr(0, space);
    std::string rest =
        space == std::string::npos ? std::string() : TrimLeft(line.substr(space + 1));
    word = Abbreviate(word);
    line = rest.empty() ? word : word + " " + rest;
    return true;
}

bool SoundTableCompileFilter(std::string& line) {
    line = Trim(line);
    size_t cut = line.find(' ');
    if (cut != std::string::npos) line.erase(cut);
    cut = line.find('\t');
    if (cut != std::string::npos) line.erase(cut);
    return !line.empty() && line[0] != '[' && line[0] != '#';
}

} // namespace qr

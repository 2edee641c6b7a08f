// SPDX-License-Identifier: GPL-3.0-or-later
#include "string_source.h"

#include <cctype>

#include "foundation/polyglot.h"
#include "foundation/text_codec.h"

namespace qr {

namespace {

[[noreturn]] void Fail(const std::string& name, int line, const std::string& what) {
    throw StringSourceError(name + ":" + std::to_string(line) + ": " + what);
}

} // namespace

std::vector<std::string> Placeholders(std::string_view text) {
    std::vector<std::string> out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') continue;
        if (i + 1 < text.size() && text[i + 1] == '%') {
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < text.size() &&
               (std::isdigit(uint8_t(text[j])) || text[j] == '.' || text[j] == '-'))
            ++j;
        if (j < text.size()) {
            out.emplace_back(text.substr(i, j - i + 1));
            i = j;
        } else {
            out.emplace_back(text.substr(i));
        }
    }
    return out;
}

TStringSource TStringSource::Parse(std::string_view text, const std::string& name) {
    TStringSource src;
    src.name_ = name;
    int lineNo = 0;
    int last = -1;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos || line[first] == '#') continue;
        if (first != 0) Fail(name, lineNo, "a string line must start with its number");
        size_t digits = 0;
        while (digits < line.size() && std::isdigit(uint8_t(line[digits])))
            ++digits;
        if (digits == 0 || digits > 3)
            Fail(name, lineNo,
                 "expected a string number 0-" + std::to_string(TPolyglot::kMaxStrings - 1));
        int number = std::stoi(std::string(line.substr(0, digits)));
        if (number == last)
            Fail(name, lineNo, "string " + std::to_string(number) + " is given twice");
        if (number < last)
            Fail(name, lineNo,
                 "string " + std::to_string(number) + " comes after " + std::to_string(last));
        if (digits == line.size() || (line[digits] != ' ' && line[digits] != '\t'))
            Fail(name, lineNo, "string " + std::to_string(number) + " has no text");
        std::string body(line.substr(digits + 1));
        if (body.empty()) Fail(name, lineNo, "string " + std::to_string(number) + " has no text");
        // The round trip catches characters outside the files' byte encoding, which would
        // otherwise turn into "?" without anybody noticing.
        if (ToUtf8(FromUtf8(body)) != body)
            Fail(name, lineNo,
                 "string " + std::to_string(number) +
                     " holds a character the string files cannot store");
        src.strings_[number] = std::move(body);
        last = number;
    }
    if (src.strings_.empty()) throw StringSourceError(name + ": no strings");
    return src;
}

std::string TStringSource::Generate() const {
    std::string out;
    int next = 0;
    for (const auto& [number, text] : strings_) {
        for (; next < number; ++next)
            out += '\n';
        out += FromUtf8(text);
        out += '\n';
        next = number + 1;
    }
    return out;
}

void TStringSource::CheckAgainst(const TStringSource& reference) const {
    std::string faults;
    for (const auto& [number, text] : reference.strings_) {
        auto it = strings_.find(number);
        if (it == strings_.end()) {
            faults += "\n  string " + std::to_string(number) + " is missing";
            continue;
        }
        if (Placeholders(it->second) != Placeholders(text))
            faults += "\n  string " + std::to_string(number) + " has other placeholders than " +
                      reference.name_;
    }
    for (const auto& entry : strings_)
        if (!reference.strings_.count(entry.first))
            faults += "\n  string " + std::to_string(entry.first) + " is not in " + reference.name_;
    if (!faults.empty())
        throw StringSourceError(name_ + " does not match " + reference.name_ + ":" + faults);
}

} // namespace qr

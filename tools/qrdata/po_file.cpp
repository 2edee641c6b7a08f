// SPDX-License-Identifier: GPL-3.0-or-later
#include "po_file.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "fit_limits.h"
#include "foundation/text_codec.h"

namespace qr {

namespace {

// A source cut at its string lines: each string with the lines (comments, blank lines)
// written just before it, and the lines after the last one.
struct SourceEntry {
    int number = 0;
    std::string text;
    std::vector<std::string> before;
};
struct SourceLayout {
    std::vector<SourceEntry> entries;
    std::vector<std::string> after;
};

bool IsStringLine(std::string_view line) {
    size_t first = line.find_first_not_of(" \t");
    return first != std::string_view::npos && line[first] != '#';
}

// The source is parsed first, so its faults are reported as the data build reports them.
SourceLayout Layout(std::string_view text, const std::string& name) {
    TStringSource::Parse(text, name);
    SourceLayout out;
    std::vector<std::string> pending;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = std::min(text.find('\n', pos), text.size());
        std::string line(text.substr(pos, end - pos));
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!IsStringLine(line)) {
            pending.push_back(line);
            continue;
        }
        size_t digits = line.find_first_not_of("0123456789");
        SourceEntry e;
        e.number = std::stoi(line.substr(0, digits));
        e.text = line.substr(digits + 1);
        e.before = std::move(pending);
        pending.clear();
        out.entries.push_back(std::move(e));
    }
    out.after = std::move(pending);
    return out;
}

// Source form ("\n" written as two characters) to the text a translator sees, and back.
std::string ToMessage(std::string_view source) {
    std::string out;
    for (size_t i = 0; i < source.size(); ++i) {
        if (source[i] == '\\' && i + 1 < source.size() && source[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else if (source[i] == '\\' && i + 1 < source.size() && source[i + 1] == '\\') {
            // Kept as a pair so that the pair cannot join the next character.
            out += "\\\\";
            ++i;
        } else {
            out += source[i];
        }
    }
    return out;
}

std::string FromMessage(std::string_view message) {
    std::string out;
    for (char c : message)
        if (c == '\n')
            out += "\\n";
        else
            out += c;
    return out;
}

std::string Quote(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out + "\"";
}

// A source line that is no string, as a translator comment, and back. A translator's own
// comment (added in a translation editor) comes back as a comment of the source.
std::string CommentLine(const std::string& sourceLine) {
    if (sourceLine.find_first_not_of(" \t") == std::string::npos) return "#";
    return "# " + sourceLine;
}
std::string SourceLine(const std::string& comment) {
    if (comment.empty()) return comment;
    size_t first = comment.find_first_not_of(" \t");
    if (first != std::string::npos && comment[first] == '#') return comment;
    return "# " + comment;
}

// Comment lines of the English source are the translators' notes on the next string.
std::vector<std::string> Notes(const SourceEntry& english) {
    std::vector<std::string> notes;
    // Only the paragraph just above the string: a blank line ends what is said about it.
    auto from = english.before.end();
    while (from != english.before.begin() &&
           (from - 1)->find_first_not_of(" \t") != std::string::npos)
        --from;
    for (auto it = from; it != english.before.end(); ++it) {
        const std::string& line = *it;
        size_t first = line.find_first_not_of(" \t");
        std::string note = line.substr(first + 1);
        if (!note.empty() && note[0] == ' ') note.erase(0, 1);
        if (!note.empty()) notes.push_back(note);
    }
    std::vector<std::string> placeholders = Placeholders(english.text);
    if (!placeholders.empty()) {
        std::string list;
        for (const std::string& p : placeholders)
            list += (list.empty() ? "" : ", ") + p;
        notes.push_back("Keep " + list +
                        " in this order: the program puts a text or number in its place.");
    }
    // A string drawn in several places is held to the narrowest.
    const TFitLimit* tightest = nullptr;
    for (const TFitLimit& f : FitLimits())
        if (f.number == english.number && (!tightest || f.pixels < tightest->pixels)) tightest = &f;
    if (const TFitLimit* f = tightest) {
        std::string where = f->what;
        if (f->box) where += std::string(" (") + f->room + " " + f->box + ")";
        notes.push_back("Drawn on one line as " + where + ": at most " + std::to_string(f->pixels) +
                        " pixels wide; the English is " +
                        std::to_string(FitWidth(f->fontSlot, FromUtf8(english.text))) + ".");
    }
    if (english.text.find("\\n") != std::string::npos ||
        english.text.find('`') != std::string::npos)
        notes.push_back("A text block: a line break starts a new line, and \"`\" marks where a "
                        "word may be hyphenated.");
    return notes;
}

const char* const kHeaderFields = "MIME-Version: 1.0\n"
                                  "Content-Type: text/plain; charset=UTF-8\n"
                                  "Content-Transfer-Encoding: 8bit\n";
const char* const kAfterLast = "# ~ after the last string ~";

std::string Export(std::string_view english, const std::string& englishName,
                   const SourceLayout* translation, const std::string& translationName,
                   std::string_view language) {
    SourceLayout eng = Layout(english, englishName);
    std::map<int, const SourceEntry*> translated;
    if (translation) {
        std::set<int> known;
        for (const SourceEntry& e : eng.entries)
            known.insert(e.number);
        for (const SourceEntry& e : translation->entries) {
            if (!known.count(e.number))
                throw PoError(translationName + ": string " + std::to_string(e.number) +
                              " is not in the English source, so no PO entry can hold it");
            translated[e.number] = &e;
        }
    }
    std::string out;
    // The translation's lines before its first string stay with the header.
    if (translation && !translation->entries.empty())
        for (const std::string& l : translation->entries[0].before)
            out += CommentLine(l) + "\n";
    if (translation && !translation->after.empty()) {
        out += std::string(kAfterLast) + "\n";
        for (const std::string& l : translation->after)
            out += CommentLine(l) + "\n";
    }
    out += "msgid \"\"\nmsgstr \"\"\n";
    std::string fields = "Project-Id-Version: Quill-Rush\n";
    if (!language.empty()) fields += "Language: " + std::string(language) + "\n";
    fields += kHeaderFields;
    for (size_t pos = 0; pos < fields.size();) {
        size_t end = fields.find('\n', pos) + 1;
        out += Quote(fields.substr(pos, end - pos)) + "\n";
        pos = end;
    }
    for (const SourceEntry& e : eng.entries) {
        out += "\n";
        auto t = translated.find(e.number);
        if (t != translated.end() && t->second != &translation->entries[0])
            for (const std::string& l : t->second->before)
                out += CommentLine(l) + "\n";
        for (const std::string& note : Notes(e))
            out += "#. " + note + "\n";
        if (!Placeholders(e.text).empty()) out += "#, c-format\n";
        out += "msgctxt \"" + std::to_string(e.number) + "\"\n";
        out += "msgid " + Quote(ToMessage(e.text)) + "\n";
        out += "msgstr " +
               Quote(t == translated.end() ? std::string() : ToMessage(t->second->text)) + "\n";
    }
    return out;
}

// One entry of a PO file as read.
struct PoEntry {
    int line = 0;
    std::vector<std::string> comments; // translator comments, without "# "
    bool fuzzy = false, obsolete = false, hasContext = false;
    std::string context, id, str;
};

class PoReader {
  public:
    PoReader(std::string_view text, const std::string& name) : text_(text), name_(name) {}

    std::vector<PoEntry> Read() {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") text_.remove_prefix(3);
        std::vector<PoEntry> entries;
        PoEntry cur;
        std::string* target = nullptr; // the string continuation lines extend
        bool started = false;          // a keyword has been read for `cur`
        bool seenStr = false;
        auto finish = [&] {
            if (!started) return; // comments so far belong to the next entry
            if (!seenStr) Fail(cur.line, "an entry without msgstr");
            entries.push_back(std::move(cur));
            cur = PoEntry();
            target = nullptr;
            started = seenStr = false;
        };
        size_t pos = 0;
        int lineNo = 0;
        while (pos < text_.size()) {
            size_t end = std::min(text_.find('\n', pos), text_.size());
            std::string line(text_.substr(pos, end - pos));
            pos = end + 1;
            ++lineNo;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            size_t first = line.find_first_not_of(" \t");
            if (first == std::string::npos) {
                finish();
                continue;
            }
            line.erase(0, first);
            if (line[0] == '#') {
                if (started && seenStr) finish();
                if (cur.line == 0) cur.line = lineNo;
                if (line.rfind("#~", 0) == 0) {
                    cur.obsolete = true;
                } else if (line.rfind("#,", 0) == 0) {
                    if (line.find("fuzzy") != std::string::npos) cur.fuzzy = true;
                } else if (line.size() == 1 || line[1] == ' ') {
                    cur.comments.push_back(line.size() > 2 ? line.substr(2) : "");
                }
                continue; // extracted comments, references and previous texts are ours
            }
            if (line[0] == '"') {
                if (!target) Fail(lineNo, "a string continues no keyword");
                *target += Unquote(line, lineNo);
                continue;
            }
            size_t space = line.find_first_of(" \t");
            std::string key = line.substr(0, space);
            std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
            rest.erase(0, rest.find_first_not_of(" \t"));
            if ((key == "msgctxt" || key == "msgid") && seenStr) finish();
            if (key == "msgctxt" && started) Fail(lineNo, "msgctxt must come before msgid");
            if (cur.line == 0) cur.line = lineNo;
            started = true;
            if (key == "msgctxt") {
                cur.hasContext = true;
                target = &cur.context;
            } else if (key == "msgid") {
                target = &cur.id;
            } else if (key == "msgstr") {
                target = &cur.str;
                seenStr = true;
            } else if (key == "msgid_plural" || key.rfind("msgstr[", 0) == 0) {
                Fail(lineNo, "plural forms are not used by this game's texts");
            } else {
                Fail(lineNo, "\"" + key + "\" is no PO keyword");
            }
            *target = Unquote(rest, lineNo);
        }
        finish();
        return entries;
    }

  private:
    [[noreturn]] void Fail(int line, const std::string& what) const {
        throw PoError(name_ + ":" + std::to_string(line) + ": " + what);
    }

    std::string Unquote(const std::string& s, int line) const {
        if (s.size() < 2 || s.front() != '"' || s.back() != '"')
            Fail(line, "a string must be written in double quotes");
        std::string out;
        for (size_t i = 1; i + 1 < s.size(); ++i) {
            if (s[i] == '"') Fail(line, "a double quote inside a string must be written \\\"");
            if (s[i] != '\\') {
                out += s[i];
                continue;
            }
            if (i + 2 >= s.size()) Fail(line, "a string ends in a lone backslash");
            char c = s[++i];
            switch (c) {
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case '\\':
                out += '\\';
                break;
            case '"':
                out += '"';
                break;
            default:
                Fail(line, std::string("the escape \\") + c + " is not known");
            }
        }
        return out;
    }

    std::string_view text_;
    std::string name_;
};

std::string Excerpt(const std::string& text) {
    if (text.size() <= 40) return "\"" + text + "\"";
    size_t cut = 37;
    while (cut > 0 && (uint8_t(text[cut]) & 0xC0) == 0x80) // not inside a UTF-8 character
        --cut;
    return "\"" + text.substr(0, cut) + "...\"";
}

} // namespace

std::string ExportPo(std::string_view english, std::string_view translation,
                     std::string_view language, const std::string& englishName,
                     const std::string& translationName) {
    SourceLayout t = Layout(translation, translationName);
    return Export(english, englishName, &t, translationName, language);
}

std::string ExportPot(std::string_view english, const std::string& englishName) {
    return Export(english, englishName, nullptr, "", "");
}

std::string ImportPo(std::string_view po, std::string_view english, const std::string& name,
                     const std::string& englishName) {
    SourceLayout eng = Layout(english, englishName);
    std::vector<PoEntry> entries = PoReader(po, name).Read();
    std::string out;
    std::string faults;
    auto fault = [&](const SourceEntry& e, const std::string& what) {
        faults += "\n  string " + std::to_string(e.number) + " (" + Excerpt(e.text) + "): " + what;
    };
    std::map<int, const PoEntry*> byNumber;
    std::vector<std::string> after;
    for (const PoEntry& p : entries) {
        if (p.obsolete) continue;
        if (!p.hasContext && p.id.empty()) { // the header
            if (p.str.find("charset=") != std::string::npos &&
                p.str.find("charset=UTF-8") == std::string::npos &&
                p.str.find("charset=utf-8") == std::string::npos)
                throw PoError(name + ":" + std::to_string(p.line) +
                              ": the file must be saved as UTF-8");
            bool trailing = false;
            for (const std::string& c : p.comments) {
                if ("# " + c == kAfterLast) {
                    trailing = true;
                    continue;
                }
                if (trailing)
                    after.push_back(SourceLine(c));
                else
                    out += SourceLine(c) + "\n";
            }
            continue;
        }
        int number = -1;
        if (!p.context.empty() && p.context.size() <= 3 &&
            std::all_of(p.context.begin(), p.context.end(),
                        [](char c) { return c >= '0' && c <= '9'; }))
            number = std::stoi(p.context);
        if (number < 0)
            throw PoError(name + ":" + std::to_string(p.line) + ": the entry's msgctxt \"" +
                          p.context + "\" is no string number");
        if (!byNumber.emplace(number, &p).second)
            throw PoError(name + ":" + std::to_string(p.line) + ": string " +
                          std::to_string(number) + " is there twice");
    }
    std::set<int> known;
    for (const SourceEntry& e : eng.entries) {
        known.insert(e.number);
        auto it = byNumber.find(e.number);
        if (it == byNumber.end()) {
            fault(e, "is not in the PO file");
            continue;
        }
        const PoEntry& p = *it->second;
        if (FromMessage(p.id) != e.text) {
            fault(e, "the English text has changed since the PO file was made (merge the new "
                     "template into it)");
            continue;
        }
        if (p.str.empty()) {
            fault(e, "is not translated");
            continue;
        }
        if (p.fuzzy) {
            fault(e, "is marked fuzzy (a translation not yet checked)");
            continue;
        }
        const std::string text = FromMessage(p.str);
        std::vector<std::string> want = Placeholders(e.text), have = Placeholders(text);
        if (want != have) {
            std::multiset<std::string> w(want.begin(), want.end()), h(have.begin(), have.end());
            std::string dropped, added;
            for (const std::string& x : w)
                if (w.count(x) > h.count(x) && dropped.find(x) == std::string::npos)
                    dropped += (dropped.empty() ? "" : ", ") + x;
            for (const std::string& x : h)
                if (h.count(x) > w.count(x) && added.find(x) == std::string::npos)
                    added += (added.empty() ? "" : ", ") + x;
            fault(e, !dropped.empty() ? "the translation drops " + dropped
                     : !added.empty() ? "the translation adds " + added
                                      : "the translation has its placeholders in another order");
            continue;
        }
        const std::string bytes = FromUtf8(text);
        if (ToUtf8(bytes) != text) {
            fault(e, "the translation holds a character the string files cannot store");
            continue;
        }
        for (const TFitLimit& f : FitLimits()) {
            if (f.number != e.number) continue;
            int width = FitWidth(f.fontSlot, bytes);
            if (width > f.pixels) {
                fault(e, "the translation is " + std::to_string(width) + " pixels wide, and " +
                             f.what +
                             (f.box ? std::string(" (") + f.room + " " + f.box + ")" : "") +
                             " has room for " + std::to_string(f.pixels));
                break;
            }
        }
        for (const std::string& c : p.comments)
            out += SourceLine(c) + "\n";
        out += std::to_string(e.number) + " " + text + "\n";
    }
    for (const auto& [number, p] : byNumber)
        if (!known.count(number))
            faults += "\n  string " + std::to_string(number) + " is not in the English source";
    if (!faults.empty()) throw PoError(name + ": cannot be taken back:" + faults);
    for (const std::string& l : after)
        out += l + "\n";
    // What is written must be a source the data build takes.
    TStringSource::Parse(out, name).CheckAgainst(TStringSource::Parse(english, englishName));
    return out;
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordimport/kvtml_reader.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <charconv>
#include <map>
#include <memory>

namespace qr {
namespace {

struct DocFree {
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};
struct CtxtFree {
    void operator()(xmlParserCtxt* c) const { xmlFreeParserCtxt(c); }
};

// Lessons may nest; deeper than this is no vocabulary file, and the limit keeps the
// walk's recursion bounded whatever the parser allows.
constexpr int kMaxLessonDepth = 64;

bool Is(const xmlNode* n, const char* name) {
    return n->type == XML_ELEMENT_NODE && xmlStrEqual(n->name, BAD_CAST name);
}

int Line(const xmlNode* n) {
    return int(xmlGetLineNo(n));
}

// The text directly inside an element. Entity references are left out rather than
// expanded, so a document cannot grow itself through its own declarations.
std::string Text(const xmlNode* n) {
    std::string s;
    if (!n) return s;
    for (const xmlNode* c = n->children; c; c = c->next)
        if ((c->type == XML_TEXT_NODE || c->type == XML_CDATA_SECTION_NODE) && c->content)
            s += reinterpret_cast<const char*>(c->content);
    return s;
}

const xmlNode* Child(const xmlNode* n, const char* name) {
    for (const xmlNode* c = n ? n->children : nullptr; c; c = c->next)
        if (Is(c, name)) return c;
    return nullptr;
}

std::string ChildText(const xmlNode* n, const char* name) {
    return Text(Child(n, name));
}

bool IdOf(const xmlNode* n, long& id) {
    xmlChar* v = xmlGetProp(n, BAD_CAST "id");
    if (!v) return false;
    std::string s(reinterpret_cast<const char*>(v));
    xmlFree(v);
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), id);
    return ec == std::errc() && end == s.data() + s.size() && id >= 0;
}

[[noreturn]] void Fail(int line, const std::string& message) {
    throw ImportException(line > 0 ? "line " + std::to_string(line) + ": " + message : message);
}

class KvtmlReader {
  public:
    explicit KvtmlReader(const xmlNode* root) : root_(root) {}

    TImportTable Read() {
        const xmlNode* info = Child(root_, "information");
        t_.title = ChildText(info, "title");
        t_.comment = ChildText(info, "comment");
        for (const xmlNode* c = info ? info->children : nullptr; c; c = c->next)
            if (Is(c, "author") && !Text(c).empty()) t_.authors.push_back(Text(c));
        ReadIdentifiers();
        ReadEntries();
        if (const xmlNode* lessons = Child(root_, "lessons"))
            for (const xmlNode* c = lessons->children; c; c = c->next)
                if (Is(c, "container")) ReadLesson(c, "", -1, 1);
        return std::move(t_);
    }

  private:
    void ReadIdentifiers() {
        const xmlNode* ids = Child(root_, "identifiers");
        for (const xmlNode* c = ids ? ids->children : nullptr; c; c = c->next) {
            if (!Is(c, "identifier")) continue;
            long id;
            if (!IdOf(c, id)) Fail(Line(c), "an identifier has no number as its id");
            if (column_.count(id))
                Fail(Line(c), "identifier " + std::to_string(id) + " is there twice");
            column_[id] = t_.languages.size();
            t_.languages.push_back({ChildText(c, "locale"), ChildText(c, "name")});
        }
        if (t_.languages.empty()) Fail(0, "the file names no language (it has no identifiers)");
    }

    void ReadEntries() {
        const xmlNode* entries = Child(root_, "entries");
        bool warnedColumn = false;
        for (const xmlNode* e = entries ? entries->children : nullptr; e; e = e->next) {
            if (!Is(e, "entry")) continue;
            long id;
            if (!IdOf(e, id)) Fail(Line(e), "an entry has no number as its id");
            if (row_.count(id)) {
                // Lessons could not tell the two apart: the first one counts.
                t_.warnings.push_back("line " + std::to_string(Line(e)) + ": entry " +
                                      std::to_string(id) +
                                      " is there twice; the second is left out");
                ++t_.duplicates;
                continue;
            }
            TImportRow row;
            row.line = Line(e);
            row.texts.resize(t_.languages.size());
            row.hints.resize(t_.languages.size());
            row.inactive = ChildText(e, "inactive") == "true";
            for (const xmlNode* tr = e->children; tr; tr = tr->next) {
                if (!Is(tr, "translation")) continue;
                long lang;
                auto col = IdOf(tr, lang) ? column_.find(lang) : column_.end();
                if (col == column_.end()) {
                    if (!warnedColumn && !ChildText(tr, "text").empty())
                        t_.warnings.push_back(
                            "line " + std::to_string(Line(tr)) +
                            ": a translation names no identifier; such translations are left out");
                    warnedColumn = warnedColumn || !ChildText(tr, "text").empty();
                    continue;
                }
                row.texts[col->second] = ChildText(tr, "text");
                std::string& hint = row.hints[col->second];
                hint = ChildText(tr, "comment");
                if (hint.empty()) hint = ChildText(tr, "paraphrase");
            }
            if (t_.rows.size() >= kMaxImportRows) TooManyRows();
            row_[id] = t_.rows.size();
            t_.rows.push_back(std::move(row));
        }
    }

    // A lesson that holds entries itself becomes a group; its top-level ancestor is the
    // group's level. An entry listed in several lessons stays in the first.
    void ReadLesson(const xmlNode* lesson, const std::string& parentName, int level, int depth) {
        if (depth > kMaxLessonDepth) Fail(Line(lesson), "lessons are nested too deeply");
        std::string own = ChildText(lesson, "name");
        std::string name = parentName.empty() ? own
                           : own.empty()      ? parentName
                                              : parentName + " / " + own;
        if (level < 0) {
            level = int(t_.levels.size());
            t_.levels.push_back(own);
        }
        int group = -1;
        for (const xmlNode* c = lesson->children; c; c = c->next) {
            long id;
            if (!Is(c, "entry") || !IdOf(c, id)) continue;
            auto row = row_.find(id);
            if (row == row_.end() || t_.rows[row->second].group >= 0) continue;
            if (group < 0) {
                group = int(t_.groups.size());
                t_.groups.push_back({name, level});
            }
            t_.rows[row->second].group = group;
        }
        for (const xmlNode* c = lesson->children; c; c = c->next)
            if (Is(c, "container")) ReadLesson(c, name, level, depth + 1);
    }

    const xmlNode* root_;
    TImportTable t_;
    std::map<long, size_t> column_; // identifier id -> language index
    std::map<long, size_t> row_;    // entry id -> row index
};

std::string Attribute(const xmlNode* n, const char* name) {
    xmlChar* v = xmlGetProp(n, BAD_CAST name);
    std::string s = v ? reinterpret_cast<const char*>(v) : "";
    xmlFree(v);
    return s;
}

// KVTML 1, the older format many a teacher's files and some of KDE's own lists still use:
// <e> entries whose <o> is the first language and each <t> a further one, the languages
// named by an "l" attribute (usually on the first entry only), lessons numbered by
// <lesson><desc no="N"> and joined by an entry's "m" attribute, a remark in "r".
class Kvtml1Reader {
  public:
    explicit Kvtml1Reader(const xmlNode* root) : root_(root) {}

    TImportTable Read() {
        t_.title = Attribute(root_, "title");
        if (std::string author = Attribute(root_, "author"); !author.empty())
            t_.authors.push_back(author);
        t_.comment = Attribute(root_, "remark");
        std::map<long, int> groupOf; // lesson number -> group index
        for (const xmlNode* c = root_->children; c; c = c->next) {
            if (!Is(c, "lesson")) continue;
            for (const xmlNode* d = c->children; d; d = d->next) {
                long no;
                if (!Is(d, "desc") || !Number(Attribute(d, "no"), no) || groupOf.count(no))
                    continue;
                groupOf[no] = int(t_.groups.size());
                t_.groups.push_back({Text(d), int(t_.levels.size())});
                t_.levels.push_back(Text(d));
            }
        }
        std::vector<std::string> locales;
        for (const xmlNode* e = root_->children; e; e = e->next) {
            if (!Is(e, "e")) continue;
            TImportRow row;
            row.line = Line(e);
            long lesson;
            if (Number(Attribute(e, "m"), lesson) && groupOf.count(lesson))
                row.group = groupOf[lesson];
            size_t column = 1;
            for (const xmlNode* c = e->children; c; c = c->next) {
                if (!Is(c, "o") && !Is(c, "t")) continue;
                size_t k = Is(c, "o") ? 0 : column++;
                if (row.texts.size() <= k) {
                    row.texts.resize(k + 1);
                    row.hints.resize(k + 1);
                }
                row.texts[k] = Text(c);
                row.hints[k] = Attribute(c, "r");
                if (locales.size() <= k) locales.resize(k + 1);
                if (locales[k].empty()) locales[k] = Attribute(c, "l");
            }
            if (t_.rows.size() >= kMaxImportRows) TooManyRows();
            t_.rows.push_back(std::move(row));
        }
        // Lists for one language often carry an empty <t> in every entry: a language
        // nobody wrote in is no language of the list.
        std::vector<size_t> kept;
        for (size_t k = 0; k < locales.size(); ++k)
            if (k == 0 || std::any_of(t_.rows.begin(), t_.rows.end(), [&](const TImportRow& r) {
                    return k < r.texts.size() && !r.texts[k].empty();
                }))
                kept.push_back(k);
        if (kept.empty()) Fail(0, "the file has no entries to import");
        for (size_t k : kept)
            t_.languages.push_back({locales[k], ""});
        for (TImportRow& r : t_.rows) {
            TImportRow out = r;
            out.texts.assign(kept.size(), "");
            out.hints.assign(kept.size(), "");
            for (size_t i = 0; i < kept.size(); ++i)
                if (kept[i] < r.texts.size()) {
                    out.texts[i] = r.texts[kept[i]];
                    out.hints[i] = r.hints[kept[i]];
                }
            r = std::move(out);
        }
        return std::move(t_);
    }

  private:
    static bool Number(const std::string& s, long& n) {
        auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
        return !s.empty() && ec == std::errc() && end == s.data() + s.size() && n >= 0;
    }

    const xmlNode* root_;
    TImportTable t_;
};

} // namespace

bool LooksLikeXml(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    size_t first = bytes.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && bytes[first] == '<';
}

TImportTable ReadKvtml(std::string_view bytes) {
    if (bytes.size() > kMaxImportFileSize) Fail(0, "the file is too large to be a word list");
    std::unique_ptr<xmlParserCtxt, CtxtFree> ctxt(xmlNewParserCtxt());
    if (!ctxt) throw ImportException("out of memory");
    // No network, no external DTD, no entity substitution, no messages on stderr.
    const int options =
        XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_BIG_LINES;
    std::unique_ptr<xmlDoc, DocFree> doc(
        xmlCtxtReadMemory(ctxt.get(), bytes.data(), int(bytes.size()), nullptr, nullptr, options));
    if (!doc) {
        const xmlError* e = xmlCtxtGetLastError(ctxt.get());
        std::string why = e && e->message ? e->message : "unknown error";
        why = why.substr(0, why.find('\n'));
        while (!why.empty() && why.back() == ' ')
            why.pop_back();
        Fail(e ? e->line : 0, "not a well-formed XML file: " + why);
    }
    const xmlNode* root = xmlDocGetRootElement(doc.get());
    if (!root || !Is(root, "kvtml"))
        Fail(root ? Line(root) : 0, "not a KVTML file (its root element is not <kvtml>)");
    xmlChar* version = xmlGetProp(root, BAD_CAST "version");
    std::string v = version ? reinterpret_cast<const char*>(version) : "";
    xmlFree(version);
    // KVTML 1 files have no version, or one below 2 (the old editors wrote "0.x" or "1.x").
    if (v.empty() || v[0] == '0' || v[0] == '1') return Kvtml1Reader(root).Read();
    if (v[0] != '2')
        Fail(Line(root),
             "KVTML version " + v + " is not known; only KVTML 1 and 2 can be imported");
    return KvtmlReader(root).Read();
}

} // namespace qr

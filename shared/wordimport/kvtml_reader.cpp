// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordimport/kvtml_reader.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

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
    if (v.empty() || v[0] != '2') {
        Fail(Line(root),
             v.empty() ? "this is a KVTML 1 file; only KVTML 2 can be imported (open and save it "
                         "in Parley or KWordQuiz to convert it)"
                       : "KVTML version " + v + " is not known; only KVTML 2 can be imported");
    }
    return KvtmlReader(root).Read();
}

} // namespace qr

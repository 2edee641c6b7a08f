// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/entry_rules.h"

#include <algorithm>

#include <QFont>
#include <QFontMetrics>

#include "editor/text_adapter.h"
#include "foundation/text_codec.h"
#include "wordlist/word_list.h"

namespace qr {

std::string ClueLine(std::string_view clue, std::string_view answer, bool anagrams) {
    std::string line(clue);
    if (anagrams) line += ": " + LowerCase(answer);
    return line;
}

void SortAlphabetically(std::vector<TWordBoxEntry>& entries) {
    ShellSort(entries, [](const TWordBoxEntry& a, const TWordBoxEntry& b) {
        return QString::compare(a.text, b.text, Qt::CaseInsensitive) < 0;
    });
}

void SortByGroups(std::vector<TWordBoxEntry>& entries) {
    ShellSort(entries, [](const TWordBoxEntry& a, const TWordBoxEntry& b) {
        if (a.group != b.group) return a.group < b.group;
        return QString::compare(a.text, b.text, Qt::CaseSensitive) < 0;
    });
}

void ForgetDeletedWord(std::vector<TWordBoxEntry>& entries, int removed) {
    std::erase_if(entries, [&](const TWordBoxEntry& e) { return e.index == removed; });
    for (auto& e : entries)
        if (e.index > removed) --e.index;
}

QString NumberedItem(int number, const QString& name) {
    return QStringLiteral("%1 %2").arg(number, 2, 10, QLatin1Char('0')).arg(name);
}

QString ItemName(const QString& item) {
    qsizetype i = 0;
    while (i < item.size() && item[i].isDigit())
        ++i;
    if (i < item.size() && item[i] == QLatin1Char(' ')) ++i;
    return item.mid(i);
}

size_t WordsAvailable(const TQRWordList& list, const std::array<bool, kGroupCount>& selected) {
    std::array<bool, kGroupCount> groups = selected;
    bool any = false;
    for (bool s : groups)
        any = any || s;
    if (!any) groups[0] = true;
    size_t n = 0;
    for (const auto& w : list.Words())
        if (TQRWordList::IsPlayable(w.text) && word_attr::Group(w.attributes) < kGroupCount &&
            groups[word_attr::Group(w.attributes)])
            ++n;
    return n;
}

// --- the level dialog's working copy -------------------------------------------------------

TLevelDraft::TLevelDraft(const TQRWordList& list,
                         const std::function<QString(std::string_view)>& display) {
    for (size_t i = 0; i < list.LevelCount(); ++i)
        items_.push_back({display(list.LevelName(i)), *list.Level(i)});
}

void TLevelDraft::Record(char op, int index) {
    pending_
        << QStringLiteral("%1%2").arg(QChar::fromLatin1(op)).arg(index, 2, 10, QLatin1Char('0'));
}

int TLevelDraft::Add(int selected) {
    if (!CanAdd()) return selected;
    const int at = selected + 1;
    items_.insert(items_.begin() + at, Item{});
    Record('0', at);
    return at;
}

int TLevelDraft::Delete(int i) {
    if (i < 0 || i >= Count()) return i;
    items_.erase(items_.begin() + i);
    Record('1', i);
    return std::min(i, Count() - 1);
}

int TLevelDraft::Up(int i) {
    if (i <= 0 || i >= Count()) return i;
    Record('2', i);
    std::swap(items_[size_t(i - 1)], items_[size_t(i)]);
    return i - 1;
}

int TLevelDraft::Down(int i) {
    if (i < 0 || i + 1 >= Count()) return i;
    Record('3', i);
    std::swap(items_[size_t(i)], items_[size_t(i + 1)]);
    return i + 1;
}

void TLevelDraft::Apply(TQRWordList& list,
                        const std::function<std::string(const QString&)>& stored) const {
    for (const QString& code : pending_) {
        const size_t index = code.mid(1).toULong();
        switch (code[0].toLatin1()) {
        case '0':
            list.AddLevels(1);
            for (size_t k = list.LevelCount() - 1; k > index; --k)
                list.ExchangeLevels(k - 1, k);
            break;
        case '1':
            list.DeleteLevel(index);
            break;
        case '2':
            list.ExchangeLevels(index - 1, index);
            break;
        case '3':
            list.ExchangeLevels(index, index + 1);
            break;
        }
    }
    for (int i = 0; i < Count() && size_t(i) < list.LevelCount(); ++i) {
        list.SetLevelName(size_t(i), stored(At(i).name));
        *list.Level(size_t(i)) = At(i).level;
    }
}

// --- hints ---------------------------------------------------------------------------------

QString WrapHint(const QString& text, int width,
                 const std::function<int(const QString&)>& measure) {
    QStringList lines;
    QString rest = text;
    while (!rest.isEmpty()) {
        if (measure(rest) < width) {
            lines << rest;
            break;
        }
        qsizetype fit = 1;
        while (fit < rest.size() && measure(rest.left(fit + 1)) < width)
            ++fit;
        qsizetype cut = fit;
        for (qsizetype i = fit - 1; i > 0; --i)
            if (rest[i] == QLatin1Char(' ') || rest[i] == QLatin1Char('-')) {
                cut = i + 1;
                break;
            }
        QString line = rest.left(cut);
        if (line.endsWith(QLatin1Char(' '))) line.chop(1);
        lines << line;
        rest = rest.mid(cut);
    }
    return lines.join(QStringLiteral("\r\n"));
}

QFont HintFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoFontMerging);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QString WrappedHint(int entry) {
    const QFontMetrics fm(HintFont());
    return WrapHint(Caption(entry), 128, [&](const QString& s) { return fm.horizontalAdvance(s); });
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules behind the word-entry pages and the level and group-name dialogs that do
// not need a widget: sorting the word box, the numbered item texts, words available
// for a choice of groups, the level dialog's recorded operations, hint wrapping.
#include <QFont>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "wordlist/level.h"

namespace qr {

class TQRWordList;

// Widths in pixels of the game's font beyond which a text no longer fits where the
// game shows it.
inline constexpr int kTitleFitLimit = 250;
inline constexpr int kHandleFitLimit = 190;
inline constexpr int kClueFitLimit = 432;
inline constexpr int kLevelNameFitLimit = 420;
inline constexpr size_t kDescriptionFitLines = 4;
inline constexpr int kGroupCount = 100;
inline constexpr int kMaxLevels = 100;

// What the game shows on a clue line: the clue, and for anagram lists also the answer
// in lower case after it.
std::string ClueLine(std::string_view clue, std::string_view answer, bool anagrams);

// Shell sort with halving gaps; entries are swapped only when the later one sorts
// strictly before the earlier one, so equal entries never move and a pass with
// nothing to swap ends each gap.
template <class T, class Before> void ShellSort(std::vector<T>& v, Before before) {
    size_t gap = v.size();
    while (gap > 1) {
        gap /= 2;
        bool swapped = true;
        while (swapped) {
            swapped = false;
            for (size_t i = 0; i + gap < v.size(); ++i)
                if (before(v[i + gap], v[i])) {
                    std::swap(v[i], v[i + gap]);
                    swapped = true;
                }
        }
    }
}

// One word of the word box: its text as shown and the word's index in the list.
struct TWordBoxEntry {
    QString text;
    int index = 0;
    int group = 0;
};
void SortAlphabetically(std::vector<TWordBoxEntry>& entries);
// By group number; within a group by the texts compared exactly.
void SortByGroups(std::vector<TWordBoxEntry>& entries);
// After the word at `removed` is deleted, words above it move down one place.
void ForgetDeletedWord(std::vector<TWordBoxEntry>& entries, int removed);

// "%.2d %s": number with at least two digits, one blank, the name.
QString NumberedItem(int number, const QString& name);
// The text after the number and the one blank that follows it.
QString ItemName(const QString& item);

// Playable main words whose group is selected; with no group selected, those of group
// 0, which is what the game plays for a level without groups.
size_t WordsAvailable(const TQRWordList& list, const std::array<bool, kGroupCount>& selected);

// The level dialog's working copy: the levels as items, and every structural change
// recorded as a code ("0nn" insert at nn, "1nn" delete, "2nn" exchange with the one
// before, "3nn" with the one after) to be replayed on the list on approval.
class TLevelDraft {
  public:
    struct Item {
        QString name; // display form
        TLevel level;
    };
    // Names in display form come through `display`.
    TLevelDraft(const TQRWordList& list, const std::function<QString(std::string_view)>& display);

    int Count() const { return int(items_.size()); }
    const Item& At(int i) const { return items_[size_t(i)]; }
    Item& At(int i) { return items_[size_t(i)]; }
    QString ItemText(int i) const { return NumberedItem(i + 1, At(i).name); }
    const QStringList& Pending() const { return pending_; }

    bool CanAdd() const { return Count() < kMaxLevels; }
    bool CanDelete(int selected, bool locked) const {
        return selected >= 0 && !locked && Count() > 2;
    }
    // Each returns the index to select afterwards.
    int Add(int selected); // after `selected` (-1 when none is)
    int Delete(int i);
    int Up(int i);
    int Down(int i);

    // Replays the recorded changes, then gives every level its name (stored form
    // through `stored`) and its groups.
    void Apply(TQRWordList& list, const std::function<std::string(const QString&)>& stored) const;

  private:
    void Record(char op, int index);
    std::vector<Item> items_;
    QStringList pending_;
};

// Breaks a hint into lines narrower than `width` as measured by `measure`, cutting
// after the last blank or hyphen of the longest prefix that fits; a blank at a cut is
// dropped. Lines are joined by CR LF.
QString WrapHint(const QString& text, int width, const std::function<int(const QString&)>& measure);
// The font hints are measured in. The small dialog font they were first laid out for is
// not on Linux, and a family left to the system's substitution would wrap differently
// from one machine to the next: DejaVu Sans at 11 pixels (a declared dependency) has
// about its widths and is found everywhere the editor is installed.
QFont HintFont();
// A string-table entry as a dialog's hint: wrapped at 128 pixels of the hint font.
QString WrappedHint(int entry);

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
// The word box's sorting, the numbered items, words available, the level dialog's
// recorded operations and their replay, hint wrapping.
#include <QtTest>
#include <random>

#include "editor/entry_rules.h"
#include "editor/text_adapter.h"
#include "editor_fixture.h"
#include "wordlist/word_list.h"

namespace qr::test {

namespace {
QString Display(std::string_view s) {
    return ToDisplay(s);
}
std::string Stored(const QString& s) {
    return ToStored(s);
}
QString Texts(const std::vector<TWordBoxEntry>& v) {
    QStringList out;
    for (const auto& e : v)
        out << QStringLiteral("%1:%2").arg(e.text).arg(e.index);
    return out.join(' ');
}
} // namespace

class EntryRulesTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        // The list's default names come from the string table.
        form_ = install_.Open();
    }
    void sortingNeverSwapsEqualEntries();
    void deletingRenumbersTheWordBox();
    void numberedItems();
    void wordsAvailableFallBackToGroupZero();
    void levelDraftLimits();
    void levelAddedAfterThirdLandsFourthInEveryLanguage();
    void replayMatchesTheDraftForAnySequence();
    void hintsWrapAtBlanksAndHyphens();
    void hintsAreMeasuredInAPinnedFont();

  private:
    EditorInstall install_;
    std::unique_ptr<TFormQuarry> form_;
};

void EntryRulesTest::sortingNeverSwapsEqualEntries() {
    // Same word twice in one group: the sort ends and keeps their order.
    std::vector<TWordBoxEntry> v{{"pear", 0, 2}, {"apple", 1, 1}, {"Pear", 2, 2},
                                 {"pear", 3, 2}, {"fig", 4, 1},   {"apple", 5, 1}};
    SortByGroups(v);
    QCOMPARE(Texts(v), QStringLiteral("apple:1 apple:5 fig:4 Pear:2 pear:0 pear:3"));
    SortAlphabetically(v);
    QCOMPARE(Texts(v), QStringLiteral("apple:1 apple:5 fig:4 Pear:2 pear:0 pear:3"));
    std::vector<TWordBoxEntry> w{{"b", 0, 0}, {"B", 1, 0}, {"a", 2, 0}, {"A", 3, 0}};
    SortAlphabetically(w); // case ignored: the equal pairs are never swapped with each other
    QCOMPARE(Texts(w), QStringLiteral("a:2 A:3 b:0 B:1"));
    std::vector<TWordBoxEntry> empty;
    SortByGroups(empty);
    QVERIFY(empty.empty());
}

void EntryRulesTest::deletingRenumbersTheWordBox() {
    std::vector<TWordBoxEntry> v{{"c", 2, 0}, {"a", 0, 0}, {"d", 3, 0}, {"b", 1, 0}};
    ForgetDeletedWord(v, 1);
    QCOMPARE(Texts(v), QStringLiteral("c:1 a:0 d:2"));
}

void EntryRulesTest::numberedItems() {
    QCOMPARE(NumberedItem(3, "Easy"), QStringLiteral("03 Easy"));
    QCOMPARE(NumberedItem(100, "Last"), QStringLiteral("100 Last"));
    QCOMPARE(ItemName("100 Last"), QStringLiteral("Last"));
    QCOMPARE(ItemName(NumberedItem(100, " two  blanks")), QStringLiteral(" two  blanks"));
    QCOMPARE(ItemName("07 "), QString());
}

void EntryRulesTest::wordsAvailableFallBackToGroupZero() {
    TQRWordList list;
    list.SetListType(TListType::Quiz);
    list.AddClueWord("c", "one", 0);
    list.AddClueWord("c", "two", 0);
    list.AddClueWord("c", "-hidden", 0);
    list.AddClueWord("c", "three", 4);
    std::array<bool, kGroupCount> sel{};
    QCOMPARE(WordsAvailable(list, sel), size_t(2));
    sel[4] = true;
    QCOMPARE(WordsAvailable(list, sel), size_t(1));
    sel[0] = true;
    QCOMPARE(WordsAvailable(list, sel), size_t(3));
}

void EntryRulesTest::levelDraftLimits() {
    TQRWordList list;
    list.AddLevels(2);
    TLevelDraft draft(list, Display);
    QVERIFY(!draft.CanDelete(0, false));
    draft.Add(1);
    QVERIFY(draft.CanDelete(0, false));
    QVERIFY(!draft.CanDelete(0, true)); // a lock down
    QVERIFY(!draft.CanDelete(-1, false));
    while (draft.CanAdd())
        draft.Add(-1);
    QCOMPARE(draft.Count(), 100);
    QCOMPARE(draft.Add(4), 4); // refused: nothing recorded
    QCOMPARE(draft.Pending().size(), 98);
    QCOMPARE(draft.Pending().first(), QStringLiteral("002"));
    QCOMPARE(draft.Pending().last(), QStringLiteral("000"));
    // Added levels have no name; the two first ones went to the end.
    QCOMPARE(draft.ItemText(99), QStringLiteral("100 "));
    QCOMPARE(draft.ItemText(97), QStringLiteral("98 ") + Display(list.LevelName(0)));
    // Edges: nothing moves beyond the ends, and nothing is recorded for it.
    QCOMPARE(draft.Up(0), 0);
    QCOMPARE(draft.Down(99), 99);
    QCOMPARE(draft.Pending().size(), 98);
}

void EntryRulesTest::levelAddedAfterThirdLandsFourthInEveryLanguage() {
    TQRWordList list;
    list.AddLevels(4);
    list.AddTextLanguage("French");
    for (size_t i = 0; i < 4; ++i) {
        list.SetLevelName(i, "L" + std::to_string(i + 1));
        list.SetLevelNameIn("French", i, "N" + std::to_string(i + 1));
        list.Level(i)->Include(int(i));
    }
    TLevelDraft draft(list, Display);
    QCOMPARE(draft.Add(2), 3);
    QCOMPARE(draft.Pending(), QStringList{"003"});
    draft.At(3).name = "New";
    draft.Apply(list, Stored);
    QCOMPARE(list.LevelCount(), size_t(5));
    const char* names[] = {"L1", "L2", "L3", "New", "L4"};
    const char* french[] = {"N1", "N2", "N3", "", "N4"};
    for (size_t i = 0; i < 5; ++i) {
        QCOMPARE(list.LevelName(i), std::string(names[i]));
        QCOMPARE(list.ExtraTextLanguages()[0].levelNames[i], std::string(french[i]));
    }
    QCOMPARE(list.Level(3)->Count(), uint8_t(0));
    QVERIFY(list.Level(4)->Contains(3));
}

void EntryRulesTest::replayMatchesTheDraftForAnySequence() {
    std::mt19937 rng(16);
    for (int round = 0; round < 40; ++round) {
        TQRWordList list;
        list.AddLevels(3);
        list.AddTextLanguage("German");
        for (size_t i = 0; i < 3; ++i) {
            list.Level(i)->Include(int(i) + 10);
            list.SetLevelNameIn("German", i, "g" + std::to_string(i));
        }
        TLevelDraft draft(list, Display);
        // What the draft should end with: each item's German name travels with it.
        std::vector<std::string> german{"g0", "g1", "g2"};
        int sel = 0;
        for (int step = 0; step < 12; ++step) {
            switch (rng() % 4) {
            case 0:
                if (draft.CanAdd()) {
                    sel = draft.Add(sel);
                    german.insert(german.begin() + sel, "");
                    draft.At(sel).level.Include(50 + step);
                }
                break;
            case 1:
                if (draft.CanDelete(sel, false)) {
                    german.erase(german.begin() + sel);
                    sel = draft.Delete(sel);
                }
                break;
            case 2:
                if (sel > 0) std::swap(german[size_t(sel - 1)], german[size_t(sel)]);
                sel = draft.Up(sel);
                break;
            case 3:
                if (sel + 1 < draft.Count())
                    std::swap(german[size_t(sel)], german[size_t(sel + 1)]);
                sel = draft.Down(sel);
                break;
            }
        }
        draft.Apply(list, Stored);
        QCOMPARE(int(list.LevelCount()), draft.Count());
        for (int i = 0; i < draft.Count(); ++i) {
            QVERIFY(*list.Level(size_t(i)) == draft.At(i).level);
            QCOMPARE(list.ExtraTextLanguages()[0].levelNames[size_t(i)], german[size_t(i)]);
        }
    }
}

void EntryRulesTest::hintsWrapAtBlanksAndHyphens() {
    auto measure = [](const QString& s) { return int(s.size()) * 10; }; // 10 px a character
    QCOMPARE(WrapHint("short", 128, measure), QStringLiteral("short"));
    // Lines stay under 128 pixels: at most 12 characters.
    QCOMPARE(WrapHint("Keep the same groups for every level", 128, measure),
             QStringLiteral("Keep the\r\nsame groups\r\nfor every\r\nlevel"));
    QCOMPARE(WrapHint("well-known-name", 128, measure), QStringLiteral("well-known-\r\nname"));
    QCOMPARE(WrapHint("abcdefghijklmnop", 128, measure), QStringLiteral("abcdefghijkl\r\nmnop"));
}

// The dialogs' hints wrap the same everywhere: the font they are measured in must be the
// pinned one, not whatever the system puts in its place, and every line fits in it.
void EntryRulesTest::hintsAreMeasuredInAPinnedFont() {
    QCOMPARE(QFontInfo(HintFont()).family(), QStringLiteral("DejaVu Sans"));
    const QFontMetrics fm(HintFont());
    for (int entry : {210, 211, 216, 217})
        for (const QString& line : WrappedHint(entry).split(QStringLiteral("\r\n")))
            QVERIFY2(fm.horizontalAdvance(line) < 128, qPrintable(line));
    QCOMPARE(WrappedHint(211).count(QStringLiteral("\r\n")), 2);
}

} // namespace qr::test

int RunEntryRulesTests(int argc, char** argv) {
    qr::test::EntryRulesTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "entry_rules_test.moc"

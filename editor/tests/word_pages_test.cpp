// SPDX-License-Identifier: GPL-3.0-or-later
// The word-entry pages with their icon clues, and the group-name, level and
// translation dialogs, driven through their controls.
#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

#include "editor/dlg_game_text.h"
#include "editor/dlg_groups.h"
#include "editor/dlg_levels.h"
#include "editor/entry_rules.h"
#include "editor/hover_hint.h"
#include "editor/icon_library.h"
#include "editor/icon_preview.h"
#include "editor/text_adapter.h"
#include "editor_fixture.h"
#include "foundation/dlg_confirm.h"
#include "graphics/image_library.h"
#include "graphics/image_writer.h"

namespace qr::test {

namespace {
constexpr int kYes = TDlgConfirm::kResultYes;
constexpr int kNo = TDlgConfirm::kResultNo;

// Pictures of the given sizes named icons00, icons01, ...; every cell of picture n is
// filled with palette index 10 + its icon number, so a preview shows which icon it
// took.
std::string IconPictures(TempDir& dir, const char* file, std::vector<std::pair<int, int>> sizes,
                         int firstNumber = 0) {
    TPX8Writer w;
    for (int c = 0; c < 40; ++c)
        w.SetPaletteRGB(10 + c, uint8_t(c * 6), 100, 200);
    int icon = 0;
    for (size_t n = 0; n < sizes.size(); ++n) {
        TPX8WriterImage img;
        char name[16];
        std::snprintf(name, sizeof name, "icons%.2d", int(n) + firstNumber);
        img.Name = name;
        img.Width = sizes[n].first;
        img.Height = sizes[n].second;
        img.Pixels.assign(size_t(img.Width * img.Height), 1);
        const int across = img.Width / 54, down = img.Height / 54;
        for (int r = 0; r < down; ++r)
            for (int c = 0; c < across; ++c, ++icon)
                for (int y = 0; y < 54; ++y)
                    for (int x = 0; x < 54; ++x)
                        img.Pixels[size_t((r * 54 + y) * img.Width + c * 54 + x)] =
                            uint8_t(10 + icon);
        w.Add(img);
    }
    const std::string path = dir.Path(file);
    w.SaveToFile(path);
    return path;
}

struct WordPage {
    EditorInstall inst;
    std::unique_ptr<TFormQuarry> form;
    QLineEdit* word;
    QLineEdit* clue;
    QListWidget* box;
    QPushButton *add, *update, *del;
    QComboBox* group;
    QTableWidget* grid;
    explicit WordPage(TListType type) {
        form = inst.Open();
        form->miNewClick();
        form->List().SetListType(type);
        word = Child<QLineEdit>(*form, "txtPrimary");
        clue = Child<QLineEdit>(*form, "txtClue");
        box = Child<QListWidget>(*form, "lbxWordlist");
        add = Child<QPushButton>(*form, "cmdAdd");
        update = Child<QPushButton>(*form, "cmdUpdate");
        del = Child<QPushButton>(*form, "cmdDelete");
        group = Child<QComboBox>(*form, "cbxGroup");
        grid = Child<QTableWidget>(*form, "gridSecondary");
    }
    void Show() {
        form->ShowPage(form->List().ListType() == TListType::Vocabulary ? TFormQuarry::kVocab
                                                                        : TFormQuarry::kAnagrams);
    }
    QStringList Box() const {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->item(i)->text() + ":" + box->item(i)->data(Qt::UserRole).toString();
        return out;
    }
};
} // namespace

class WordPagesTest : public QObject {
    Q_OBJECT
  private slots:
    void cluesAreTypedWithTheSpecialLetterConvention();
    void vocabularyWordsCarryTheirTranslations();
    void enterInATranslationCellTakesWhatWasTyped();
    void buttonStatesFollowTheTypedWord();
    void updateHintWaitsItsOwnPause();
    void deleteRenumbersAndSortKeepsSelection();
    void fitWarningsMarkButRefuseNothing();
    void iconListsOnlyUpdate();
    void iconsAreCountedAndFoundAcrossPictures();
    void groupNamesGoBackOnlyOnApprove();
    void levelDialogLocksAndLimits();
    void levelDialogReplaysOnApproveOnly();
    void translationDialogStoresOnEverySwitch();
    void translationDialogDefaultLanguage();
    void translationDialogAsksBeforeRemoving();
    void dialogsAreTabbedInReadingOrder();
    void textsTooLongForTheFileAreRefusedWhenTyped();
    void oneTabOrderWhateverIsSelected();
    void tabAndEnterWalkTheTranslations();
    void dialogsKeepTheirKeys();
    void nothingMovesUnderTheMouse();
};

void WordPagesTest::cluesAreTypedWithTheSpecialLetterConvention() {
    WordPage p(TListType::Quiz);
    p.Show();
    QVERIFY(!p.add->isEnabled());
    p.word->setText("c>at");
    p.clue->setText("What >x purrs?");
    p.group->setCurrentIndex(4);
    p.form->cbxGroupClick(4);
    QVERIFY(p.add->isEnabled());
    p.form->EnterPressed();
    TQRWordList& list = p.form->List();
    QCOMPARE(list.WordCount(), size_t(1));
    QCOMPARE(list.Word(0), std::string("c\x81t"));
    QCOMPARE(list.Clue(0), std::string("What >x purrs?")); // no such key: as typed
    QCOMPARE(list.Group(0), uint8_t(4));
    QCOMPARE(p.Box(), QStringList{"c>at:0"});
    QVERIFY(p.word->text().isEmpty());
    // Shown again in display form, with its group and clue.
    p.form->ShowPage(TFormQuarry::kIcons);
    p.Show();
    QCOMPARE(p.word->text(), QStringLiteral("c>at"));
    QCOMPARE(p.clue->text(), QStringLiteral("What >x purrs?"));
    QCOMPARE(p.group->currentIndex(), 4);
    // Editing the clue of the shown word goes to the list at once.
    p.clue->setText("Who purrs?");
    QCOMPARE(list.Clue(0), std::string("Who purrs?"));
}

void WordPagesTest::vocabularyWordsCarryTheirTranslations() {
    WordPage p(TListType::Vocabulary);
    TQRWordList& list = p.form->List();
    list.AddLanguage("French");
    list.AddLanguage("German");
    p.Show();
    QVERIFY(p.grid->isVisibleTo(p.form.get()));
    QCOMPARE(p.grid->rowCount(), 2);
    QCOMPARE(p.grid->item(0, 0)->text(), QStringLiteral("French"));
    p.word->setText("cat");
    QCOMPARE(p.grid->horizontalHeaderItem(1)->text(), QStringLiteral("cat"));
    p.grid->item(0, 1)->setText("chat ");
    p.grid->item(1, 1)->setText("Katze");
    p.add->click();
    QCOMPARE(list.GetTranslation("French", 0), std::string("chat"));
    QCOMPARE(list.GetTranslation("German", 0), std::string("Katze"));
    QVERIFY(p.grid->item(0, 1)->text().isEmpty()); // ready for the next word
    p.word->setText("dog");
    p.grid->item(0, 1)->setText("chien");
    p.add->click();
    // Typing a listed word shows its translations; editing a cell stores it at once.
    p.word->setText("CAT");
    QCOMPARE(p.box->currentItem()->text(), QStringLiteral("cat"));
    QCOMPARE(p.grid->item(1, 1)->text(), QStringLiteral("Katze"));
    p.word->setText("cat");
    p.grid->item(1, 1)->setText("Kater");
    QCOMPARE(list.GetTranslation("German", 0), std::string("Kater"));
    // Update renames the selected word and moves on to the next one.
    p.word->setText("kitten");
    QVERIFY(p.update->isEnabled());
    p.update->click();
    QCOMPARE(list.Word(0), std::string("kitten"));
    QCOMPARE(p.Box(), (QStringList{"kitten:0", "dog:1"}));
    QCOMPARE(p.word->text(), QStringLiteral("dog"));
    QCOMPARE(p.grid->item(0, 1)->text(), QStringLiteral("chien"));
}

// Enter that ends editing a translation presses Add (Update with icon clues) with the
// translation as typed; none of it lands on the word shown next.
void WordPagesTest::enterInATranslationCellTakesWhatWasTyped() {
    for (const bool icons : {false, true}) {
        WordPage p(TListType::Vocabulary);
        TQRWordList& list = p.form->List();
        list.AddLanguage("French");
        if (icons) {
            list.SetUsesIconClues(true);
            list.AddWord("Clue 0", 0);
            list.AddWord("Clue 1", 0);
        }
        p.Show();
        p.word->setText("cow");
        p.grid->setCurrentCell(0, 0);
        QFocusEvent tabbedIn(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(p.grid, &tabbedIn);
        QCOMPARE(p.grid->currentColumn(), 1); // tabbed in: on the translation
        p.grid->editItem(p.grid->item(0, 1));
        auto* editor = p.grid->findChild<QLineEdit*>();
        QVERIFY(editor);
        QTest::keyClicks(editor, "vache");
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::qWait(20); // the view's own late commit, if any
        QCOMPARE(list.Word(0), std::string("cow"));
        QCOMPARE(list.GetTranslation("French", 0), std::string("vache"));
        if (icons) {
            QCOMPARE(list.GetTranslation("French", 1), std::string());
            QCOMPARE(p.word->text(), QStringLiteral("Clue 1"));
        } else {
            QCOMPARE(list.WordCount(), size_t(1));
        }
        QVERIFY(p.grid->item(0, 1)->text().isEmpty());
    }
}

void WordPagesTest::buttonStatesFollowTheTypedWord() {
    WordPage p(TListType::Anagrams);
    p.form->List().AddClueWord("pet", "cat", 0);
    p.Show();
    QCOMPARE(p.word->text(), QStringLiteral("cat")); // the first word is shown
    QVERIFY(!p.add->isEnabled());
    QVERIFY(!p.update->isEnabled());
    QVERIFY(p.del->isEnabled());
    p.word->setText("cart");
    QVERIFY(p.add->isEnabled());
    QVERIFY(p.update->isEnabled());
    QVERIFY(!p.del->isEnabled());
    QCOMPARE(p.update->toolTip(), QStringLiteral("cat => cart"));
    p.word->setText("");
    QVERIFY(!p.add->isEnabled());
    QVERIFY(!p.update->isEnabled());
}

// The rename hint on Update comes after a pause of its own: shorter once the author has
// tabbed to the button than for a pointer passing over it.
void WordPagesTest::updateHintWaitsItsOwnPause() {
    WordPage p(TListType::Anagrams);
    p.form->List().AddClueWord("pet", "cat", 0);
    p.Show();
    p.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.form.get()));
    p.word->setText("cart");
    auto* hint = Child<THoverHint>(*p.form, "cmdUpdateHint");
    const QPoint at(2, 2);
    // The style's own tooltip event shows nothing.
    QHelpEvent help(QEvent::ToolTip, at, p.update->mapToGlobal(at));
    QApplication::sendEvent(p.update, &help);
    QVERIFY(!QToolTip::isVisible());
    for (const auto& [focused, pause] : {std::pair{false, 800}, std::pair{true, 250}}) {
        if (focused) {
            p.form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(p.form.get()));
            p.update->setFocus();
            QTRY_VERIFY(p.update->hasFocus());
        }
        QElapsedTimer clock;
        clock.start();
        QEnterEvent enter(at, at, p.update->mapToGlobal(QPointF(at)));
        QApplication::sendEvent(p.update, &enter);
        QCOMPARE(hint->PendingDelay(), pause);
        QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 5000);
        QVERIFY2(clock.elapsed() >= pause, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(QToolTip::text(), QStringLiteral("cat => cart"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(p.update, &leave);
        QCOMPARE(hint->PendingDelay(), -1);
        QTRY_VERIFY(!QToolTip::isVisible());
    }
}

void WordPagesTest::deleteRenumbersAndSortKeepsSelection() {
    WordPage p(TListType::Quiz);
    TQRWordList& list = p.form->List();
    list.AddClueWord("1", "pear", 2);
    list.AddClueWord("2", "apple", 1);
    list.AddClueWord("3", "fig", 1);
    list.AddClueWord("4", "pear", 0);
    p.Show();
    p.box->setCurrentRow(2);
    p.form->lbxWordlistClick();
    p.form->SortWordBox(true);
    QCOMPARE(p.Box(), (QStringList{"pear:3", "apple:1", "fig:2", "pear:0"}));
    QCOMPARE(p.box->currentItem()->text(), QStringLiteral("fig"));
    p.form->SortWordBox(false);
    QCOMPARE(p.Box(), (QStringList{"apple:1", "fig:2", "pear:3", "pear:0"}));
    // Deleting "apple" (word 1): the words after it move down one place.
    p.word->setText("apple");
    QVERIFY(p.del->isEnabled());
    p.del->click();
    QCOMPARE(list.WordCount(), size_t(3));
    QCOMPARE(p.Box(), (QStringList{"fig:1", "pear:2", "pear:0"}));
    QCOMPARE(p.word->text(), QStringLiteral("fig"));
    QCOMPARE(list.Clue(1), std::string("3"));
}

void WordPagesTest::fitWarningsMarkButRefuseNothing() {
    WordPage p(TListType::Anagrams);
    p.Show();
    auto* answerWarning = Child<QLabel>(*p.form, "lblAnswerLongWarning");
    auto* clueWarning = Child<QLabel>(*p.form, "lblClueLongWarning");
    p.word->setText(QString(21, 'a'));
    QVERIFY(!answerWarning->isVisibleTo(p.form.get()));
    p.word->setText(QString(22, 'a'));
    QVERIFY(answerWarning->isVisibleTo(p.form.get()));
    p.word->setText(QString(21, 'a') + "{hidden}");
    QVERIFY(!answerWarning->isVisibleTo(p.form.get()));
    p.word->setText(QString(22, 'a'));
    // For anagrams the answer follows the clue on its line.
    p.clue->setText("short");
    const bool shortOver = clueWarning->isVisibleTo(p.form.get());
    p.clue->setText(QString(60, 'W'));
    QVERIFY(!shortOver);
    QVERIFY(clueWarning->isVisibleTo(p.form.get()));
    p.add->click();
    QCOMPARE(p.form->List().WordCount(), size_t(1));
    // A character the game's fonts leave blank is warned about, naming it.
    p.word->setText(QString::fromUtf8("\u2039a"));
    QVERIFY(answerWarning->isVisibleTo(p.form.get()));
    QVERIFY(answerWarning->text().contains(QString::fromUtf8("\u2039")));
    p.word->setText(QString::fromUtf8("s\u0153ur"));
    QVERIFY(!answerWarning->isVisibleTo(p.form.get()));
    p.clue->setText(QString::fromUtf8("Brands\u2122"));
    QVERIFY(clueWarning->isVisibleTo(p.form.get()));
}

void WordPagesTest::iconListsOnlyUpdate() {
    WordPage p(TListType::Quiz);
    const std::string lib = IconPictures(p.inst.dir, "pics.px8", {{108, 54}, {54, 54}});
    TQRWordList& list = p.form->List();
    list.SetUsesIconClues(true);
    list.SetIconLibrary(lib);
    for (int i = 0; i < 3; ++i)
        list.AddClueWord("Clue", "Clue " + std::to_string(i), 0);
    list.SetWord(1, "-hidden");
    p.Show();
    auto* preview = Child<TIconPreview>(*p.form, "pbxIcon");
    QVERIFY(Child<QWidget>(*p.form, "pnlIcon")->isVisibleTo(p.form.get()));
    QVERIFY(preview->HasIcon());
    QCOMPARE(qRed(preview->Image().pixel(5, 5)), 0); // icon 0
    for (const char* typed : {"Clue 0", "new word", ""}) {
        p.word->setText(typed);
        QVERIFY(!p.add->isEnabled());
        QVERIFY(!p.del->isEnabled());
    }
    p.word->setText("lion");
    p.form->EnterPressed(); // Enter updates in an icon list
    QCOMPARE(list.Word(0), std::string("lion"));
    QCOMPARE(list.WordCount(), size_t(3));
    // Now on the second word, which is hidden from play: the toggle is maroon.
    QCOMPARE(p.word->text(), QStringLiteral("-hidden"));
    QVERIFY(Child<QWidget>(*p.form, "shIconToggle")->styleSheet().contains("800000"));
    QCOMPARE(qRed(preview->Image().pixel(0, 0)), 6); // icon 1
    p.box->setCurrentRow(2);
    p.form->lbxWordlistClick();
    QCOMPARE(qRed(preview->Image().pixel(53, 53)), 12); // icon 2, in the second picture
    QVERIFY(Child<QWidget>(*p.form, "shIconToggle")->styleSheet().contains("008000"));
    // A word beyond the icons shows the empty square.
    list.AddClueWord("Clue", "extra", 0);
    p.Show();
    p.box->setCurrentRow(3);
    p.form->lbxWordlistClick();
    QVERIFY(!preview->HasIcon());
    const QImage shot = preview->grab().toImage();
    QCOMPARE(shot.pixelColor(10, 27), QColor(0xC0, 0xC0, 0xC0));
    QCOMPARE(shot.pixelColor(0, 20), QColor(Qt::black));
    QCOMPARE(shot.pixelColor(27, 27), QColor(Qt::black));
}

void WordPagesTest::iconsAreCountedAndFoundAcrossPictures() {
    TempDir dir;
    QStringList warnings;
    auto warn = [&](const std::string& w) { warnings << QString::fromStdString(w); };
    const std::string lib = IconPictures(dir, "a.px8", {{108, 54}, {54, 108}, {50, 60}, {54, 54}});
    QCOMPARE(CountIcons(lib, warn), 5);
    QCOMPARE(warnings, QStringList{"Image \"icons02\" is too small to contain any icons!"});
    TPX8Library library;
    library.Open(lib);
    QCOMPARE(int(FindIcon(library, 3)->at(0)), 13);
    QCOMPARE(int(FindIcon(library, 4)->at(54 * 54 - 1)), 14); // past the empty picture
    QVERIFY(!FindIcon(library, 5));
    QVERIFY(!FindIcon(library, -1));
    // Without the first picture there are no icons at all.
    warnings.clear();
    QCOMPARE(CountIcons(IconPictures(dir, "b.px8", {{54, 54}}, 1), warn), 0);
    QCOMPARE(CountIcons(dir.Path("missing.px8"), warn), 0);
    QVERIFY(warnings.isEmpty());
}

void WordPagesTest::groupNamesGoBackOnlyOnApprove() {
    WordPage p(TListType::Quiz);
    p.Show();
    QStringList items;
    for (int g = 0; g < p.group->count(); ++g)
        items << p.group->itemText(g);
    QCOMPARE(items.size(), 100);
    QCOMPARE(items[99], QStringLiteral("100 "));
    TDlgGroups dlg(items);
    dlg.lbxNames->setCurrentRow(99);
    QCOMPARE(dlg.lblGroupNum->text(), QStringLiteral("Group number 100"));
    dlg.txtGroupName->setText("Hardest words  ");
    QCOMPARE(dlg.lbxNames->item(99)->text(), QStringLiteral("100 Hardest words"));
    dlg.lbxNames->setCurrentRow(0);
    dlg.txtGroupName->setText("Easy");
    dlg.lbxNames->setCurrentRow(99);
    QCOMPARE(dlg.txtGroupName->text(), QStringLiteral("Hardest words"));
    const QStringList back = dlg.Items();
    for (int g = 0; g < 100; ++g)
        p.form->List().SetGroupName(uint16_t(g), ToBytes(ItemName(back[g])));
    QCOMPARE(p.form->List().GroupName(99), std::string("Hardest words"));
    QCOMPARE(p.form->List().GroupName(0), std::string("Easy"));
    QCOMPARE(p.form->List().GroupName(1), std::string());
}

void WordPagesTest::levelDialogLocksAndLimits() {
    TQRWordList list;
    list.SetListType(TListType::Quiz);
    list.AddLevels(2);
    list.Level(0)->Include(3);
    list.AddClueWord("c", "a", 0);
    list.AddClueWord("c", "b", 0);
    list.AddClueWord("c", "d", 3);
    bool extended = false;
    TDlgLevels dlg(list, extended, [](std::string_view s) { return int(s.size()) * 20; });
    QCOMPARE(dlg.lblWordsAvailable->text(), QStringLiteral("Words available: 1"));
    QVERIFY(!dlg.cmdDeleteLevel->isEnabled()); // two levels left
    QVERIFY(!dlg.cmdLevelUp->isEnabled());
    QVERIFY(dlg.cmdLevelDown->isEnabled());
    // A level without groups counts the words of the first group.
    dlg.lbxLevels->setCurrentRow(1);
    QCOMPARE(dlg.lblWordsAvailable->text(), QStringLiteral("Words available: 2"));
    // The group lock gives every level visited the same groups.
    dlg.cmdAddLevelClick();
    dlg.cmdAddLevelClick();
    QCOMPARE(dlg.Draft().Count(), 4);
    QVERIFY(dlg.cmdDeleteLevel->isEnabled());
    dlg.lbxLevels->setCurrentRow(0);
    dlg.sbLockGroups->setChecked(true);
    QVERIFY(!dlg.cmdDeleteLevel->isEnabled());
    for (int i : {1, 2, 3})
        dlg.lbxLevels->setCurrentRow(i);
    for (int i = 0; i < 4; ++i)
        QVERIFY2(dlg.Draft().At(i).level.Contains(3) && dlg.Draft().At(i).level.Count() == 1,
                 qPrintable(QString::number(i)));
    dlg.sbLockGroups->setChecked(false);
    // Select None changes the level only at the next click in the box.
    dlg.SelectAllGroups(false);
    QVERIFY(dlg.Draft().At(3).level.Contains(3));
    QCOMPARE(dlg.lblWordsAvailable->text(), QStringLiteral("Words available: 2"));
    // A long name shows the warning and is kept.
    dlg.txtLevelName->setText(QString(22, 'x'));
    QVERIFY(dlg.lblNameLongWarning->isVisibleTo(&dlg));
    QCOMPARE(dlg.lbxLevels->item(3)->text(), QStringLiteral("04 ") + QString(22, 'x'));
    while (dlg.cmdAddLevel->isEnabled())
        dlg.cmdAddLevelClick();
    QCOMPARE(dlg.Draft().Count(), 100);
    QCOMPARE(dlg.lbxLevels->count(), 100);
    QCOMPARE(dlg.lbxLevels->item(99)->text().left(4), QStringLiteral("100 "));
    // Extended selection is the stored setting and the check mark.
    dlg.miExtendSelectClick();
    QVERIFY(extended);
    QVERIFY(dlg.miExtendSelect->isChecked());
    QCOMPARE(list.LevelCount(), size_t(2)); // nothing approved yet
}

void WordPagesTest::levelDialogReplaysOnApproveOnly() {
    EditorInstall inst;
    auto form = inst.Open();
    TQRWordList& list = form->List();
    while (list.LevelCount() > 3)
        list.DeleteLevel(0);
    for (size_t i = 0; i < 3; ++i)
        list.SetLevelName(i, "L" + std::to_string(i + 1));
    list.AddTextLanguage("French");
    list.SetLevelNameIn("French", 0, "N1");
    const std::string before = list.SaveToBytes();
    bool extended = false;
    {
        TDlgLevels dlg(list, extended, nullptr);
        dlg.cmdLevelDownClick();
        dlg.cmdDeleteLevelClick();
        dlg.reject(); // Cancel leaves the list untouched
    }
    QCOMPARE(list.SaveToBytes().size(), before.size());
    QCOMPARE(list.LevelName(0), std::string("L1"));
    TDlgLevels dlg(list, extended, nullptr);
    dlg.lbxLevels->setCurrentRow(2);
    dlg.cmdAddLevelClick(); // after level 3: the fourth
    dlg.txtLevelName->setText("Fourth");
    dlg.lbxLevels->setCurrentRow(0);
    dlg.cmdLevelDownClick();
    QCOMPARE(dlg.Draft().Pending(), (QStringList{"003", "300"}));
    dlg.Approve();
    QCOMPARE(list.LevelCount(), size_t(4));
    QCOMPARE(list.LevelName(0), std::string("L2"));
    QCOMPARE(list.LevelName(1), std::string("L1"));
    QCOMPARE(list.LevelName(3), std::string("Fourth"));
    QCOMPARE(list.LevelNameIn("French", 1), std::string("N1"));
    QCOMPARE(list.ExtraTextLanguages()[0].levelNames[3], std::string());
}

namespace {
std::vector<TGameTextLanguage> Languages() {
    return {{"English", 2}, {"French", 3}, {"German", 4}, {"Klingon", -1}};
}
} // namespace

void WordPagesTest::translationDialogStoresOnEverySwitch() {
    EditorInstall inst;
    auto form = inst.Open();
    TQRWordList& list = form->List();
    list.SetTextLanguage("English");
    list.SetTitle("Animals");
    while (list.LevelCount() > 2)
        list.DeleteLevel(0);
    list.AddTextLanguage("French");
    {
        TDlgGameText dlg(list, Languages(), inst.dialogs, nullptr);
        QCOMPARE(dlg.lbxSelect->count(), 1);
        QCOMPARE(dlg.lbxAvail->count(), 2); // German, Klingon
        QVERIFY(!dlg.txtTransTitle->isEnabled());
        QCOMPARE(dlg.txtOrigTitle->text(), QStringLiteral("Animals"));
        QCOMPARE(dlg.gridLevNames->item(1, 0)->text(), QStringLiteral("Level 2"));
        dlg.lbxSelect->item(0)->setSelected(true);
        QCOMPARE(dlg.Current(), QStringLiteral("French"));
        QVERIFY(dlg.txtTransTitle->isEnabled());
        dlg.txtTransTitle->setText("Les animaux");
        dlg.gridLevNames->item(0, 1)->setText("Facile");
        // Adding a language stores the one shown first.
        dlg.lbxAvail->findItems("Klingon", Qt::MatchExactly).first()->setSelected(true);
        dlg.cmdUseLangClick();
        QCOMPARE(list.TitleIn("French"), std::string("Les animaux"));
        QCOMPARE(list.LevelNameIn("French", 0), std::string("Facile"));
        QCOMPARE(dlg.Current(), QStringLiteral("Klingon"));
        QCOMPARE(list.TextLanguageCount(), size_t(2));
        dlg.txtTransDesc->setPlainText("1\n2\n3\n4\n5");
        QVERIFY(!dlg.lblDescLongWarning->isHidden()); // on a tab not shown
        dlg.txtTransTitle->setText("tlhIngan");
        dlg.accept(); // closing stores the current language
    }
    QCOMPARE(list.TitleIn("Klingon"), std::string("tlhIngan"));
    QCOMPARE(list.DescriptionCountIn("Klingon"), size_t(4));
}

void WordPagesTest::translationDialogDefaultLanguage() {
    EditorInstall inst;
    auto form = inst.Open();
    TQRWordList& list = form->List();
    list.SetTextLanguage("English");
    list.SetTitle("Animals");
    list.AddTextLanguage("French");
    list.SetTitleIn("French", "Les animaux");
    TDlgGameText dlg(list, Languages(), inst.dialogs, nullptr);
    QAction* french = nullptr;
    for (QAction* a : dlg.miDefaultLang->actions()) {
        if (a->text() == "English") QVERIFY(a->isChecked());
        if (a->text() == "French") french = a;
    }
    QVERIFY(french);
    french->trigger();
    QCOMPARE(list.TextLanguage(), std::string("French"));
    QCOMPARE(dlg.txtOrigTitle->text(), QStringLiteral("Les animaux"));
    // The old default is now a translation, with its texts.
    QCOMPARE(dlg.lbxSelect->count(), 1);
    QCOMPARE(dlg.lbxSelect->item(0)->text(), QStringLiteral("English"));
    QCOMPARE(dlg.Current(), QStringLiteral("English"));
    QCOMPARE(dlg.txtTransTitle->text(), QStringLiteral("Animals"));
    QCOMPARE(list.TitleIn("English"), std::string("Animals"));
    QVERIFY(dlg.lbxAvail->findItems("French", Qt::MatchExactly).isEmpty());
}

void WordPagesTest::translationDialogAsksBeforeRemoving() {
    EditorInstall inst;
    auto form = inst.Open();
    TQRWordList& list = form->List();
    list.SetTextLanguage("English");
    while (list.LevelCount() > 0)
        list.DeleteLevel(0);
    list.AddTextLanguage("German");
    TDlgGameText dlg(list, Languages(), inst.dialogs, nullptr);
    dlg.lbxSelect->item(0)->setSelected(true);
    // No texts and no levels: removed without a question.
    dlg.cmdRemoveLangClick();
    QVERIFY(inst.dialogs.log.isEmpty());
    QCOMPARE(list.TextLanguageCount(), size_t(0));
    QCOMPARE(dlg.lbxAvail->count(), 3);
    // With levels the default names count as texts: it asks, and "No" keeps it.
    list.AddLevels(1);
    dlg.lbxAvail->findItems("German", Qt::MatchExactly).first()->setSelected(true);
    dlg.cmdUseLangClick();
    inst.dialogs.confirms = {kNo};
    dlg.cmdRemoveLangClick();
    QVERIFY(inst.dialogs.Logged("CONFIRM " + Caption(120) + " | " +
                                Caption(121).replace("%s", "German")));
    QCOMPARE(list.TextLanguageCount(), size_t(1));
    inst.dialogs.confirms = {kYes};
    dlg.cmdRemoveLangClick();
    QCOMPARE(list.TextLanguageCount(), size_t(0));
    QCOMPARE(dlg.Current(), QString());
}

// The controls Tab stops at, in order, from the first in the window's focus chain.
QStringList TabStops(QWidget& window) {
    QStringList stops;
    QWidget* w = &window;
    do {
        w = w->nextInFocusChain();
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
            !w->focusProxy())
            stops << (w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName());
    } while (w != &window);
    return stops;
}

// Without a mouse the author tabs through each dialog as it reads: left column first, a
// field before its lock, the buttons that close it last.
void WordPagesTest::dialogsAreTabbedInReadingOrder() {
    EditorInstall inst;
    auto form = inst.Open();
    TQRWordList& list = form->List();
    list.AddTextLanguage("French");
    bool extended = false;
    TDlgLevels levels(list, extended, nullptr);
    levels.show();
    levels.lbxLevels->setCurrentRow(1);
    QCOMPARE(TabStops(levels),
             (QStringList{"lbxLevels", "cmdLevelUp", "cmdLevelDown", "cmdAddLevel",
                          "cmdDeleteLevel", "txtLevelName", "sbLockName", "lbxGroups",
                          "sbLockGroups", "cmdApprove", "cmdCancel"}));
    // The translated texts are reached on every tab; the texts they translate are not
    // stops.
    TDlgGameText text(list, Languages(), inst.dialogs, nullptr);
    text.show();
    text.lbxSelect->item(0)->setSelected(true);
    text.lbxAvail->item(0)->setSelected(true);
    for (int tab = 0; tab < 3; ++tab) {
        text.tnbGameText->setCurrentIndex(tab);
        const char* translated[] = {"txtTransTitle", "txtTransDesc", "gridLevNames"};
        QCOMPARE(TabStops(text),
                 (QStringList{"lbxAvail", "cmdUseLang", "lbxSelect", "cmdRemoveLang",
                              "qt_tabwidget_tabbar", translated[tab], "cmdOK"}));
    }
}

// A word the file cannot hold is refused when it is added, not first when saving.
void WordPagesTest::textsTooLongForTheFileAreRefusedWhenTyped() {
    WordPage p(TListType::Vocabulary);
    p.form->List().AddLanguage("French");
    p.Show();
    p.word->setText(QString(300, 'a'));
    p.add->click();
    QCOMPARE(p.form->List().WordCount(), size_t(0));
    QVERIFY2(p.inst.dialogs.log.last().startsWith(
                 "MESSAGE " + Caption(str::kError) + " | " +
                 Caption(str::kTooLong, {QString(40, 'a') + QChar(0x2026)})),
             qPrintable(p.inst.dialogs.log.join('\n')));
    // A translation too.
    p.word->setText("cat");
    p.grid->item(0, 1)->setText(QString(256, 'b'));
    p.add->click();
    QCOMPARE(p.form->List().WordCount(), size_t(0));
    p.grid->item(0, 1)->setText(QString(255, 'b'));
    p.add->click();
    QCOMPARE(p.form->List().WordCount(), size_t(1));
}

// Tab goes the same way whether or not a word is selected; a button that is off is
// passed over, and no button moves ahead of the fields.
void WordPagesTest::oneTabOrderWhateverIsSelected() {
    WordPage p(TListType::Vocabulary);
    p.form->List().AddLanguage("French");
    p.form->show();
    p.Show();
    const QStringList order{"txtPrimary", "cbxGroup",  "gridSecondary", "cmdAdd",
                            "cmdUpdate",  "cmdDelete", "lbxWordlist"};
    auto stops = [&] {
        QStringList out;
        for (const QString& s : TabStops(*p.form))
            if (order.contains(s)) out << s;
        return out;
    };
    auto expected = [&] {
        QStringList out;
        for (const QString& name : order)
            if (Child<QWidget>(*p.form, qPrintable(name))->isEnabled()) out << name;
        return out;
    };
    p.word->setText("cat");
    QCOMPARE(stops(), expected());
    p.add->click();
    // Selected and typed over: Add and Update are both on, Add first.
    p.box->setCurrentRow(0);
    p.form->lbxWordlistClick();
    p.word->setText("dog");
    QVERIFY(p.add->isEnabled() && p.update->isEnabled());
    QCOMPARE(stops(), expected());
    QCOMPARE(stops(), (QStringList{"txtPrimary", "cbxGroup", "gridSecondary", "cmdAdd", "cmdUpdate",
                                   "lbxWordlist"}));
}

void WordPagesTest::tabAndEnterWalkTheTranslations() {
    for (const bool enter : {false, true}) {
        WordPage p(TListType::Vocabulary);
        TQRWordList& list = p.form->List();
        list.AddLanguage("French");
        list.AddLanguage("German");
        p.form->show();
        p.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(p.form.get()));
        p.Show();
        p.word->setText("cat");
        // Tabbed into from the word, whichever translation was current before.
        p.grid->setCurrentCell(1, 1);
        p.group->setFocus();
        QTest::keyClick(p.group, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), p.grid);
        QCOMPARE(p.grid->currentRow(), 0);
        QCOMPARE(p.grid->currentColumn(), 1);
        p.grid->editItem(p.grid->item(0, 1));
        QWidget* editor = p.grid->indexWidget(p.grid->currentIndex());
        QVERIFY(editor);
        QTest::keyClicks(editor, "chat");
        QTest::keyClick(editor, enter ? Qt::Key_Return : Qt::Key_Tab);
        QCOMPARE(p.grid->currentRow(), 1);
        QCOMPARE(p.grid->currentColumn(), 1);
        QVERIFY(QApplication::focusWidget() != editor &&
                QApplication::focusWidget()->parentWidget() == p.grid->viewport());
        QTest::keyClicks(QApplication::focusWidget(), "Katze");
        QTest::keyClick(QApplication::focusWidget(), enter ? Qt::Key_Return : Qt::Key_Tab);
        QTest::qWait(20);
        if (enter) {
            // Enter after the last presses Add with both translations.
            QCOMPARE(list.WordCount(), size_t(1));
            QCOMPARE(list.GetTranslation("French", 0), std::string("chat"));
            QCOMPARE(list.GetTranslation("German", 0), std::string("Katze"));
        } else {
            // Tab after the last leaves the grid for the next stop, Add.
            QCOMPARE(QApplication::focusWidget(), p.add);
            QCOMPARE(p.grid->item(0, 1)->text(), QStringLiteral("chat"));
            QCOMPARE(p.grid->item(1, 1)->text(), QStringLiteral("Katze"));
        }
    }
}

// A group clicked in the group-name editor is the one named next; the level dialog's
// Ctrl+A and Ctrl+N choose groups even from the name field.
void WordPagesTest::dialogsKeepTheirKeys() {
    WordPage p(TListType::Quiz);
    p.Show();
    QStringList items;
    for (int g = 0; g < kGroupCount; ++g)
        items << NumberedItem(g + 1, QString());
    TDlgGroups groups(items, p.form.get());
    groups.show();
    groups.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&groups));
    groups.lbxNames->setFocus();
    const QRect third = groups.lbxNames->visualItemRect(groups.lbxNames->item(2));
    QTest::mouseClick(groups.lbxNames->viewport(), Qt::LeftButton, {}, third.center());
    QCOMPARE(groups.lbxNames->currentRow(), 2);
    QCOMPARE(QApplication::focusWidget(), groups.txtGroupName);
    QTest::keyClicks(QApplication::focusWidget(), "Birds");
    QCOMPARE(groups.Items()[2], NumberedItem(3, "Birds"));

    TQRWordList& list = p.form->List();
    list.AddLevels(1);
    bool extended = false;
    TDlgLevels levels(list, extended, nullptr, p.form.get());
    levels.show();
    levels.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&levels));
    levels.txtLevelName->setFocus();
    levels.txtLevelName->setText("Name");
    QTest::keyClick(levels.txtLevelName, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(levels.lbxGroups->selectedItems().size(), kGroupCount);
    QTest::keyClick(levels.txtLevelName, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(levels.lbxGroups->selectedItems().size(), 0);
    QCOMPARE(levels.txtLevelName->text(), QStringLiteral("Name"));
}

// Warnings keep their place when hidden, and the word page's columns do not follow
// what they hold.
void WordPagesTest::nothingMovesUnderTheMouse() {
    WordPage p(TListType::Anagrams);
    p.form->resize(560, 420);
    p.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.form.get()));
    p.Show();
    auto where = [&](QWidget* w) {
        QApplication::processEvents();
        return w->mapTo(p.form.get(), QPoint(0, 0));
    };
    const QPoint group = where(p.group), box = where(p.box), clue = where(p.clue);
    p.word->setText(QString(60, 'w')); // too wide for the game, and a long group title
    p.clue->setText(QString(80, 'c'));
    QVERIFY(Child<QLabel>(*p.form, "lblAnswerLongWarning")->isVisible());
    QVERIFY(Child<QLabel>(*p.form, "lblClueLongWarning")->isVisible());
    QCOMPARE(where(p.group), group);
    QCOMPARE(where(p.box), box);
    QCOMPARE(where(p.clue), clue);
    // The creator page: the author lines stay under the handle's warning.
    p.form->ShowPage(TFormQuarry::kCreator);
    auto* author = Child<QWidget>(*p.form, "txtAuthor");
    const QPoint lines = where(author);
    Child<QLineEdit>(*p.form, "txtHandle")->setText(QString(60, 'h'));
    QVERIFY(Child<QLabel>(*p.form, "lblHandleLongWarning")->isVisible());
    QCOMPARE(where(author), lines);
}

} // namespace qr::test

int RunWordPagesTests(int argc, char** argv) {
    qr::test::WordPagesTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "word_pages_test.moc"

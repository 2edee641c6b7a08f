// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's wizard: page order, commits, list types, languages, icons, files.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

#include "editor/dlg_levels.h"
#include "editor/form_quarry.h"
#include "editor/help_window.h"
#include "editor/text_adapter.h"
#include "editor_fixture.h"
#include "foundation/dlg_confirm.h"
#include "foundation/polyglot.h"
#include "graphics/image_writer.h"
#include "wordlist/scramble.h"

namespace qr::test {

namespace {
template <class W> W* Child(TFormQuarry& f, const char* name) {
    W* w = f.findChild<W*>(QString::fromLatin1(name));
    if (!w) qFatal("no control %s", name);
    return w;
}
QListWidgetItem* Item(QListWidget* box, const QString& text) {
    const auto found = box->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}
constexpr int kYes = TDlgConfirm::kResultYes;
constexpr int kNo = TDlgConfirm::kResultNo;

// A library with `cells` icons in one picture "icons00" one cell high.
std::string IconLibrary(TempDir& dir, int cells) {
    TPX8Writer w;
    TPX8WriterImage img;
    img.Name = "icons00";
    img.Width = 54 * cells;
    img.Height = 54;
    img.Pixels.assign(size_t(img.Width * img.Height), 7);
    w.Add(img);
    const std::string path = dir.Path("icons.px8");
    w.SaveToFile(path);
    return path;
}
} // namespace

class WizardTest : public QObject {
    Q_OBJECT
  private slots:
    void pageOrderOfEachListType_data();
    void pageOrderOfEachListType();
    void typeChangeAsksOnlyWhenWordsWouldBeLost();
    void descriptionIsStoredAsFourLines();
    void creatorPageStoresPasswordVersionsAndAuthorLines();
    void charactersTheGameCannotShowAreRefused();
    void textsTooWideForTheGameAreFlagged();
    void iconsPage();
    void languagesPageAddsAndRemovesLanguages();
    void titleCase_data();
    void titleCase();
    void cancelledOpenKeepsModifiedList();
    void importBringsInANewUnsavedList();
    void saveNeedsPathAndModifiedList();
    void failedLoadLeavesAnUntitledListAndTheFileAlone();
    void refusedSaveTouchesNoFile();
    void saveOverAFileChangedOnDiskAsks();
    void handOverWaitsForTheOpenDialog();
    void browseKeepsThePathAsChosen();
    void renamingKeepsTranslationsAndDeletingAsks();
    void ownTextsReadInEveryLanguage();
    void passwordGetsThreeTries();
    void saveAsWritesFileBackupAndCaption();
    void closingAsksAboutUnsavedWork();
    void workingLanguageRenamesCaptions();
    void helpShowsThePageContext();
};

void WizardTest::pageOrderOfEachListType_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("forward"); // pages visited by Next, "4s" = secondary selection
    QTest::addColumn<QString>("back");    // pages visited by Previous from the last one
    QTest::newRow("vocabulary") << int(TListType::Vocabulary) << "1 2 3 4 4s 5 6"
                                << "5 4s 4 3 2 1";
    QTest::newRow("quiz") << int(TListType::Quiz) << "1 2 3 4 5 7"
                          << "5 4 3 2 1";
    QTest::newRow("anagrams") << int(TListType::Anagrams) << "1 2 3 4 7"
                              << "4 3 2 1";
}

void WizardTest::pageOrderOfEachListType() {
    QFETCH(int, type);
    QFETCH(QString, forward);
    QFETCH(QString, back);
    EditorInstall inst;
    auto form = inst.Open();
    auto where = [&] {
        return QString::number(form->PageIndex()) + (form->SecondarySelection() ? "s" : "");
    };
    form->miNewClick();
    Child<QRadioButton>(*form, type == 0   ? "rbVocab"
                               : type == 1 ? "rbAnagrams"
                                           : "rbQuiz")
        ->click();
    QStringList seen{where()};
    while (Child<QPushButton>(*form, "cmdNext")->isEnabled()) {
        form->cmdNextClick();
        seen << where();
    }
    QCOMPARE(seen.join(' '), forward);
    QStringList backSeen;
    while (Child<QPushButton>(*form, "cmdPrev")->isEnabled()) {
        form->cmdPrevClick();
        backSeen << where();
    }
    QCOMPARE(backSeen.join(' '), back);
    // The help follows the selection the page is in.
    form->ShowPage(TFormQuarry::kLanguages);
    QCOMPARE(form->HelpContext(), 1004);
}

void WizardTest::typeChangeAsksOnlyWhenWordsWouldBeLost() {
    EditorInstall inst;
    auto form = inst.Open();
    form->miNewClick();
    TQRWordList& list = form->List();
    auto* quiz = Child<QRadioButton>(*form, "rbQuiz");
    auto* anagrams = Child<QRadioButton>(*form, "rbAnagrams");
    auto* vocab = Child<QRadioButton>(*form, "rbVocab");
    quiz->click();
    list.AddClueWord("What barks?", "dog", 0);
    // Between anagrams and quiz the words stay, without a question.
    anagrams->click();
    QCOMPARE(list.ListType(), TListType::Anagrams);
    QCOMPARE(list.WordCount(), size_t(1));
    QVERIFY(inst.dialogs.log.isEmpty());
    QCOMPARE(Child<QLineEdit>(*form, "txtTitle")->text(), Caption(76));
    // Towards vocabulary it asks; "No" keeps the type and the button.
    inst.dialogs.confirms = {kNo};
    vocab->click();
    QCOMPARE(list.ListType(), TListType::Anagrams);
    QVERIFY(anagrams->isChecked());
    QCOMPARE(inst.dialogs.log.size(), 1);
    QVERIFY(inst.dialogs.log[0].startsWith("CONFIRM " + Caption(11) + " | " + Caption(12)));
    inst.dialogs.confirms = {kYes};
    vocab->click();
    QCOMPARE(list.ListType(), TListType::Vocabulary);
    QCOMPARE(list.WordCount(), size_t(0));
    // With icon clues even anagrams <-> quiz asks.
    quiz->click(); // empty list: no question
    list.AddClueWord("", "Clue 0", 0);
    list.SetUsesIconClues(true);
    const auto asked = inst.dialogs.log.size();
    inst.dialogs.confirms = {kNo};
    anagrams->click();
    QCOMPARE(inst.dialogs.log.size(), asked + 1);
    QCOMPARE(list.ListType(), TListType::Quiz);
}

void WizardTest::descriptionIsStoredAsFourLines() {
    EditorInstall inst;
    auto form = inst.Open();
    form->miNewClick();
    form->ShowPage(TFormQuarry::kComments);
    Child<QPlainTextEdit>(*form, "txtDesc")->setPlainText("Animals of the farm\nand the >Zoo");
    Child<QPlainTextEdit>(*form, "txtComments")->setPlainText("keep >a as typed\nsecond");
    QVERIFY(form->CommitPage());
    const TQRWordList& list = form->List();
    QCOMPARE(list.DescriptionCount(), size_t(4));
    QCOMPARE(QString::fromStdString(list.DescriptionLine(0)), QString("Animals of the farm"));
    QCOMPARE(list.DescriptionLine(1), std::string("and the \x06oo"));
    QCOMPARE(list.DescriptionLine(2), std::string());
    QCOMPARE(list.DescriptionLine(3), std::string());
    QCOMPARE(list.Comment(0), std::string("keep >a as typed"));
    QCOMPARE(list.CommentCount(), size_t(2));
    // Unchanged text is not a change.
    form->List().ClearModified();
    form->ShowPage(TFormQuarry::kComments);
    QCOMPARE(Child<QPlainTextEdit>(*form, "txtDesc")->toPlainText(),
             QString("Animals of the farm\nand the >Zoo\n\n\n"));
    QVERIFY(form->CommitPage());
    QVERIFY(!form->List().Modified());
    // Five lines are over the limit: the warning shows, nothing is refused.
    Child<QPlainTextEdit>(*form, "txtDesc")->setPlainText("1\n2\n3\n4\n5");
    QVERIFY(!Child<QLabel>(*form, "lblDescLongWarning")->isHidden());
}

void WizardTest::creatorPageStoresPasswordVersionsAndAuthorLines() {
    EditorInstall inst;
    auto form = inst.Open();
    form->miNewClick();
    form->ShowPage(TFormQuarry::kCreator);
    auto* password = Child<QLineEdit>(*form, "txtPassword");
    QTest::keyClicks(password, "ab-1 c");
    QCOMPARE(password->text(), QString("AB1C"));
    auto* major = Child<QLineEdit>(*form, "txtMajVersion");
    major->clear();
    QTest::keyClicks(major, "2x7");
    QCOMPARE(major->text(), QString("27"));
    Child<QLineEdit>(*form, "txtMinVersion")->clear();
    Child<QLineEdit>(*form, "txtHandle")->setText("Miss >Smith  ");
    Child<QPlainTextEdit>(*form, "txtAuthor")->setPlainText("Teacher\nClass 3b");
    QVERIFY(form->CommitPage());
    const TQRWordList& list = form->List();
    QCOMPARE(UnscrambleText(list.Password()), std::string("AB1C"));
    QCOMPARE(list.VersionMajor(), uint16_t(27));
    QCOMPARE(list.VersionMinor(), uint16_t(0));
    QCOMPARE(list.Handle(), std::string("Miss \x04mith"));
    QCOMPARE(list.AuthorLineCount(), size_t(2));
    // Showing and committing again changes nothing (the password is scrambled anew only
    // when it changes).
    form->List().ClearModified();
    const std::string scrambled = list.Password();
    form->ShowPage(TFormQuarry::kCreator);
    QCOMPARE(Child<QLineEdit>(*form, "txtHandle")->text(), QString("Miss >Smith"));
    QVERIFY(form->CommitPage());
    QVERIFY(!list.Modified());
    QCOMPARE(list.Password(), scrambled);
    // The handle and author lines are what the next new list gets.
    form.reset();
    auto again = inst.Open();
    again->miNewClick();
    QCOMPARE(again->List().Handle(), std::string("Miss \x04mith"));
    QCOMPARE(again->List().AuthorLine(1), std::string("Class 3b"));
    QVERIFY(!again->List().Modified());
}

void WizardTest::charactersTheGameCannotShowAreRefused() {
    EditorInstall inst;
    auto form = inst.Open();
    form->miNewClick();
    auto* title = Child<QLineEdit>(*form, "txtTitle");
    title->setText(QString::fromUtf8("Tiere \xE2\x98\x83"));
    QVERIFY(!form->CommitPage());
    QVERIFY(inst.dialogs.log.last().contains(QString::fromUtf8("\"\xE2\x98\x83\" (U+2603)")));
    // A special letter typed as itself is stored as its code, like its ">" form.
    title->setText(FromBytes("Gr\x81n >a"));
    QVERIFY(form->CommitPage());
    QCOMPARE(form->List().Title(), std::string("Gr\x81n \x81"));
    form->ShowPage(TFormQuarry::kTypeTitle);
    QCOMPARE(title->text(), QString("Gr>an >a"));
}

void WizardTest::textsTooWideForTheGameAreFlagged() {
    EditorInstall inst;
    auto form = inst.Open();
    form->miNewClick();
    auto* title = Child<QLineEdit>(*form, "txtTitle");
    auto* warning = Child<QLabel>(*form, "lblTitleLongWarning");
    // Measured in the game's font: a short title fits, a long one is flagged, not refused.
    title->setText("Farm animals");
    QVERIFY(warning->isHidden());
    title->setText("Farm animals and the sounds they make at dawn");
    QVERIFY(!warning->isHidden());
    QVERIFY(form->CommitPage());
    QCOMPARE(form->List().Title(), std::string("Farm animals and the sounds they make at dawn"));
    title->setText("Farm");
    QVERIFY(warning->isHidden());
    // A character the game's fonts leave blank is named in the same warning; œ is drawn.
    title->setText(QString::fromUtf8("Brands\u2122"));
    QVERIFY(!warning->isHidden());
    QVERIFY(warning->text().contains(QString::fromUtf8("\u201C\u2122\u201D")));
    title->setText(QString::fromUtf8("Ma s\u0153ur"));
    QVERIFY(warning->isHidden());
    title->setText("Farm animals and the sounds they make at dawn");
    QVERIFY(!warning->text().contains(QString::fromUtf8("\u2122")));
    title->setText("Farm");
    form->cmdNextClick();
    auto* handle = Child<QLineEdit>(*form, "txtHandle");
    handle->setText("Mrs Wilhelmina Wigglesworth");
    QVERIFY(!Child<QLabel>(*form, "lblHandleLongWarning")->isHidden());
}

void WizardTest::iconsPage() {
    EditorInstall inst;
    auto form = inst.Open();
    form->miNewClick();
    Child<QRadioButton>(*form, "rbQuiz")->click();
    form->ShowPage(TFormQuarry::kIcons);
    auto* check = Child<QCheckBox>(*form, "chkIconClues");
    auto* library = Child<QLineEdit>(*form, "txtIconLib");
    check->setChecked(true);
    library->clear();
    QVERIFY(!form->CommitPage());
    QVERIFY(inst.dialogs.log.last().endsWith(
        "Error | You have to specify an image library if you want to use icons"));
    library->setText(QString::fromStdString(inst.folders.ImageLibraries() + "game.px8"));
    QVERIFY(!form->CommitPage());
    QVERIFY(
        inst.dialogs.log.last().endsWith("Error | Unable to find any icons in the given library"));

    // Three icons: the words are brought to three.
    const std::string three = IconLibrary(inst.dir, 3);
    library->setText(QString::fromStdString(three) + "  ");
    QCOMPARE(Child<QLabel>(*form, "lblIconsInLibrary")->text(), QString("Icons in library: 3"));
    form->List().AddClueWord("first clue", "one", 5);
    QVERIFY(form->CommitPage());
    QCOMPARE(form->List().WordCount(), size_t(3));
    QCOMPARE(form->List().Word(1), std::string("Clue 1"));
    QCOMPARE(form->List().Group(2), uint8_t(0));
    QCOMPARE(form->List().IconLibrary(), three);
    // One icon fewer than words: the surplus goes only on "Yes".
    const std::string two = IconLibrary(inst.dir, 2);
    library->setText(QString::fromStdString(two));
    inst.dialogs.confirms = {kNo};
    QVERIFY(form->CommitPage());
    QVERIFY(inst.dialogs.log.last().startsWith(
        "CONFIRM Confirm | Delete final 1 answers to match icon count?"));
    QCOMPARE(form->List().WordCount(), size_t(3));
    inst.dialogs.confirms = {kYes};
    QVERIFY(form->CommitPage());
    QCOMPARE(form->List().WordCount(), size_t(2));
    // Unchecking keeps the words and stores the path typed.
    check->setChecked(false);
    library->setText("elsewhere.px8");
    QVERIFY(form->CommitPage());
    QVERIFY(!form->List().UsesIconClues());
    QCOMPARE(form->List().WordCount(), size_t(2));
    QCOMPARE(form->List().IconLibrary(), std::string("elsewhere.px8"));
    QCOMPARE(Child<QLabel>(*form, "lblIconsInLibrary")->text(), QString("No such file"));
}

void WizardTest::languagesPageAddsAndRemovesLanguages() {
    EditorInstall inst;
    inst.dir.Write("inst/quilrush.ini",
                   "[More languages]\nLanguage count=3\nLanguage 1=Klingon\nLanguage 2=German\n"
                   "Language 3=\n");
    auto form = inst.Open();
    auto* standard = Child<QListWidget>(*form, "lbxLanguages");
    auto* more = Child<QListWidget>(*form, "lbxMoreLang");
    // A standard language named in the settings is not a further one.
    QCOMPARE(more->count(), 1);
    QCOMPARE(more->item(0)->text(), QString("Klingon"));
    QCOMPARE(standard->count(), 23);

    form->miNewClick();
    Child<QRadioButton>(*form, "rbVocab")->click();
    form->ShowPage(TFormQuarry::kLanguages);
    inst.dialogs.texts = {QString("  old   norse "), QString("german"), QString("klingon")};
    form->findChild<QPushButton*>("cmdAddLang")->click();
    form->findChild<QPushButton*>("cmdAddLang")->click();
    form->findChild<QPushButton*>("cmdAddLang")->click();
    QVERIFY(Item(more, "Old Norse"));
    QVERIFY(inst.dialogs.log.contains("MESSAGE " + Caption(55) + " | " +
                                      QString(Caption(56)).replace("%s", "German")));
    QVERIFY(inst.dialogs.log.contains("MESSAGE " + Caption(55) + " | " +
                                      QString(Caption(57)).replace("%s", "Klingon")));

    // Primary: French from the standard box; clicking the other box clears it.
    Item(standard, "French")->setSelected(true);
    form->cmdNextClick();
    QCOMPARE(form->List().PrimaryLanguage(), std::string("French"));
    QVERIFY(form->SecondarySelection());
    Item(standard, "German")->setSelected(true);
    Item(more, "Old Norse")->setSelected(true);
    QVERIFY(form->CommitPage());
    QCOMPARE(form->List().LanguageCount(), size_t(2));
    // Deselecting one asks before its translations go; "No" keeps it.
    form->ShowPage(TFormQuarry::kLanguages);
    QVERIFY(Item(standard, "German")->isSelected());
    Item(standard, "German")->setSelected(false);
    inst.dialogs.confirms = {kNo};
    QVERIFY(form->CommitPage());
    QCOMPARE(form->List().LanguageCount(), size_t(2));
    QVERIFY(inst.dialogs.log.last().startsWith("CONFIRM " + Caption(240) + " | " +
                                               QString(Caption(241)).replace("%s", "German")));
    Item(standard, "German")->setSelected(false);
    inst.dialogs.confirms = {kYes};
    QVERIFY(form->CommitPage());
    QCOMPARE(form->List().LanguageCount(), size_t(1));
    QCOMPARE(form->List().LanguageName(0), std::string("Old Norse"));

    // Renaming a further language: title case, refused for a standard name.
    more->clearSelection();
    Item(more, "Klingon")->setSelected(true);
    inst.dialogs.texts = {QString("latin"), QString("tlhingan hol")};
    form->findChild<QPushButton*>("cmdModifyLang")->click();
    QVERIFY(Item(more, "Klingon"));
    form->findChild<QPushButton*>("cmdModifyLang")->click();
    QVERIFY(Item(more, "Tlhingan Hol") && Item(more, "Tlhingan Hol")->isSelected());
    // The settings keep the further languages for the next session.
    form.reset();
    const std::string ini = inst.dir.Read("inst/quilrush.ini");
    QVERIFY(ini.find("Language count=2") != std::string::npos);
    QVERIFY(ini.find("=Tlhingan Hol") != std::string::npos);
}

void WizardTest::titleCase_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "swahili"
                           << "Swahili";
    QTest::newRow("shouted") << "SWISS GERMAN"
                             << "Swiss German";
    QTest::newRow("blanks") << "  old   church  slavonic "
                            << "Old Church Slavonic";
    QTest::newRow("accent") << QString::fromUtf8("\xC3\xA9wondo")
                            << QString::fromUtf8("\xC3\x89wondo");
    QTest::newRow("empty") << "   "
                           << "";
}

void WizardTest::titleCase() {
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QCOMPARE(TFormQuarry::TitleCase(typed), expected);
}

void WizardTest::cancelledOpenKeepsModifiedList() {
    EditorInstall inst;
    auto form = inst.Open();
    form->miNewClick();
    Child<QLineEdit>(*form, "txtTitle")->setText("Mine");
    QVERIFY(form->CommitPage());
    inst.dialogs.files = {QString()};
    form->miOpenClick();
    QCOMPARE(form->List().Title(), std::string("Mine"));
    QVERIFY(form->List().Modified());
    QVERIFY(!inst.dialogs.Logged("CONFIRM"));
    // The dialog starts in the installation's word lists.
    QCOMPARE(inst.dialogs.fileRequests.back().folder + "/",
             QString::fromStdString(inst.folders.Lists()));
}

void WizardTest::importBringsInANewUnsavedList() {
    EditorInstall inst;
    auto form = inst.Open();
    form->miNewClick();
    Child<QLineEdit>(*form, "txtTitle")->setText("Mine");
    QVERIFY(form->CommitPage());
    const std::string bad = inst.dir.Write("bad.csv", "English;German\n\xD0\x96uk;Zuk\n");
    const std::string good = inst.dir.Write(
        "animals.csv", "English,German\ndog,Hund\ncat,Katze\nhorse,Pferd\nmouse,Maus\n");
    // A file that cannot become a list says why and leaves the list as it was.
    inst.dialogs.files = {QString::fromStdString(bad)};
    form->miImportClick();
    QCOMPARE(form->List().Title(), std::string("Mine"));
    QVERIFY(inst.dialogs.Logged("MESSAGE Import"));
    // A good one replaces it (after the question about the unsaved one) on page 1, unsaved.
    inst.dialogs.log.clear();
    inst.dialogs.files = {QString::fromStdString(good)};
    inst.dialogs.confirms = {6};
    form->miImportClick();
    QVERIFY(inst.dialogs.Logged("CONFIRM"));
    QCOMPARE(form->PageIndex(), 1);
    QCOMPARE(form->List().WordCount(), size_t(4));
    QCOMPARE(form->List().Words()[1].text, std::string("cat"));
    QVERIFY(form->List().Modified());
    QVERIFY(inst.dialogs.Logged("MESSAGE Import | 4 words brought in from animals.csv."));
}

void WizardTest::saveNeedsPathAndModifiedList() {
    EditorInstall inst;
    auto form = inst.Open();
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    form->miNewClick();
    Child<QLineEdit>(*form, "txtTitle")->setText("Never saved");
    form->UpdateMenuStates();
    auto* save = form->findChild<QAction*>("miSave");
    auto* saveAs = form->findChild<QAction*>("miSaveAs");
    // Only the commit (here by the menu's opening) makes the list modified.
    QVERIFY(form->CommitPage());
    form->UpdateMenuStates();
    QVERIFY(form->List().Modified());
    QVERIFY(!save->isEnabled());
    QVERIFY(saveAs->isEnabled());
    // A shortcut acts like the menu: commit first, then the item if it is enabled.
    const std::string path = inst.dir.Path("inst/lists/never.qrw");
    inst.dialogs.files = {QString::fromStdString(path)};
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!QFileInfo::exists(QString::fromStdString(path)));
    form->miSaveAsClick();
    QVERIFY(QFileInfo::exists(QString::fromStdString(path)));
    form->UpdateMenuStates();
    QVERIFY(!save->isEnabled()); // saved: nothing to save
    Child<QLineEdit>(*form, "txtTitle")->setText("Changed");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    TQRWordList reread;
    QVERIFY(reread.LoadFromFile(path));
    QCOMPARE(reread.Title(), std::string("Changed"));
}

// A list that cannot be read is not taken as the file being edited: saving what is
// typed next must never replace it, nor push its last good backup out.
void WizardTest::failedLoadLeavesAnUntitledListAndTheFileAlone() {
    EditorInstall inst;
    std::string good;
    {
        TQRWordList list;
        list.Reset();
        list.SetTitle("Good");
        list.AddClueWord("clue", "word", 0);
        good = list.SaveToBytes();
    }
    const std::string damaged = good.substr(0, good.size() - 9);
    const std::string bad = inst.dir.Write("inst/lists/broken.qrw", damaged);
    inst.dir.Write("inst/lists/broken.bak", good);
    TQRWordList probe;
    QVERIFY(!probe.LoadFromFile(bad));
    auto form = inst.Open();
    inst.dialogs.files = {QString::fromStdString(bad)};
    form->miOpenClick();
    // The message names the reason the list gave, in the working language.
    QVERIFY2(inst.dialogs.log.contains(
                 "MESSAGE Invalid File | Unable to load file\nThe file is damaged."),
             qPrintable(inst.dialogs.log.join('\n')));
    QCOMPARE(probe.LastFault(), TLoadFault::Damaged);
    QCOMPARE(form->PageIndex(), int(TFormQuarry::kTypeTitle));
    QVERIFY(form->FilePath().isEmpty());
    QCOMPARE(form->List().WordCount(), size_t(0));
    QCOMPARE(form->windowTitle(), Caption(4));
    // A title typed and Save: nothing is written; Save As asks for a name.
    Child<QLineEdit>(*form, "txtTitle")->setText("Typed after");
    form->miSaveClick();
    inst.dialogs.files = {QString()};
    form->miSaveAsClick();
    QCOMPARE(inst.dialogs.log.last(), "FILE " + Caption(70));
    QCOMPARE(inst.dir.Read("inst/lists/broken.qrw"), damaged);
    QCOMPARE(inst.dir.Read("inst/lists/broken.bak"), good);
}

// Whatever refuses a save does so before a file is touched.
void WizardTest::refusedSaveTouchesNoFile() {
    EditorInstall inst;
    const std::string path = inst.dir.Path("inst/lists/long.qrw");
    {
        TQRWordList list;
        list.Reset();
        list.AddClueWord("clue", "word", 0);
        QVERIFY(list.SaveToFile(path));
    }
    inst.dir.Write("inst/lists/long.bak", "the backup before");
    const std::string before = inst.dir.Read("inst/lists/long.qrw");
    auto form = inst.Open();
    form->OpenPath(QString::fromStdString(path));
    // A word too long for the file, as an older list or an import could bring it.
    form->List().AddClueWord("clue", std::string(300, 'a'), 0);
    inst.dialogs.log.clear();
    form->miSaveClick();
    QCOMPARE(inst.dialogs.log.size(), 1);
    const QString message = inst.dialogs.log.first();
    QVERIFY2(message.startsWith("MESSAGE " + Caption(str::kSaveFailed) + " | "),
             qPrintable(message));
    // What failed and why, once, in the working language.
    QCOMPARE(message, "MESSAGE " + Caption(str::kSaveFailed) + " | " +
                          Caption(str::kNotSaved,
                                  {QString::fromStdString(path),
                                   Caption(str::kTooLong, {QString(40, 'a') + QChar(0x2026)})}));
    QCOMPARE(inst.dir.Read("inst/lists/long.qrw"), before);
    QCOMPARE(inst.dir.Read("inst/lists/long.bak"), std::string("the backup before"));
    QVERIFY(form->List().Modified());
}

void WizardTest::saveOverAFileChangedOnDiskAsks() {
    EditorInstall inst;
    const std::string path = inst.dir.Path("inst/lists/shared.qrw");
    // Another editor's save: a list of its own under the same name.
    auto theirs = [&](const char* title) {
        TQRWordList list;
        list.Reset();
        list.SetTitle(title);
        list.AddClueWord("clue", "theirs", 0);
        if (!list.SaveToFile(path)) qFatal("cannot save theirs");
        return inst.dir.Read("inst/lists/shared.qrw");
    };
    theirs("First");
    auto form = inst.Open();
    form->OpenPath(QString::fromStdString(path));
    auto* title = Child<QLineEdit>(*form, "txtTitle");
    title->setText("Mine");
    // Unchanged on disk: saved without a question.
    form->miSaveClick();
    QVERIFY(!inst.dialogs.Logged("CHOOSE"));
    QCOMPARE(form->List().Title(), std::string("Mine"));

    const QString question =
        "CHOOSE " + Caption(str::kConfirm) + " | " + Caption(str::kChangedOnDisk, {"shared.qrw"}) +
        " | " +
        QStringList{Caption(str::kKeepMine), Caption(str::kReloadTheirs), Caption(str::kSaveAs)}
            .join('/');
    // Escape: nothing saved, their file stays.
    std::string onDisk = theirs("Second");
    title->setText("Mine again");
    inst.dialogs.choices = {-1};
    form->miSaveClick();
    QCOMPARE(inst.dialogs.log.last(), question);
    QCOMPARE(inst.dir.Read("inst/lists/shared.qrw"), onDisk);
    // Reload theirs: their list is shown, nothing written.
    inst.dialogs.choices = {1};
    form->miSaveClick();
    QCOMPARE(form->List().Title(), std::string("Second"));
    QVERIFY(!form->List().Modified());
    QCOMPARE(inst.dir.Read("inst/lists/shared.qrw"), onDisk);
    // Keep mine: saved over it, theirs kept as the backup.
    onDisk = theirs("Third");
    title->setText("Mine at last");
    inst.dialogs.choices = {0};
    form->miSaveClick();
    QCOMPARE(inst.dir.Read("inst/lists/shared.bak"), onDisk);
    TQRWordList reread;
    QVERIFY(reread.LoadFromFile(path));
    QCOMPARE(reread.Title(), std::string("Mine at last"));
    // Save As: theirs stays, mine goes under the new name.
    onDisk = theirs("Fourth");
    title->setText("Elsewhere");
    const std::string other = inst.dir.Path("inst/lists/mine.qrw");
    inst.dialogs.choices = {2};
    inst.dialogs.files = {QString::fromStdString(other)};
    form->miSaveClick();
    QCOMPARE(inst.dir.Read("inst/lists/shared.qrw"), onDisk);
    QVERIFY(reread.LoadFromFile(other));
    QCOMPARE(reread.Title(), std::string("Elsewhere"));
    QCOMPARE(form->FilePath(), QString::fromStdString(other));
}

// A second copy hands a file over while Game > Edit levels is open for another list.
void WizardTest::handOverWaitsForTheOpenDialog() {
    EditorInstall inst;
    auto save = [&](const char* file, const char* title, const char* level) {
        TQRWordList list;
        list.Reset();
        list.SetTitle(title);
        list.AddClueWord("clue", "word", 0);
        list.AddLevels(1);
        list.SetLevelName(0, level);
        const std::string path = inst.dir.Path(std::string("inst/lists/") + file);
        if (!list.SaveToFile(path)) qFatal("cannot save %s", file);
        return path;
    };
    const std::string first = save("first.qrw", "First", "One");
    const std::string second = save("second.qrw", "Second", "Two");
    const std::string secondBytes = inst.dir.Read("inst/lists/second.qrw");
    auto form = inst.Open();
    form->show();
    form->OpenPath(QString::fromStdString(first));
    bool checked = false;
    QTimer::singleShot(50, form.get(), [&] {
        auto* dlg = dynamic_cast<TDlgLevels*>(QApplication::activeModalWidget());
        if (!dlg) qFatal("the level dialog is not open");
        form->HandOver(QString::fromStdString(second));
        // Not under the open dialog.
        checked = form->HandOverPending() && form->List().Title() == "First";
        dlg->txtLevelName->setText("Changed in the dialog");
        dlg->accept();
    });
    form->miEditLevelsClick();
    QVERIFY(checked);
    QCOMPARE(form->List().LevelName(0), std::string("Changed in the dialog"));
    // Then the handed-over list opens (asking first about the changes), untouched.
    inst.dialogs.confirms = {kYes};
    QTRY_COMPARE(form->List().Title(), std::string("Second"));
    QCOMPARE(form->List().LevelName(0), std::string("Two"));
    QVERIFY(!form->List().Modified());
    QCOMPARE(inst.dir.Read("inst/lists/second.qrw"), secondBytes);
}

void WizardTest::browseKeepsThePathAsChosen() {
    EditorInstall inst;
    inst.dir.Write("Icons/.keep", "");
    TempDir libs;
    const std::string made = IconLibrary(libs, 2);
    const std::string path = inst.dir.Path("Icons/Farm Animals.px8");
    inst.dir.Write("Icons/Farm Animals.px8", libs.Read("icons.px8"));
    QVERIFY(!made.empty());
    auto form = inst.Open();
    form->miNewClick();
    form->List().SetListType(TListType::Quiz);
    form->ShowPage(TFormQuarry::kIcons);
    inst.dialogs.files = {QString::fromStdString(path)};
    Child<QPushButton>(*form, "cmdBrowseImgLib")->click();
    QCOMPARE(Child<QLineEdit>(*form, "txtIconLib")->text(), QString::fromStdString(path));
    QVERIFY(Child<QCheckBox>(*form, "chkIconClues")->isChecked());
    QCOMPARE(Child<QLabel>(*form, "lblIconsInLibrary")->text(),
             Caption(str::kIconsInLibrary, {"2"}));
    QVERIFY(form->CommitPage());
    QCOMPARE(form->List().IconLibrary(), path);
}

void WizardTest::renamingKeepsTranslationsAndDeletingAsks() {
    EditorInstall inst;
    inst.dir.Write("inst/quilrush.ini",
                   "[More languages]\nLanguage count=2\nLanguage 1=Klingon\nLanguage 2=Quenya\n");
    auto form = inst.Open();
    form->miNewClick();
    TQRWordList& list = form->List();
    list.SetListType(TListType::Vocabulary);
    list.SetPrimaryLanguage("English");
    list.AddLanguage("Klingon");
    list.AddLanguage("Quenya");
    list.AddWord("dog", 0);
    list.SetTranslation("Klingon", 0, "targh");
    list.SetTranslation("Quenya", 0, "huo");
    form->ShowPage(TFormQuarry::kLanguages);
    form->cmdNextClick();
    QVERIFY(form->SecondarySelection());
    auto* more = Child<QListWidget>(*form, "lbxMoreLang");
    QVERIFY(Item(more, "Klingon")->isSelected());
    more->clearSelection();
    Item(more, "Klingon")->setSelected(true);
    inst.dialogs.texts = {QString("tlhingan hol")};
    Child<QPushButton>(*form, "cmdModifyLang")->click();
    // Renamed at once, in its place, with its translations; the old name is gone.
    QCOMPARE(list.LanguageCount(), size_t(2));
    QCOMPARE(list.LanguageName(0), std::string("Tlhingan Hol"));
    QCOMPARE(list.GetTranslation("Tlhingan Hol", 0), std::string("targh"));
    Item(more, "Quenya")->setSelected(true);
    QVERIFY(form->CommitPage());
    QCOMPARE(list.LanguageCount(), size_t(2));
    QCOMPARE(more->count(), 2);
    QVERIFY(!Item(more, "Klingon"));
    // Deleting a language the list carries asks; "No" keeps it and its words.
    more->clearSelection();
    Item(more, "Quenya")->setSelected(true);
    inst.dialogs.confirms = {kNo};
    Child<QPushButton>(*form, "cmdDeleteLang")->click();
    QCOMPARE(inst.dialogs.log.last(), "CONFIRM " + Caption(240) + " | " + Caption(241, {"Quenya"}));
    QVERIFY(Item(more, "Quenya"));
    QCOMPARE(list.GetTranslation("Quenya", 0), std::string("huo"));
    inst.dialogs.confirms = {kYes};
    Child<QPushButton>(*form, "cmdDeleteLang")->click();
    QVERIFY(!Item(more, "Quenya"));
    QCOMPARE(list.LanguageCount(), size_t(1));
}

// The editor's own captions and messages, and the help window's button, come from the
// string table of the working language.
void WizardTest::ownTextsReadInEveryLanguage() {
    EditorInstall inst;
    auto form = inst.Open();
    form->miPageHelpClick();
    auto* helpClose = Child<QPushButton>(*form->HelpWindow(), "cmdClose");
    auto* import = form->findChild<QAction*>("miImport");
    QStringList closes, imports;
    for (const char* name : {"English", "Deutsch",
                             "Fran\xE7"
                             "ais"}) {
        const int lang = FindWorkingLanguage(form->WorkingLanguages(), name);
        QVERIFY2(lang >= 0, name);
        form->ChooseWorkingLanguage(lang);
        for (int entry :
             {str::kError,          str::kWarning,    str::kConfirm,       str::kUnshowable,
              str::kNeedLibrary,    str::kNoIcons,    str::kDeleteFinal,   str::kInvalidFile,
              str::kUnableToLoad,   str::kSaveFailed, str::kNotSaved,      str::kTooLong,
              str::kChangedOnDisk,  str::kKeepMine,   str::kReloadTheirs,  str::kImport,
              str::kImportFilter,   str::kImported,   str::kImportSkipped, str::kFolderReadOnly,
              str::kIconsInLibrary, str::kNoSuchFile}) {
            const QString text = Caption(entry);
            QVERIFY2(!text.isEmpty() && !text.contains("STRING ACCESS ERROR"),
                     qPrintable(QStringLiteral("%1: entry %2").arg(name).arg(entry)));
        }
        QCOMPARE(helpClose->text(), Caption(85).remove('&'));
        QCOMPARE(import->text(), Caption(str::kImport));
        closes << helpClose->text();
        imports << import->text();
    }
    QCOMPARE(closes, (QStringList{"Close",
                                  QString::fromUtf8("Schlie\xC3\x9F"
                                                    "en"),
                                  "Fermer"}));
    QCOMPARE(imports.removeDuplicates(), 0);
    form->ChooseWorkingLanguage(FindWorkingLanguage(form->WorkingLanguages(), "English"));
}

void WizardTest::passwordGetsThreeTries() {
    EditorInstall inst;
    const std::string path = inst.dir.Path("inst/lists/secret.qrw");
    {
        TQRWordList list;
        list.Reset();
        list.SetTitle("Secret");
        list.SetPassword(ScrambleText("OPEN7"));
        list.AddClueWord("clue", "word", 0);
        QVERIFY(list.SaveToFile(path));
    }
    auto form = inst.Open();
    // Three misses, "Yes" to trying again in between: the list is refused and reset.
    inst.dialogs.files = {QString::fromStdString(path)};
    inst.dialogs.texts = {QString("wrong"), QString("open"), std::nullopt};
    inst.dialogs.confirms = {kYes, kYes};
    form->miOpenClick();
    QCOMPARE(inst.dialogs.log.filter("ASK " + Caption(80)).size(), 3);
    QVERIFY(inst.dialogs.log.last() == "MESSAGE " + Caption(82) + " | " + Caption(83));
    QCOMPARE(form->List().WordCount(), size_t(0));
    QVERIFY(form->FilePath().isEmpty());
    QCOMPARE(form->windowTitle(), Caption(4));
    // A miss, then the password in lower case: accepted.
    inst.dialogs.log.clear();
    inst.dialogs.files = {QString::fromStdString(path)};
    inst.dialogs.texts = {QString("nope"), QString("open7")};
    inst.dialogs.confirms = {kYes};
    form->miOpenClick();
    QCOMPARE(form->List().Title(), std::string("Secret"));
    QCOMPARE(form->FilePath(), QString::fromStdString(path));
    QVERIFY(inst.dialogs.log.contains("CONFIRM " + Caption(82) + " | " + Caption(84)));
    // "No" after a miss refuses at once.
    inst.dialogs.log.clear();
    inst.dialogs.files = {QString::fromStdString(path)};
    inst.dialogs.texts = {QString("nope")};
    inst.dialogs.confirms = {kNo};
    form->miOpenClick();
    QCOMPARE(inst.dialogs.log.filter("ASK").size(), 1);
    QCOMPARE(form->List().WordCount(), size_t(0));
}

void WizardTest::saveAsWritesFileBackupAndCaption() {
    EditorInstall inst;
    const std::string path = inst.dir.Write("inst/lists/old.qrw", "previous bytes");
    auto form = inst.Open();
    form->miNewClick();
    Child<QLineEdit>(*form, "txtTitle")->setText("Farm animals");
    inst.dialogs.files = {QString::fromStdString(path)};
    form->miSaveAsClick();
    QVERIFY2(inst.dialogs.log.contains("MESSAGE " + Caption(72) + " | " + Caption(73)),
             qPrintable(inst.dialogs.log.join('\n')));
    QCOMPARE(inst.dir.Read("inst/lists/old.bak"), std::string("previous bytes"));
    TQRWordList reread;
    QVERIFY(reread.LoadFromFile(path));
    QCOMPARE(reread.Title(), std::string("Farm animals"));
    QCOMPARE(form->windowTitle(), QString("QUARRY - Farm animals: old.qrw"));
    QCOMPARE(inst.dialogs.fileRequests.back().title, Caption(70));
    QVERIFY(inst.dialogs.fileRequests.back().save);
    // The folder is remembered for the next dialog.
    const std::string ini = inst.dir.Read("inst/quilrush.ini");
    QVERIFY(ini.find("Word-list path=" + inst.dir.Path("inst/lists") + "/") != std::string::npos);
}

void WizardTest::closingAsksAboutUnsavedWork() {
    EditorInstall inst;
    auto form = inst.Open();
    form->show();
    form->miNewClick();
    Child<QLineEdit>(*form, "txtTitle")->setText("Unsaved");
    inst.dialogs.confirms = {kNo};
    QVERIFY(!form->close());
    QVERIFY(inst.dialogs.log.last().startsWith("CONFIRM " + Caption(str::kCloseEditor) + " | " +
                                               Caption(12)));
    inst.dialogs.confirms = {kYes};
    QVERIFY(form->close());
}

void WizardTest::workingLanguageRenamesCaptions() {
    EditorInstall inst;
    auto form = inst.Open();
    const int german = FindWorkingLanguage(form->WorkingLanguages(), "Deutsch");
    QVERIFY(german >= 0);
    form->miNewClick();
    Child<QRadioButton>(*form, "rbVocab")->click();
    form->ChooseWorkingLanguage(german);
    QCOMPARE(Child<QPushButton>(*form, "cmdNext")->text(), Caption(8));
    QCOMPARE(Polyglot().GetString(0), std::string("Deutsch"));
    QVERIFY(Item(Child<QListWidget>(*form, "lbxLanguages"), Caption(31)));
    // The untitled list's title follows the language.
    QCOMPARE(Child<QLineEdit>(*form, "txtTitle")->text(), Caption(75));
    QVERIFY(form->HelpFile().endsWith("quarry_deu.hlp"));
    QVERIFY(inst.dir.Read("inst/quilrush.ini").find("Working language=Deutsch") !=
            std::string::npos);
    // The next session starts in it.
    form.reset();
    auto again = inst.Open();
    QCOMPARE(again->WorkingLanguageIndex(), german);
    again->ChooseWorkingLanguage(FindWorkingLanguage(again->WorkingLanguages(), "English"));
}

void WizardTest::helpShowsThePageContext() {
    EditorInstall inst;
    auto form = inst.Open();
    form->miNewClick();
    form->ShowPage(TFormQuarry::kCreator);
    form->miPageHelpClick();
    QCOMPARE(form->HelpWindow()->Context(), 1002);
    QVERIFY(form->HelpWindow()->File().endsWith("quarry_eng.hlp"));
    QVERIFY(form->HelpWindow()->isVisible());
    QVERIFY(form->HelpWindow()->Browser()->toPlainText().contains("Creator"));
    form->miTopicsClick();
    QCOMPARE(form->HelpWindow()->Context(), 0);
}

} // namespace qr::test

int RunWizardTests(int argc, char** argv) {
    qr::test::WizardTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "wizard_test.moc"

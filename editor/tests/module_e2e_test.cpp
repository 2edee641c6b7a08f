// SPDX-License-Identifier: GPL-3.0-or-later
// A complete vocabulary module made through the editor's window as an author would:
// the wizard, the word page with icon clues, the group-name, level and translation
// dialogs opened from their menu items, Save As; then the saved file is read back by
// the model and by qrwtool.
#include <QCheckBox>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>

#include "editor/dlg_game_text.h"
#include "editor/dlg_groups.h"
#include "editor/dlg_levels.h"
#include "editor_fixture.h"
#include "graphics/image_writer.h"
#include "wordlist/word_list.h"

namespace qr::test {

namespace {

// Runs `open` (which shows a modal dialog named `name`) and `drive` on that dialog once
// it is up.
template <class D>
bool WithDialog(QWidget& owner, const char* name, const std::function<void()>& open,
                const std::function<void(D&)>& drive) {
    bool seen = false;
    QTimer::singleShot(0, &owner, [&] {
        for (QDialog* d : owner.findChildren<QDialog*>(QString::fromLatin1(name)))
            if (auto* dlg = dynamic_cast<D*>(d); dlg && dlg->isVisible()) {
                seen = true;
                drive(*dlg);
                return;
            }
    });
    open();
    return seen;
}

std::string FourIcons(TempDir& dir) {
    TPX8Writer w;
    TPX8WriterImage img;
    img.Name = "icons00";
    img.Width = 2 * 54;
    img.Height = 2 * 54;
    img.Pixels.assign(size_t(img.Width * img.Height), 9);
    w.Add(img);
    const std::string path = dir.Path("farm.px8");
    w.SaveToFile(path);
    return path;
}
} // namespace

class ModuleEndToEndTest : public QObject {
    Q_OBJECT
  private slots:
    void vocabularyModuleWithEverything();
};

void ModuleEndToEndTest::vocabularyModuleWithEverything() {
    EditorInstall inst;
    auto form = inst.Open();
    form->show();
    form->miNewClick();
    Child<QRadioButton>(*form, "rbVocab")->click();
    Child<QLineEdit>(*form, "txtTitle")->setText("Farm >animals");
    form->cmdNextClick();
    Child<QLineEdit>(*form, "txtHandle")->setText("Ann");
    form->cmdNextClick();
    Child<QPlainTextEdit>(*form, "txtDesc")->setPlainText("Animals of the farm");
    form->cmdNextClick();
    auto* standard = Child<QListWidget>(*form, "lbxLanguages");
    standard->findItems("English", Qt::MatchExactly).first()->setSelected(true);
    form->cmdNextClick(); // the secondary languages
    standard->findItems("French", Qt::MatchExactly).first()->setSelected(true);
    form->cmdNextClick();
    QCOMPARE(form->PageIndex(), int(TFormQuarry::kIcons));
    Child<QCheckBox>(*form, "chkIconClues")->setChecked(true);
    const std::string library = FourIcons(inst.dir);
    Child<QLineEdit>(*form, "txtIconLib")->setText(QString::fromStdString(library));
    form->cmdNextClick();
    QCOMPARE(form->PageIndex(), int(TFormQuarry::kVocab));

    // One word per icon: typed over the placeholders, each with its French word.
    auto* word = Child<QLineEdit>(*form, "txtPrimary");
    auto* grid = Child<QTableWidget>(*form, "gridSecondary");
    auto* group = Child<QComboBox>(*form, "cbxGroup");
    const char* words[][3] = {{"cow", "vache", "0"},
                              {"h>orse", "cheval", "0"},
                              {"hen", "poule", "1"},
                              {"duck", "canard", "1"}};
    for (const auto& w : words) {
        word->setText(w[0]);
        grid->item(0, 1)->setText(w[1]);
        group->setCurrentIndex(QString(w[2]).toInt());
        form->cbxGroupClick(group->currentIndex());
        QTest::keyClick(word, Qt::Key_Return);
    }
    QCOMPARE(form->List().WordCount(), size_t(4));

    // Group names, from the Options menu.
    QVERIFY(WithDialog<TDlgGroups>(
        *form, "DlgGroups", [&] { form->miEditGroupNamesClick(); },
        [](TDlgGroups& d) {
            d.lbxNames->setCurrentRow(0);
            d.txtGroupName->setText("Big animals");
            d.lbxNames->setCurrentRow(1);
            d.txtGroupName->setText("Birds");
            d.cmdApprove->click();
        }));
    QCOMPARE(group->itemText(1), QStringLiteral("02 Birds"));

    // Two levels: the second plays both groups.
    QVERIFY(WithDialog<TDlgLevels>(
        *form, "DlgLevels", [&] { form->miEditLevelsClick(); },
        [](TDlgLevels& d) {
            while (d.cmdDeleteLevel->isEnabled())
                d.cmdDeleteLevelClick();
            d.lbxLevels->setCurrentRow(0);
            d.txtLevelName->setText("Big ones");
            d.lbxGroups->item(0)->setSelected(true);
            d.lbxLevels->setCurrentRow(1);
            d.txtLevelName->setText("All of them");
            d.lbxGroups->item(0)->setSelected(true);
            d.lbxGroups->item(1)->setSelected(true);
            d.cmdApprove->click();
        }));
    QCOMPARE(form->List().LevelCount(), size_t(2));

    // A German version of the texts.
    QVERIFY(WithDialog<TDlgGameText>(
        *form, "DlgGameText", [&] { form->miTranslateClick(); },
        [](TDlgGameText& d) {
            d.lbxAvail->findItems("German", Qt::MatchExactly).first()->setSelected(true);
            d.cmdUseLangClick();
            d.txtTransTitle->setText("Bauernhoftiere");
            d.txtTransDesc->setPlainText("Tiere vom Bauernhof");
            d.gridLevNames->item(0, 1)->setText("Die Großen");
            d.gridLevNames->item(1, 1)->setText("Alle");
            d.cmdOK->click();
        }));

    const std::string path = inst.dir.Path("inst/lists/farm.qrw");
    inst.dialogs.files = {QString::fromStdString(path)};
    form->miSaveAsClick();

    // Read back by the model.
    TQRWordList back;
    back.SetNameLanguage("English");
    QVERIFY2(back.LoadFromFile(path), back.LastError().c_str());
    QCOMPARE(back.ListType(), TListType::Vocabulary);
    QCOMPARE(back.Title(), std::string("Farm \x81nimals"));
    QCOMPARE(back.Word(1), std::string("h\x95rse"));
    QCOMPARE(back.GetTranslation("French", 2), std::string("poule"));
    QCOMPARE(back.Group(3), uint8_t(1));
    QVERIFY(back.UsesIconClues());
    QCOMPARE(back.IconLibrary(), library);
    QCOMPARE(back.GroupName(1), std::string("Birds"));
    QCOMPARE(back.LevelName(1), std::string("All of them"));
    QVERIFY(back.Level(1)->Contains(0) && back.Level(1)->Contains(1));
    QVERIFY(back.Level(0)->Contains(0) && !back.Level(0)->Contains(1));
    QCOMPARE(back.TitleIn("German"), std::string("Bauernhoftiere"));
    QCOMPARE(back.LevelNameIn("German", 0), std::string("Die Gro\xDF"
                                                        "en"));

    // And by the tool that shows every field.
    QProcess tool;
    tool.start(QStringLiteral(QR_QRWTOOL), {"dump", QString::fromStdString(path)});
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 0);
    const QJsonObject dump = QJsonDocument::fromJson(tool.readAllStandardOutput()).object();
    QCOMPARE(dump["listType"].toString(), QStringLiteral("vocabulary"));
    QCOMPARE(dump["handle"].toString(), QStringLiteral("Ann"));
    QCOMPARE(dump["usesIconClues"].toBool(), true);
    QCOMPARE(dump["description"].toArray().size(), 4);
    const QString json = QString::fromUtf8(QJsonDocument(dump).toJson());
    for (const char* expected : {"Bauernhoftiere", "Tiere vom Bauernhof", "Alle", "Birds",
                                 "Big animals", "vache", "canard", "All of them"})
        QVERIFY2(json.contains(QString::fromUtf8(expected)), expected);
    form->close();
}

} // namespace qr::test

int RunModuleEndToEndTests(int argc, char** argv) {
    qr::test::ModuleEndToEndTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "module_e2e_test.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// Draws every wizard page, the dialogs and the About box in each working language into PNG files,
// for the pictures in docs/screenshots/editor/:
//   quarry32_screenshots DATA_DIR OUT_DIR
// Run it under a real display (xvfb-run) for the desktop's fonts.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "editor/dlg_about.h"
#include "editor/dlg_game_text.h"
#include "editor/dlg_groups.h"
#include "editor/dlg_levels.h"
#include "editor/editor_dialogs.h"
#include "editor/form_quarry.h"
#include "editor/help_window.h"
#include "graphics/image_writer.h"

namespace {

void Save(QWidget& w, const QString& file) {
    if (!w.grab().save(file)) std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
}

template <class W> W* Child(QWidget& f, const char* name) {
    return f.findChild<W*>(QString::fromLatin1(name));
}

// Six icons in two rows of three, each a coloured square with a darker frame.
void WriteIconLibrary(const std::string& path) {
    qr::TPX8Writer w;
    const uint8_t colours[6][3] = {{200, 40, 40},  {40, 160, 40},  {40, 80, 200},
                                   {220, 180, 30}, {150, 60, 160}, {30, 170, 170}};
    for (int i = 0; i < 6; ++i) {
        w.SetPaletteRGB(10 + i, colours[i][0], colours[i][1], colours[i][2]);
        w.SetPaletteRGB(20 + i, colours[i][0] / 2, colours[i][1] / 2, colours[i][2] / 2);
    }
    qr::TPX8WriterImage img;
    img.Name = "icons00";
    img.Width = 3 * 54;
    img.Height = 2 * 54;
    img.Pixels.resize(size_t(img.Width * img.Height));
    for (int y = 0; y < img.Height; ++y)
        for (int x = 0; x < img.Width; ++x) {
            const int icon = (y / 54) * 3 + x / 54, cx = x % 54, cy = y % 54;
            const bool frame = cx < 4 || cy < 4 || cx > 49 || cy > 49;
            img.Pixels[size_t(y * img.Width + x)] = uint8_t((frame ? 20 : 10) + icon);
        }
    w.Add(img);
    w.SaveToFile(path);
}

void AddWord(QWidget& form, const QString& word, const QStringList& others) {
    Child<QLineEdit>(form, "txtPrimary")->setText(word);
    if (auto* grid = Child<QTableWidget>(form, "gridSecondary"))
        for (int r = 0; r < grid->rowCount() && r < others.size(); ++r)
            grid->item(r, 1)->setText(others[r]);
    if (auto* clue = Child<QLineEdit>(form, "txtClue"); clue && !others.isEmpty())
        clue->setText(others[0]);
    Child<QPushButton>(form, "cmdAdd")->click();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: quarry32_screenshots DATA_DIR OUT_DIR\n");
        return 2;
    }
    const std::string data = std::string(argv[1]) + "/";
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    struct Lang {
        const char* name;
        const char* code;
    };
    for (const Lang& lang :
         {Lang{"English", "eng"}, Lang{"Deutsch", "deu"}, Lang{"Français", "fra"}}) {
        const std::filesystem::path inst =
            std::filesystem::temp_directory_path() / ("quarry_shots_" + std::string(lang.code));
        std::filesystem::remove_all(inst);
        std::filesystem::create_directories(inst / "lists");
        // The ini file is Windows-1252, as the string files' language names are.
        const std::string name = QString::fromUtf8(lang.name).toLatin1().toStdString();
        FILE* ini = std::fopen((inst / "quilrush.ini").c_str(), "wb");
        std::fprintf(ini, "[Options]\nWorking language=%s\n", name.c_str());
        std::fclose(ini);

        qr::TFolders folders;
        folders.installation = inst.string() + "/";
        folders.program = data;
        qr::QtEditorDialogs dialogs;
        qr::TFormQuarry form(folders, dialogs);
        form.resize(form.minimumSizeHint().expandedTo(QSize(560, 420)));
        form.show();
        app.processEvents();
        auto shot = [&](const QString& page) {
            app.processEvents();
            Save(form, QStringLiteral("%1/%2_%3.png").arg(out, page, lang.code));
        };
        shot("0_welcome");
        form.miNewClick();
        Child<QRadioButton>(form, "rbVocab")->click();
        Child<QLineEdit>(form, "txtTitle")->setText("Farm animals");
        shot("1_type_title");
        form.cmdNextClick();
        Child<QLineEdit>(form, "txtHandle")->setText("Ann");
        Child<QPlainTextEdit>(form, "txtAuthor")->setPlainText("Class 3b\nGreen Lane School");
        Child<QLineEdit>(form, "txtPassword")->setText("FARM");
        shot("2_creator");
        form.cmdNextClick();
        Child<QPlainTextEdit>(form, "txtDesc")
            ->setPlainText("The animals of the farm\nin two languages");
        Child<QPlainTextEdit>(form, "txtComments")->setPlainText("Made for the farm visit");
        shot("3_comments");
        form.cmdNextClick();
        shot("4_languages_primary");
        form.cmdNextClick();
        auto* standard = Child<QListWidget>(form, "lbxLanguages");
        standard->item(0)->setSelected(true);
        standard->item(1)->setSelected(true);
        shot("4_languages_secondary");
        form.cmdNextClick();
        shot("5_icons");
        form.cmdNextClick();
        AddWord(form, "cow", {"vache", "Kuh"});
        AddWord(form, "horse", {"cheval", "Pferd"});
        AddWord(form, "sheep", {"mouton", "Schaf"});
        AddWord(form, "pig", {"cochon", "Schwein"});
        Child<QLineEdit>(form, "txtPrimary")->setText("cow");
        shot("6_vocab");

        // The three dialogs over this list.
        for (int i = 0; i < standard->count(); ++i)
            if (standard->item(i)->text().toStdString() != form.List().TextLanguage()) {
                form.List().AddTextLanguage(standard->item(i)->text().toLatin1().toStdString());
                break;
            }
        form.List().SetGroupName(0, "Big animals");
        form.List().SetGroupName(1, "Small animals");
        form.List().SetLevelName(0, "Farm yard");
        form.List().Level(0)->Include(0);
        form.List().Level(1)->Include(0);
        form.List().Level(1)->Include(1);
        QStringList groups;
        for (int g = 0; g < 100; ++g)
            groups << QStringLiteral("%1 %2")
                          .arg(g + 1, 2, 10, QLatin1Char('0'))
                          .arg(QString::fromStdString(form.List().GroupName(uint16_t(g))));
        auto dialogShot = [&](QDialog& dlg, const char* name) {
            dlg.show();
            app.processEvents();
            Save(dlg, QStringLiteral("%1/%2_%3.png").arg(out, name, lang.code));
            dlg.reject();
        };
        {
            qr::TDlgGroups dlg(groups, &form);
            dlg.lbxNames->setCurrentRow(1);
            dialogShot(dlg, "dlg_groups");
        }
        {
            bool extended = false;
            qr::TDlgLevels dlg(form.List(), extended, nullptr, &form);
            dlg.lbxLevels->setCurrentRow(1);
            dialogShot(dlg, "dlg_levels");
        }
        {
            std::vector<qr::TGameTextLanguage> langs;
            for (int i = 0; i < standard->count(); ++i)
                langs.push_back(
                    {standard->item(i)->text(), standard->item(i)->data(Qt::UserRole).toInt()});
            qr::TDlgGameText dlg(form.List(), langs, dialogs, nullptr, &form);
            if (dlg.lbxSelect->count() > 0) dlg.lbxSelect->item(0)->setSelected(true);
            dlg.txtTransTitle->setText("Bauernhoftiere");
            dialogShot(dlg, "dlg_game_text");
        }

        // A quiz without and with icon clues.
        form.List().ClearModified();
        form.miNewClick();
        Child<QRadioButton>(form, "rbQuiz")->click();
        form.ShowPage(qr::TFormQuarry::kAnagrams);
        AddWord(form, "cow", {"Which animal gives milk?"});
        AddWord(form, "hen", {"Which bird lays eggs?"});
        Child<QLineEdit>(form, "txtPrimary")->setText("cow");
        shot("7_quiz");
        const std::string library = (inst / "farm_icons.px8").string();
        WriteIconLibrary(library);
        form.List().SetUsesIconClues(true);
        form.List().SetIconLibrary(library);
        for (int i = int(form.List().WordCount()); i < 6; ++i)
            form.List().AddClueWord("", "Clue " + std::to_string(i), 0);
        form.ShowPage(qr::TFormQuarry::kAnagrams);
        auto* words = Child<QListWidget>(form, "lbxWordlist");
        words->setCurrentRow(1);
        form.lbxWordlistClick();
        shot("7_quiz_icons");

        // The help window, and the editor's own messages as they come up.
        form.miPageHelpClick();
        app.processEvents();
        Save(*form.HelpWindow(), QStringLiteral("%1/help_%2.png").arg(out, lang.code));
        form.HelpWindow()->close();
        auto answerNext = [&](const char* name) {
            QTimer::singleShot(300, &form, [&, name] {
                if (QWidget* box = QApplication::activeModalWidget()) {
                    Save(*box, QStringLiteral("%1/%2_%3.png").arg(out, name, lang.code));
                    box->close();
                }
            });
        };
        const std::string listFile = (inst / "lists" / "farm.qrw").string();
        {
            qr::TQRWordList theirs;
            theirs.Reset();
            theirs.SetTitle("Farm animals");
            theirs.AddClueWord("Which animal gives milk?", "cow", 0);
            theirs.SaveToFile(listFile);
        }
        form.List().ClearModified();
        form.OpenPath(QString::fromStdString(listFile));
        Child<QLineEdit>(form, "txtTitle")->setText("Our farm");
        {
            qr::TQRWordList theirs;
            theirs.Reset();
            theirs.SetTitle("Their farm");
            theirs.SaveToFile(listFile);
        }
        answerNext("msg_changed_on_disk");
        form.miSaveClick();
        form.List().AddClueWord("clue", std::string(300, 'o'), 0);
        answerNext("msg_save_failed");
        form.miSaveClick();
        form.List().ClearModified();
        FILE* damaged = std::fopen(listFile.c_str(), "r+b");
        std::fseek(damaged, 20, SEEK_SET);
        std::fputc('!', damaged);
        std::fclose(damaged);
        answerNext("msg_load_failed");
        form.OpenPath(QString::fromStdString(listFile));
        qr::TDlgAbout about(&form);
        about.show();
        app.processEvents();
        Save(about, QStringLiteral("%1/about_%2.png").arg(out, lang.code));
        about.close();
        form.List().ClearModified();
        form.close();
        std::filesystem::remove_all(inst);
    }
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Draws every wizard page and the About box in each working language into PNG files,
// for the pictures in docs/screenshots/editor/:
//   quarry32_screenshots DATA_DIR OUT_DIR
// Run it under a real display (xvfb-run) for the desktop's fonts.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <cstdio>
#include <filesystem>

#include "editor/dlg_about.h"
#include "editor/editor_dialogs.h"
#include "editor/form_quarry.h"

namespace {

void Save(QWidget& w, const QString& file) {
    if (!w.grab().save(file)) std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
}

template <class W> W* Child(QWidget& f, const char* name) {
    return f.findChild<W*>(QString::fromLatin1(name));
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/program.h"

#include "foundation/command_line.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "editor/dlg_about.h"
#include "editor/editor_dialogs.h"
#include "editor/form_quarry.h"
#include "editor/instance_link.h"
#include "foundation/random.h"
#include "platform/files.h"
#include "platform/single_instance.h"

namespace qr {

namespace {

void ShowStartupError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(kEditorTitle), text,
                    QMessageBox::Ok);
    box.exec();
}

} // namespace

std::optional<QString> ParseEditorOptions(const QStringList& args, EditorOptions& options,
                                          std::optional<int>& exitNow) {
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        if (a == "--registry" || a == "--data") {
            const auto v = value();
            if (!v) return a + QStringLiteral(" needs a value");
            (a == "--registry" ? options.registryPath : options.programFolder) = v->toStdString();
        } else if (a == "--help") {
            std::printf("Usage: quarry32 [OPTIONS] [FILE.qrw]\n"
                        "The Quill-Rush word-list editor.\n\n"
                        "  --registry FILE  the registry file to use\n"
                        "  --data DIR       the program data folder\n"
                        "  --help, --version\n\n"
                        "A second copy hands FILE to the running one and ends (exit code 3).\n");
            exitNow = kEditorOK;
            return std::nullopt;
        } else if (a == "--version") {
            std::printf("%s\n", VersionLine("quarry32").c_str());
            exitNow = kEditorOK;
            return std::nullopt;
        } else if (a.startsWith("-") && a != "-") {
            return QStringLiteral("unknown option ") + a;
        } else if (options.file.isEmpty()) {
            options.file = QFileInfo(a).absoluteFilePath();
        } else {
            return QStringLiteral("only one file can be opened");
        }
    }
    return std::nullopt;
}

std::string MissingEditorFile(const TFolders& folders) {
    const std::string english = folders.Strings() + "qr_eng.str";
    if (!FileExists(english)) return english;
    const std::string help = folders.Help() + "quarry_eng.hlp";
    if (!FileExists(help) && !FileExists(folders.program + "hlp/quarry_eng.hlp")) return help;
    return {};
}

QString MissingFileMessage(const std::string& path) {
    return QStringLiteral("Sorry! We cannot find the needed file \"%1\"")
        .arg(QString::fromStdString(path));
}

int RunEditor(const EditorOptions& options) {
    QApplication::setApplicationName(QStringLiteral("quarry32"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quarry32.png")));

    GameRandom().Randomize();
    Registry registry(options.registryPath.empty() ? Registry::DefaultPath()
                                                   : options.registryPath);
    std::error_code ec;
    std::string programFolder =
        options.programFolder.empty() ? DefaultProgramFolder() : options.programFolder;
    programFolder = WithSeparator(std::filesystem::absolute(programFolder, ec).string());
    const FolderLookup lookup = LookUpFolders(registry, programFolder);
    if (!lookup.error.empty()) {
        ShowStartupError(QString::fromStdString(lookup.error));
        return kEditorStartupFailed;
    }
    const TFolders& folders = lookup.folders;
    std::filesystem::current_path(folders.program, ec);

    // One copy at a time: a second one hands its command line over and ends.
    SingleInstance instance(kEditorInstance);
    const QString serverName =
        TInstanceLink::ServerName(QString::fromStdString(SingleInstance::LockFolder()));
    if (!instance.Acquire()) {
        QStringList args;
        if (!options.file.isEmpty()) args << options.file;
        // Silence would look like a program that does not start.
        if (!TInstanceLink::SendToRunning(serverName, args))
            std::fprintf(stderr, "quarry32: another copy holds %s but does not answer\n",
                         instance.LockPath().c_str());
        return kEditorHandedOver;
    }

    if (const std::string missing = MissingEditorFile(folders); !missing.empty()) {
        ShowStartupError(MissingFileMessage(missing));
        return kEditorStartupFailed;
    }

    QtEditorDialogs dialogs;
    std::unique_ptr<TFormQuarry> form;
    try {
        form = std::make_unique<TFormQuarry>(folders, dialogs);
    } catch (const std::exception& e) {
        ShowStartupError(QString::fromLatin1(kEditorTitle) +
                         QStringLiteral(" encountered a problem on start-up: ") +
                         QString::fromUtf8(e.what()));
        return kEditorStartupFailed;
    }
    dialogs.SetParent(form.get());

    TInstanceLink link;
    link.Listen(serverName);
    TFormQuarry* window = form.get();
    QObject::connect(&link, &TInstanceLink::ArgumentsReceived, window,
                     [window](const QStringList& args) {
                         window->showNormal();
                         window->raise();
                         window->activateWindow();
                         if (!args.isEmpty()) window->HandOver(args.first());
                     });

    form->show();
    if (!options.file.isEmpty()) {
        const QString file = options.file;
        QTimer::singleShot(0, window, [window, file] { window->OpenPath(file); });
    }
    return QApplication::exec();
}

} // namespace qr

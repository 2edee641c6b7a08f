// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the editor's tests share: scripted answers for every dialog, a log of what was
// shown, and an installation over the built data tree with a settings file of its own.
#include <QString>
#include <QStringList>
#include <deque>
#include <memory>
#include <optional>

#include "editor/editor_dialogs.h"
#include "editor/form_quarry.h"
#include "platform/folders.h"
#include "test_support/temp_dir.h"

namespace qr::test {

// A control of a window or dialog by its name; a missing one ends the test run.
template <class W> W* Child(QObject& owner, const char* name) {
    W* w = owner.findChild<W*>(QString::fromLatin1(name));
    if (!w) qFatal("no control %s", name);
    return w;
}

class ScriptedDialogs : public EditorDialogs {
  public:
    std::deque<int> confirms;                 // answers to questions (6 Yes, 7 No)
    std::deque<std::optional<QString>> texts; // answers to input boxes
    std::deque<QString> files;                // answers to file dialogs ("" cancels)
    std::deque<int> choices;                  // answers to own-answer questions (-1 Escape)
    QStringList log;                          // "KIND title | text"
    std::deque<FileDialogRequest> fileRequests;

    int Confirm(const QString& title, const QString& text, int) override {
        log << QStringLiteral("CONFIRM %1 | %2").arg(title, text);
        if (confirms.empty()) return 7;
        const int r = confirms.front();
        confirms.pop_front();
        return r;
    }
    void Message(const QString& title, const QString& text, MessageKind) override {
        log << QStringLiteral("MESSAGE %1 | %2").arg(title, text);
    }
    int Choose(const QString& title, const QString& text, const QStringList& answers) override {
        log << QStringLiteral("CHOOSE %1 | %2 | %3").arg(title, text, answers.join('/'));
        if (choices.empty()) return -1;
        const int r = choices.front();
        choices.pop_front();
        return r;
    }
    std::optional<QString> AskText(const QString& title, const QString& prompt,
                                   const QString& initial, bool) override {
        log << QStringLiteral("ASK %1 | %2 | %3").arg(title, prompt, initial);
        if (texts.empty()) return std::nullopt;
        auto r = texts.front();
        texts.pop_front();
        return r;
    }
    QString ChooseFile(const FileDialogRequest& r) override {
        log << QStringLiteral("FILE %1").arg(r.title);
        fileRequests.push_back(r);
        if (files.empty()) return {};
        const QString f = files.front();
        files.pop_front();
        return f;
    }
    bool Logged(const QString& start) const {
        for (const QString& l : log)
            if (l.startsWith(start)) return true;
        return false;
    }
};

// An installation folder of its own; the program folder is the built data tree.
struct EditorInstall {
    TempDir dir;
    TFolders folders;
    ScriptedDialogs dialogs;
    EditorInstall() {
        dir.Write("inst/lists/.keep", "");
        folders.installation = dir.Path("inst") + "/";
        folders.program = std::string(QR_DATA_DIR) + "/";
    }
    std::unique_ptr<TFormQuarry> Open() { return std::make_unique<TFormQuarry>(folders, dialogs); }
};

} // namespace qr::test

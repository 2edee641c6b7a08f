// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every modal question, message and file choice the editor asks the author for goes
// through this interface, so that the window's logic can be driven by tests with
// scripted answers. The desktop implementation uses Qt's own dialogs with the string
// table's texts; questions keep the shared confirmation dialog's results (Yes 6, No 7,
// OK 1, Cancel 2).
#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>

namespace qr {

enum class MessageKind { Information, Warning, Error };

struct FileDialogRequest {
    QString title;
    QString folder;   // initial folder
    QString fileName; // pre-set file name, may be empty
    QString filter;   // "Name (*.ext)"
    QString defaultSuffix;
    bool save = false; // a save dialog asks before overwriting an existing file
};

class EditorDialogs {
  public:
    virtual ~EditorDialogs() = default;
    // buttons: the flags of TDlgConfirm (Yes 1, No 2, OK 4, Cancel 8).
    virtual int Confirm(const QString& title, const QString& text, int buttons) = 0;
    virtual void Message(const QString& title, const QString& text, MessageKind kind) = 0;
    // A question with answers of its own: the index of the one chosen, -1 for Escape.
    virtual int Choose(const QString& title, const QString& text, const QStringList& answers) = 0;
    // nullopt when cancelled.
    virtual std::optional<QString> AskText(const QString& title, const QString& prompt,
                                           const QString& initial, bool password) = 0;
    // Empty when cancelled.
    virtual QString ChooseFile(const FileDialogRequest& request) = 0;
};

// Qt's dialogs, parented to the given window.
class QtEditorDialogs : public EditorDialogs {
  public:
    explicit QtEditorDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
    int Confirm(const QString& title, const QString& text, int buttons) override;
    void Message(const QString& title, const QString& text, MessageKind kind) override;
    int Choose(const QString& title, const QString& text, const QStringList& answers) override;
    std::optional<QString> AskText(const QString& title, const QString& prompt,
                                   const QString& initial, bool password) override;
    QString ChooseFile(const FileDialogRequest& request) override;

  private:
    QWidget* parent_;
};

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editor's help: our own HTML help files, one per working language, with an anchor
// per help context (the wizard pages 1000-1007, the dialogs 1012-1014). The window is
// not modal, so the author can read while working; it is shown again, not duplicated.
#include <QDialog>
#include <QString>

class QPushButton;
class QTextBrowser;

namespace qr {

class THelpWindow : public QDialog {
    Q_OBJECT
  public:
    explicit THelpWindow(QWidget* parent = nullptr);

    // The button's caption in the working language, also after it changes.
    void ApplyCaptions();
    // context 0 shows the top of the file (the contents).
    void ShowTopic(const QString& helpFile, int context);

    const QString& File() const { return file_; }
    int Context() const { return context_; }
    QTextBrowser* Browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
    QPushButton* close_ = nullptr;
    QString file_;
    int context_ = 0;
};

} // namespace qr

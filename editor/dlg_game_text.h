// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Translating a list's own texts (title, description, level names) into further
// interface languages, and choosing which language is the default. The dialog edits
// the list directly: what is typed for a language is stored whenever another language
// is shown and when the dialog closes.
#include <QDialog>
#include <functional>
#include <string_view>
#include <vector>

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QToolButton;

namespace qr {

class EditorDialogs;
class TQRWordList;

struct TGameTextLanguage {
    QString name;
    int code = -1; // a standard language's code; -1 for a further language
};

class TDlgGameText : public QDialog {
  public:
    // `languages`: the standard languages, then the further ones; `measure` gives the
    // width of a stored text in the game's font.
    TDlgGameText(TQRWordList& list, const std::vector<TGameTextLanguage>& languages,
                 EditorDialogs& dialogs, std::function<int(std::string_view)> measure,
                 QWidget* parent = nullptr);
    void done(int result) override;

    void cmdUseLangClick();
    void cmdRemoveLangClick();
    void lbxSelectClick();
    void ChooseDefault(QAction* item);
    const QString& Current() const { return current_; }

    QListWidget *lbxAvail = nullptr, *lbxSelect = nullptr;
    QToolButton *cmdUseLang = nullptr, *cmdRemoveLang = nullptr;
    QPushButton* cmdOK = nullptr;
    QTabWidget* tnbGameText = nullptr;
    QLineEdit *txtOrigTitle = nullptr, *txtTransTitle = nullptr;
    QPlainTextEdit *txtOrigDesc = nullptr, *txtTransDesc = nullptr;
    QTableWidget* gridLevNames = nullptr;
    QLabel *lblTitleLongWarning = nullptr, *lblDescLongWarning = nullptr,
           *lblNameLongWarning = nullptr;
    QMenu* miDefaultLang = nullptr;

  private:
    void UpdateStates();
    void ShowSource();
    void ShowTranslation();
    void StoreTranslation();
    void CheckName();
    void txtTransDescChange();
    void txtTransTitleChange();

    TQRWordList& list_;
    EditorDialogs& dialogs_;
    std::function<int(std::string_view)> measure_;
    QActionGroup* defaults_ = nullptr;
    QAction* checked_ = nullptr;
    QString current_;
    bool filling_ = false;
};

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The level editor: the levels with their names and word groups, edited on a copy
// whose structural changes are replayed on the word list only on Approve.
#include <QDialog>
#include <functional>
#include <string_view>

#include "editor/entry_rules.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace qr {

class TQRWordList;

class TDlgLevels : public QDialog {
  public:
    // `measure` gives the width of a stored text in the game's font; `extendedSelect`
    // is the setting the group box starts with and that the menu item changes.
    TDlgLevels(TQRWordList& list, bool& extendedSelect,
               std::function<int(std::string_view)> measure, QWidget* parent = nullptr);
    // Replays the changes on the list.
    void Approve();
    const TLevelDraft& Draft() const { return draft_; }
    void ShowLevel();

    QListWidget *lbxLevels = nullptr, *lbxGroups = nullptr;
    QLabel *lblLevelNum = nullptr, *lblNameLongWarning = nullptr, *lblGroupsUsed = nullptr,
           *lblWordsAvailable = nullptr;
    QLineEdit* txtLevelName = nullptr;
    QToolButton *cmdLevelUp = nullptr, *cmdLevelDown = nullptr, *cmdAddLevel = nullptr,
                *cmdDeleteLevel = nullptr, *sbLockName = nullptr, *sbLockGroups = nullptr;
    QPushButton *cmdApprove = nullptr, *cmdCancel = nullptr;
    QAction *miSelectAll = nullptr, *miSelectNone = nullptr, *miExtendSelect = nullptr;

    void cmdLevelUpClick();
    void cmdLevelDownClick();
    void cmdAddLevelClick();
    void cmdDeleteLevelClick();
    void SelectAllGroups(bool on);
    void miExtendSelectClick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void txtLevelNameChange();
    void lbxGroupsClick();
    void TakeGroups(int level);
    void SelectGroupsOf(int level);
    void ShowWordsAvailable();
    void UpdateStates();
    void SelectLevel(int i);

    TQRWordList& list_;
    bool& extendedSelect_;
    std::function<int(std::string_view)> measure_;
    TLevelDraft draft_;
    int shown_ = -1; // the level shown last
    bool filling_ = false;
};

} // namespace qr

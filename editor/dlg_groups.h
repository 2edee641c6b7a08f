// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The group-name editor: the hundred group items "nn name" of the main window's group
// box, one name edited at a time. The items go back only on Approve.
#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace qr {

class TDlgGroups : public QDialog {
  public:
    TDlgGroups(const QStringList& items, QWidget* parent = nullptr);
    QStringList Items() const;

    QListWidget* lbxNames = nullptr;
    QLabel* lblGroupNum = nullptr;
    QLineEdit* txtGroupName = nullptr;
    QPushButton *cmdApprove = nullptr, *cmdCancel = nullptr;

  private:
    void lbxNamesClick();
    void txtGroupNameChange();
    bool filling_ = false;
};

} // namespace qr

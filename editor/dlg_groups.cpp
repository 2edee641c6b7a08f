// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/dlg_groups.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/entry_rules.h"
#include "editor/text_adapter.h"

namespace qr {

TDlgGroups::TDlgGroups(const QStringList& items, QWidget* parent) : QDialog(parent) {
    setObjectName("DlgGroups");
    setWindowTitle(Caption(107));
    lbxNames = new QListWidget(this);
    lbxNames->setObjectName("lbxNames");
    lbxNames->addItems(items);
    lblGroupNum = new QLabel(this);
    lblGroupNum->setObjectName("lblGroupNum");
    txtGroupName = new QLineEdit(this);
    txtGroupName->setObjectName("txtGroupName");
    txtGroupName->setMaxLength(255); // the most a word list holds
    lblGroupNum->setBuddy(txtGroupName);
    cmdApprove = new QPushButton(Caption(26), this);
    cmdApprove->setObjectName("cmdApprove");
    cmdApprove->setDefault(true);
    cmdCancel = new QPushButton(Caption(9), this);
    cmdCancel->setObjectName("cmdCancel");

    auto* side = new QVBoxLayout;
    side->addWidget(lblGroupNum);
    side->addWidget(txtGroupName);
    side->addStretch();
    side->addWidget(cmdApprove);
    side->addWidget(cmdCancel);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(lbxNames, 1);
    layout->addLayout(side, 1);
    resize(435, 350);

    connect(cmdApprove, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(lbxNames, &QListWidget::currentRowChanged, this, [this] { lbxNamesClick(); });
    // A group picked with the mouse is picked to be named: what is typed next is its name,
    // not a search in the list. Arrow keys keep the focus in the list.
    connect(lbxNames, &QListWidget::itemClicked, this, [this] { txtGroupName->setFocus(); });
    connect(txtGroupName, &QLineEdit::textChanged, this, [this] { txtGroupNameChange(); });
    if (lbxNames->count() > 0) lbxNames->setCurrentRow(0);
    lbxNamesClick();
    txtGroupName->setFocus();
    setTabOrder(txtGroupName, lbxNames);
}

QStringList TDlgGroups::Items() const {
    QStringList out;
    for (int i = 0; i < lbxNames->count(); ++i)
        out << lbxNames->item(i)->text();
    return out;
}

void TDlgGroups::lbxNamesClick() {
    const int row = lbxNames->currentRow();
    lblGroupNum->setText(Caption(108).replace(QStringLiteral("%d"), QString::number(row + 1)));
    filling_ = true;
    txtGroupName->setText(row >= 0 ? ItemName(lbxNames->item(row)->text()) : QString());
    filling_ = false;
    txtGroupName->selectAll();
}

void TDlgGroups::txtGroupNameChange() {
    const int row = lbxNames->currentRow();
    if (filling_ || row < 0) return;
    QString name = txtGroupName->text();
    while (name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    lbxNames->item(row)->setText(NumberedItem(row + 1, name));
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/dlg_levels.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <iterator>

#include "editor/text_adapter.h"
#include "wordlist/word_list.h"

namespace qr {

namespace {

QString Numbered(int entry, int n) {
    return Caption(entry).replace(QStringLiteral("%d"), QString::number(n));
}

QToolButton* ToolButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon,
                        const QString& text) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(parent->style()->standardIcon(icon));
    b->setText(text);
    b->setAutoRaise(true);
    return b;
}

} // namespace

TDlgLevels::TDlgLevels(TQRWordList& list, bool& extendedSelect,
                       std::function<int(std::string_view)> measure, QWidget* parent)
    : QDialog(parent), list_(list), extendedSelect_(extendedSelect), measure_(std::move(measure)),
      draft_(list, [](std::string_view s) { return ToDisplay(s); }) {
    setObjectName("DlgLevels");
    setWindowTitle(Caption(112));

    auto* bar = new QMenuBar(this);
    auto* mnuGroups = bar->addMenu(Caption(102));
    mnuGroups->setObjectName("mnuGroups");
    miSelectAll = mnuGroups->addAction(Caption(103));
    miSelectAll->setObjectName("miSelectAll");
    miSelectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    miSelectNone = mnuGroups->addAction(Caption(104));
    miSelectNone->setObjectName("miSelectNone");
    miSelectNone->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuGroups->addSeparator();
    miExtendSelect = mnuGroups->addAction(Caption(105));
    miExtendSelect->setObjectName("miExtendSelect");
    miExtendSelect->setCheckable(true);
    addActions({miSelectAll, miSelectNone});

    lbxLevels = new QListWidget(this);
    lbxLevels->setObjectName("lbxLevels");
    for (int i = 0; i < draft_.Count(); ++i)
        lbxLevels->addItem(draft_.ItemText(i));
    lblLevelNum = new QLabel(this);
    lblLevelNum->setObjectName("lblLevelNum");
    txtLevelName = new QLineEdit(this);
    txtLevelName->setObjectName("txtLevelName");
    txtLevelName->setMaxLength(255); // the most a word list holds
    // Ctrl+A and Ctrl+N are the dialog's (all groups, no groups), also in the name field.
    txtLevelName->installEventFilter(this);
    lblLevelNum->setBuddy(txtLevelName);
    lblNameLongWarning = new QLabel(Caption(186), this);
    lblNameLongWarning->setObjectName("lblNameLongWarning");
    lblNameLongWarning->setStyleSheet("QLabel { color: #c00000; }");
    KeepPlaceWhenHidden(lblNameLongWarning);
    lblNameLongWarning->hide();
    lblGroupsUsed = new QLabel(Caption(114), this);
    lblGroupsUsed->setObjectName("lblGroupsUsed");
    lbxGroups = new QListWidget(this);
    lbxGroups->setObjectName("lbxGroups");
    lblGroupsUsed->setBuddy(lbxGroups);
    for (int g = 0; g < kGroupCount; ++g)
        lbxGroups->addItem(NumberedItem(g + 1, FromBytes(list_.GroupName(uint16_t(g)))));
    lblWordsAvailable = new QLabel(this);
    lblWordsAvailable->setObjectName("lblWordsAvailable");

    cmdLevelUp = ToolButton(this, "cmdLevelUp", QStyle::SP_ArrowUp, QString());
    cmdLevelUp->setToolTip(Caption(212));
    cmdLevelDown = ToolButton(this, "cmdLevelDown", QStyle::SP_ArrowDown, QString());
    cmdLevelDown->setToolTip(Caption(213));
    cmdAddLevel = ToolButton(this, "cmdAddLevel", QStyle::SP_FileDialogNewFolder, QString());
    cmdAddLevel->setToolTip(Caption(214));
    cmdDeleteLevel = ToolButton(this, "cmdDeleteLevel", QStyle::SP_TrashIcon, QString());
    cmdDeleteLevel->setToolTip(Caption(215));
    sbLockName = ToolButton(this, "sbLockName", QStyle::SP_DialogSaveButton, QString());
    sbLockName->setCheckable(true);
    sbLockName->setToolTip(WrappedHint(210));
    sbLockGroups = ToolButton(this, "sbLockGroups", QStyle::SP_DialogSaveButton, QString());
    sbLockGroups->setCheckable(true);
    sbLockGroups->setToolTip(WrappedHint(211));
    cmdApprove = new QPushButton(Caption(26), this);
    cmdApprove->setObjectName("cmdApprove");
    cmdApprove->setDefault(true);
    cmdCancel = new QPushButton(Caption(9), this);
    cmdCancel->setObjectName("cmdCancel");

    auto* levelButtons = new QHBoxLayout;
    for (QToolButton* b : {cmdLevelUp, cmdLevelDown, cmdAddLevel, cmdDeleteLevel})
        levelButtons->addWidget(b);
    levelButtons->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(lbxLevels, 1);
    left->addLayout(levelButtons);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(txtLevelName, 1);
    nameRow->addWidget(sbLockName);
    auto* groupsRow = new QHBoxLayout;
    groupsRow->addWidget(lblGroupsUsed, 1);
    groupsRow->addWidget(sbLockGroups);
    auto* okRow = new QHBoxLayout;
    okRow->addStretch();
    okRow->addWidget(cmdApprove);
    okRow->addWidget(cmdCancel);
    auto* right = new QVBoxLayout;
    right->addWidget(lblLevelNum);
    right->addLayout(nameRow);
    right->addWidget(lblNameLongWarning);
    right->addLayout(groupsRow);
    right->addWidget(lbxGroups, 1);
    right->addWidget(lblWordsAvailable);
    right->addLayout(okRow);
    auto* layout = new QHBoxLayout;
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);
    auto* outer = new QVBoxLayout(this);
    outer->setMenuBar(bar);
    outer->addLayout(layout);
    resize(492, 368);

    connect(cmdApprove, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(lbxLevels, &QListWidget::currentRowChanged, this, [this] {
        if (!filling_) ShowLevel();
    });
    connect(txtLevelName, &QLineEdit::textChanged, this, [this] { txtLevelNameChange(); });
    connect(lbxGroups, &QListWidget::itemSelectionChanged, this, [this] {
        if (!filling_) lbxGroupsClick();
    });
    connect(cmdLevelUp, &QToolButton::clicked, this, &TDlgLevels::cmdLevelUpClick);
    connect(cmdLevelDown, &QToolButton::clicked, this, &TDlgLevels::cmdLevelDownClick);
    connect(cmdAddLevel, &QToolButton::clicked, this, &TDlgLevels::cmdAddLevelClick);
    connect(cmdDeleteLevel, &QToolButton::clicked, this, &TDlgLevels::cmdDeleteLevelClick);
    connect(sbLockName, &QToolButton::toggled, this, [this] { UpdateStates(); });
    connect(sbLockGroups, &QToolButton::toggled, this, [this] { UpdateStates(); });
    connect(miSelectAll, &QAction::triggered, this, [this] { SelectAllGroups(true); });
    connect(miSelectNone, &QAction::triggered, this, [this] { SelectAllGroups(false); });
    connect(miExtendSelect, &QAction::triggered, this, &TDlgLevels::miExtendSelectClick);

    miExtendSelect->setChecked(extendedSelect_);
    lbxGroups->setSelectionMode(extendedSelect_ ? QAbstractItemView::ExtendedSelection
                                                : QAbstractItemView::MultiSelection);
    SelectLevel(0);
    txtLevelName->setFocus();
    // Reading order: the levels with their buttons, then the chosen level's name and
    // groups, each followed by its lock, then Approve and Cancel.
    QWidget* order[] = {lbxLevels,      cmdLevelUp,   cmdLevelDown, cmdAddLevel,
                        cmdDeleteLevel, txtLevelName, sbLockName,   lbxGroups,
                        sbLockGroups,   cmdApprove,   cmdCancel};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

bool TDlgLevels::eventFilter(QObject* watched, QEvent* event) {
    const bool key = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (watched == txtLevelName && key) {
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (QAction* a : {miSelectAll, miSelectNone}) {
            if (pressed != a->shortcut()) continue;
            // Taken from the field (its select-all) and given to the item.
            if (event->type() == QEvent::KeyPress) a->trigger();
            event->accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TDlgLevels::SelectLevel(int i) {
    filling_ = true;
    lbxLevels->setCurrentRow(i);
    filling_ = false;
    ShowLevel();
}

void TDlgLevels::TakeGroups(int level) {
    TLevel& l = draft_.At(level).level;
    for (int g = 0; g < kGroupCount; ++g) {
        if (lbxGroups->item(g)->isSelected())
            l.Include(g);
        else
            l.Exclude(g);
    }
}

void TDlgLevels::SelectGroupsOf(int level) {
    filling_ = true;
    for (int g = 0; g < kGroupCount; ++g)
        lbxGroups->item(g)->setSelected(level >= 0 && draft_.At(level).level.Contains(g));
    filling_ = false;
}

void TDlgLevels::ShowLevel() {
    int i = lbxLevels->currentRow();
    if (i < 0 && draft_.Count() > 0) {
        i = 0;
        filling_ = true;
        lbxLevels->setCurrentRow(0);
        filling_ = false;
    }
    // A lock carries what is shown over to the level chosen next.
    if (shown_ >= 0 && i >= 0) {
        shown_ = i;
        if (sbLockName->isChecked()) txtLevelNameChange();
        if (sbLockGroups->isChecked()) TakeGroups(i);
    }
    shown_ = i;
    lblLevelNum->setText(Numbered(113, i + 1));
    if (!sbLockName->isChecked()) {
        filling_ = true;
        txtLevelName->setText(i >= 0 ? draft_.At(i).name : QString());
        filling_ = false;
        txtLevelNameChange();
    }
    if (!sbLockGroups->isChecked()) SelectGroupsOf(i);
    ShowWordsAvailable();
    UpdateStates();
}

void TDlgLevels::UpdateStates() {
    const int i = lbxLevels->currentRow();
    const bool selected = i >= 0;
    const bool locked = sbLockName->isChecked() || sbLockGroups->isChecked();
    txtLevelName->setEnabled(selected);
    sbLockName->setEnabled(selected);
    sbLockGroups->setEnabled(selected);
    cmdLevelUp->setEnabled(selected && i > 0);
    cmdLevelDown->setEnabled(selected && i + 1 < draft_.Count());
    cmdDeleteLevel->setEnabled(draft_.CanDelete(i, locked));
    cmdAddLevel->setEnabled(draft_.CanAdd());
}

void TDlgLevels::ShowWordsAvailable() {
    std::array<bool, kGroupCount> selected{};
    for (int g = 0; g < kGroupCount; ++g)
        selected[size_t(g)] = lbxGroups->item(g)->isSelected();
    lblWordsAvailable->setText(Numbered(115, int(WordsAvailable(list_, selected))));
}

void TDlgLevels::txtLevelNameChange() {
    QString name = txtLevelName->text();
    while (name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    const bool over = measure_ && measure_(ToStored(name)) > kLevelNameFitLimit;
    txtLevelName->setStyleSheet(over ? QStringLiteral("QLineEdit { color: red; }") : QString());
    lblNameLongWarning->setVisible(over);
    const int i = shown_;
    if (filling_ || i < 0 || i >= draft_.Count()) return;
    draft_.At(i).name = name;
    lbxLevels->item(i)->setText(draft_.ItemText(i));
}

void TDlgLevels::lbxGroupsClick() {
    const int i = lbxLevels->currentRow();
    if (i >= 0) TakeGroups(i);
    ShowWordsAvailable();
}

void TDlgLevels::SelectAllGroups(bool on) {
    filling_ = true;
    for (int g = 0; g < kGroupCount; ++g)
        lbxGroups->item(g)->setSelected(on);
    filling_ = false;
    ShowWordsAvailable();
}

void TDlgLevels::miExtendSelectClick() {
    extendedSelect_ = !extendedSelect_;
    miExtendSelect->setChecked(extendedSelect_);
    lbxGroups->setSelectionMode(extendedSelect_ ? QAbstractItemView::ExtendedSelection
                                                : QAbstractItemView::MultiSelection);
    ShowLevel();
}

void TDlgLevels::cmdLevelUpClick() {
    const int i = lbxLevels->currentRow();
    const int to = draft_.Up(i);
    if (to == i) return;
    lbxLevels->item(to)->setText(draft_.ItemText(to));
    lbxLevels->item(i)->setText(draft_.ItemText(i));
    SelectLevel(to);
}

void TDlgLevels::cmdLevelDownClick() {
    const int i = lbxLevels->currentRow();
    const int to = draft_.Down(i);
    if (to == i) return;
    lbxLevels->item(to)->setText(draft_.ItemText(to));
    lbxLevels->item(i)->setText(draft_.ItemText(i));
    SelectLevel(to);
}

void TDlgLevels::cmdAddLevelClick() {
    if (!draft_.CanAdd()) return;
    const int at = draft_.Add(lbxLevels->currentRow());
    filling_ = true;
    lbxLevels->insertItem(at, draft_.ItemText(at));
    for (int k = at + 1; k < draft_.Count(); ++k)
        lbxLevels->item(k)->setText(draft_.ItemText(k));
    filling_ = false;
    SelectLevel(at);
}

void TDlgLevels::cmdDeleteLevelClick() {
    const int i = lbxLevels->currentRow();
    if (!draft_.CanDelete(i, sbLockName->isChecked() || sbLockGroups->isChecked())) return;
    const int next = draft_.Delete(i);
    filling_ = true;
    delete lbxLevels->takeItem(i);
    for (int k = i; k < draft_.Count(); ++k)
        lbxLevels->item(k)->setText(draft_.ItemText(k));
    filling_ = false;
    shown_ = -1; // the deleted level takes nothing over
    SelectLevel(next);
}

void TDlgLevels::Approve() {
    draft_.Apply(list_, [](const QString& s) { return ToStored(s); });
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/dlg_game_text.h"

#include <QAction>
#include <QActionGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/editor_dialogs.h"
#include "editor/entry_rules.h"
#include "editor/text_adapter.h"
#include "foundation/dlg_confirm.h"
#include "wordlist/word_list.h"

namespace qr {

namespace {

QLabel* WarningLabel(QWidget* parent, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setStyleSheet("QLabel { color: #c00000; }");
    KeepPlaceWhenHidden(l);
    l->hide();
    return l;
}

QStringList Lines(const QPlainTextEdit* memo) {
    const QString text = memo->toPlainText();
    if (text.isEmpty()) return {};
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() > 1 && lines.back().isEmpty()) lines.pop_back();
    return lines;
}

void SetEditable(QWidget* w, bool on) {
    w->setEnabled(on);
    w->setBackgroundRole(on ? QPalette::Base : QPalette::Button);
}

QListWidgetItem* LanguageItem(const TGameTextLanguage& lang) {
    auto* item = new QListWidgetItem(lang.name);
    item->setData(Qt::UserRole, lang.code);
    return item;
}

} // namespace

TDlgGameText::TDlgGameText(TQRWordList& list, const std::vector<TGameTextLanguage>& languages,
                           EditorDialogs& dialogs, std::function<int(std::string_view)> measure,
                           QWidget* parent)
    : QDialog(parent), list_(list), dialogs_(dialogs), measure_(std::move(measure)) {
    setObjectName("DlgGameText");
    setWindowTitle(Caption(116));

    auto* bar = new QMenuBar(this);
    auto* mnuOptions = bar->addMenu(Caption(92));
    mnuOptions->setObjectName("mnuOptions");
    miDefaultLang = mnuOptions->addMenu(Caption(106));
    miDefaultLang->setObjectName("miDefaultLang");
    defaults_ = new QActionGroup(this);
    defaults_->setExclusive(true);

    auto* lblLangsAvail = new QLabel(Caption(117), this);
    auto* lblLangsUsed = new QLabel(Caption(118), this);
    lbxAvail = new QListWidget(this);
    lbxAvail->setObjectName("lbxAvail");
    lbxAvail->setSortingEnabled(true);
    lblLangsAvail->setBuddy(lbxAvail);
    lbxSelect = new QListWidget(this);
    lbxSelect->setObjectName("lbxSelect");
    lbxSelect->setSortingEnabled(true);
    lblLangsUsed->setBuddy(lbxSelect);
    cmdUseLang = new QToolButton(this);
    cmdUseLang->setObjectName("cmdUseLang");
    cmdUseLang->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    cmdUseLang->setToolTip(WrappedHint(216));
    cmdRemoveLang = new QToolButton(this);
    cmdRemoveLang->setObjectName("cmdRemoveLang");
    cmdRemoveLang->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    cmdRemoveLang->setToolTip(WrappedHint(217));
    cmdOK = new QPushButton(Caption(85), this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);

    tnbGameText = new QTabWidget(this);
    tnbGameText->setObjectName("tnbGameText");
    auto* titleTab = new QWidget;
    txtOrigTitle = new QLineEdit(titleTab);
    txtOrigTitle->setObjectName("txtOrigTitle");
    txtOrigTitle->setReadOnly(true);
    txtOrigTitle->setBackgroundRole(QPalette::Button);
    txtTransTitle = new QLineEdit(titleTab);
    txtTransTitle->setObjectName("txtTransTitle");
    lblTitleLongWarning = WarningLabel(titleTab, Caption(219));
    lblTitleLongWarning->setObjectName("lblTitleLongWarning");
    auto* t = new QVBoxLayout(titleTab);
    t->addWidget(txtOrigTitle);
    t->addWidget(txtTransTitle);
    t->addWidget(lblTitleLongWarning);
    t->addStretch();
    auto* descTab = new QWidget;
    txtOrigDesc = new QPlainTextEdit(descTab);
    txtOrigDesc->setObjectName("txtOrigDesc");
    txtOrigDesc->setReadOnly(true);
    txtOrigDesc->setBackgroundRole(QPalette::Button);
    txtTransDesc = new QPlainTextEdit(descTab);
    txtTransDesc->setObjectName("txtTransDesc");
    txtTransDesc->setTabChangesFocus(true);
    lblDescLongWarning = WarningLabel(descTab, Caption(219));
    lblDescLongWarning->setObjectName("lblDescLongWarning");
    auto* d = new QVBoxLayout(descTab);
    d->addWidget(txtOrigDesc);
    d->addWidget(txtTransDesc);
    d->addWidget(lblDescLongWarning);
    auto* levelTab = new QWidget;
    gridLevNames = new QTableWidget(0, 2, levelTab);
    gridLevNames->setObjectName("gridLevNames");
    gridLevNames->verticalHeader()->hide();
    gridLevNames->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    gridLevNames->horizontalHeader()->setMinimumSectionSize(120);
    gridLevNames->setTabKeyNavigation(false);
    lblNameLongWarning = WarningLabel(levelTab, Caption(186));
    lblNameLongWarning->setObjectName("lblNameLongWarning");
    auto* l = new QVBoxLayout(levelTab);
    l->addWidget(gridLevNames);
    l->addWidget(lblNameLongWarning);
    tnbGameText->addTab(titleTab, Caption(250));
    tnbGameText->addTab(descTab, Caption(220));
    tnbGameText->addTab(levelTab, Caption(221));

    auto* moves = new QVBoxLayout;
    moves->addStretch();
    moves->addWidget(cmdUseLang);
    moves->addWidget(cmdRemoveLang);
    moves->addStretch();
    auto* boxes = new QGridLayout;
    boxes->addWidget(lblLangsAvail, 0, 0);
    boxes->addWidget(lblLangsUsed, 0, 2);
    boxes->addWidget(lbxAvail, 1, 0);
    boxes->addLayout(moves, 1, 1);
    boxes->addWidget(lbxSelect, 1, 2);
    auto* ok = new QHBoxLayout;
    ok->addStretch();
    ok->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addLayout(boxes, 2);
    layout->addWidget(tnbGameText, 3);
    layout->addLayout(ok);
    resize(436, 408);

    // The languages: each a default-language item, and in one of the two boxes.
    const std::string textLang = list_.TextLanguage();
    const int textCode = list_.TextLanguageCode();
    for (const TGameTextLanguage& lang : languages) {
        QAction* a = miDefaultLang->addAction(lang.name);
        a->setCheckable(true);
        a->setData(lang.code);
        defaults_->addAction(a);
        const bool isText =
            ToBytes(lang.name) == textLang || (lang.code >= 0 && lang.code == textCode);
        if (isText && !checked_) {
            a->setChecked(true);
            checked_ = a;
        }
        if (isText) continue;
        bool carried = false;
        for (const TExtraTextLanguage& extra : list_.ExtraTextLanguages())
            carried = carried || extra.name == ToBytes(lang.name) ||
                      (lang.code >= 0 && extra.code == lang.code);
        (carried ? lbxSelect : lbxAvail)->addItem(LanguageItem(lang));
    }

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdUseLang, &QToolButton::clicked, this, &TDlgGameText::cmdUseLangClick);
    connect(cmdRemoveLang, &QToolButton::clicked, this, &TDlgGameText::cmdRemoveLangClick);
    connect(lbxAvail, &QListWidget::itemSelectionChanged, this, [this] { UpdateStates(); });
    connect(lbxSelect, &QListWidget::itemSelectionChanged, this, [this] {
        if (!filling_) lbxSelectClick();
    });
    connect(defaults_, &QActionGroup::triggered, this, &TDlgGameText::ChooseDefault);
    connect(txtTransDesc, &QPlainTextEdit::textChanged, this, [this] { txtTransDescChange(); });
    connect(txtTransTitle, &QLineEdit::textChanged, this, [this] { txtTransTitleChange(); });
    connect(gridLevNames, &QTableWidget::currentCellChanged, this, [this] { CheckName(); });
    connect(gridLevNames, &QTableWidget::cellChanged, this, [this] { CheckName(); });

    // The texts to translate from can be selected and copied but are not stops of Tab.
    txtOrigTitle->setFocusPolicy(Qt::ClickFocus);
    txtOrigDesc->setFocusPolicy(Qt::ClickFocus);
    // Each language box before its button; Close after the translations. (The tabs keep
    // their place: an order set through the tab widget itself loses the pages' controls.)
    setTabOrder(lbxAvail, cmdUseLang);
    setTabOrder(cmdUseLang, lbxSelect);
    setTabOrder(lbxSelect, cmdRemoveLang);
    setTabOrder(gridLevNames, cmdOK);

    UpdateStates();
    ShowSource();
    ShowTranslation();
}

void TDlgGameText::UpdateStates() {
    const bool avail = !lbxAvail->selectedItems().isEmpty();
    const bool chosen = !lbxSelect->selectedItems().isEmpty();
    cmdUseLang->setEnabled(avail);
    cmdRemoveLang->setEnabled(chosen);
    SetEditable(txtTransDesc, chosen);
    SetEditable(txtTransTitle, chosen);
    gridLevNames->setEditTriggers(chosen ? QAbstractItemView::AllEditTriggers
                                         : QAbstractItemView::NoEditTriggers);
}

void TDlgGameText::ShowSource() {
    filling_ = true;
    QStringList desc;
    for (size_t i = 0; i < list_.DescriptionCount(); ++i)
        desc << ToDisplay(list_.DescriptionLine(i));
    txtOrigDesc->setPlainText(desc.join(QLatin1Char('\n')));
    gridLevNames->setRowCount(int(list_.LevelCount()));
    auto* header = new QTableWidgetItem(FromBytes(list_.TextLanguage()));
    gridLevNames->setHorizontalHeaderItem(0, header);
    for (size_t i = 0; i < list_.LevelCount(); ++i) {
        const std::string& stored = list_.Levels()[i].name;
        auto* cell = new QTableWidgetItem(
            stored.empty() ? Caption(119).replace(QStringLiteral("%d"), QString::number(i + 1))
                           : ToDisplay(stored));
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        gridLevNames->setItem(int(i), 0, cell);
        if (!gridLevNames->item(int(i), 1)) gridLevNames->setItem(int(i), 1, new QTableWidgetItem);
    }
    // Tabbing into the grid lands on a translated name.
    if (gridLevNames->rowCount() > 0 && gridLevNames->currentColumn() != 1)
        gridLevNames->setCurrentCell(std::max(gridLevNames->currentRow(), 0), 1);
    txtOrigTitle->setText(ToDisplay(list_.Title()));
    filling_ = false;
}

void TDlgGameText::ShowTranslation() {
    const auto selected = lbxSelect->selectedItems();
    current_ = selected.isEmpty() ? QString() : selected.first()->text();
    filling_ = true;
    const std::string lang = ToBytes(current_);
    QStringList desc;
    if (!current_.isEmpty())
        for (size_t i = 0; i < list_.DescriptionCountIn(lang); ++i)
            desc << ToDisplay(list_.DescriptionLineIn(lang, i));
    txtTransDesc->setPlainText(desc.join(QLatin1Char('\n')));
    gridLevNames->setHorizontalHeaderItem(1, new QTableWidgetItem(current_));
    for (int i = 0; i < gridLevNames->rowCount(); ++i)
        gridLevNames->item(i, 1)->setText(
            current_.isEmpty() ? QString() : ToDisplay(list_.LevelNameIn(lang, size_t(i))));
    txtTransTitle->setText(current_.isEmpty() ? QString() : ToDisplay(list_.TitleIn(lang)));
    filling_ = false;
    txtTransDescChange();
    txtTransTitleChange();
    CheckName();
}

void TDlgGameText::StoreTranslation() {
    if (current_.isEmpty()) return;
    // A cell being typed in counts as typed (the view's own slot takes the editor's text).
    if (QWidget* editor = gridLevNames->indexWidget(gridLevNames->currentIndex()))
        QMetaObject::invokeMethod(gridLevNames, "commitData", Q_ARG(QWidget*, editor));
    const std::string lang = ToBytes(current_);
    list_.ClearDescriptionIn(lang);
    for (const QString& line : Lines(txtTransDesc))
        list_.AddDescriptionLineIn(lang, ToStored(line));
    for (int i = 0; i < gridLevNames->rowCount(); ++i)
        list_.SetLevelNameIn(lang, size_t(i), ToStored(gridLevNames->item(i, 1)->text()));
    list_.SetTitleIn(lang, ToStored(txtTransTitle->text()));
}

void TDlgGameText::cmdUseLangClick() {
    const auto chosen = lbxAvail->selectedItems();
    if (chosen.isEmpty()) return;
    StoreTranslation();
    QListWidgetItem* item = lbxAvail->takeItem(lbxAvail->row(chosen.first()));
    list_.AddTextLanguage(ToBytes(item->text()));
    filling_ = true;
    lbxSelect->addItem(item);
    lbxSelect->clearSelection();
    lbxSelect->setCurrentItem(item);
    item->setSelected(true);
    filling_ = false;
    UpdateStates();
    ShowTranslation();
}

void TDlgGameText::cmdRemoveLangClick() {
    const auto chosen = lbxSelect->selectedItems();
    if (chosen.isEmpty()) return;
    QListWidgetItem* item = chosen.first();
    const std::string lang = ToBytes(item->text());
    // Level names count even when they are the default: a list with levels always asks.
    if (list_.DescriptionCountIn(lang) > 0 || list_.LevelCount() > 0) {
        const QString text = Caption(121).replace(QStringLiteral("%s"), item->text());
        if (dialogs_.Confirm(Caption(120), text, TDlgConfirm::kYes | TDlgConfirm::kNo) !=
            TDlgConfirm::kResultYes)
            return;
    }
    if (QWidget* editor = gridLevNames->indexWidget(gridLevNames->currentIndex()))
        QMetaObject::invokeMethod(
            gridLevNames, "closeEditor", Q_ARG(QWidget*, editor),
            Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
    list_.DeleteTextLanguage(lang);
    const int row = lbxSelect->row(item);
    filling_ = true;
    lbxAvail->addItem(lbxSelect->takeItem(row));
    lbxSelect->clearSelection();
    if (lbxSelect->count() > 0) {
        QListWidgetItem* next = lbxSelect->item(std::min(row, lbxSelect->count() - 1));
        lbxSelect->setCurrentItem(next);
        next->setSelected(true);
    }
    filling_ = false;
    current_.clear(); // the removed language keeps nothing
    UpdateStates();
    ShowTranslation();
}

void TDlgGameText::lbxSelectClick() {
    UpdateStates();
    StoreTranslation();
    ShowTranslation();
}

void TDlgGameText::ChooseDefault(QAction* item) {
    if (item == checked_) return;
    const QString previous = checked_ ? checked_->text() : QString();
    const int previousCode = checked_ ? checked_->data().toInt() : -1;
    checked_ = item;
    item->setChecked(true);
    StoreTranslation();
    current_.clear();
    filling_ = true;
    for (QListWidget* box : {lbxAvail, lbxSelect}) {
        const auto found = box->findItems(item->text(), Qt::MatchExactly);
        for (QListWidgetItem* f : found)
            delete box->takeItem(box->row(f));
    }
    filling_ = false;
    list_.SetTextLanguage(ToBytes(item->text()));
    ShowSource();
    filling_ = true;
    int row = lbxSelect->currentRow();
    if (!previous.isEmpty() && lbxSelect->findItems(previous, Qt::MatchExactly).isEmpty()) {
        QListWidgetItem* old = LanguageItem({previous, previousCode});
        lbxSelect->addItem(old);
        row = lbxSelect->row(old);
    }
    lbxSelect->clearSelection();
    if (lbxSelect->count() > 0) {
        QListWidgetItem* next = lbxSelect->item(std::clamp(row, 0, lbxSelect->count() - 1));
        lbxSelect->setCurrentItem(next);
        next->setSelected(true);
    }
    filling_ = false;
    UpdateStates();
    ShowTranslation();
}

void TDlgGameText::txtTransDescChange() {
    const bool over = size_t(Lines(txtTransDesc).size()) > kDescriptionFitLines;
    txtTransDesc->setStyleSheet(over ? QStringLiteral("QPlainTextEdit { color: red; }")
                                     : QString());
    lblDescLongWarning->setVisible(over);
}

void TDlgGameText::txtTransTitleChange() {
    const bool over = measure_ && measure_(ToStored(txtTransTitle->text())) > kTitleFitLimit;
    txtTransTitle->setStyleSheet(over ? QStringLiteral("QLineEdit { color: red; }") : QString());
    lblTitleLongWarning->setVisible(over);
}

void TDlgGameText::CheckName() {
    const QTableWidgetItem* cell = gridLevNames->currentItem();
    const bool over =
        cell && measure_ && measure_(ToStored(cell->text().trimmed())) > kLevelNameFitLimit;
    lblNameLongWarning->setVisible(over);
}

void TDlgGameText::done(int result) {
    StoreTranslation();
    QDialog::done(result);
}

} // namespace qr

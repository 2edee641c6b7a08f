// SPDX-License-Identifier: GPL-3.0-or-later
// The word-entry pages: the word box, the entry group with the word and its group,
// the translations grid (vocabulary) or the clue (anagrams, quiz), and the icon clue
// of the selected word.
#include <QAbstractItemDelegate>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <iterator>

#include "editor/dlg_game_text.h"
#include "editor/dlg_groups.h"
#include "editor/dlg_levels.h"
#include "editor/entry_rules.h"
#include "editor/form_quarry.h"
#include "editor/hover_hint.h"
#include "editor/icon_preview.h"
#include "editor/text_adapter.h"
#include "graphics/font.h"
#include "platform/files.h"
#include "wordlist/answer_markup.h"

namespace qr {

namespace {

QLabel* WarningLabel(QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setStyleSheet("QLabel { color: #c00000; }");
    l->setWordWrap(true);
    KeepPlaceWhenHidden(l);
    l->hide();
    return l;
}

void MarkTooLong(QLineEdit* edit, QLabel* warning, bool over) {
    edit->setStyleSheet(over ? QStringLiteral("QLineEdit { color: red; }") : QString());
    warning->setVisible(over);
}

constexpr QRgb kMaroon = 0x800000, kGreen = 0x008000;

// The cell editor's Tab would go to the next cell of the row, a language's name; the
// grid's own rule (the next language's translation, then out) takes it instead.
class TTranslationDelegate : public QStyledItemDelegate {
  public:
    TTranslationDelegate(QObject* parent, std::function<bool()> tab)
        : QStyledItemDelegate(parent), tab_(std::move(tab)) {}
    bool eventFilter(QObject* editor, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* k = static_cast<QKeyEvent*>(event);
            if (k->key() == Qt::Key_Tab && !(k->modifiers() & Qt::ShiftModifier) && tab_())
                return true;
        }
        return QStyledItemDelegate::eventFilter(editor, event);
    }

  private:
    std::function<bool()> tab_;
};

} // namespace

QWidget* TFormQuarry::BuildWordEntryArea() {
    auto* area = new QWidget;
    area->setObjectName("wordEntry");

    gbPrimary = new QGroupBox(area);
    gbPrimary->setObjectName("gbPrimary");
    lblPrimaryPrompt = new QLabel(gbPrimary);
    lblPrimaryPrompt->setObjectName("lblPrimaryPrompt");
    txtPrimary = new QLineEdit(gbPrimary);
    txtPrimary->setObjectName("txtPrimary");
    lblAnswerLongWarning = WarningLabel(gbPrimary, "lblAnswerLongWarning");
    lblGroupPrompt = new QLabel(gbPrimary);
    lblGroupPrompt->setObjectName("lblGroupPrompt");
    cbxGroup = new QComboBox(gbPrimary);
    cbxGroup->setObjectName("cbxGroup");
    lblGroupPrompt->setBuddy(cbxGroup);
    lblPrimaryPrompt->setBuddy(txtPrimary);
    cmdAdd = new QPushButton(gbPrimary);
    cmdAdd->setObjectName("cmdAdd");
    cmdDelete = new QPushButton(gbPrimary);
    cmdDelete->setObjectName("cmdDelete");
    cmdUpdate = new QPushButton(gbPrimary);
    cmdUpdate->setObjectName("cmdUpdate");
    cmdUpdate->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    // The hint names the rename about to happen: quick once the author has tabbed to the
    // button, slower for a pointer merely passing over it.
    new THoverHint(cmdUpdate, 250, 800);
    for (QPushButton* b : {cmdAdd, cmdDelete, cmdUpdate})
        b->setAutoDefault(false);

    auto* entry = new QGridLayout(gbPrimary);
    entry->addWidget(lblPrimaryPrompt, 0, 0, 1, 2);
    entry->addWidget(txtPrimary, 1, 0, 1, 2);
    entry->addWidget(lblAnswerLongWarning, 2, 0, 1, 2);
    entry->addWidget(lblGroupPrompt, 3, 0);
    entry->addWidget(cbxGroup, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAdd);
    buttons->addWidget(cmdDelete);
    buttons->addStretch();
    buttons->addWidget(cmdUpdate);
    entry->addLayout(buttons, 4, 0, 1, 2);

    gridSecondary = new QTableWidget(0, 2, area);
    gridSecondary->setObjectName("gridSecondary");
    gridSecondary->verticalHeader()->hide();
    gridSecondary->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    gridSecondary->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    gridSecondary->horizontalHeader()->setMinimumSectionSize(96);
    gridSecondary->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    gridSecondary->setSelectionMode(QAbstractItemView::SingleSelection);
    gridSecondary->setTabKeyNavigation(false);
    gridSecondary->setItemDelegate(
        new TTranslationDelegate(gridSecondary, [this] { return GridNext(false); }));
    gridSecondary->setEditTriggers(QAbstractItemView::AllEditTriggers);

    gbClue = new QGroupBox(area);
    gbClue->setObjectName("gbClue");
    txtClue = new QLineEdit(gbClue);
    txtClue->setObjectName("txtClue");
    lblClueLongWarning = WarningLabel(gbClue, "lblClueLongWarning");
    auto* clue = new QVBoxLayout(gbClue);
    clue->addWidget(txtClue);
    clue->addWidget(lblClueLongWarning);
    clue->addStretch();

    lbxWordlist = new QListWidget(area);
    lbxWordlist->setObjectName("lbxWordlist");
    lbxWordlist->setMinimumWidth(130);
    pnlIcon = new QWidget(area);
    pnlIcon->setObjectName("pnlIcon");
    pbxIcon = new TIconPreview(pnlIcon);
    pbxIcon->setObjectName("pbxIcon");
    shIconToggle = new QFrame(pnlIcon);
    shIconToggle->setObjectName("shIconToggle");
    shIconToggle->setFixedSize(14, 14);
    auto* icon = new QHBoxLayout(pnlIcon);
    icon->setContentsMargins(0, 0, 0, 0);
    icon->addWidget(pbxIcon);
    icon->addWidget(shIconToggle, 0, Qt::AlignBottom);
    icon->addStretch();

    // The columns share the width 3 : 2 whatever they hold: a long word or a group box
    // titled with it must not push the word box aside under the mouse.
    auto* leftColumn = new QWidget(area);
    auto* rightColumn = new QWidget(area);
    for (QWidget* c : {leftColumn, rightColumn})
        c->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    leftColumn->setMinimumWidth(240);
    rightColumn->setMinimumWidth(160);
    auto* left = new QVBoxLayout(leftColumn);
    left->setContentsMargins(0, 0, 0, 0);
    left->addWidget(gbPrimary);
    left->addWidget(gridSecondary, 1);
    left->addWidget(gbClue, 1);
    auto* right = new QVBoxLayout(rightColumn);
    right->setContentsMargins(0, 0, 0, 0);
    right->addWidget(lbxWordlist, 1);
    right->addSpacing(8);
    right->addWidget(pnlIcon);
    gbPrimary->setParent(leftColumn);
    gridSecondary->setParent(leftColumn);
    gbClue->setParent(leftColumn);
    lbxWordlist->setParent(rightColumn);
    pnlIcon->setParent(rightColumn);
    auto* layout = new QHBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(leftColumn, 3);
    layout->addWidget(rightColumn, 2);

    connect(txtPrimary, &QLineEdit::textChanged, this, [this] { txtPrimaryChange(); });
    connect(txtClue, &QLineEdit::textChanged, this, [this] { txtClueChange(); });
    connect(txtPrimary, &QLineEdit::returnPressed, this, &TFormQuarry::EnterPressed);
    connect(txtClue, &QLineEdit::returnPressed, this, &TFormQuarry::EnterPressed);
    connect(cmdAdd, &QPushButton::clicked, this, &TFormQuarry::cmdAddClick);
    connect(cmdUpdate, &QPushButton::clicked, this, &TFormQuarry::cmdUpdateClick);
    connect(cmdDelete, &QPushButton::clicked, this, &TFormQuarry::cmdDeleteClick);
    connect(lbxWordlist, &QListWidget::itemClicked, this, [this] { lbxWordlistClick(); });
    connect(cbxGroup, &QComboBox::activated, this, &TFormQuarry::cbxGroupClick);
    connect(gridSecondary, &QTableWidget::cellChanged, this, &TFormQuarry::gridSecondaryChanged);
    cbxGroup->installEventFilter(this);
    gridSecondary->installEventFilter(this);
    lbxWordlist->installEventFilter(this);

    // One order whatever is selected: what belongs to the word first, then the buttons
    // that act on it, Add before Update, so that tabbing on from the last field never
    // lands on Update by surprise.
    QWidget* order[] = {txtPrimary, cbxGroup,  gridSecondary, txtClue,
                        cmdAdd,     cmdUpdate, cmdDelete,     lbxWordlist};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    area->hide();
    return area;
}

bool TFormQuarry::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (enter && watched == cbxGroup) {
            EnterPressed();
            return true;
        }
        // Tab from the group goes on to the first language's translation, whichever was
        // current before.
        if (key == Qt::Key_Tab && watched == cbxGroup && gridSecondary->rowCount() > 0 &&
            !(static_cast<QKeyEvent*>(event)->modifiers() & Qt::ShiftModifier)) {
            // Only made current: editing starts when the author types there.
            const auto triggers = gridSecondary->editTriggers();
            gridSecondary->setEditTriggers(QAbstractItemView::NoEditTriggers);
            gridSecondary->setCurrentCell(0, 1);
            gridSecondary->setEditTriggers(triggers);
        }
        const bool tab = key == Qt::Key_Tab &&
                         !(static_cast<QKeyEvent*>(event)->modifiers() & Qt::ShiftModifier);
        if ((enter || tab) && watched == gridSecondary && GridNext(enter)) return true;
    }
    // Tabbing into the grid lands on a translation, not on a language's name.
    if (watched == gridSecondary && event->type() == QEvent::FocusIn &&
        gridSecondary->rowCount() > 0 && gridSecondary->currentColumn() != 1)
        gridSecondary->setCurrentCell(std::max(gridSecondary->currentRow(), 0), 1);
    // Keyboard moves in the word box show the word as a click does.
    if (watched == lbxWordlist && event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
            key == Qt::Key_PageDown || key == Qt::Key_Home || key == Qt::Key_End)
            lbxWordlistClick();
    }
    return QMainWindow::eventFilter(watched, event);
}

// Tab and Enter go from one language's translation to the next. After the last, Tab
// leaves the grid and Enter presses the button (also the Enter that ends editing a cell).
bool TFormQuarry::GridNext(bool enter) {
    FinishGridEdit();
    const int row = gridSecondary->currentRow();
    if (row >= 0 && row + 1 < gridSecondary->rowCount()) {
        gridSecondary->setCurrentCell(row + 1, 1);
        // Moving there may have opened its editor already.
        if (!gridSecondary->indexWidget(gridSecondary->currentIndex()))
            gridSecondary->editItem(gridSecondary->item(row + 1, 1));
        return true;
    }
    if (!enter) {
        gridSecondary->setFocus();
        focusNextChild();
        return true;
    }
    QPushButton* b = list_.UsesIconClues() ? cmdUpdate : cmdAdd;
    if (!b->isEnabled()) return false;
    b->click();
    return true;
}

// --- showing the page ------------------------------------------------------------------------

void TFormQuarry::FillGroupBox() {
    const int keep = cbxGroup->currentIndex();
    cbxGroup->clear();
    for (int g = 0; g < kGroupCount; ++g)
        cbxGroup->addItem(NumberedItem(g + 1, FromBytes(list_.GroupName(uint16_t(g)))));
    cbxGroup->setCurrentIndex(keep >= 0 ? keep : 0);
}

void TFormQuarry::ShowWordEntryPage() {
    const bool vocab = page_ == kVocab;
    filling_ = true;
    lblGroupPrompt->setText(Caption(68));
    cmdAdd->setText(Caption(23));
    cmdDelete->setText(Caption(25));
    lblClueLongWarning->setText(Caption(183));
    lblAnswerLongWarning->setText(Caption(184));
    if (vocab) {
        gbPrimary->setTitle(Caption(66) + " (" + FromBytes(list_.PrimaryLanguage()) + ")");
        lblPrimaryPrompt->setText(Caption(67));
    } else {
        gbPrimary->setTitle(QString());
        lblPrimaryPrompt->setText(Caption(185));
    }
    gbClue->setTitle(Caption(69));
    if (list_.UsesIconClues()) {
        shIconToggle->setStyleSheet(
            QStringLiteral("QFrame { background: #800000; border-radius: 3px; }"));
    }

    lbxWordlist->clear();
    for (size_t i = 0; i < list_.WordCount(); ++i) {
        auto* item = new QListWidgetItem(ToDisplay(list_.Word(i)));
        item->setData(Qt::UserRole, int(i));
        lbxWordlist->addItem(item);
    }
    FillGroupBox();
    lastGroup_ = cbxGroup->currentIndex();
    txtPrimary->clear();
    txtClue->clear();
    MarkTooLong(txtPrimary, lblAnswerLongWarning, false);
    MarkTooLong(txtClue, lblClueLongWarning, false);

    const bool grid = vocab && list_.LanguageCount() > 0;
    gridSecondary->setVisible(grid);
    gbClue->setVisible(!vocab);
    gridSecondary->setRowCount(int(list_.LanguageCount()));
    gridSecondary->setHorizontalHeaderLabels({FromBytes(list_.PrimaryLanguage()), QString()});
    for (size_t r = 0; r < list_.LanguageCount(); ++r) {
        auto* name = new QTableWidgetItem(FromBytes(list_.LanguageName(r)));
        name->setFlags(Qt::ItemIsEnabled);
        gridSecondary->setItem(int(r), 0, name);
        gridSecondary->setItem(int(r), 1, new QTableWidgetItem);
    }
    filling_ = false;
    UpdateEntryStates();
    if (lbxWordlist->count() > 0) {
        lbxWordlist->setCurrentRow(0);
        lbxWordlistClick();
    } else {
        ShowIcon();
        txtPrimary->setFocus();
    }
}

// --- the typed word and the buttons ----------------------------------------------------------

QString TFormQuarry::TypedWord() const {
    QString t = txtPrimary->text();
    while (t.endsWith(QLatin1Char(' ')))
        t.chop(1);
    return t;
}

int TFormQuarry::SelectedWord() const {
    const QListWidgetItem* item = lbxWordlist->currentItem();
    return item && item->isSelected() ? item->data(Qt::UserRole).toInt() : -1;
}

std::vector<int> TFormQuarry::WordBoxIndexes() const {
    std::vector<int> out;
    for (int i = 0; i < lbxWordlist->count(); ++i)
        out.push_back(lbxWordlist->item(i)->data(Qt::UserRole).toInt());
    return out;
}

void TFormQuarry::UpdateEntryStates() {
    const QString t = TypedWord();
    const bool icons = list_.UsesIconClues();
    QListWidgetItem* match = nullptr;
    for (int i = 0; i < lbxWordlist->count() && !t.isEmpty(); ++i)
        if (QString::compare(lbxWordlist->item(i)->text(), t, Qt::CaseInsensitive) == 0) {
            match = lbxWordlist->item(i);
            break;
        }
    const bool selected = SelectedWord() >= 0;
    cmdAdd->setEnabled(!t.isEmpty() && !match && !icons);
    cmdUpdate->setEnabled(selected && !t.isEmpty() && !match);
    cmdDelete->setEnabled(match && !icons);
    if (match) {
        const bool was = filling_;
        filling_ = true;
        lbxWordlist->setCurrentItem(match);
        match->setSelected(true);
        const size_t w = size_t(match->data(Qt::UserRole).toInt());
        cbxGroup->setCurrentIndex(std::min<int>(list_.Group(w), kGroupCount - 1));
        lastGroup_ = cbxGroup->currentIndex();
        if (page_ == kVocab) {
            for (int r = 0; r < gridSecondary->rowCount(); ++r)
                gridSecondary->item(r, 1)->setText(
                    ToDisplay(list_.GetTranslation(list_.LanguageName(size_t(r)), w)));
        } else {
            txtClue->setText(ToDisplay(list_.Clue(w)));
        }
        filling_ = was;
    }
    if (page_ == kAnagrams && cmdUpdate->isEnabled())
        cmdUpdate->setToolTip(lbxWordlist->currentItem()->text() + " => " + t);
    else
        cmdUpdate->setToolTip(QString());
}

void TFormQuarry::txtPrimaryChange() {
    const QString t = TypedWord();
    UpdateEntryStates();
    gbClue->setTitle(t.isEmpty() ? Caption(69) : Caption(69) + " (" + t + ")");
    if (auto* header = gridSecondary->horizontalHeaderItem(1)) header->setText(t);
    const QString undrawn = UndrawnWarning(ToStored(t));
    lblAnswerLongWarning->setText(undrawn.isEmpty() ? Caption(184) : undrawn);
    MarkTooLong(txtPrimary, lblAnswerLongWarning, AnswerTooLong(ToStored(t)) || !undrawn.isEmpty());
    txtClueChange();
}

void TFormQuarry::txtClueChange() {
    const int w = SelectedWord();
    const QString t = TypedWord();
    if (!filling_ && w >= 0 && !t.isEmpty() && lbxWordlist->currentItem()->text() == t &&
        !UnshowableCharacter(txtClue->text()))
        list_.SetClue(size_t(w), ToStored(txtClue->text()));
    const std::string line =
        ClueLine(ToStored(txtClue->text()), ToStored(t), list_.ListType() == TListType::Anagrams);
    const QString undrawn = UndrawnWarning(ToStored(txtClue->text()));
    lblClueLongWarning->setText(undrawn.isEmpty() ? Caption(183) : undrawn);
    MarkTooLong(txtClue, lblClueLongWarning,
                (font_ && font_->TextWidth(line) > kClueFitLimit) || !undrawn.isEmpty());
}

void TFormQuarry::StoreGridTranslations(size_t word) {
    if (page_ != kVocab) return;
    for (int r = 0; r < gridSecondary->rowCount() && size_t(r) < list_.LanguageCount(); ++r)
        list_.SetTranslation(list_.LanguageName(size_t(r)), word,
                             ToStored(gridSecondary->item(r, 1)->text().trimmed()));
}

// The Enter that ends editing a cell reaches the grid before the view has taken the
// cell's text (it does so later, from the event loop). Take it now and close the
// editor, so the button works on what was typed and the late commit cannot write it
// into the row of the word shown next.
void TFormQuarry::FinishGridEdit() {
    QWidget* editor = gridSecondary->indexWidget(gridSecondary->currentIndex());
    if (!editor) return;
    QMetaObject::invokeMethod(gridSecondary, "commitData", Q_ARG(QWidget*, editor));
    QMetaObject::invokeMethod(
        gridSecondary, "closeEditor", Q_ARG(QWidget*, editor),
        Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
}

void TFormQuarry::gridSecondaryChanged(int row, int column) {
    if (filling_ || column != 1) return;
    QTableWidgetItem* cell = gridSecondary->item(row, column);
    if (!cell) return;
    // A translation that will not fit shows red; nothing is refused.
    const bool over = AnswerTooLong(ToStored(cell->text()));
    {
        const bool was = filling_;
        filling_ = true;
        cell->setForeground(over ? QBrush(Qt::red) : QBrush());
        filling_ = was;
    }
    const int w = SelectedWord();
    const QString t = TypedWord();
    if (w >= 0 && !t.isEmpty() && lbxWordlist->currentItem()->text() == t)
        StoreGridTranslations(size_t(w));
}

// --- actions ----------------------------------------------------------------------------------

void TFormQuarry::EnterPressed() {
    QPushButton* b = list_.UsesIconClues() ? cmdUpdate : cmdAdd;
    if (b->isEnabled()) b->click();
}

void TFormQuarry::cmdAddClick() {
    const QString t = txtPrimary->text().trimmed();
    if (t.isEmpty() || !cmdAdd->isEnabled()) return;
    std::vector<QString> texts{t, txtClue->text()};
    for (int r = 0; r < gridSecondary->rowCount(); ++r)
        texts.push_back(gridSecondary->item(r, 1)->text());
    if (RefuseUntypable(texts)) return;
    const uint8_t group = uint8_t(lastGroup_);
    size_t index = 0;
    if (page_ == kAnagrams) {
        list_.AddClueWord(ToStored(txtClue->text().trimmed()), ToStored(t), group);
        index = list_.WordCount() - 1;
    } else {
        index = list_.AddWord(ToStored(t), group);
        if (list_.LanguageCount() > 0) {
            StoreGridTranslations(index);
            filling_ = true;
            for (int r = 0; r < gridSecondary->rowCount(); ++r)
                gridSecondary->item(r, 1)->setText(QString());
            if (auto* header = gridSecondary->horizontalHeaderItem(1)) header->setText(QString());
            filling_ = false;
        }
    }
    auto* item = new QListWidgetItem(t);
    item->setData(Qt::UserRole, int(index));
    lbxWordlist->addItem(item);
    lbxWordlist->setCurrentItem(item);
    filling_ = true;
    txtClue->clear();
    filling_ = false;
    txtPrimary->clear();
    txtPrimary->setFocus();
}

void TFormQuarry::cmdUpdateClick() {
    const int w = SelectedWord();
    const QString t = txtPrimary->text().trimmed();
    if (w < 0 || t.isEmpty()) return;
    std::vector<QString> texts{t, txtClue->text()};
    for (int r = 0; r < gridSecondary->rowCount(); ++r)
        texts.push_back(gridSecondary->item(r, 1)->text());
    if (RefuseUntypable(texts)) return;
    lbxWordlist->currentItem()->setText(t);
    list_.SetWord(size_t(w), ToStored(t));
    if (page_ == kAnagrams)
        list_.SetClue(size_t(w), ToStored(txtClue->text()));
    else
        StoreGridTranslations(size_t(w));
    list_.SetGroup(size_t(w), uint8_t(lastGroup_));
    lbxWordlist->setCurrentRow((lbxWordlist->currentRow() + 1) % lbxWordlist->count());
    lbxWordlistClick();
}

void TFormQuarry::cmdDeleteClick() {
    const int w = SelectedWord();
    if (w < 0) return;
    const int row = lbxWordlist->currentRow();
    list_.DeleteWord(size_t(w));
    delete lbxWordlist->takeItem(row);
    for (int i = 0; i < lbxWordlist->count(); ++i) {
        QListWidgetItem* item = lbxWordlist->item(i);
        const int index = item->data(Qt::UserRole).toInt();
        if (index > w) item->setData(Qt::UserRole, index - 1);
    }
    if (lbxWordlist->count() > 0)
        lbxWordlist->setCurrentRow(std::min(row, lbxWordlist->count() - 1));
    lbxWordlistClick();
}

void TFormQuarry::lbxWordlistClick() {
    QListWidgetItem* item = lbxWordlist->currentItem();
    const QString text = item && item->isSelected() ? item->text() : QString();
    if (txtPrimary->text() == text)
        txtPrimaryChange();
    else
        txtPrimary->setText(text);
    txtPrimary->selectAll();
    txtPrimary->setFocus();
    ShowIcon();
}

void TFormQuarry::cbxGroupClick(int index) {
    lastGroup_ = index;
    const int w = SelectedWord();
    if (w >= 0 && lbxWordlist->currentItem()->text() == TypedWord())
        list_.SetGroup(size_t(w), uint8_t(index));
}

void TFormQuarry::ShowIcon() {
    if (!list_.UsesIconClues()) return;
    const int w = SelectedWord();
    // The list names its library by file; the program's own library folder is where
    // the game finds it, so that copy is the one shown when it exists.
    const std::string stored = list_.IconLibrary();
    const std::string installed =
        folders_.ImageLibraries() + ToBytes(QFileInfo(FromBytes(stored)).fileName());
    pbxIcon->ShowIcon(FileExists(installed) ? installed : stored, w);
    const bool hidden = w >= 0 && list_.Word(size_t(w)).starts_with('-');
    shIconToggle->setStyleSheet(QStringLiteral("QFrame { background: #%1; border-radius: 3px; }")
                                    .arg(hidden ? kMaroon : kGreen, 6, 16, QLatin1Char('0')));
}

void TFormQuarry::SortWordBox(bool byGroups) {
    std::vector<TWordBoxEntry> entries;
    for (int i = 0; i < lbxWordlist->count(); ++i) {
        const int index = lbxWordlist->item(i)->data(Qt::UserRole).toInt();
        entries.push_back({lbxWordlist->item(i)->text(), index, list_.Group(size_t(index))});
    }
    const int selected = SelectedWord();
    if (byGroups)
        SortByGroups(entries);
    else
        SortAlphabetically(entries);
    filling_ = true;
    lbxWordlist->clear();
    for (const auto& e : entries) {
        auto* item = new QListWidgetItem(e.text);
        item->setData(Qt::UserRole, e.index);
        lbxWordlist->addItem(item);
        if (e.index == selected) lbxWordlist->setCurrentItem(item);
    }
    filling_ = false;
}

// --- the dialogs -----------------------------------------------------------------------------

void TFormQuarry::miEditGroupNamesClick() {
    QStringList items;
    for (int g = 0; g < cbxGroup->count(); ++g)
        items << cbxGroup->itemText(g);
    TDlgGroups dlg(items, this);
    const unsigned serial = listSerial_;
    if (dlg.exec() != QDialog::Accepted || serial != listSerial_) return;
    items = dlg.Items();
    // Group names are stored as typed: the game shows them only here.
    for (int g = 0; g < items.size() && g < kGroupCount; ++g) {
        cbxGroup->setItemText(g, items[g]);
        list_.SetGroupName(uint16_t(g), ToBytes(ItemName(items[g])));
    }
}

void TFormQuarry::miEditLevelsClick() {
    TDlgLevels dlg(list_, extendedSelect_, GameTextWidth(), this);
    // Its levels belong to the list it was opened for, never to one opened since.
    const unsigned serial = listSerial_;
    if (dlg.exec() == QDialog::Accepted && serial == listSerial_) dlg.Approve();
}

void TFormQuarry::miTranslateClick() {
    std::vector<TGameTextLanguage> languages;
    for (int i = 0; i < lbxLanguages->count(); ++i)
        languages.push_back(
            {lbxLanguages->item(i)->text(), lbxLanguages->item(i)->data(Qt::UserRole).toInt()});
    for (int i = 0; i < lbxMoreLang->count(); ++i)
        languages.push_back({lbxMoreLang->item(i)->text(), -1});
    TDlgGameText dlg(list_, languages, dialogs_, GameTextWidth(), this);
    dlg.exec();
    // A new default language brings other texts to the pages that show them.
    if (page_ == kTypeTitle || page_ == kComments) ShowPage(page_);
}

std::function<int(std::string_view)> TFormQuarry::GameTextWidth() const {
    return [font = font_.get()](std::string_view s) { return font ? font->TextWidth(s) : 0; };
}

} // namespace qr

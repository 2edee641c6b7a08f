// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls: the eight wizard pages, the word-entry area beside them,
// the buttons under them and the menus, and their captions from the string table.
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "editor/form_quarry.h"
#include "editor/text_adapter.h"
#include "foundation/polyglot.h"

namespace qr {

namespace {

template <class W> W* Named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLabel* Warning(QWidget* parent, const char* name) {
    auto* l = Named(new QLabel(parent), name);
    l->setStyleSheet("QLabel { color: #c00000; }");
    l->setWordWrap(true);
    KeepPlaceWhenHidden(l);
    l->hide();
    return l;
}

QLabel* Prompt(QWidget* parent, const char* name) {
    auto* l = Named(new QLabel(parent), name);
    l->setWordWrap(true);
    return l;
}

// Letters become capitals; only A-Z, digits and backspace get through.
class PasswordValidator : public QValidator {
  public:
    using QValidator::QValidator;
    void fixup(QString& input) const override { input = input.toUpper(); }
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        for (QChar c : input)
            if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return Invalid;
        return Acceptable;
    }
};

} // namespace

void TFormQuarry::BuildPages() {
    auto* central = new QWidget(this);
    nbkWizard = Named(new QStackedWidget(central), "nbkWizard");
    nbkWizard->addWidget(BuildWelcomePage());
    nbkWizard->addWidget(BuildTypeTitlePage());
    nbkWizard->addWidget(BuildCreatorPage());
    nbkWizard->addWidget(BuildCommentsPage());
    nbkWizard->addWidget(BuildLanguagesPage());
    nbkWizard->addWidget(BuildIconsPage());
    // The word-entry pages hold the controls of their own rules; they come with them.
    nbkWizard->addWidget(Named(new QWidget, "pageVocab"));
    nbkWizard->addWidget(Named(new QWidget, "pageAnagrams"));

    wordEntry_ = BuildWordEntryArea();
    cmdPrev = Named(new QPushButton(central), "cmdPrev");
    cmdNext = Named(new QPushButton(central), "cmdNext");
    cmdClose = Named(new QPushButton(central), "cmdClose");
    cmdNext->setDefault(true);
    connect(cmdPrev, &QPushButton::clicked, this, &TFormQuarry::cmdPrevClick);
    connect(cmdNext, &QPushButton::clicked, this, &TFormQuarry::cmdNextClick);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);

    auto* top = new QHBoxLayout;
    top->addWidget(nbkWizard, 1);
    top->addWidget(wordEntry_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdPrev);
    buttons->addWidget(cmdNext);
    buttons->addSpacing(16);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(central);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    setCentralWidget(central);
}

QWidget* TFormQuarry::BuildWelcomePage() {
    auto* page = Named(new QWidget, "pageWelcome");
    lblWelcome = Prompt(page, "lblWelcome");
    QFont f = lblWelcome->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    lblWelcome->setFont(f);
    lblWorkLangPrompt = Prompt(page, "lblWorkLangPrompt");
    langButtonsBox_ = new QWidget(page);
    langButtonsLayout_ = new QVBoxLayout(langButtonsBox_);
    langButtonsLayout_->setContentsMargins(36, 0, 0, 0);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(lblWelcome);
    layout->addSpacing(8);
    layout->addWidget(lblWorkLangPrompt);
    layout->addStretch(1);
    layout->addWidget(langButtonsBox_);
    layout->addStretch(1);
    return page;
}

QWidget* TFormQuarry::BuildTypeTitlePage() {
    auto* page = Named(new QWidget, "pageTypeTitle");
    lblTypePrompt = Prompt(page, "lblTypePrompt");
    rbVocab = Named(new QRadioButton(page), "rbVocab");
    rbAnagrams = Named(new QRadioButton(page), "rbAnagrams");
    rbQuiz = Named(new QRadioButton(page), "rbQuiz");
    typeGroup_ = new QButtonGroup(page);
    typeGroup_->addButton(rbVocab, int(TListType::Vocabulary));
    typeGroup_->addButton(rbAnagrams, int(TListType::Anagrams));
    typeGroup_->addButton(rbQuiz, int(TListType::Quiz));
    connect(typeGroup_, &QButtonGroup::idClicked, this, &TFormQuarry::rbListTypeClick);
    lblTitlePrompt = Prompt(page, "lblTitlePrompt");
    txtTitle = Named(new QLineEdit(page), "txtTitle");
    lblTitleLongWarning = Warning(page, "lblTitleLongWarning");
    connect(txtTitle, &QLineEdit::textChanged, this,
            [this] { CheckFit(txtTitle, lblTitleLongWarning, 250); });
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(lblTypePrompt);
    for (QRadioButton* rb : {rbVocab, rbAnagrams, rbQuiz}) {
        auto* row = new QHBoxLayout;
        row->addSpacing(24);
        row->addWidget(rb);
        layout->addLayout(row);
    }
    layout->addSpacing(12);
    layout->addWidget(lblTitlePrompt);
    layout->addWidget(txtTitle);
    layout->addWidget(lblTitleLongWarning);
    layout->addStretch();
    return page;
}

QWidget* TFormQuarry::BuildCreatorPage() {
    auto* page = Named(new QWidget, "pageCreator");
    lblHandlePrompt = Prompt(page, "lblHandlePrompt");
    txtHandle = Named(new QLineEdit(page), "txtHandle");
    lblHandleLongWarning = Warning(page, "lblHandleLongWarning");
    connect(txtHandle, &QLineEdit::textChanged, this,
            [this] { CheckFit(txtHandle, lblHandleLongWarning, 190); });
    lblAuthorPrompt = Prompt(page, "lblAuthorPrompt");
    txtAuthor = Named(new QPlainTextEdit(page), "txtAuthor");
    txtAuthor->setTabChangesFocus(true);
    lblPasswordPrompt = Prompt(page, "lblPasswordPrompt");
    txtPassword = Named(new QLineEdit(page), "txtPassword");
    txtPassword->setValidator(new PasswordValidator(txtPassword));
    lblMajVerPrompt = Prompt(page, "lblMajVerPrompt");
    lblMinVerPrompt = Prompt(page, "lblMinVerPrompt");
    txtMajVersion = Named(new QLineEdit(page), "txtMajVersion");
    txtMinVersion = Named(new QLineEdit(page), "txtMinVersion");
    // Digits only; the file keeps 16 bits.
    const QRegularExpression digits(QStringLiteral("[0-9]{0,5}"));
    for (QLineEdit* e : {txtMajVersion, txtMinVersion}) {
        e->setValidator(new QRegularExpressionValidator(digits, e));
        e->setMaximumWidth(70);
    }
    txtSpecialSignature = Named(new QLineEdit(page), "txtSpecialSignature");
    txtSpecialSignature->hide();

    auto* layout = new QGridLayout(page);
    layout->addWidget(lblHandlePrompt, 0, 0, 1, 4);
    layout->addWidget(txtHandle, 1, 0, 1, 4);
    layout->addWidget(lblHandleLongWarning, 2, 0, 1, 4);
    layout->addWidget(lblAuthorPrompt, 3, 0, 1, 4);
    layout->addWidget(txtAuthor, 4, 0, 1, 4);
    layout->addWidget(lblPasswordPrompt, 5, 0, 1, 4);
    layout->addWidget(txtPassword, 6, 0, 1, 4);
    layout->addWidget(lblMajVerPrompt, 7, 0);
    layout->addWidget(txtMajVersion, 7, 1);
    layout->addWidget(lblMinVerPrompt, 7, 2);
    layout->addWidget(txtMinVersion, 7, 3);
    layout->setRowStretch(4, 1);
    return page;
}

QWidget* TFormQuarry::BuildCommentsPage() {
    auto* page = Named(new QWidget, "pageComments");
    lblDescribePrompt = Prompt(page, "lblDescribePrompt");
    txtDesc = Named(new QPlainTextEdit(page), "txtDesc");
    txtDesc->setTabChangesFocus(true);
    txtDesc->setLineWrapMode(QPlainTextEdit::NoWrap);
    lblDescLongWarning = Warning(page, "lblDescLongWarning");
    connect(txtDesc, &QPlainTextEdit::textChanged, this, &TFormQuarry::CheckDescription);
    lblCommentsPrompt = Prompt(page, "lblCommentsPrompt");
    txtComments = Named(new QPlainTextEdit(page), "txtComments");
    txtComments->setTabChangesFocus(true);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(lblDescribePrompt);
    layout->addWidget(txtDesc, 1);
    layout->addWidget(lblDescLongWarning);
    layout->addWidget(lblCommentsPrompt);
    layout->addWidget(txtComments, 1);
    return page;
}

QWidget* TFormQuarry::BuildLanguagesPage() {
    auto* page = Named(new QWidget, "pageLanguages");
    lblLanguagesPrompt = Prompt(page, "lblLanguagesPrompt");
    lbxLanguages = Named(new QListWidget(page), "lbxLanguages");
    lbxLanguages->setSortingEnabled(true);
    gbMoreLang = Named(new QGroupBox(page), "gbMoreLang");
    lbxMoreLang = Named(new QListWidget(gbMoreLang), "lbxMoreLang");
    lbxMoreLang->setSortingEnabled(true);
    cmdAddLang = Named(new QPushButton(gbMoreLang), "cmdAddLang");
    cmdModifyLang = Named(new QPushButton(gbMoreLang), "cmdModifyLang");
    cmdDeleteLang = Named(new QPushButton(gbMoreLang), "cmdDeleteLang");
    connect(cmdAddLang, &QPushButton::clicked, this, &TFormQuarry::cmdAddLangClick);
    connect(cmdModifyLang, &QPushButton::clicked, this, &TFormQuarry::cmdModifyLangClick);
    connect(cmdDeleteLang, &QPushButton::clicked, this, &TFormQuarry::cmdDeleteLangClick);
    // In primary mode one language is chosen from either box, never one from each.
    connect(lbxLanguages, &QListWidget::itemClicked, this, [this] {
        if (!secondary_) lbxMoreLang->clearSelection();
        UpdateLanguageButtons();
    });
    connect(lbxMoreLang, &QListWidget::itemClicked, this, [this] {
        if (!secondary_) lbxLanguages->clearSelection();
        UpdateLanguageButtons();
    });
    connect(lbxMoreLang, &QListWidget::itemSelectionChanged, this,
            &TFormQuarry::UpdateLanguageButtons);

    auto* more = new QVBoxLayout(gbMoreLang);
    more->addWidget(lbxMoreLang, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAddLang);
    buttons->addWidget(cmdModifyLang);
    buttons->addWidget(cmdDeleteLang);
    more->addLayout(buttons);
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(lbxLanguages, 1);
    boxes->addWidget(gbMoreLang, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(lblLanguagesPrompt);
    layout->addLayout(boxes, 1);
    return page;
}

QWidget* TFormQuarry::BuildIconsPage() {
    auto* page = Named(new QWidget, "pageIcons");
    chkIconClues = Named(new QCheckBox(QStringLiteral("This word-list uses icon clues"), page),
                         "chkIconClues");
    lblIconLibPrompt = Prompt(page, "lblIconLibPrompt");
    lblIconLibPrompt->setText(QStringLiteral("Full pathname of image library with icon images:"));
    txtIconLib = Named(new QLineEdit(page), "txtIconLib");
    cmdBrowseImgLib = Named(new QPushButton(QStringLiteral("Browse..."), page), "cmdBrowseImgLib");
    lblIconsInLibrary = Prompt(page, "lblIconsInLibrary");
    connect(txtIconLib, &QLineEdit::textChanged, this, &TFormQuarry::txtIconLibChange);
    connect(cmdBrowseImgLib, &QPushButton::clicked, this, &TFormQuarry::cmdBrowseImgLibClick);
    auto* row = new QHBoxLayout;
    row->addWidget(txtIconLib, 1);
    row->addWidget(cmdBrowseImgLib);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(chkIconClues);
    layout->addSpacing(12);
    layout->addWidget(lblIconLibPrompt);
    layout->addLayout(row);
    layout->addWidget(lblIconsInLibrary);
    layout->addStretch();
    return page;
}

void TFormQuarry::BuildMenus() {
    QMenuBar* bar = menuBar();
    // Opening a menu commits the current page first, so its items see the list as typed.
    auto opening = [this](QMenu* m) {
        connect(m, &QMenu::aboutToShow, this, [this] {
            CommitPage();
            UpdateMenuStates();
        });
    };
    // A shortcut acts as if its menu had been opened: commit, refresh, then the item.
    auto item = [this](QMenu* menu, const char* name, QKeySequence key, auto slot) {
        QAction* a = Named(menu->addAction(QString()), name);
        connect(a, &QAction::triggered, this, slot);
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WidgetShortcut);
            auto* sc = new QShortcut(key, this);
            connect(sc, &QShortcut::activated, this, [this, a] {
                CommitPage();
                UpdateMenuStates();
                if (a->isEnabled() && a->isVisible()) a->trigger();
            });
        }
        return a;
    };

    mnuFile = Named(bar->addMenu(QString()), "mnuFile");
    opening(mnuFile);
    miNew = item(mnuFile, "miNew", QKeySequence(Qt::CTRL | Qt::Key_N), &TFormQuarry::miNewClick);
    miOpen = item(mnuFile, "miOpen", QKeySequence(Qt::CTRL | Qt::Key_O), &TFormQuarry::miOpenClick);
    miImport = item(mnuFile, "miImport", QKeySequence(), &TFormQuarry::miImportClick);
    miSave = item(mnuFile, "miSave", QKeySequence(Qt::CTRL | Qt::Key_S), &TFormQuarry::miSaveClick);
    miSaveAs = item(mnuFile, "miSaveAs", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                    &TFormQuarry::miSaveAsClick);
    mnuFile->addSeparator();
    miExit = item(mnuFile, "miExit", QKeySequence(), [this] { close(); });
    // Alt+F4 is the window manager's; the item only shows it.
    miExit->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    miExit->setShortcutContext(Qt::WidgetShortcut);
    miImportAnswers = item(mnuFile, "miImportAnswers", QKeySequence(), [] {});
    miImportAnswers->setVisible(false);

    mnuOptions = Named(bar->addMenu(QString()), "mnuOptions");
    opening(mnuOptions);
    miWorkLang = Named(mnuOptions->addMenu(QString()), "miWorkLang");
    miViewCredits = item(mnuOptions, "miViewCredits", QKeySequence(), [] {});
    miViewCredits->setVisible(false);
    miOptSort = Named(mnuOptions->addMenu(QString()), "miOptSort");
    miSortAlpha = item(miOptSort, "miSortAlpha", QKeySequence(), [this] { SortWordBox(false); });
    miSortGroups = item(miOptSort, "miSortGroups", QKeySequence(), [this] { SortWordBox(true); });
    miSortSource = item(miOptSort, "miSortSource", QKeySequence(), [] {});
    miSortSource->setVisible(false);
    miEditGroupNames =
        item(mnuOptions, "miEditGroupNames", QKeySequence(), &TFormQuarry::miEditGroupNamesClick);

    mnuGame = Named(bar->addMenu(QString()), "mnuGame");
    opening(mnuGame);
    miEditLevels = item(mnuGame, "miEditLevels", QKeySequence(), &TFormQuarry::miEditLevelsClick);
    miTranslate = item(mnuGame, "miTranslate", QKeySequence(), &TFormQuarry::miTranslateClick);

    mnuHelp = Named(bar->addMenu(QString()), "mnuHelp");
    opening(mnuHelp);
    miTopics = item(mnuHelp, "miTopics", QKeySequence(), &TFormQuarry::miTopicsClick);
    miPageHelp =
        item(mnuHelp, "miPageHelp", QKeySequence(Qt::Key_F1), &TFormQuarry::miPageHelpClick);
    mnuHelp->addSeparator();
    miAbout = item(mnuHelp, "miAbout", QKeySequence(), &TFormQuarry::miAboutClick);
}

void TFormQuarry::ApplyCaptions() {
    lblWelcome->setText(Caption(5));
    lblWorkLangPrompt->setText(Caption(6));
    cmdPrev->setText(Caption(7));
    cmdNext->setText(Caption(8));
    cmdClose->setText(Caption(85));
    lblTypePrompt->setText(Caption(16));
    rbVocab->setText(Caption(17));
    rbAnagrams->setText(Caption(18));
    rbQuiz->setText(Caption(19));
    lblTitlePrompt->setText(Caption(20));
    gbMoreLang->setTitle(Caption(22));
    cmdAddLang->setText(Caption(23));
    cmdModifyLang->setText(Caption(24));
    cmdDeleteLang->setText(Caption(25));
    lblHandlePrompt->setText(Caption(60));
    lblAuthorPrompt->setText(Caption(61));
    lblPasswordPrompt->setText(Caption(62));
    lblMajVerPrompt->setText(Caption(63));
    lblMinVerPrompt->setText(Caption(64));
    lblCommentsPrompt->setText(Caption(65));
    lblDescribePrompt->setText(Caption(218));
    for (QLabel* l : {lblDescLongWarning, lblTitleLongWarning, lblHandleLongWarning})
        l->setText(Caption(219));

    mnuFile->setTitle(Caption(86));
    miNew->setText(Caption(87));
    miOpen->setText(Caption(88));
    miImport->setText(Caption(str::kImport));
    miSave->setText(Caption(89));
    miSaveAs->setText(Caption(90));
    miExit->setText(Caption(91));
    miImportAnswers->setText(QStringLiteral("Import Answers"));
    mnuOptions->setTitle(Caption(92));
    miWorkLang->setTitle(Caption(93));
    miViewCredits->setText(Caption(94));
    miOptSort->setTitle(Caption(95));
    miSortAlpha->setText(Caption(96));
    miSortGroups->setText(Caption(97));
    miSortSource->setText(QStringLiteral("By &Source"));
    miEditGroupNames->setText(Caption(98));
    mnuGame->setTitle(Caption(99));
    miEditLevels->setText(Caption(100));
    miTranslate->setText(Caption(101));
    mnuHelp->setTitle(Caption(235));
    miTopics->setText(Caption(236));
    miPageHelp->setText(Caption(237));
    miAbout->setText(Caption(238));
}

void TFormQuarry::FillStandardLanguages() {
    lbxLanguages->clear();
    for (int k = 0; k < TPolyglot::kLanguageCount; ++k) {
        auto* it = new QListWidgetItem(FromBytes(Polyglot().LanguageName(k)));
        it->setData(Qt::UserRole, k);
        lbxLanguages->addItem(it);
    }
}

void TFormQuarry::RebuildLanguageButtons() {
    for (QRadioButton* b : langButtons_)
        delete b;
    langButtons_.clear();
    miWorkLang->clear();
    langActions_.clear();
    auto* group = new QButtonGroup(langButtonsBox_);
    for (size_t i = 0; i < languages_.size(); ++i) {
        const TWorkLangUI& l = languages_[i];
        auto* rb = new QRadioButton(FromBytes(l.buttonCaption), langButtonsBox_);
        rb->setObjectName(QStringLiteral("rbWorkLang%1").arg(i));
        group->addButton(rb, int(i));
        langButtonsLayout_->addWidget(rb);
        langButtons_.push_back(rb);
        QAction* a = miWorkLang->addAction(FromBytes(l.menuCaption));
        a->setCheckable(true);
        a->setData(int(i));
        langActions_.push_back(a);
        const int index = int(i);
        connect(rb, &QRadioButton::clicked, this, [this, index] { ChooseWorkingLanguage(index); });
        connect(a, &QAction::triggered, this, [this, index] { ChooseWorkingLanguage(index); });
        if (index == workLang_) {
            rb->setChecked(true);
            a->setChecked(true);
        }
    }
    // Many languages sit closer together, and the welcome line gives up its place.
    const TLanguageButtonLayout layout = LanguageButtonLayout(languages_.size());
    langButtonsLayout_->setSpacing(layout.pitch - 17);
    lblWelcome->setVisible(layout.welcomeVisible);
}

} // namespace qr

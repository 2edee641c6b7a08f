// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/form_quarry.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <utility>

#include "editor/dlg_about.h"
#include "editor/editor_dialogs.h"
#include "editor/entry_rules.h"
#include "editor/help_window.h"
#include "editor/icon_library.h"
#include "editor/text_adapter.h"
#include "foundation/dlg_confirm.h"
#include "foundation/polyglot.h"
#include "foundation/text_codec.h"
#include "foundation/utils.h"
#include "graphics/font.h"
#include "graphics/image_library.h"
#include "platform/files.h"
#include "wordimport/word_import.h"
#include "wordlist/scramble.h"
#include "wordlist/word_list_file.h"

namespace qr {

namespace {

// The hourglass while a file is read or written.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

QStringList MemoLines(const QPlainTextEdit* memo) {
    const QString text = memo->toPlainText();
    if (text.isEmpty()) return {};
    QStringList lines = text.split(QLatin1Char('\n'));
    // A memo ending in a line break has no further line.
    if (lines.size() > 1 && lines.back().isEmpty()) lines.pop_back();
    return lines;
}

// The inverse of MemoLines: a last line that is empty needs a line break of its own.
QString JoinLines(const std::vector<QString>& lines) {
    QStringList l(lines.begin(), lines.end());
    QString text = l.join(QLatin1Char('\n'));
    if (!lines.empty() && lines.back().isEmpty()) text += QLatin1Char('\n');
    return text;
}

// A memo's lines replace the list's only when they differ, so that leaving a page
// untouched does not mark the list modified. The memo and the list must hold as many
// lines each, and every line of `wanted` must match the stored one.
template <class Stored, class Clear, class Add>
void ReplaceLines(const std::vector<std::string>& wanted, size_t memoCount, size_t listCount,
                  Stored stored, Clear clear, Add add) {
    bool same = memoCount == listCount;
    for (size_t i = 0; same && i < wanted.size(); ++i)
        same = wanted[i] == stored(i);
    if (same) return;
    clear();
    for (const std::string& line : wanted)
        add(line);
}

uint16_t VersionNumber(const QLineEdit* edit) {
    // An empty field has no number: it counts as 0.
    bool ok = false;
    const uint n = edit->text().toUInt(&ok);
    return ok ? uint16_t(std::min<uint>(n, 65535)) : 0;
}

int PageHelpContext(int page, bool secondary, int current) {
    switch (page) {
    case TFormQuarry::kLanguages:
        return secondary ? 1005 : 1004;
    case TFormQuarry::kIcons:
        return current;
    case TFormQuarry::kVocab:
        return 1007;
    case TFormQuarry::kAnagrams:
        return 1006;
    default:
        return 1000 + page;
    }
}

QListWidgetItem* FindItem(QListWidget* box, const QString& text) {
    for (int i = 0; i < box->count(); ++i)
        if (box->item(i)->text() == text) return box->item(i);
    return nullptr;
}

} // namespace

TFormQuarry::TFormQuarry(const TFolders& folders, EditorDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), folders_(folders), dialogs_(dialogs), settings_(folders.IniFile()) {
    setObjectName("FormQuarry");
    // The installation's own help folder, else the one shipped with the program (an
    // installation made before the editor was installed has none of its own yet).
    helpFolder_ = FileExists(folders_.Help() + "quarry_eng.hlp") ? folders_.Help()
                                                                 : folders_.program + "hlp/";
    extendedSelect_ = settings_.ExtendedSelect();
    BuildPages();
    BuildMenus();

    languages_ = BuildWorkingLanguages(folders_.Strings(), helpFolder_);
    if (languages_.empty()) throw UvoException("No string files in \"" + folders_.Strings() + "\"");
    int initial = FindWorkingLanguage(languages_, settings_.WorkingLanguage());
    if (initial < 0) initial = FindWorkingLanguage(languages_, "English");
    if (initial < 0) initial = 0;
    // Made once the string table is there: its button is captioned from it.
    help_ = new THelpWindow(this);
    SetWorkingLanguage(initial);

    // Further languages the author used before; a standard one is in the other box.
    for (const std::string& name : settings_.MoreLanguages())
        if (Polyglot().LanguageNumber(name) < 0 && !FindItem(lbxMoreLang, FromBytes(name)))
            lbxMoreLang->addItem(FromBytes(name));

    list_.SetNameLanguage(Polyglot().GetString(0));
    list_.Reset();
    ShowPage(kWelcome);

    // The game's font measures whether texts will fit where the game shows them.
    RegisterGameFontMetrics();
    fontLibrary_ = std::make_unique<TPX8Library>();
    fontLibrary_->Open(folders_.ImageLibraries() + "game.px8");
    font_ = std::make_unique<TPX8Font>(*fontLibrary_, "04ab14xx");

    setMinimumSize(435, 330);
    RefreshCaption();
}

TFormQuarry::~TFormQuarry() {
    // A settings file that cannot be written (full disk, read-only folder) must not keep
    // the window from closing.
    try {
        settings_.SetExtendedSelect(extendedSelect_);
        std::vector<std::string> more;
        for (const QString& name : MoreLanguageNames())
            more.push_back(ToBytes(name));
        settings_.SetMoreLanguages(more);
        if (!txtHandle->text().isEmpty()) settings_.SetHandle(ToBytes(txtHandle->text()));
        const QStringList author = MemoLines(txtAuthor);
        if (!author.isEmpty()) {
            std::vector<std::string> lines;
            for (const QString& l : author)
                lines.push_back(ToBytes(l));
            settings_.SetAuthorLines(lines);
        }
    } catch (const std::exception&) {
    }
    font_.reset();
}

QString TFormQuarry::HelpFile() const {
    return helpFile_;
}

QStringList TFormQuarry::MoreLanguageNames() const {
    QStringList names;
    for (int i = 0; i < lbxMoreLang->count(); ++i)
        names << lbxMoreLang->item(i)->text();
    return names;
}

QString TFormQuarry::ListsFolder() const {
    return QString::fromStdString(folders_.Lists());
}

// --- pages ------------------------------------------------------------------------------

void TFormQuarry::ShowPage(int page) {
    const bool entry = page == kVocab || page == kAnagrams;
    wordEntry_->setVisible(entry);
    // The word-entry pages are the entry area alone: it takes the whole window.
    nbkWizard->setVisible(!entry);
    pnlIcon->setVisible(entry && list_.UsesIconClues());
    cmdPrev->setEnabled(page >= kCreator);
    cmdNext->setEnabled(page >= kTypeTitle && page <= kIcons);
    if (list_.ListType() != TListType::Vocabulary) secondary_ = false;

    switch (page) {
    case kWelcome:
        if (!languageChanging_) RebuildLanguageButtons();
        break;
    case kTypeTitle:
        typeGroup_->button(int(list_.ListType()))->setChecked(true);
        lblTitleLongWarning->hide();
        txtTitle->setText(ToDisplay(list_.Title()));
        break;
    case kCreator: {
        lblHandleLongWarning->hide();
        txtHandle->setText(ToDisplay(list_.Handle()));
        txtPassword->setText(FromBytes(UnscrambleText(list_.Password())));
        txtMajVersion->setText(QString::number(list_.VersionMajor()));
        txtMinVersion->setText(QString::number(list_.VersionMinor()));
        std::vector<QString> author;
        for (size_t i = 0; i < list_.AuthorLineCount(); ++i)
            author.push_back(ToDisplay(list_.AuthorLine(i)));
        txtAuthor->setPlainText(JoinLines(author));
        break;
    }
    case kComments: {
        lblDescLongWarning->hide();
        std::vector<QString> comments, desc;
        for (size_t i = 0; i < list_.CommentCount(); ++i)
            comments.push_back(FromBytes(list_.Comment(i)));
        for (size_t i = 0; i < list_.DescriptionCount(); ++i)
            desc.push_back(ToDisplay(list_.DescriptionLine(i)));
        txtComments->setPlainText(JoinLines(comments));
        txtDesc->setPlainText(JoinLines(desc));
        lblDescLongWarning->hide();
        break;
    }
    case kLanguages:
        ShowLanguagesPage();
        break;
    case kIcons:
        chkIconClues->setChecked(list_.UsesIconClues());
        txtIconLib->setText(FromBytes(list_.IconLibrary()));
        txtIconLibChange();
        break;
    default:
        break;
    }

    page_ = page;
    helpContext_ = PageHelpContext(page, secondary_, helpContext_);
    nbkWizard->setCurrentIndex(page);

    QWidget* first = nullptr;
    switch (page) {
    case kWelcome:
        if (workLang_ >= 0 && size_t(workLang_) < langButtons_.size())
            first = langButtons_[size_t(workLang_)];
        break;
    case kTypeTitle:
        first = txtTitle;
        break;
    case kCreator:
        first = txtHandle;
        break;
    case kComments:
        first = txtDesc;
        break;
    case kLanguages:
        first = lbxLanguages;
        break;
    case kIcons:
        first = chkIconClues;
        break;
    default:
        first = cmdNext;
        break;
    }
    // As if tabbed into: a line edit's text is selected, ready to be typed over.
    if (first) first->setFocus(Qt::TabFocusReason);
    if (entry) ShowWordEntryPage();
}

bool TFormQuarry::RefuseUntypable(const std::vector<QString>& texts) {
    for (const QString& t : texts)
        if (auto c = UnshowableCharacter(t)) {
            dialogs_.Message(Caption(str::kError), UnshowableMessage(*c), MessageKind::Error);
            return true;
        }
    // A file keeps at most 255 bytes a text: said when typed, not first when saving.
    for (const QString& t : texts)
        for (const QString& line : t.split(QLatin1Char('\n')))
            if (ToStored(line).size() > 255) {
                const QString shown = line.size() > 40 ? line.left(40) + QChar(0x2026) : line;
                dialogs_.Message(Caption(str::kError), Caption(str::kTooLong, {shown}),
                                 MessageKind::Error);
                return true;
            }
    return false;
}

bool TFormQuarry::CommitPage() {
    switch (page_) {
    case kTypeTitle:
        if (RefuseUntypable({txtTitle->text()})) return false;
        list_.SetTitle(ToStored(txtTitle->text()));
        return true;
    case kCreator: {
        if (RefuseUntypable({txtHandle->text(), txtAuthor->toPlainText()})) return false;
        list_.SetHandle(ToStored(txtHandle->text()));
        const std::string password = Trim(ToBytes(txtPassword->text()));
        // Scrambling is keyed at random: compare the plain texts, not the bytes.
        if (password != UnscrambleText(list_.Password())) list_.SetPassword(ScrambleText(password));
        list_.SetVersion(VersionNumber(txtMajVersion), VersionNumber(txtMinVersion));
        const QStringList lines = MemoLines(txtAuthor);
        std::vector<std::string> author;
        for (const QString& l : lines)
            author.push_back(ToStored(l));
        ReplaceLines(
            author, author.size(), list_.AuthorLineCount(),
            [&](size_t i) { return list_.AuthorLine(i); }, [&] { list_.ClearAuthorLines(); },
            [&](const std::string& l) { list_.AddAuthorLine(l); });
        return true;
    }
    case kComments: {
        if (RefuseUntypable({txtDesc->toPlainText(), txtComments->toPlainText()})) return false;
        // The description always has four lines, the game shows no more.
        const QStringList desc = MemoLines(txtDesc);
        std::vector<std::string> description;
        for (const QString& l : desc)
            description.push_back(ToStored(l));
        description.resize(std::max(description.size(), TQRWordList::kMaxDescriptionLines));
        ReplaceLines(
            description, size_t(desc.size()), list_.DescriptionCount(),
            [&](size_t i) { return list_.DescriptionLine(i); }, [&] { list_.ClearDescription(); },
            [&](const std::string& l) { list_.AddDescriptionLine(l); });
        // Notes are the author's own: kept exactly as typed.
        std::vector<std::string> comments;
        for (const QString& l : MemoLines(txtComments))
            comments.push_back(ToBytes(l));
        ReplaceLines(
            comments, comments.size(), list_.CommentCount(),
            [&](size_t i) { return list_.Comment(i); }, [&] { list_.ClearComments(); },
            [&](const std::string& l) { list_.AddComment(l); });
        return true;
    }
    case kLanguages:
        return CommitLanguagesPage();
    case kIcons:
        return CommitIconsPage();
    default:
        return true;
    }
}

void TFormQuarry::cmdNextClick() {
    if (!CommitPage()) return;
    const bool vocab = list_.ListType() == TListType::Vocabulary;
    if (page_ == kLanguages) {
        if (!vocab || secondary_) {
            secondary_ = false;
            ShowPage(list_.ListType() == TListType::Anagrams ? kAnagrams : kIcons);
        } else {
            secondary_ = true;
            ShowPage(kLanguages);
        }
    } else if (page_ == kIcons) {
        ShowPage(vocab ? kVocab : kAnagrams);
    } else if (page_ < kIcons) {
        ShowPage(page_ + 1);
    }
}

void TFormQuarry::cmdPrevClick() {
    if (!CommitPage()) return;
    const TListType type = list_.ListType();
    if (page_ == kLanguages && secondary_) {
        secondary_ = false;
        ShowPage(kLanguages);
    } else if (page_ == kLanguages) {
        ShowPage(kComments);
    } else if (page_ == kVocab) {
        ShowPage(kIcons);
    } else if (page_ == kAnagrams) {
        ShowPage(type == TListType::Quiz ? kIcons : kLanguages);
    } else if (page_ == kIcons && type == TListType::Vocabulary) {
        secondary_ = true;
        ShowPage(kLanguages);
    } else if (page_ > kWelcome) {
        ShowPage(page_ - 1);
    }
}

void TFormQuarry::rbListTypeClick(int type) {
    const auto t = TListType(type);
    if (t != list_.ListType()) {
        const bool anagramQuiz = t != TListType::Vocabulary &&
                                 list_.ListType() != TListType::Vocabulary &&
                                 !list_.UsesIconClues();
        const bool empty = list_.LanguageCount() == 0 && list_.WordCount() == 0;
        if (empty || anagramQuiz ||
            dialogs_.Confirm(Caption(11), Caption(12), TDlgConfirm::kYes | TDlgConfirm::kNo) ==
                TDlgConfirm::kResultYes)
            list_.SetListType(t);
        else
            typeGroup_->button(int(list_.ListType()))->setChecked(true);
    }
    txtTitle->setText(ToDisplay(list_.Title()));
}

// --- the languages page ------------------------------------------------------------------

void TFormQuarry::ShowLanguagesPage() {
    const auto mode =
        secondary_ ? QAbstractItemView::MultiSelection : QAbstractItemView::SingleSelection;
    for (QListWidget* box : {lbxLanguages, lbxMoreLang}) {
        box->setSelectionMode(mode);
        box->clearSelection();
    }
    auto select = [this](const QString& name) {
        if (QListWidgetItem* it = FindItem(lbxLanguages, name))
            it->setSelected(true);
        else if (QListWidgetItem* more = FindItem(lbxMoreLang, name))
            more->setSelected(true);
        else if (secondary_) {
            if (QListWidgetItem* def = FindItem(lbxLanguages, Caption(32))) def->setSelected(true);
        }
    };
    if (secondary_) {
        for (const TSecondaryLanguage& l : list_.SecondaryLanguages())
            select(FromBytes(l.name));
    } else {
        select(FromBytes(list_.PrimaryLanguage()));
    }
    int prompt = 21;
    if (secondary_)
        prompt = 27;
    else if (list_.ListType() == TListType::Anagrams)
        prompt = 28;
    else if (list_.ListType() == TListType::Quiz)
        prompt = 29;
    lblLanguagesPrompt->setText(Caption(prompt));
    UpdateLanguageButtons();
}

bool TFormQuarry::CommitLanguagesPage() {
    if (secondary_) {
        const auto& langs = list_.SecondaryLanguages();
        for (size_t i = langs.size(); i-- > 0;) {
            const std::string name = langs[i].name;
            QListWidgetItem* it = FindItem(lbxLanguages, FromBytes(name));
            if (!it) it = FindItem(lbxMoreLang, FromBytes(name));
            if (!it || it->isSelected()) continue;
            const QString text =
                QString(Caption(241)).replace(QStringLiteral("%s"), FromBytes(name));
            if (dialogs_.Confirm(Caption(240), text, TDlgConfirm::kYes | TDlgConfirm::kNo) ==
                TDlgConfirm::kResultYes)
                list_.DeleteLanguage(name);
        }
        for (QListWidget* box : {lbxLanguages, lbxMoreLang})
            for (QListWidgetItem* it : box->selectedItems()) {
                const std::string name = ToBytes(it->text());
                if (name != list_.PrimaryLanguage()) list_.AddLanguage(name);
            }
        return true;
    }
    const auto standard = lbxLanguages->selectedItems();
    const auto more = lbxMoreLang->selectedItems();
    if (!standard.isEmpty())
        list_.SetPrimaryLanguage(ToBytes(standard.first()->text()));
    else if (!more.isEmpty())
        list_.SetPrimaryLanguage(ToBytes(more.first()->text()));
    else
        list_.SetPrimaryLanguage(Polyglot().GetString(32));
    return true;
}

QString TFormQuarry::TitleCase(const QString& name) {
    const QString t = name.trimmed();
    QString out;
    bool start = true;
    for (QChar c : t) {
        if (c == QLatin1Char(' ')) {
            if (!out.endsWith(QLatin1Char(' '))) out += c;
            start = true;
            continue;
        }
        out += start ? c.toUpper() : c.toLower();
        start = false;
    }
    return out;
}

void TFormQuarry::UpdateLanguageButtons() {
    cmdModifyLang->setEnabled(lbxMoreLang->selectedItems().size() == 1);
    cmdDeleteLang->setEnabled(!lbxMoreLang->selectedItems().isEmpty());
}

void TFormQuarry::cmdAddLangClick() {
    const auto typed = dialogs_.AskText(Caption(53), Caption(54), QString(), false);
    if (!typed) return;
    const QString name = TitleCase(*typed);
    if (name.isEmpty() || RefuseUntypable({name}) || RefuseTakenLanguage(name)) return;
    lbxMoreLang->addItem(name);
}

void TFormQuarry::cmdModifyLangClick() {
    const auto sel = lbxMoreLang->selectedItems();
    if (sel.size() != 1) return;
    QListWidgetItem* item = sel.first();
    const auto typed = dialogs_.AskText(Caption(58), Caption(59), item->text(), false);
    if (!typed) return;
    const QString name = TitleCase(*typed);
    if (name.isEmpty() || name == item->text() || RefuseUntypable({name}) ||
        RefuseTakenLanguage(name))
        return;
    RenameLanguage(ToBytes(item->text()), ToBytes(name));
    item->setText(name);
    lbxMoreLang->sortItems();
    item->setSelected(true);
}

// The list has no renaming of its own: its languages are taken off and put back in
// their order, the renamed one with its translations under the new name.
void TFormQuarry::RenameLanguage(const std::string& from, const std::string& to) {
    if (list_.PrimaryLanguage() == from) list_.SetPrimaryLanguage(to);
    const auto& langs = list_.SecondaryLanguages();
    const bool listed = std::any_of(langs.begin(), langs.end(),
                                    [&](const TSecondaryLanguage& l) { return l.name == from; });
    if (!listed) return;
    struct Column {
        std::string name;
        std::vector<std::string> translations;
    };
    std::vector<Column> columns;
    for (size_t i = 0; i < list_.LanguageCount(); ++i) {
        const std::string name = list_.LanguageName(i);
        Column c{name == from ? to : name, {}};
        for (size_t w = 0; w < list_.WordCount(); ++w)
            c.translations.push_back(list_.GetTranslation(name, w));
        columns.push_back(std::move(c));
    }
    while (list_.LanguageCount() > 0)
        list_.DeleteLanguage(list_.LanguageName(list_.LanguageCount() - 1));
    for (const Column& c : columns) {
        list_.AddLanguage(c.name);
        for (size_t w = 0; w < c.translations.size(); ++w)
            list_.SetTranslation(c.name, w, c.translations[w]);
    }
}

// A language name that is a standard language or already among the extra ones is said so,
// and refused.
bool TFormQuarry::RefuseTakenLanguage(const QString& name) {
    const int message = FindItem(lbxLanguages, name) ? 56 : FindItem(lbxMoreLang, name) ? 57 : 0;
    if (!message) return false;
    dialogs_.Message(Caption(55), QString(Caption(message)).replace("%s", name),
                     MessageKind::Information);
    return true;
}

void TFormQuarry::cmdDeleteLangClick() {
    const auto sel = lbxMoreLang->selectedItems();
    if (sel.isEmpty()) return;
    const QString name = sel.first()->text();
    // The translations go with the language: asked first, as on deselecting it.
    const auto& langs = list_.SecondaryLanguages();
    const bool listed = std::any_of(langs.begin(), langs.end(), [&](const TSecondaryLanguage& l) {
        return l.name == ToBytes(name);
    });
    if (listed && dialogs_.Confirm(Caption(240), Caption(241, {name}),
                                   TDlgConfirm::kYes | TDlgConfirm::kNo) != TDlgConfirm::kResultYes)
        return;
    delete sel.first();
    list_.DeleteLanguage(ToBytes(name));
    if (!secondary_)
        if (QListWidgetItem* def = FindItem(lbxLanguages, Caption(32))) def->setSelected(true);
    UpdateLanguageButtons();
}

// --- the icons page -------------------------------------------------------------------------

bool TFormQuarry::CommitIconsPage() {
    const std::string library = Trim(ToBytes(txtIconLib->text()));
    if (!chkIconClues->isChecked()) {
        list_.SetUsesIconClues(false);
        list_.SetIconLibrary(library);
        return true;
    }
    if (library.empty()) {
        dialogs_.Message(Caption(str::kError), Caption(str::kNeedLibrary), MessageKind::Error);
        return false;
    }
    const int icons = CountIcons(library, [this](const std::string& w) {
        dialogs_.Message(Caption(str::kWarning), FromBytes(w), MessageKind::Warning);
    });
    if (icons == 0) {
        dialogs_.Message(Caption(str::kError), Caption(str::kNoIcons), MessageKind::Error);
        return false;
    }
    list_.SetUsesIconClues(true);
    list_.SetIconLibrary(library);
    const size_t wanted = size_t(icons);
    for (size_t i = list_.WordCount(); i < wanted; ++i) {
        const std::string word = "Clue " + std::to_string(i);
        if (list_.ListType() == TListType::Vocabulary)
            list_.AddWord(word, 0);
        else
            list_.AddClueWord(std::string(), word, 0);
    }
    if (list_.WordCount() > wanted) {
        const size_t surplus = list_.WordCount() - wanted;
        const QString q = Caption(str::kDeleteFinal, {QString::number(surplus)});
        if (dialogs_.Confirm(Caption(str::kConfirm), q, TDlgConfirm::kYes | TDlgConfirm::kNo) ==
            TDlgConfirm::kResultYes)
            while (list_.WordCount() > wanted)
                list_.DeleteWord(list_.WordCount() - 1);
    }
    return true;
}

void TFormQuarry::txtIconLibChange() {
    const QString path = txtIconLib->text().trimmed();
    if (path.isEmpty()) {
        lblIconsInLibrary->clear();
    } else if (QFileInfo(path).isFile()) {
        // Warnings about pictures wait for the commit; the label only counts.
        const int n = CountIcons(ToBytes(path), nullptr);
        lblIconsInLibrary->setText(n ? Caption(str::kIconsInLibrary, {QString::number(n)})
                                     : Caption(str::kNoIcons));
    } else {
        lblIconsInLibrary->setText(Caption(str::kNoSuchFile));
    }
}

void TFormQuarry::cmdBrowseImgLibClick() {
    FileDialogRequest r;
    r.title = QStringLiteral("Browse for Image Library");
    r.folder = QString::fromStdString(folders_.ImageLibraries());
    r.filter = QStringLiteral("UVO! image libraries (*.px8)");
    r.defaultSuffix = QStringLiteral("px8");
    const QString path = dialogs_.ChooseFile(r);
    if (path.isEmpty()) return;
    chkIconClues->setChecked(true);
    // Linux file names are case-sensitive: the path stays exactly as chosen.
    txtIconLib->setText(path);
}

// --- fit checks ------------------------------------------------------------------------------

void TFormQuarry::CheckFit(QLineEdit* edit, QLabel* warning, int limit) {
    if (!font_) return;
    // A character the game draws blank is warned about where a too long text would be.
    const std::string stored = ToStored(edit->text());
    const QString undrawn = UndrawnWarning(stored);
    const bool over = font_->TextWidth(stored) > limit || !undrawn.isEmpty();
    warning->setText(undrawn.isEmpty() ? Caption(219) : undrawn);
    edit->setStyleSheet(over ? QStringLiteral("QLineEdit { color: red; }") : QString());
    warning->setVisible(over);
}

void TFormQuarry::CheckDescription() {
    QString undrawn;
    for (const QString& line : MemoLines(txtDesc))
        if (undrawn.isEmpty()) undrawn = UndrawnWarning(ToStored(line));
    lblDescLongWarning->setText(undrawn.isEmpty() ? Caption(219) : undrawn);
    const bool over = MemoLines(txtDesc).size() > 4 || !undrawn.isEmpty();
    txtDesc->setStyleSheet(over ? QStringLiteral("QPlainTextEdit { color: red; }") : QString());
    lblDescLongWarning->setVisible(over);
}

// --- files -----------------------------------------------------------------------------------

bool TFormQuarry::AskDiscardChanges() {
    if (!list_.Modified()) return true;
    return dialogs_.Confirm(Caption(11), Caption(12), TDlgConfirm::kYes | TDlgConfirm::kNo) ==
           TDlgConfirm::kResultYes;
}

void TFormQuarry::ClearLanguageSelections() {
    lbxLanguages->clearSelection();
    lbxMoreLang->clearSelection();
}

void TFormQuarry::miNewClick() {
    CommitPage();
    if (!AskDiscardChanges()) return;
    list_.Reset();
    ClearLanguageSelections();
    txtSpecialSignature->hide();
    list_.SetHandle(ToStoredForm(settings_.Handle()));
    for (const std::string& line : settings_.AuthorLines())
        list_.AddAuthorLine(ToStoredForm(line));
    list_.ClearModified();
    ++listSerial_;
    ShowPage(kTypeTitle);
    ForgetFile();
    RefreshCaption();
}

void TFormQuarry::miOpenClick() {
    FileDialogRequest r;
    r.title = Caption(10);
    QString folder = FromBytes(settings_.WordListPath());
    if (folder.isEmpty()) folder = ListsFolder();
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    r.folder = folder;
    if (!filePath_.isEmpty()) {
        r.fileName = filePath_;
        if (r.fileName.toUpper().startsWith(folder.toUpper() + "/"))
            r.fileName = r.fileName.mid(folder.size() + 1);
    }
    r.filter = Caption(71) + QStringLiteral(" (*.qrw)");
    r.defaultSuffix = QStringLiteral("qrw");
    const QString path = dialogs_.ChooseFile(r);
    if (path.isEmpty()) return;
    if (!AskDiscardChanges()) return;
    LoadFile(path);
}

void TFormQuarry::miImportClick() {
    CommitPage();
    FileDialogRequest r;
    r.title = PlainCaption(str::kImport);
    r.folder = QDir::homePath();
    r.filter = Caption(str::kImportFilter) + QStringLiteral(" (*.kvtml *.csv *.tsv *.txt)");
    const QString path = dialogs_.ChooseFile(r);
    if (path.isEmpty()) return;
    TImportResult result;
    try {
        BusyCursor busy;
        result = ImportWordListFile(path.toStdString(), TImportOptions{});
    } catch (const std::exception& e) {
        // Nothing changes: the list on screen stays as it was.
        dialogs_.Message(PlainCaption(str::kImport), QString::fromUtf8(e.what()),
                         MessageKind::Error);
        return;
    }
    if (!AskDiscardChanges()) return;
    list_ = std::move(result.list);
    ++listSerial_;
    ClearLanguageSelections();
    txtSpecialSignature->hide();
    for (const TSecondaryLanguage& l : list_.SecondaryLanguages()) {
        const QString name = FromBytes(l.name);
        if (!FindItem(lbxLanguages, name) && !FindItem(lbxMoreLang, name))
            lbxMoreLang->addItem(name);
    }
    ForgetFile();
    ShowPage(kTypeTitle);
    RefreshCaption();
    const TImportSummary& sum = result.summary;
    QString text =
        Caption(str::kImported, {QString::number(sum.imported), QFileInfo(path).fileName()});
    if (sum.skipped)
        text += QStringLiteral("\n") +
                Caption(str::kImportSkipped,
                        {QString::number(sum.skipped), QString::number(sum.unshowable)});
    // The reader's own notes name lines and fields of the file; a few of them are enough.
    const size_t shown = std::min<size_t>(sum.warnings.size(), 10);
    for (size_t i = 0; i < shown; ++i)
        text += QStringLiteral("\n") + QString::fromUtf8(sum.warnings[i].c_str());
    if (sum.warnings.size() > shown)
        text += QStringLiteral("\n... (+%1)").arg(sum.warnings.size() - shown);
    dialogs_.Message(PlainCaption(str::kImport), text, MessageKind::Information);
}

void TFormQuarry::OpenPath(const QString& path) {
    CommitPage();
    if (!AskDiscardChanges()) return;
    LoadFile(QFileInfo(path).absoluteFilePath());
}

void TFormQuarry::LoadFile(const QString& path) {
    ClearLanguageSelections();
    ++listSerial_;
    bool loaded = false;
    std::optional<FileStamp> stamp;
    {
        BusyCursor busy;
        txtSpecialSignature->hide();
        // Stamped before reading: a change made while it is read is one more to ask about.
        stamp = StampOf(path);
        loaded = list_.LoadFromFile(path.toStdString());
    }
    if (!loaded) {
        // The file stays as it is and is not taken as the list's file: a save of the empty
        // list would replace it and push its last good backup out.
        dialogs_.Message(Caption(str::kInvalidFile),
                         Caption(str::kUnableToLoad) + QStringLiteral("\n") +
                             Caption(LoadFaultString(list_.LastFault())),
                         MessageKind::Error);
        list_.Reset();
        list_.ClearModified();
        ForgetFile();
        ShowPage(kTypeTitle);
        RefreshCaption();
        return;
    }
    if (CheckPassword()) {
        filePath_ = path;
        stamp_ = stamp;
        for (const TSecondaryLanguage& l : list_.SecondaryLanguages()) {
            const QString name = FromBytes(l.name);
            if (!FindItem(lbxLanguages, name) && !FindItem(lbxMoreLang, name))
                lbxMoreLang->addItem(name);
        }
        ShowPage(kTypeTitle);
        settings_.SetWordListPath(QFileInfo(path).absolutePath().toStdString() + "/");
    } else {
        list_.Reset();
        ForgetFile();
        ClearLanguageSelections();
        ShowPage(kTypeTitle);
    }
    RefreshCaption();
}

void TFormQuarry::ForgetFile() {
    filePath_.clear();
    stamp_.reset();
}

void TFormQuarry::HandOver(const QString& path) {
    pendingHandOver_ = QFileInfo(path).absoluteFilePath();
    TryHandOver();
}

void TFormQuarry::TryHandOver() {
    if (pendingHandOver_.isEmpty()) return;
    // A question or dialog of ours is open: its answer may still change the list.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(200, this, &TFormQuarry::TryHandOver);
        return;
    }
    const QString path = std::exchange(pendingHandOver_, QString());
    OpenPath(path);
}

std::optional<TFormQuarry::FileStamp> TFormQuarry::StampOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    FileStamp st;
    const QByteArray bytes = f.readAll();
    st.size = bytes.size();
    st.modified = QFileInfo(f).lastModified().toMSecsSinceEpoch();
    st.checksum = WordListChecksum(std::string_view(bytes.constData(), size_t(bytes.size())));
    return st;
}

bool TFormQuarry::MaySaveOver(const QString& path) {
    if (path != filePath_ || !stamp_) return true;
    const std::optional<FileStamp> now = StampOf(path);
    // Gone from disk: there is nothing of anyone's to lose.
    if (!now || *now == *stamp_) return true;
    const int answer = dialogs_.Choose(
        Caption(str::kConfirm), Caption(str::kChangedOnDisk, {QFileInfo(path).fileName()}),
        {Caption(str::kKeepMine), Caption(str::kReloadTheirs), Caption(str::kSaveAs)});
    switch (answer) {
    case 0:
        return true;
    case 1:
        LoadFile(path);
        return false;
    case 2:
        miSaveAsClick();
        return false;
    default:
        return false;
    }
}

bool TFormQuarry::CheckPassword() {
    const std::string wanted = UpperCase(UnscrambleText(list_.Password()));
    if (wanted.empty()) return true;
    for (int attempt = 1; attempt <= 3; ++attempt) {
        const auto typed = dialogs_.AskText(Caption(80), Caption(81), QString(), true);
        if (UpperCase(ToBytes(typed.value_or(QString()))) == wanted) return true;
        if (attempt == 3) {
            dialogs_.Message(Caption(82), Caption(83), MessageKind::Error);
            return false;
        }
        if (dialogs_.Confirm(Caption(82), Caption(84), TDlgConfirm::kYes | TDlgConfirm::kNo) !=
            TDlgConfirm::kResultYes)
            return false;
    }
    return false;
}

// The first of the list's texts that the file cannot hold (more than 255 bytes); older
// lists, imports and the model's own defaults can bring one that was never typed here.
std::optional<std::string> TFormQuarry::TextTooLong(const TQRWordList& list) {
    std::vector<std::string> texts{list.Title(), list.Handle()};
    for (size_t i = 0; i < list.WordCount(); ++i)
        texts.push_back(list.Word(i));
    for (size_t i = 0; i < list.ClueCount(); ++i)
        texts.push_back(list.Clue(i));
    for (const TSecondaryLanguage& l : list.SecondaryLanguages())
        texts.insert(texts.end(), l.translations.begin(), l.translations.end());
    for (size_t i = 0; i < list.AuthorLineCount(); ++i)
        texts.push_back(list.AuthorLine(i));
    for (size_t i = 0; i < list.DescriptionCount(); ++i)
        texts.push_back(list.DescriptionLine(i));
    for (size_t i = 0; i < list.CommentCount(); ++i)
        texts.push_back(list.Comment(i));
    for (uint16_t g = 0; g < kGroupCount; ++g)
        texts.push_back(list.GroupName(g));
    for (size_t i = 0; i < list.LevelCount(); ++i)
        texts.push_back(list.LevelName(i));
    for (const TExtraTextLanguage& e : list.ExtraTextLanguages()) {
        texts.push_back(e.title);
        texts.insert(texts.end(), e.levelNames.begin(), e.levelNames.end());
        texts.insert(texts.end(), e.description.begin(), e.description.end());
    }
    for (const std::string& t : texts)
        if (t.size() > 255) return t;
    return std::nullopt;
}

bool TFormQuarry::SaveTo(const QString& path) {
    const std::string p = path.toStdString();
    const QString fileName = QDir::toNativeSeparators(path);
    auto failed = [&](const QString& why) {
        dialogs_.Message(Caption(str::kSaveFailed), Caption(str::kNotSaved, {fileName, why}),
                         MessageKind::Error);
        return false;
    };
    // Everything that can refuse is asked before a file is touched: a refused save
    // leaves the list's file and its backup as they were.
    if (const std::optional<std::string> text = TextTooLong(list_)) {
        const QString shown = ToDisplay(*text);
        return failed(
            Caption(str::kTooLong, {shown.size() > 40 ? shown.left(40) + QChar(0x2026) : shown}));
    }
    try {
        TQRWordList probe = list_;
        probe.SetSignature(ScrambleText(""));
        probe.SaveToBytes();
    } catch (const std::exception& e) {
        QString why = QString::fromUtf8(e.what());
        // The list's reason says once what could not be saved.
        const QString prefix = QStringLiteral("The word list cannot be saved: ");
        if (why.startsWith(prefix)) why = why.mid(prefix.size());
        return failed(why);
    }
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.isDir() || !folder.isWritable()) return failed(Caption(str::kFolderReadOnly));
    if (!MaySaveOver(path)) return false;

    switch (BackupBeforeSave(p)) {
    case TBackupResult::CannotDeleteBackup:
        dialogs_.Message(Caption(kBackupTitleString), Caption(kCannotDeleteBackupString),
                         MessageKind::Error);
        return false;
    case TBackupResult::CannotMakeBackup:
        dialogs_.Message(Caption(kBackupTitleString), Caption(kCannotMakeBackupString),
                         MessageKind::Error);
        return false;
    default:
        break;
    }
    list_.SetSignature(ScrambleText(""));
    bool saved = false;
    QString error;
    {
        BusyCursor busy;
        try {
            saved = list_.SaveToFile(p);
            if (!saved) error = FromBytes(list_.LastError());
        } catch (const std::exception& e) {
            error = QString::fromUtf8(e.what());
        }
    }
    // A save that did not happen is never reported as done.
    if (!saved) return failed(error);
    filePath_ = path;
    stamp_ = StampOf(path);
    dialogs_.Message(Caption(72), Caption(73), MessageKind::Information);
    return true;
}

void TFormQuarry::miSaveClick() {
    if (!CommitPage()) return;
    if (filePath_.isEmpty()) return;
    SaveTo(filePath_);
}

void TFormQuarry::miSaveAsClick() {
    if (!CommitPage()) return;
    FileDialogRequest r;
    r.title = Caption(70);
    r.folder = FromBytes(settings_.WordListPath());
    if (r.folder.isEmpty()) r.folder = ListsFolder();
    r.fileName = filePath_.isEmpty() ? QString() : QFileInfo(filePath_).fileName();
    r.filter = Caption(71) + QStringLiteral(" (*.qrw)");
    r.defaultSuffix = QStringLiteral("qrw");
    r.save = true;
    const QString path = dialogs_.ChooseFile(r);
    if (path.isEmpty()) return;
    // The list takes the new name only once it is saved under it.
    if (!SaveTo(path)) return;
    settings_.SetWordListPath(QFileInfo(path).absolutePath().toStdString() + "/");
    RefreshCaption();
}

void TFormQuarry::closeEvent(QCloseEvent* event) {
    CommitPage();
    if (list_.Modified() &&
        dialogs_.Confirm(Caption(str::kCloseEditor), Caption(12),
                         TDlgConfirm::kYes | TDlgConfirm::kNo) != TDlgConfirm::kResultYes) {
        event->ignore();
        return;
    }
    help_->close();
    event->accept();
}

void TFormQuarry::RefreshCaption() {
    if (filePath_.isEmpty())
        setWindowTitle(Caption(4));
    else
        setWindowTitle(QStringLiteral("QUARRY - ") + ToDisplay(list_.Title()) +
                       QStringLiteral(": ") + QFileInfo(filePath_).fileName());
}

void TFormQuarry::UpdateMenuStates() {
    miNew->setEnabled(!(list_.IsUntouched() && page_ > kWelcome));
    // Like Open, an import starts from any page, the welcome page too.
    miImport->setEnabled(true);
    miSave->setEnabled(!filePath_.isEmpty() && list_.Modified());
    miSaveAs->setEnabled(!list_.IsUntouched());
    miOptSort->setEnabled(lbxWordlist->count() > 0);
    miEditGroupNames->setEnabled(page_ == kVocab || page_ == kAnagrams);
}

// --- working language, help, About ------------------------------------------------------------

void TFormQuarry::ChooseWorkingLanguage(int index) {
    if (index == workLang_ || index < 0 || size_t(index) >= languages_.size()) return;
    languageChanging_ = true;
    const bool hadFocus = workLang_ >= 0 && size_t(workLang_) < langButtons_.size() &&
                          langButtons_[size_t(workLang_)]->hasFocus();
    for (size_t i = 0; i < langActions_.size(); ++i) {
        langActions_[i]->setChecked(int(i) == index);
        langButtons_[i]->setChecked(int(i) == index);
    }
    if (hadFocus) langButtons_[size_t(index)]->setFocus();
    try {
        SetWorkingLanguage(index);
        settings_.SetWorkingLanguage(languages_[size_t(index)].name);
    } catch (const std::exception& e) {
        dialogs_.Message(Caption(str::kError), QString::fromUtf8(e.what()), MessageKind::Error);
    }
    languageChanging_ = false;
}

void TFormQuarry::SetWorkingLanguage(int index) {
    const TWorkLangUI& lang = languages_[size_t(index)];
    Polyglot().Load(lang.stringFile);
    workLang_ = index;
    helpFile_ = QString::fromStdString(HelpFileFor(lang, helpFolder_));
    ApplyCaptions();
    if (help_) help_->ApplyCaptions();
    FillStandardLanguages();
    RefreshCaption();
    list_.SetNameLanguage(Polyglot().GetString(0));
    ShowPage(page_);
}

void TFormQuarry::miTopicsClick() {
    help_->ShowTopic(helpFile_, 0);
}

void TFormQuarry::miPageHelpClick() {
    help_->ShowTopic(helpFile_, helpContext_);
}

void TFormQuarry::miAboutClick() {
    TDlgAbout about(this);
    about.exec();
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editor's main window: a wizard over the one word list being edited. Each page
// shows its part of the list when entered (ShowPage) and writes its controls back when
// left (CommitPage); a page whose commit fails keeps the window where it is. Around the
// wizard: the menus, opening and saving files, the working language, help and About.
//
// The word-entry pages (6 and 7), the group-name, level and translation dialogs are
// built on the places this window keeps for them (the word-entry area, the menu items).
#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "editor/editor_settings.h"
#include "editor/working_languages.h"
#include "platform/folders.h"
#include "wordlist/word_list.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTableWidget;
class QVBoxLayout;

namespace qr {

class EditorDialogs;
class THelpWindow;
class TPX8Library;
class TPX8Font;
class TIconPreview;

class TFormQuarry : public QMainWindow {
    Q_OBJECT
  public:
    enum Page { kWelcome, kTypeTitle, kCreator, kComments, kLanguages, kIcons, kVocab, kAnagrams };
    static constexpr int kPageCount = 8;

    // Builds the window (the start-up steps of the main window); throws UvoException or
    // std::exception when it cannot, and the caller reports the start-up problem.
    TFormQuarry(const TFolders& folders, EditorDialogs& dialogs, QWidget* parent = nullptr);
    // Writes the settings the editor keeps between sessions.
    ~TFormQuarry() override;

    // --- the wizard ---------------------------------------------------------------------
    void ShowPage(int page);
    bool CommitPage();
    void cmdNextClick();
    void cmdPrevClick();

    // --- files --------------------------------------------------------------------------
    void miNewClick();
    void miOpenClick();
    // Brings in a KDE vocabulary file (KVTML) or a spreadsheet (CSV) as a new, unsaved list.
    void miImportClick();
    void miSaveClick();
    void miSaveAsClick();
    // Opens a file named outside the open dialog (command line, a second copy).
    void OpenPath(const QString& path);
    // A file handed over by a second copy: opened once no modal dialog is open, so that
    // no dialog ever finds another list under it than the one it was opened for.
    void HandOver(const QString& path);
    bool HandOverPending() const { return !pendingHandOver_.isEmpty(); }

    // --- working language, help -----------------------------------------------------------
    void ChooseWorkingLanguage(int index);
    void miTopicsClick();
    void miPageHelpClick();
    void miAboutClick();

    // Refreshes the enabled states of the menu items as opening the menu does.
    void UpdateMenuStates();

    // --- the word-entry pages (word_entry.cpp) ---------------------------------------------
    void cmdAddClick();
    void cmdUpdateClick();
    void cmdDeleteClick();
    void lbxWordlistClick();
    void cbxGroupClick(int index);
    void SortWordBox(bool byGroups);
    // Enter in the entry group, the clue or the grid.
    void EnterPressed();
    // The word each entry of the word box stands for, in box order.
    std::vector<int> WordBoxIndexes() const;

    // --- the dialogs (word_entry.cpp) -----------------------------------------------------
    void miEditGroupNamesClick();
    void miEditLevelsClick();
    void miTranslateClick();

    // --- state, for the program and its tests --------------------------------------------
    TQRWordList& List() { return list_; }
    int PageIndex() const { return page_; }
    bool SecondarySelection() const { return secondary_; }
    const QString& FilePath() const { return filePath_; }
    int HelpContext() const { return helpContext_; }
    QString HelpFile() const;
    const std::vector<TWorkLangUI>& WorkingLanguages() const { return languages_; }
    int WorkingLanguageIndex() const { return workLang_; }
    THelpWindow* HelpWindow() const { return help_; }
    static QString TitleCase(const QString& name);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // Construction (wizard_pages.cpp).
    void BuildPages();
    void BuildMenus();
    QWidget* BuildWelcomePage();
    QWidget* BuildTypeTitlePage();
    QWidget* BuildCreatorPage();
    QWidget* BuildCommentsPage();
    QWidget* BuildLanguagesPage();
    QWidget* BuildIconsPage();
    QWidget* BuildWordEntryArea();
    void ApplyCaptions();
    void RebuildLanguageButtons();
    void FillStandardLanguages();

    // Pages and their rules.
    void ShowLanguagesPage();
    bool CommitLanguagesPage();
    bool CommitIconsPage();
    // Texts the game cannot show or the file cannot hold are refused with a message.
    bool RefuseUntypable(const std::vector<QString>& texts);
    bool RefuseTakenLanguage(const QString& name);
    void rbListTypeClick(int type);
    void cmdAddLangClick();
    void cmdModifyLangClick();
    void cmdDeleteLangClick();
    void RenameLanguage(const std::string& from, const std::string& to);
    void UpdateLanguageButtons();
    void txtIconLibChange();
    void cmdBrowseImgLibClick();
    void CheckFit(QLineEdit* edit, QLabel* warning, int limit);
    void CheckDescription();
    void SetWorkingLanguage(int index);
    void ClearLanguageSelections();
    void LoadFile(const QString& path);
    bool CheckPassword();
    bool SaveTo(const QString& path);
    // What was on disk when the open file was read or last written here.
    struct FileStamp {
        qint64 size = -1;
        qint64 modified = 0; // ms since the epoch
        uint32_t checksum = 0;
        bool operator==(const FileStamp&) const = default;
    };
    static std::optional<FileStamp> StampOf(const QString& path);
    static std::optional<std::string> TextTooLong(const TQRWordList& list);
    // Asks before saving over a file someone else changed; false when this save stops.
    bool MaySaveOver(const QString& path);
    void ForgetFile();
    void TryHandOver();
    void RefreshCaption();
    bool AskDiscardChanges();
    QStringList MoreLanguageNames() const;
    QString ListsFolder() const;
    // Word entry (word_entry.cpp).
    void ShowWordEntryPage();
    void UpdateEntryStates();
    void txtPrimaryChange();
    void txtClueChange();
    void gridSecondaryChanged(int row, int column);
    void StoreGridTranslations(size_t word);
    void FinishGridEdit();
    bool GridNext(bool enter);
    void FillGroupBox();
    void ShowIcon();
    int SelectedWord() const;
    // Width of a stored text in the game's font, for the dialogs' fit checks.
    std::function<int(std::string_view)> GameTextWidth() const;
    QString TypedWord() const;
    bool eventFilter(QObject* watched, QEvent* event) override;

    TFolders folders_;
    EditorDialogs& dialogs_;
    TEditorSettings settings_;
    TQRWordList list_;
    QString filePath_;
    std::optional<FileStamp> stamp_;
    // Counts the lists the window has held; a dialog writes back only into its own.
    unsigned listSerial_ = 0;
    QString pendingHandOver_;
    int page_ = 0;
    bool secondary_ = false;
    int helpContext_ = 1000;
    std::vector<TWorkLangUI> languages_;
    int workLang_ = -1;
    bool languageChanging_ = false;
    bool extendedSelect_ = false;
    QString helpFile_;
    std::string helpFolder_;
    std::unique_ptr<TPX8Library> fontLibrary_;
    std::unique_ptr<TPX8Font> font_;
    THelpWindow* help_ = nullptr;

    // Controls, named as the rules name them.
    QStackedWidget* nbkWizard = nullptr;
    QPushButton *cmdPrev = nullptr, *cmdNext = nullptr, *cmdClose = nullptr;
    // Page 0
    QLabel *lblWelcome = nullptr, *lblWorkLangPrompt = nullptr;
    QVBoxLayout* langButtonsLayout_ = nullptr;
    QWidget* langButtonsBox_ = nullptr;
    std::vector<QRadioButton*> langButtons_;
    // Page 1
    QLabel *lblTypePrompt = nullptr, *lblTitlePrompt = nullptr, *lblTitleLongWarning = nullptr;
    QRadioButton *rbQuiz = nullptr, *rbAnagrams = nullptr, *rbVocab = nullptr;
    QButtonGroup* typeGroup_ = nullptr;
    QLineEdit* txtTitle = nullptr;
    // Page 2
    QLabel *lblHandlePrompt = nullptr, *lblHandleLongWarning = nullptr, *lblAuthorPrompt = nullptr,
           *lblPasswordPrompt = nullptr, *lblMajVerPrompt = nullptr, *lblMinVerPrompt = nullptr;
    QLineEdit *txtHandle = nullptr, *txtPassword = nullptr, *txtMajVersion = nullptr,
              *txtMinVersion = nullptr, *txtSpecialSignature = nullptr;
    QPlainTextEdit* txtAuthor = nullptr;
    // Page 3
    QLabel *lblDescribePrompt = nullptr, *lblDescLongWarning = nullptr,
           *lblCommentsPrompt = nullptr;
    QPlainTextEdit *txtDesc = nullptr, *txtComments = nullptr;
    // Page 4
    QLabel* lblLanguagesPrompt = nullptr;
    QListWidget *lbxLanguages = nullptr, *lbxMoreLang = nullptr;
    QGroupBox* gbMoreLang = nullptr;
    QPushButton *cmdAddLang = nullptr, *cmdModifyLang = nullptr, *cmdDeleteLang = nullptr;
    // Page 5
    QCheckBox* chkIconClues = nullptr;
    QLabel *lblIconLibPrompt = nullptr, *lblIconsInLibrary = nullptr;
    QLineEdit* txtIconLib = nullptr;
    QPushButton* cmdBrowseImgLib = nullptr;
    // Pages 6 and 7: the word-entry area beside the notebook.
    QWidget* wordEntry_ = nullptr;
    QGroupBox* gbPrimary = nullptr;
    QListWidget* lbxWordlist = nullptr;
    QWidget* pnlIcon = nullptr;
    QLabel *lblPrimaryPrompt = nullptr, *lblAnswerLongWarning = nullptr, *lblGroupPrompt = nullptr,
           *lblClueLongWarning = nullptr;
    QLineEdit *txtPrimary = nullptr, *txtClue = nullptr;
    QComboBox* cbxGroup = nullptr;
    QPushButton *cmdAdd = nullptr, *cmdDelete = nullptr, *cmdUpdate = nullptr;
    QTableWidget* gridSecondary = nullptr;
    QGroupBox* gbClue = nullptr;
    TIconPreview* pbxIcon = nullptr;
    QFrame* shIconToggle = nullptr;
    int lastGroup_ = 0;
    // Set while the window fills controls itself, so their change handlers leave the
    // list alone.
    bool filling_ = false;

    // Menus
    QMenu *mnuFile = nullptr, *mnuOptions = nullptr, *mnuGame = nullptr, *mnuHelp = nullptr,
          *miWorkLang = nullptr, *miOptSort = nullptr;
    QAction *miNew = nullptr, *miOpen = nullptr, *miImport = nullptr, *miSave = nullptr,
            *miSaveAs = nullptr, *miExit = nullptr, *miImportAnswers = nullptr,
            *miViewCredits = nullptr, *miSortAlpha = nullptr, *miSortGroups = nullptr,
            *miSortSource = nullptr, *miEditGroupNames = nullptr, *miEditLevels = nullptr,
            *miTranslate = nullptr, *miTopics = nullptr, *miPageHelp = nullptr, *miAbout = nullptr;
    std::vector<QAction*> langActions_;
};

} // namespace qr

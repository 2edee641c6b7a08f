// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The world runs the game: it owns every room the world script declares, the stack of
// rooms to return to, the off-screen work image the current room draws into and the
// game clock. The main window feeds it clock steps, focus changes and the mouse; it
// switches rooms, routes keys, mouse and timers to the current room and hands the
// changed parts of the work image to the screen.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/geometry.h"
#include "foundation/uvo_list.h"
#include "game/world/lives_display.h"
#include "game/world/room.h"
#include "game/world/room_factory.h"
#include "game/world/world_host.h"
#include "graphics/image_data.h"
#include "graphics/image_library.h"
#include "graphics/surface_image.h"

namespace qr {

class TObfText;
class TQRWordList;
class THighScoreMan;

// A language the player chose: its number 0-22 (255: known only by its name) and name.
struct TWorldLanguage {
    std::string name;
    uint8_t number = 255;
    friend bool operator==(const TWorldLanguage&, const TWorldLanguage&) = default;
};

// An entry of the stack of rooms to return to; in a stream, its tag and the room's ID.
class TRoomStackNode : public TUvoNode {
  public:
    static constexpr uint8_t kTag = 12;
    explicit TRoomStackNode(TRoom* room) : room_(room) { SetTag(kTag); }
    TRoom* Room() const { return room_; }
    void SaveToStream(TStream& stream) const override;

  private:
    TRoom* room_;
};

class TRoomStack : public TUvoList {
  public:
    static constexpr int kCapacity = 10;
    explicit TRoomStack(TWorld& world) : world_(world) {}
    // Drops the oldest entry beyond the capacity.
    void Push(TRoom* room);
    // Null when empty.
    TRoom* Pop();

  protected:
    std::unique_ptr<TUvoNode> RecreateNode(uint8_t tag, TStream& stream) override;

  private:
    TWorld& world_;
};

class TWorld {
  public:
    enum : uint16_t {
        kQuit = 0x0001,
        kBusy = 0x0002,
        kCursorRefresh = 0x0004,
        kFocusRegained = 0x0008,
        kLeavingMarked = 0x0010,
        kIdle = 0x0020,
        kShiftDown = 0x0040,
        kCtrlDown = 0x0080,
        kDeleteDown = 0x0100,
        kLargeFrame = 0x0200,
        kTellLiving = 0x0400,
        kActive = 0x0800,
        kEscapeDown = 0x1000,
        kCloseRequest = 0x2000,
    };
    static constexpr int32_t kFrameWidth = 600, kFrameHeight = 400;
    static constexpr int32_t kLargeFrameWidth = 602, kLargeFrameHeight = 402;

    // The library is the game image library (not owned); it must outlive the world.
    TWorld(TWorldHost& host, TPX8Library& library);
    ~TWorld();
    TWorld(const TWorld&) = delete;
    TWorld& operator=(const TWorld&) = delete;

    // Reads the world script from the lines given, making rooms with the factory's
    // classes, remembers the state file and loads it.
    void Init(TObfText& script, const TRoomFactory& rooms, const std::string& stateFile);
    // Goes to the start room ("INTRO" starts at "MGTEXT" with "DARK" to return to).
    void Start();
    void GoRoom(const std::string& id);
    void Return();
    void PushRoom(const std::string& id);
    TRoom* FindRoom(std::string_view id) const;
    TRoom* AddRoom(std::unique_ptr<TRoom> room);

    void Tick(uint32_t steps);
    void SetFocus(bool active);
    void MouseDown(int button, int shift, int32_t x, int32_t y);
    void MouseMove(int32_t x, int32_t y);
    void MouseUp(int32_t x, int32_t y);
    // Typed text (the game's bytes) and the keys that edit it (kVkBack, kVkReturn,
    // kVkEscape, kVkLeft, kVkRight) go to the current room.
    void TextInput(const std::string& text);
    void KeyPress(int virtualKey);
    // The paint box must show this area again.
    void Paint(TRect area);
    void SetBusy(bool on);
    bool ConfirmQuit(const std::string& text);
    // The player's own quit question (the close button's, in the working language) with
    // Yes and No; Yes sets the quit flag. Returns whether Yes.
    bool AskQuitGame();
    void SetCaption(const std::string& title);
    void SetDefaultCursor(int n) { defaultCursor_ = int16_t(n); }
    // Stores the word list's path and refreshes the caption.
    void SetWordListPath(const std::string& path);
    // Frees the loaded list and, with a path, loads that one: its names in the working
    // language, its own texts (title, description, level names) in it too when the list
    // has them translated, the clue and answer languages checked against it. An empty
    // path only frees. A list that cannot be read is reported, in the working language
    // and with its file name, and none is loaded; false then.
    bool LoadWordList(const std::string& path);
    // The message for a list that cannot be loaded (`list` holds the failure).
    static std::string LoadFailureMessage(const std::string& path, const TQRWordList& list);
    // After the string table changed: the loaded list's language names and texts and the
    // clue and answer languages follow the new interface language, then are checked
    // against the list.
    void RenameLanguages();
    const TQRWordList* WordList() const { return wordList_.get(); }
    TQRWordList* WordList() { return wordList_.get(); }
    // The game in progress: its score so far and the player's lives between levels.
    int32_t RunningScore() const { return runningScore_; }
    void SetRunningScore(int32_t score) { runningScore_ = score; }
    TLivesDisplay& Lives() { return lives_; }
    const TLivesDisplay& Lives() const { return lives_; }
    // A new game on the loaded list, as the start room's play button begins one: score 0,
    // five fresh lives, the list's words all unused again, the music stopped, every room
    // told (the play room starts over at the first level), then the play room.
    void StartNewGame();
    // Runs after a list was loaded (the high-score table follows the new settings).
    void SetOnWordListLoaded(std::function<void()> f) { onWordListLoaded_ = std::move(f); }
    // The player's settings (handed over at start-up, written back at shut-down).
    const std::string& Initials() const { return initials_; }
    // Keeps the first three characters; "---" when empty.
    void SetInitials(std::string_view s);
    bool UseIcons() const { return useIcons_; }
    void SetUseIcons(bool on) {
        useIcons_ = on;
        SelectHighScoreTable();
    }
    // Speed values 1-3 (each 20..900) and the chosen setting (1..3); out-of-range values are
    // clamped.
    int32_t SpeedValue(int setting) const { return speeds_[size_t(std::clamp(setting, 1, 3) - 1)]; }
    void SetSpeedValue(int setting, int32_t value);
    int32_t SpeedSetting() const { return speedSetting_; }
    void SetSpeedSetting(int32_t s) {
        speedSetting_ = std::clamp<int32_t>(s, 1, 3);
        SelectHighScoreTable();
    }
    uint8_t SavedLevel() const { return savedLevel_; }
    TWorldLanguage ClueLanguage() const { return clue_; }
    TWorldLanguage AnswerLanguage() const { return answer_; }
    void SetLanguages(const TWorldLanguage& clue, const TWorldLanguage& answer) {
        clue_ = clue;
        answer_ = answer;
        SelectHighScoreTable();
    }
    // What the language room lets the player pick next: 0 the interface language, 1 the
    // clue language, 2 the answer language. The room that leads there sets it first.
    int LanguageChoiceMode() const { return languageChoiceMode_; }
    void SetLanguageChoiceMode(int mode) { languageChoiceMode_ = std::clamp(mode, 0, 2); }
    // The high-score tables, owned from start-up to shut-down. The selected table follows
    // the word list, the languages, the icon use and the speed.
    void SetHighScores(std::unique_ptr<THighScoreMan> scores);
    THighScoreMan* HighScores() const { return highScores_.get(); }
    void LoadState();
    void SaveState();
    static std::string SaveGameFileName(char c) { return std::string("QR_sg") + c + ".dat"; }

    // Image and animal scans: pictures of the libraries and the animal files found.
    struct ImageInfo {
        std::string name;
        int32_t width = 0;
        int32_t height = 0;
    };
    struct LibraryImages {
        std::string library; // file name
        std::vector<ImageInfo> images;
    };
    void ScanImages(const std::vector<LibraryImages>& libraries);
    void ScanAnimals(const std::vector<std::string>& animalFiles);
    // Whether an animal may be chosen on this machine (decided by its file).
    void SetAnimalFilter(std::function<bool(const std::string& file)> usable) {
        animalUsable_ = std::move(usable);
    }

    TWorldHost& Host() const { return host_; }
    TPX8Library& Library() const { return library_; }
    // The one picture every room draws into; its damage is what reaches the screen.
    TPX8ImageData* WorkImage() const { return work_ ? &work_->Surface() : nullptr; }
    TRoom* CurrentRoom() const { return current_; }
    uint32_t Clock() const { return clock_; }
    int DefaultCursor() const { return defaultCursor_; }
    uint16_t Flags() const { return flags_; }
    bool HasFlag(uint16_t f) const { return (flags_ & f) != 0; }
    void SetFlag(uint16_t f) { flags_ |= f; }
    void ClearFlag(uint16_t f) { flags_ &= uint16_t(~f); }
    const std::string& StartRoomID() const { return startRoom_; }
    void SetStartRoomID(std::string_view id);
    int32_t FrameWidth() const { return frameW_; }
    int32_t FrameHeight() const { return frameH_; }
    const TUvoList& Rooms() const { return rooms_; }
    TRoomStack& RoomStack() { return stack_; }
    THitBox* CapturedBox() const { return captured_; }
    TUvoList& PendingList() { return pending_; }
    const std::string& WordListPath() const { return wordListPath_; }
    const std::string& Caption() const { return caption_; }
    // The cursor last set on the paint box.
    int PaintBoxCursor() const { return paintBoxCursor_; }
    // Opens an auxiliary picture library by name (a room's own, not the game's).
    using LibraryOpener = std::function<std::unique_ptr<TPX8Library>(const std::string& name)>;
    void SetLibraryOpener(LibraryOpener opener) { openLibrary_ = std::move(opener); }
    std::unique_ptr<TPX8Library> OpenLibrary(const std::string& name) const;
    // Where saved-game files live (ends in a separator, or empty for the working folder).
    void SetSaveFolder(std::string folder) { saveFolder_ = std::move(folder); }
    const std::string& SaveFolder() const { return saveFolder_; }
    void SetProcessorType(int t) { processorType_ = t; }

    // Scan results and the choices a room switch makes.
    const std::vector<std::string>& CardList() const { return cards_; }
    const std::vector<std::string>& BackgroundList() const { return backgrounds_; }
    const std::vector<std::string>& AnimalList() const { return animals_; }
    int CardTotal() const { return cardTotal_; }
    int ChosenCard() const { return chosenCard_; }
    int ChosenBackground() const { return chosenBackground_; }
    int ChosenAnimal() const { return chosenAnimal_; }

  private:
    void SwitchFrame(bool large);
    void CopyToScreen();
    void UpdateCursorAt(int32_t x, int32_t y, THitBox* box);
    void SetPaintBoxCursor(int n);
    void ChooseCardAndBackground();
    void ChooseAnimal();
    void RunRoomScript(const std::string& name, const std::string& argument);
    void GoRoomStages(const std::string& id);
    void SelectHighScoreTable();
    void FitLanguagesToList();
    void ShowListTextsInWorkingLanguage();

    TWorldHost& host_;
    TPX8Library& library_;
    std::unique_ptr<TSurfaceImage> work_;
    TRoom* current_ = nullptr;
    uint32_t clock_ = 0;
    TUvoList pending_;
    TIDList rooms_;
    TRoomStack stack_;
    std::string startRoom_;
    THitBox* captured_ = nullptr;
    int16_t defaultCursor_ = 0;
    std::string stateFile_;
    std::string wordListPath_;
    uint16_t flags_ = 0;
    int32_t frameW_ = kFrameWidth;
    int32_t frameH_ = kFrameHeight;
    bool inTick_ = false;
    int paintBoxCursor_ = 0;
    std::string caption_;
    LibraryOpener openLibrary_;
    std::string saveFolder_;
    int processorType_ = 586;

    std::unique_ptr<TQRWordList> wordList_;
    // The list's title as its file gives it: its high-score tables keep this name in
    // every interface language.
    std::string scoreTitle_;
    std::unique_ptr<THighScoreMan> highScores_;
    std::function<void()> onWordListLoaded_;
    TWorldLanguage clue_, answer_;
    int32_t runningScore_ = 0;
    TLivesDisplay lives_;
    std::string initials_ = "---";
    bool useIcons_ = true;
    int32_t speeds_[3] = {200, 120, 75};
    int32_t speedSetting_ = 2;
    uint8_t savedLevel_ = 0;
    int languageChoiceMode_ = 0;
    std::vector<std::string> cards_;
    std::vector<int> cardCounts_;
    int cardTotal_ = 0;
    std::vector<std::string> backgrounds_;
    std::vector<std::string> animals_;
    std::function<bool(const std::string&)> animalUsable_;
    int chosenCard_ = -1;
    int chosenBackground_ = -1;
    int chosenAnimal_ = -1;
};

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/world/world.h"

#include <filesystem>

#include "foundation/obf_text.h"
#include "foundation/polyglot.h"
#include "foundation/random.h"
#include "foundation/text_codec.h"
#include "foundation/utils.h"
#include "game/gameplay/high_score_man.h"
#include "game/world/disk_ops_room.h"
#include "game/world/qr_exception.h"
#include "game/world/world_script.h"
#include "wordlist/word_list.h"

namespace qr {

// ---- room stack

void TRoomStackNode::SaveToStream(TStream& stream) const {
    TUvoNode::SaveToStream(stream);
    stream.WriteShortString(room_ ? room_->GetID() : std::string());
}

void TRoomStack::Push(TRoom* room) {
    Append(std::make_unique<TRoomStackNode>(room));
    while (Count() > kCapacity)
        RemoveFirst();
}

TRoom* TRoomStack::Pop() {
    // Entries whose room could not be found when the stack was loaded are dropped.
    while (auto node = RemoveLast()) {
        if (TRoom* room = static_cast<TRoomStackNode*>(node.get())->Room()) return room;
    }
    return nullptr;
}

std::unique_ptr<TUvoNode> TRoomStack::RecreateNode(uint8_t tag, TStream& stream) {
    if (tag != TRoomStackNode::kTag) return TUvoList::RecreateNode(tag, stream);
    return std::make_unique<TRoomStackNode>(world_.FindRoom(stream.ReadShortString()));
}

// ---- world

namespace {

// Clears a flag when the scope ends, however it ends.
class TickGuard {
  public:
    explicit TickGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~TickGuard() { flag_ = false; }

  private:
    bool& flag_;
};

// A random index below n that differs from the previous one whenever it can.
int ChooseOther(int n, int previous) {
    if (n <= 0) return -1;
    if (n == 1) return 0;
    int pick;
    do
        pick = int(GameRandom().Random(uint32_t(n)));
    while (pick == previous);
    return pick;
}

} // namespace

TWorld::TWorld(TWorldHost& host, TPX8Library& library)
    : host_(host), library_(library),
      work_(std::make_unique<TSurfaceImage>("work", kFrameWidth, kFrameHeight)), stack_(*this) {
    RegisterWorldStrings();
}

TWorld::~TWorld() {
    // Nothing may escape a destructor; a failing room must not stop the others' cleanup.
    try {
        if (current_) {
            current_->ClearTimers();
            TRoom* leaving = current_;
            current_ = nullptr;
            leaving->Leave();
        }
    } catch (const std::exception&) {
    }
    highScores_.reset(); // saves the tables
    try {
        SaveState();
    } catch (const std::exception&) {
    }
    stack_.Clear();
    rooms_.Clear();
    wordList_.reset();
}

void TWorld::Init(TObfText& script, const TRoomFactory& rooms, const std::string& stateFile) {
    ReadWorldScript(*this, rooms, script);
    stateFile_ = stateFile;
    LoadState();
    chosenCard_ = chosenBackground_ = chosenAnimal_ = -1;
}

void TWorld::SetStartRoomID(std::string_view id) {
    startRoom_ = AsciiUpper(id);
}

void TWorld::Start() {
    if (startRoom_ == "INTRO") {
        PushRoom("DARK");
        GoRoom("MGTEXT");
    } else {
        GoRoom(startRoom_);
    }
}

TRoom* TWorld::FindRoom(std::string_view id) const {
    return static_cast<TRoom*>(rooms_.FindByID(id));
}

TRoom* TWorld::AddRoom(std::unique_ptr<TRoom> room) {
    return rooms_.Append(std::move(room));
}

void TWorld::PushRoom(const std::string& id) {
    if (TRoom* room = FindRoom(id)) stack_.Push(room);
}

void TWorld::GoRoom(const std::string& id) {
    try {
        GoRoomStages(id);
    } catch (const UvoException& e) {
        // Input must not stay locked out after a failed switch.
        SetBusy(false);
        ConfirmQuit(e.what());
    } catch (...) {
        SetBusy(false);
        host_.ShowMessage("GoRoom: exception F caught");
        throw;
    }
}

void TWorld::GoRoomStages(const std::string& id) {
    if (current_) current_->ClearTimers();
    SetBusy(true);

    // Stage A: the lookup.
    TRoom* room = nullptr;
    int step = 0;
    try {
        room = FindRoom(id);
        step = 1;
        if (!room) RaiseResString(kStrNilPointer);
        host_.LetMessagesRun();
        step = 5;
    } catch (...) {
        host_.ShowMessage(FormatMessage("GoRoom: exception A%d caught", {std::to_string(step)}));
        throw;
    }

    // Stage B: leaving the old room.
    TRoom* leaving = current_;
    std::string previousId;
    try {
        if (current_) {
            captured_ = nullptr;
            current_->Leave();
            stack_.Push(current_);
            previousId = current_->GetID();
        }
    } catch (...) {
        host_.ShowMessage("GoRoom: exception B caught");
    }

    // Stage C: the new room's choices and entry.
    try {
        if (leaving && leaving->HasFlag(TRoom::kFlagMarksLeave)) SetFlag(kLeavingMarked);
        ChooseCardAndBackground();
        ChooseAnimal();
        room->Enter(previousId);
    } catch (const UvoException& e) {
        if (ConfirmQuit(e.what())) {
            SetBusy(false);
            return;
        }
    } catch (...) {
        host_.ShowMessage("GoRoom: exception C caught");
        throw;
    }

    bool large = room->HasFlag(TRoom::kFlagLargeFrame);
    if (large != HasFlag(kLargeFrame)) SwitchFrame(large);

    // Stage D: drawing and the cursor under the mouse.
    try {
        room->Draw(WorkImage());
        TPoint m = host_.MousePos();
        THitBox* box = room->HitBoxes().FindAt(m.X, m.Y);
        SetPaintBoxCursor(box ? box->GetCursor(*this, m.X, m.Y) : defaultCursor_);
    } catch (const UvoException& e) {
        if (ConfirmQuit(e.what())) {
            SetBusy(false);
            return;
        }
    } catch (...) {
        host_.ShowMessage("GoRoom: exception D caught");
        throw;
    }

    // Stage E: the room becomes current.
    try {
        current_ = room;
        host_.RoomEntered(previousId, room->GetID());
        SetCaption(room->GetTitle());
        ClearFlag(kLeavingMarked);
        pending_.Clear();
    } catch (...) {
        host_.ShowMessage("GoRoom: exception E caught");
    }
    SetBusy(false);
}

void TWorld::SwitchFrame(bool large) {
    frameW_ = large ? kLargeFrameWidth : kFrameWidth;
    frameH_ = large ? kLargeFrameHeight : kFrameHeight;
    if (large)
        SetFlag(kLargeFrame);
    else
        ClearFlag(kLargeFrame);
    work_ = std::make_unique<TSurfaceImage>("work", frameW_, frameH_);
}

void TWorld::ChooseCardAndBackground() {
    chosenCard_ = ChooseOther(cardTotal_, chosenCard_);
    chosenBackground_ = ChooseOther(int(backgrounds_.size()), chosenBackground_);
}

void TWorld::ChooseAnimal() {
    std::vector<int> usable;
    for (size_t i = 0; i < animals_.size(); ++i)
        if (processorType_ / 100 >= 5 || !animalUsable_ || animalUsable_(animals_[i]))
            usable.push_back(int(i));
    if (usable.empty()) {
        chosenAnimal_ = -1;
        return;
    }
    int previousPos = -1;
    for (size_t k = 0; k < usable.size(); ++k)
        if (usable[k] == chosenAnimal_) previousPos = int(k);
    chosenAnimal_ = usable[size_t(ChooseOther(int(usable.size()), previousPos))];
}

void TWorld::StartNewGame() {
    runningScore_ = 0;
    lives_.Reset();
    // Initials typed from now on are this game's player's, not those of whoever made the
    // table's last entry.
    if (highScores_) highScores_->ForgetLastPlace();
    if (wordList_) wordList_->ClearUsedMarks();
    host_.StopMusic();
    for (TRoom* room : rooms_.Nodes<TRoom>())
        room->NewGame();
    GoRoom("PLAY");
}

void TWorld::Return() {
    TRoom* was = current_;
    TRoom* back = stack_.Pop();
    if (!back) return;
    GoRoom(back->GetID());
    if (current_ == was)
        stack_.Push(back);
    else
        stack_.Pop(); // the entry this switch pushed for the room just left
}

void TWorld::RunRoomScript(const std::string& name, const std::string& argument) {
    current_->RunScript(name, argument);
}

void TWorld::Tick(uint32_t steps) {
    if (inTick_) return;
    TickGuard guard(inTick_);

    auto track = [&](int vk, uint16_t flag) {
        bool down = host_.KeyDown(vk);
        bool changed = down != HasFlag(flag);
        if (down)
            SetFlag(flag);
        else
            ClearFlag(flag);
        return changed;
    };
    bool shiftChanged = track(kVkShift, kShiftDown);
    bool ctrlChanged = track(kVkControl, kCtrlDown);
    bool deleteChanged = track(kVkDelete, kDeleteDown);
    bool escapeChanged = track(kVkEscape, kEscapeDown);

    if (HasFlag(kCursorRefresh)) {
        ClearFlag(kCursorRefresh);
        TPoint m = host_.MousePos();
        MouseMove(m.X, m.Y);
    }
    if (HasFlag(kIdle) && HasFlag(kFocusRegained)) {
        WorkImage()->InvalidateAll();
        ClearFlag(kFocusRegained);
    }
    if (current_) {
        std::string keys;
        keys += HasFlag(kShiftDown) ? 'S' : 's';
        keys += HasFlag(kCtrlDown) ? 'C' : 'c';
        if ((shiftChanged || ctrlChanged) && current_->HasFlag(TRoom::kFlagShift))
            RunRoomScript("SHIFT", keys);
        if (current_ && deleteChanged && HasFlag(kDeleteDown) &&
            current_->HasFlag(TRoom::kFlagDelete))
            RunRoomScript("DELETE", keys);
        if (current_ && escapeChanged && current_->HasFlag(TRoom::kFlagEscape))
            RunRoomScript("ESCAPE", "");
        if (current_ && HasFlag(kCloseRequest)) {
            ClearFlag(kCloseRequest);
            RunRoomScript("CLOSEREQUEST", "");
        }
        if (captured_) captured_->Hold(*this, clock_);
        if (current_) current_->FireDueTimers(clock_);
        ClearFlag(kIdle);
    } else if (HasFlag(kCloseRequest)) {
        ClearFlag(kCloseRequest);
        SetFlag(kQuit);
    }
    if (WorkImage()->HasDamage()) CopyToScreen();
    clock_ += steps;
}

void TWorld::SetFocus(bool active) {
    if (active == HasFlag(kActive)) return;
    if (active) SetFlag(kFocusRegained);
    if (active)
        SetFlag(kActive);
    else
        ClearFlag(kActive);
    if (current_) RunRoomScript("FOCUS", active ? "T" : "F");
}

void TWorld::SetPaintBoxCursor(int n) {
    paintBoxCursor_ = n;
    if (!HasFlag(kBusy)) host_.SetCursor(n);
}

void TWorld::UpdateCursorAt(int32_t x, int32_t y, THitBox* box) {
    SetPaintBoxCursor(box ? box->GetCursor(*this, x, y) : defaultCursor_);
}

void TWorld::MouseDown(int button, int shift, int32_t x, int32_t y) {
    if (HasFlag(kBusy) || !current_) return;
    THitBox* box = current_->HitBoxes().FindAt(x, y);
    if (!box) return;
    SetFlag(kCursorRefresh);
    if (box->RawMouse()) {
        TRoom* room = current_;
        // A press that switched rooms must not leave the old room's box holding the mouse.
        if (box->MouseDown(*this, button, shift, x, y) && current_ == room) {
            captured_ = box;
            UpdateCursorAt(x, y, box);
        }
    } else {
        box->Click(*this);
    }
}

void TWorld::MouseMove(int32_t x, int32_t y) {
    if (HasFlag(kBusy)) return;
    if (captured_) {
        THitBox* box = captured_;
        TRoom* room = current_;
        if (!box->MouseDrag(*this, x, y) || current_ != room) captured_ = nullptr;
        if (current_ == room) UpdateCursorAt(x, y, box);
        return;
    }
    TRoom* room = current_;
    THitBox* box = room ? room->HitBoxes().FindAt(x, y) : nullptr;
    if (box && box->Hover() && box->HoverStart(*this, x, y) && current_ == room) captured_ = box;
    if (!HasFlag(kBusy)) UpdateCursorAt(x, y, box);
}

void TWorld::MouseUp(int32_t x, int32_t y) {
    if (!captured_) return;
    THitBox* box = captured_;
    TRoom* room = current_;
    if (!box->MouseUp(*this, x, y) || current_ != room) captured_ = nullptr;
    // After a switch the new room's cursor is already set.
    if (current_ == room) UpdateCursorAt(x, y, box);
}

void TWorld::TextInput(const std::string& text) {
    if (current_ && !text.empty()) current_->TextInput(text);
}

void TWorld::KeyPress(int virtualKey) {
    if (current_) current_->KeyPress(virtualKey);
}

void TWorld::CopyToScreen() {
    bool large = HasFlag(kLargeFrame);
    host_.Present(*WorkImage(), large ? TPoint{0, 0} : TPoint{1, 1}, !large);
    WorkImage()->Damage.Clear();
}

void TWorld::Paint(TRect area) {
    bool large = HasFlag(kLargeFrame);
    TPoint offset = large ? TPoint{0, 0} : TPoint{1, 1};
    area = Intersect(area, {0, 0, kLargeFrameWidth, kLargeFrameHeight});
    WorkImage()->Invalidate(area - offset);
    CopyToScreen();
}

void TWorld::SetBusy(bool on) {
    host_.LetMessagesRun();
    if (on == HasFlag(kBusy)) return;
    if (on) {
        SetFlag(kBusy);
        host_.SetCursor(kCursorHourglass);
    } else {
        ClearFlag(kBusy);
        host_.SetCursor(paintBoxCursor_);
    }
}

bool TWorld::ConfirmQuit(const std::string& text) {
    bool yes = host_.AskYesNo(text + "\n\nQuit game?");
    if (yes) SetFlag(kQuit);
    return yes;
}

bool TWorld::AskQuitGame() {
    const bool yes = host_.Confirm("Quill-Rush", Polyglot().GetString(74), 1 | 2) == 6;
    if (yes) SetFlag(kQuit);
    return yes;
}

void TWorld::SetCaption(const std::string& title) {
    std::string caption = title.empty() ? std::string("Quill-Rush") : title;
    if (!wordListPath_.empty())
        caption += ": " + std::filesystem::path(wordListPath_).filename().string();
    if (caption == caption_) return;
    caption_ = caption;
    host_.SetCaption(caption_);
}

void TWorld::SetInitials(std::string_view s) {
    initials_ = s.empty() ? std::string("---") : std::string(s.substr(0, 3));
}

void TWorld::SetSpeedValue(int setting, int32_t value) {
    if (setting < 1 || setting > 3) return;
    speeds_[setting - 1] = std::clamp<int32_t>(value, 20, 900);
}

bool TWorld::LoadWordList(const std::string& path) {
    SetBusy(true);
    wordList_.reset();
    bool loaded = false;
    if (!path.empty()) {
        auto list = std::make_unique<TQRWordList>();
        if (list->LoadFromFile(path)) {
            list->SetNameLanguage(Polyglot().GetString(0));
            scoreTitle_ = list->Title();
            wordList_ = std::move(list);
            ShowListTextsInWorkingLanguage();
            FitLanguagesToList();
            loaded = true;
        } else {
            SetBusy(false);
            host_.ShowMessage(LoadFailureMessage(path, *list));
            SetBusy(true);
        }
    }
    if (!loaded) scoreTitle_.clear();
    wordListPath_ = loaded ? path : std::string();
    SelectHighScoreTable();
    if (loaded && onWordListLoaded_) onWordListLoaded_();
    SetBusy(false);
    SetCaption(current_ ? current_->GetTitle() : std::string());
    return loaded;
}

std::string TWorld::LoadFailureMessage(const std::string& path, const TQRWordList& list) {
    const int reason = LoadFaultString(list.LastFault());
    const std::string file = FromUtf8(std::filesystem::path(path).filename().string());
    return FormatMessage(Polyglot().GetString(144), {file}) + "\n" + Polyglot().GetString(reason);
}

// A list may carry its title, description and level names in further languages; when
// the player's is among them, those are the ones every room shows. The texts only change
// places, so another language later (English again, say) finds its own still there.
void TWorld::ShowListTextsInWorkingLanguage() {
    if (!wordList_) return;
    const std::string language = Polyglot().GetString(0);
    if (wordList_->DescriptionCountIn(language) > 0) wordList_->SetTextLanguage(language);
}

void TWorld::FitLanguagesToList() {
    const TQRWordList* list = wordList_.get();
    if (!list || list->ListType() != TListType::Vocabulary) return;
    if (!list->HasLanguage(clue_.number, clue_.name)) {
        clue_.number = uint8_t(list->PrimaryLanguageCode() & 0xFF);
        clue_.name = list->PrimaryLanguage();
    }
    if (!list->HasLanguage(answer_.number, answer_.name)) {
        const auto& more = list->SecondaryLanguages();
        answer_ = more.empty() ? clue_ : TWorldLanguage{more[0].name, more[0].code};
    }
}

void TWorld::RenameLanguages() {
    if (wordList_) wordList_->SetNameLanguage(Polyglot().GetString(0));
    ShowListTextsInWorkingLanguage();
    for (TWorldLanguage* language : {&clue_, &answer_}) {
        if (language->number >= TPolyglot::kLanguageCount) continue;
        const std::string name = Polyglot().LanguageName(language->number);
        if (!name.empty()) language->name = name;
    }
    FitLanguagesToList();
    SelectHighScoreTable();
}

void TWorld::SetHighScores(std::unique_ptr<THighScoreMan> scores) {
    highScores_ = std::move(scores);
    SelectHighScoreTable();
}

void TWorld::SelectHighScoreTable() {
    if (!highScores_) return;
    THighScoreLanguages languages;
    // Icon clues are in use only when the list has them and the player wants them.
    languages.UseIcons = useIcons_ && wordList_ && wordList_->UsesIconClues();
    languages.ClueNumber = clue_.number;
    languages.ClueName = clue_.name;
    languages.AnswerNumber = answer_.number;
    languages.AnswerName = answer_.name;
    qr::SelectHighScoreTable(*highScores_, wordList_.get(), scoreTitle_, languages, speedSetting_);
}

void TWorld::SetWordListPath(const std::string& path) {
    wordListPath_ = path;
    SetCaption(current_ ? current_->GetTitle() : std::string());
}

std::unique_ptr<TPX8Library> TWorld::OpenLibrary(const std::string& name) const {
    return openLibrary_ ? openLibrary_(name) : nullptr;
}

void TWorld::ScanImages(const std::vector<LibraryImages>& libraries) {
    for (const auto& lib : libraries) {
        for (const auto& img : lib.images) {
            std::string lower = AsciiLower(img.name);
            if (lower.rfind("bg", 0) == 0 && img.width == 600 && img.height == 400)
                backgrounds_.push_back(lib.library + '\x01' + img.name);
            if (lower.rfind("cards", 0) == 0 && img.width == 136 && img.height >= 25) {
                int count = (img.height / 25) * 8;
                cards_.push_back(lib.library + '\x01' + img.name);
                cardCounts_.push_back(count);
                cardTotal_ += count;
            }
        }
    }
}

void TWorld::ScanAnimals(const std::vector<std::string>& animalFiles) {
    animals_.insert(animals_.end(), animalFiles.begin(), animalFiles.end());
}

void TWorld::LoadState() {
    if (stateFile_.empty()) return;
    std::error_code ec;
    if (!std::filesystem::exists(stateFile_, ec)) return;
    SetBusy(true);
    try {
        TMemoryStream s(ReadFileBytes(stateFile_));
        if (TDiskOpsRoom::CheckHeader(s, savedLevel_)) {
            for (TRoom* room : rooms_.Nodes<TRoom>())
                if (room->StateLevel() <= savedLevel_) room->LoadState(s);
        }
    } catch (const UvoException&) {
        // A damaged state file is as good as none.
    }
    SetBusy(false);
}

void TWorld::SaveState() {
    if (stateFile_.empty()) return;
    SetBusy(true);
    TMemoryStream s;
    TDiskOpsRoom::WriteHeader(s);
    for (TRoom* room : rooms_.Nodes<TRoom>())
        room->SaveState(s);
    WriteFileAtomic(stateFile_, s.Data().data(), s.Data().size());
    SetBusy(false);
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
// The play room as a room of the world: entering and leaving, the bridge from the world's
// timers, scripts and clicks to the rules, and what the rules ask of the world.
#include "game/gameplay/play_room.h"

#include "foundation/dlg_confirm.h"
#include "foundation/polyglot.h"
#include "foundation/text_codec.h"
#include "game/gameplay/animal.h"
#include "game/world/pictures.h"
#include "game/world/qr_exception.h"
#include "game/world/world.h"
#include "graphics/font.h"
#include "graphics/hot_image.h"
#include "wordlist/word_list.h"

namespace qr {

using namespace play_timer;

namespace {

constexpr int kSoundEnter = 17;

} // namespace

TPlaySprite::TPlaySprite(std::unique_ptr<THotImage> image) : Image(std::move(image)) {}
TPlaySprite::~TPlaySprite() = default;

// What the rules ask of the world, answered by the room.
class TPlayRoom::Host : public TPlayHost {
  public:
    explicit Host(TPlayRoom& room) : room_(room), world_(room.World()) {}

    void AddTimer(uint8_t kind, uint32_t ticks) override { room_.AddTimer(kind, ticks); }
    void ReplaceTimer(uint8_t kind, uint32_t ticks) override { room_.ReplaceTimer(kind, ticks); }
    void RemoveTimer(uint8_t kind) override { room_.RemoveTimer(kind); }
    void ClearTimers() override { room_.ClearTimers(); }
    int32_t TimeLeft(uint8_t kind) const override { return room_.TimeLeft(kind); }

    void PlaySound(int n) override { world_.Host().PlaySound(n); }
    void LoopSound(int n) override { world_.Host().LoopSound(n); }
    void StopSound(int n) override { world_.Host().StopLoops(); }

    TQRWordList& WordList() override {
        TQRWordList* list = world_.WordList();
        return list ? *list : noList_;
    }
    TPlaySettings Settings() const override {
        TPlaySettings s;
        s.clueLanguage = world_.ClueLanguage().name;
        s.answerLanguage = world_.AnswerLanguage().name;
        s.speed = world_.SpeedSetting();
        s.releaseDelay = world_.SpeedValue(s.speed);
        const TQRWordList* list = world_.WordList();
        s.iconClues = world_.UseIcons() && list && list->UsesIconClues();
        return s;
    }
    int32_t RunningScore() const override { return world_.RunningScore(); }
    void SetRunningScore(int32_t score) override { world_.SetRunningScore(score); }
    int Lives() const override { return world_.Lives().Count(); }
    std::unique_ptr<TDyingLife> TakeLife() override {
        auto slot = world_.Lives().TakeLife();
        if (!slot) return nullptr;
        auto life = std::make_unique<TDyingLife>();
        life->Pos = TLivesDisplay::Position(*slot);
        if (room_.livesPics_) {
            TRect src = TRect::FromOriginSize(
                {TDyingLife::kWidth * (slot->pose - 1), TDyingLife::kHeight * (slot->figure - 1)},
                TDyingLife::kWidth, TDyingLife::kHeight);
            life->Image = std::make_unique<TPlaySprite>(
                THotImage::CreateCut(room_.livesPics_->Surface(), world_.Library(), src));
        }
        room_.RepaintRect(TLivesDisplay::kArea);
        return life;
    }
    void AddLife() override {
        world_.Lives().AddLife();
        room_.RepaintRect(TLivesDisplay::kArea);
    }
    void FidgetLives() override { world_.Lives().FidgetLives(); }
    bool WentIdle() const override { return world_.HasFlag(TWorld::kIdle); }
    void GoRoom(const std::string& id) override { world_.GoRoom(id); }
    void EnterHighScore(int32_t score) override {
        if (room_.services_.enterHighScore) {
            const int place = room_.services_.enterHighScore(score);
            if (place > 0) Report("HISCORE " + std::to_string(place));
        }
    }
    void QuitProgram() override { world_.SetFlag(TWorld::kQuit); }
    bool ShiftDown() const override { return world_.HasFlag(TWorld::kShiftDown); }
    bool CtrlDown() const override { return world_.HasFlag(TWorld::kCtrlDown); }
    bool IsCurrentRoom() const override { return world_.CurrentRoom() == &room_; }
    void OpenLink(bool email) override { room_.OpenLink(email); }

    void PrepareRoom() override { room_.PrepareRoom(); }
    void CreateAnimal() override { room_.CreateAnimal(); }
    void ShowSoundAndCaption() override { room_.ShowSoundAndCaption(); }

    // Without an animal (none chosen, or its file cannot be read) an invisible stand-in
    // keeps the level playable: each scene takes a few steps, and the card is held up
    // until it is released.
    bool StartScene(int n) override {
        if (room_.animal_) return room_.animal_->StartScene(uint8_t(n));
        standInScene_ = n;
        standInStep_ = 0;
        standInReleased_ = false;
        return !SceneIsEmpty(n);
    }
    bool StepAnimal() override {
        if (room_.animal_) return room_.animal_->Step();
        if (standInScene_ == 2) return !standInReleased_;
        return ++standInStep_ < (standInScene_ == 0 ? 40 : 3);
    }
    bool SceneIsEmpty(int n) const override {
        return room_.animal_ ? room_.animal_->SceneIsEmpty(uint8_t(n)) : n == 5;
    }
    void ReleaseAnimal() override {
        if (room_.animal_)
            room_.animal_->Released = true;
        else
            standInReleased_ = true;
    }
    void RepaintAnimal() override {
        if (room_.animal_) room_.RepaintRect(room_.animal_->GetDamage());
    }

    void SetRowBox(int row, TRect rect) override { room_.SetRowBox(row, rect); }
    int32_t ClueTextWidth(const std::string& text) override {
        return room_.cellFonts_[1] ? room_.cellFonts_[1]->TextWidth(text) : 0;
    }
    void BuildIconStrip(const std::array<int32_t, 6>& icons) override {
        room_.BuildIconStrip(icons);
    }
    void BuildLetterCard(uint8_t letter, int showCount) override {
        room_.BuildLetterCard(letter, showCount);
    }
    void MeshLetterCard() override { room_.MeshLetterCard(); }
    void RepaintCell(int row, int col) override { room_.RepaintCell(row, col); }
    void RepaintRect(TRect rect) override { room_.RepaintRect(rect); }
    void RepaintAll() override { room_.RepaintRect(room_.WholeScreen()); }
    void RepaintLives() override { room_.RepaintRect(TLivesDisplay::kArea); }
    void DrawScore() override {
        if (TPX8ImageData* work = room_.Work()) room_.DrawScore(*work);
    }
    std::unique_ptr<TSpritePicture> MakePopup(const std::string& text, int style,
                                              int32_t& width) override {
        return room_.MakePopup(text, style, width);
    }
    void EnableHitBox(const std::string& id, bool enabled) override {
        room_.EnableBox(id, enabled);
    }
    int Frame(const std::string& set) const override {
        TFrameSet* fs = room_.FrameSets().FindByID(set);
        return fs ? fs->Frame() : 0;
    }
    void SetFrame(const std::string& set, int frame) override {
        TFrameSet* fs = room_.FrameSets().FindByID(set);
        TPX8ImageData* work = room_.Work();
        if (fs && work) fs->SetFrameMaybeDraw(*work, uint16_t(frame), IsCurrentRoom());
    }
    void SetWaveSound(bool on) override { world_.Host().SetWaveEnabled(on); }
    void DrawHelpPage(int page) override {
        if (IsCurrentRoom()) room_.RepaintRect(room_.WholeScreen());
    }
    TPoint ScreenSize() const override { return {world_.FrameWidth(), world_.FrameHeight()}; }
    void Report(const std::string& line) override {
        if (room_.services_.report) room_.services_.report(line);
    }

  private:
    TPlayRoom& room_;
    TWorld& world_;
    // Stands in while no list is loaded: a level with nothing to find.
    TQRWordList noList_;
    int standInScene_ = 0;
    int standInStep_ = 0;
    bool standInReleased_ = false;
};

// ---- the room ------------------------------------------------------------------------

TPlayRoom::TPlayRoom(TWorld& world, std::string_view id, TPlayServices services)
    : TQRRoom(world, id), services_(std::move(services)), host_(std::make_unique<Host>(*this)),
      rules_(*host_) {}

TPlayRoom::~TPlayRoom() {
    FreeGraphics();
}

TPX8ImageData* TPlayRoom::Work() const {
    return world_.WorkImage();
}

TRect TPlayRoom::WholeScreen() const {
    return {0, 0, world_.FrameWidth(), world_.FrameHeight()};
}

void TPlayRoom::Enter(const std::string& previousId) {
    previousId_ = previousId;
    rules_.Enter();
}

void TPlayRoom::PrepareRoom() {
    SetMusicTrack(7);
    TQRRoom::Enter(previousId_);
    world_.Host().PlaySound(kSoundEnter);
    SetFlag(kFlagEscape);
    CreateGraphics();
    // The opening wipe reveals the level band by band.
    damageRect_ = {};
}

std::string TPlayRoom::LinkAddress(bool email) {
    return Polyglot().GetString(email ? 244 : 243);
}

void TPlayRoom::OpenLink(bool email) {
    const std::string target = email ? "mailto:" + LinkAddress(true) : LinkAddress(false);
    world_.SetBusy(true);
    const int result = services_.openLink ? services_.openLink(target, email ? 1 : 5) : 0;
    world_.SetBusy(false);
    if (result < 32)
        world_.Host().Confirm("Internet Link",
                              "Unable to link to URL (error " + std::to_string(result) + ")",
                              TDlgConfirm::kOK);
}

void AddGameplayRooms(TRoomFactory& factory, TPlayServices services) {
    factory.Add(TPlayRoom::kPrefix, [services](TWorld& world, const std::string& id) {
        return std::make_unique<TPlayRoom>(world, id, services);
    });
}

void TPlayRoom::Unload(bool final) {
    rules_.Unload();
    FreeGraphics();
    TQRRoom::Unload(final);
}

void TPlayRoom::RunScript(const std::string& name, const std::string& argument) {
    if (!rules_.RunScript(name, argument)) TQRRoom::RunScript(name, argument);
}

bool TPlayRoom::ControlEvent(TControlBox& box, TControlEventKind event) {
    if (event != TControlEventKind::MouseDown) return false;
    const std::string& id = box.GetID();
    if (id.size() != 2 || id[0] != 'W' || id[1] < '1' || id[1] > '5') return false;
    return rules_.CellClick(id[1] - '0', box.Point().X, box.Point().Y);
}

int TPlayRoom::GetDynamicCursor(const std::string& boxId, int32_t x, int32_t y) {
    if (boxId.size() < 2 || boxId[1] < '1' || boxId[1] > '5') return 0;
    return rules_.GetDynamicCursor(boxId[1] - '0', x, y);
}

void TPlayRoom::SetRowBox(int row, TRect rect) {
    if (THitBox* box = FindHitBox("W" + std::to_string(row))) box->SetRect(rect);
}

void TPlayRoom::EnableBox(const std::string& id, bool on) {
    if (THitBox* box = FindHitBox(id)) box->SetEnabled(on);
}

} // namespace qr

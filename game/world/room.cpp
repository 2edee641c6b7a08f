// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/world/room.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <map>

#include "foundation/polyglot.h"
#include "foundation/utils.h"
#include "game/world/pictures.h"
#include "game/world/qr_exception.h"
#include "game/world/world.h"
#include "graphics/hot_image.h"
#include "graphics/image_library.h"

namespace qr {

// ---- timers

void TimerScript(uint8_t kind, uint32_t lateness, std::string& name, std::string& argument) {
    static const std::map<int, const char*> kNames = {
        {3, "TICK"},        {4, "TIMER"},     {5, "DELAY"},        {6, "ANIMATE"},
        {18, "RED1"},       {19, "RED2"},     {20, "EXIT"},        {21, "MUSIC"},
        {22, "FLASH"},      {23, "GO_L_END"}, {24, "GO_R_END"},    {25, "RELEASE"},
        {26, "MATCH"},      {27, "COOK"},     {28, "EAT"},         {29, "MACHINE"},
        {30, "CARTRIDGE"},  {31, "DEAL"},     {32, "DELAYEDEXIT"}, {33, "RAISE"},
        {34, "LOWER"},      {35, "CUCKOO"},   {36, "SLATE"},       {37, "SNAPFLASH"},
        {38, "PLACING"},    {39, "RADIO"},    {40, "RADIOFLASH"},  {41, "WHISTLE1"},
        {42, "WHISTLE2"},   {44, "GAME"},     {45, "SCORE"},       {46, "TALLY"},
        {47, "BONUSCARD"},  {48, "UPLIVES"},  {49, "DYING"},       {50, "POPUPS"},
        {51, "MUSICDELAY"}, {52, "SPARK"},
    };
    name.clear();
    argument.clear();
    if (kind >= 7 && kind <= 17) {
        name = "ANIMATE";
        argument = std::to_string(kind - 6);
    } else if (kind == 43) {
        name = "ANIMAL";
        argument = std::to_string(lateness);
    } else if (auto it = kNames.find(kind); it != kNames.end()) {
        argument = it->second;
    }
}

// ---- TRoom

TRoom::TRoom(TWorld& world, std::string_view id)
    : TIDNode(id), world_(world), kind_(EqualsNoCase(id, "disk") ? 1 : 0),
      width_(uint16_t(world.FrameWidth())) {}

TRoom::~TRoom() {
    // Virtual calls do not reach subclasses here; they free their own in their destructors.
    TRoom::Unload(true);
}

void TRoom::PlaceHashBoxes() {
    for (THitBox* box : hitBoxes_.Nodes<THitBox>()) {
        const std::string& id = box->GetID();
        if (id.size() < 4 || id[0] != '#') continue;
        int32_t x = 0;
        auto [end, ec] = std::from_chars(id.data() + 1, id.data() + 4, x);
        // An ID like "#AB" carries no position; such a box stays where it was declared.
        if (ec != std::errc() || end != id.data() + 4) continue;
        const TRect& r = box->Rect();
        const int64_t left = int64_t(x) - scroll_;
        const int64_t right =
            std::clamp<int64_t>(left + (int64_t(r.Right) - r.Left), INT32_MIN, INT32_MAX);
        box->SetRect({int32_t(left), r.Top, int32_t(right), r.Bottom});
    }
}

void TRoom::Enter(const std::string& previousId) {
    PlaceHashBoxes();
}

void TRoom::Leave() {
    world_.SetDefaultCursor(0);
    ClearFlag(kFlagDrawn);
    world_.Host().StopWaves();
    Unload(false);
}

void TRoom::Unload(bool final) {
    FreeOwnedGraphics();
    auxImage_.reset();
    for (TFrameSet* fs : frameSets_.Nodes<TFrameSet>())
        fs->Release();
    TRoom::SetBackground(nullptr);
}

void TRoom::SetBackground(std::unique_ptr<THotImage> picture) {
    background_ = std::move(picture);
}

void TRoom::Draw(TPX8ImageData* image) {
    if (!image) RaiseResString(kStrInvalidImageData);
    if (HasFlag(kFlagFlash)) {
        image->FillRect(image->GetBounds(), 255);
        return;
    }
    if (!background_) SetBackground(FindPicture(world_.Library(), picName_));
    SetFlag(kFlagDrawn);
    // A room whose picture is missing still shows its frame sets on black.
    if (background_) {
        TPX8ImageData& layer = background_->Surface();
        layer.FlipHorizontal = HasFlag(kFlagFlipHorizontal);
        layer.FlipVertical = HasFlag(kFlagFlipVertical);
        image->Blit({0, 0}, layer,
                    TRect::FromOriginSize({scroll_, 0}, world_.FrameWidth(), world_.FrameHeight()));
    } else {
        image->FillRect(image->GetBounds(), 0);
    }
    DrawContents(*image);
}

void TRoom::DrawContents(TPX8ImageData& image) {
    for (TFrameSet* fs : frameSets_.Nodes<TFrameSet>())
        fs->Draw(image);
}

void TRoom::RoomInit(const std::string& arguments) {
    throw ScriptError("RoomInit: not supported by room \"" + GetID() + "\"");
}

void TRoom::ScrollTo(int32_t x) {
    x = Max(x, 0);
    if (int64_t(x) + world_.FrameWidth() > width_) x = width_ - world_.FrameWidth();
    int32_t delta = scroll_ - x;
    scroll_ = x;
    for (TFrameSet* fs : frameSets_.Nodes<TFrameSet>())
        fs->MoveBy(delta);
    PlaceHashBoxes();
}

void TRoom::RunScript(const std::string& name, const std::string& argument) {
    if (name == "ENDOFSOUND") return;
    if (argument == "EXIT") {
        world_.GoRoom(name);
        return;
    }
    if (argument == "DELAYEDEXIT") {
        world_.GoRoom(delayedExit_);
        return;
    }
    if (name == "FOCUS") {
        if (argument == "F") world_.Host().StopWaves();
        return;
    }
    if (argument == "SNAPFLASH") {
        flags_ ^= kFlagFlash;
        if (HasFlag(kFlagFlash)) AddTimer(kTimerSnapFlash, 10);
        Draw(world_.WorkImage());
        return;
    }
    if (name == "NIL") return;
    RegisterWorldStrings();
    throw QRException(FormatMessage(LoadResString(kStrUnknownScript), {name, argument}));
}

void TRoom::AddTimer(uint8_t kind, uint32_t delay) {
    timers_.Append(std::make_unique<TTimerScriptInfo>(kind, world_.Clock() + delay));
}

void TRoom::ReplaceTimer(uint8_t kind, uint32_t delay) {
    RemoveTimer(kind);
    AddTimer(kind, delay);
}

void TRoom::RemoveTimer(uint8_t kind) {
    for (TTimerScriptInfo* t : timers_.Nodes<TTimerScriptInfo>()) {
        if (t->Kind() == kind) {
            timers_.Remove(t);
            return;
        }
    }
}

int32_t TRoom::TimeLeft(uint8_t kind) const {
    for (TTimerScriptInfo* t : timers_.Nodes<TTimerScriptInfo>())
        if (t->Kind() == kind) return int32_t(t->Due() - world_.Clock());
    return -1;
}

void TRoom::FireDueTimers(uint32_t clock) {
    TUvoNode* node = timers_.First();
    while (node) {
        TUvoNode* next = node->NextNode();
        auto* t = static_cast<TTimerScriptInfo*>(node);
        if (t->Due() <= clock && (!HasFlag(kFlagFlash) || t->Kind() == kTimerSnapFlash)) {
            std::string name, argument;
            TimerScript(t->Kind(), clock - t->Due(), name, argument);
            timers_.Remove(t);
            RunScript(name, argument);
        }
        // The script may have switched rooms or cleared the timers.
        if (!next || !timers_.Contains(next)) break;
        node = next;
    }
}

void TRoom::AddFrameSet(std::unique_ptr<TFrameSet> fs) {
    fs->MoveBy(-scroll_);
    frameSets_.Append(std::move(fs));
}

void TRoom::CreateAuxImage(TRect r) {
    auxImage_.reset();
    auxImage_ = THotImage::CreateBlank(r.Width(), r.Height(), world_.Library());
    auxRect_ = r;
}

void TRoom::DrawAux(TPX8ImageData& image) {
    if (auxImage_)
        image.Blit(auxRect_.TopLeft(), auxImage_->Surface(),
                   {0, 0, auxRect_.Width(), auxRect_.Height()});
}

void TRoom::RedrawArea(TRect r, TPX8ImageData& image) {
    const TRect old = image.ClipRect;
    image.SetClipRect(r);
    DrawContents(image);
    image.ClipRect = old;
}

// ---- TQRRoom

void TQRRoom::Enter(const std::string& previousId) {
    TRoom::Enter(previousId);
    THitBox* button = hitBoxes_.FindByIDOrFail("MUSICBTN");
    button->SetEnabled(world_.Host().MidiDevicePresent());
    TFrameSet* music = frameSets_.FindByIDOrFail("MUSIC");
    music->SetFrameMaybeDraw(*world_.WorkImage(), world_.Host().MusicEnabled() ? 1 : 0, false);
    if (track_) AddTimer(kTimerMusicDelay, 20);
}

void TQRRoom::RunScript(const std::string& name, const std::string& argument) {
    if (name == "MUSICBTN") {
        TFrameSet* music = frameSets_.FindByIDOrFail("MUSIC");
        uint16_t frame = music->Frame() == 1 ? 0 : 1;
        music->SetFrameMaybeDraw(*world_.WorkImage(), frame, true);
        bool on = frame == 1;
        world_.Host().SetMusicEnabled(on);
        if (on && track_) world_.Host().PlayMusic(track_);
        return;
    }
    if (argument == "MUSICDELAY") {
        if (track_ && !world_.Host().MusicBusy()) world_.Host().PlayMusic(track_);
        return;
    }
    if (name == "ENDMUSIC") {
        static const uint32_t kDelays[9] = {3, 15, 40, 3, 3, 3, 30, 1, 1};
        int ended = -1;
        std::from_chars(argument.data(), argument.data() + argument.size(), ended);
        uint32_t delay = (ended >= 0 && ended <= 8) ? kDelays[ended] : 10;
        if (track_) AddTimer(kTimerMusicDelay, delay);
        return;
    }
    if (name == "CLOSEREQUEST") {
        world_.AskQuitGame();
        return;
    }
    TRoom::RunScript(name, argument);
}

// ---- TAuxGfxRoom

TAuxGfxRoom::TAuxGfxRoom(TWorld& world, std::string_view id, std::string_view libraryName)
    : TRoom(world, id), libName_(libraryName.substr(0, 8)) {}

TAuxGfxRoom::~TAuxGfxRoom() = default;

void TAuxGfxRoom::Enter(const std::string& previousId) {
    TRoom::Enter(previousId);
    if (!auxLib_) auxLib_ = world_.OpenLibrary(libName_);
    if (auxLib_ && !auxPicture_) auxPicture_ = FindPicture(*auxLib_, libName_);
    if (auxPicture_ && HasFlag(kFlagFlipVertical)) auxPicture_->Surface().FlipVertical = 1;
}

void TAuxGfxRoom::Leave() {
    TRoom::Leave();
    // The picture belongs to the library: it goes first.
    auxPicture_.reset();
    auxLib_.reset();
}

} // namespace qr

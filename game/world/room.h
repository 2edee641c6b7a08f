// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Rooms: one screen of the game each. TRoom holds what the world script declares for a
// room (title, background picture, flags, hit boxes, frame sets) plus its pending
// timers, and the operations through which the world enters, leaves, draws and
// scripts it. Concrete screens derive from it; TQRRoom adds the music button and the
// quit question of every menu and game room, TAuxGfxRoom a picture library of its own.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "foundation/geometry.h"
#include "foundation/uvo_list.h"
#include "game/world/frame_set.h"
#include "game/world/hit_box.h"
#include "graphics/hot_image.h"

namespace qr {

class TWorld;

// A pending "in n steps run this script" of a room.
class TTimerScriptInfo : public TUvoNode {
  public:
    TTimerScriptInfo(uint8_t kind, uint32_t due) : kind_(kind), due_(due) {}
    uint8_t Kind() const { return kind_; }
    uint32_t Due() const { return due_; }

  private:
    uint8_t kind_;
    uint32_t due_;
};

// Timer kinds named by the engine itself.
enum : uint8_t { kTimerSnapFlash = 37, kTimerMusicDelay = 51 };

// The script name and argument a timer of that kind runs; lateness is how many steps
// after its due step it fired.
void TimerScript(uint8_t kind, uint32_t lateness, std::string& name, std::string& argument);

class TRoom : public TIDNode {
  public:
    enum : uint32_t {
        kFlagOne = 0x1,
        kFlagMarksLeave = 0x2,
        kFlagFlipVertical = 0x4,
        kFlagFlipHorizontal = 0x8,
        kFlagDrawn = 0x20,
        kFlagShift = 0x40,
        kFlagFlash = 0x800,
        kFlagLargeFrame = 0x2000,
        kFlagDelete = 0x8000,
        kFlagEscape = 0x10000,
        kInitialFlags = 0x280,
    };

    TRoom(TWorld& world, std::string_view id);
    ~TRoom() override;

    virtual void LoadState(TStream& stream) {}
    virtual void SaveState(TStream& stream) {}
    virtual void Enter(const std::string& previousId);
    virtual void Leave();
    virtual void RunScript(const std::string& name, const std::string& argument);
    virtual bool ControlEvent(TControlBox& box, TControlEventKind event) { return false; }
    virtual void Draw(TPX8ImageData* image);
    virtual void DrawContents(TPX8ImageData& image);
    virtual void Unload(bool final);
    virtual std::string GetTitle() const { return title_; }
    virtual std::string GetPicName() const { return picName_; }
    virtual std::string GetEntryNotice() const { return entryNotice_; }
    virtual THotImage* GetBackground() const { return background_.get(); }
    // The room holds the picture from now on (null: none).
    virtual void SetBackground(std::unique_ptr<THotImage> picture);
    // Declared for the script's "ROOMINIT"; no room of the game takes arguments this way.
    virtual void RoomInit(const std::string& arguments);
    virtual void ScrollTo(int32_t x);
    virtual int GetDynamicCursor(const std::string& boxId, int32_t x, int32_t y) { return 0; }
    // Typed text (the game's bytes) and editing keys (kVkBack, kVkReturn, kVkEscape,
    // kVkLeft, kVkRight); rooms without a use for the keyboard ignore them.
    virtual void TextInput(const std::string& text) {}
    virtual void KeyPress(int virtualKey) {}
    // A new game begins (rooms that keep game state between visits start over).
    virtual void NewGame() {}

    // Timers.
    void AddTimer(uint8_t kind, uint32_t delay);
    void ReplaceTimer(uint8_t kind, uint32_t delay);
    void RemoveTimer(uint8_t kind);
    void ClearTimers() { timers_.Clear(); }
    int32_t TimeLeft(uint8_t kind) const;
    void FireDueTimers(uint32_t clock);
    const TUvoList& Timers() const { return timers_; }

    void SetPicName(std::string_view s) { picName_ = s; }
    void SetTitle(std::string_view s) { title_ = s; }
    void SetEntryNotice(std::string_view s) { entryNotice_ = s; }
    THitBox* FindHitBox(std::string_view id) const { return hitBoxes_.FindByID(id); }
    void AddFrameSet(std::unique_ptr<TFrameSet> fs);
    void CreateAuxImage(TRect r);
    void DrawAux(TPX8ImageData& image);
    void RedrawArea(TRect r, TPX8ImageData& image);

    THitBoxList& HitBoxes() { return hitBoxes_; }
    const THitBoxList& HitBoxes() const { return hitBoxes_; }
    TFrameSetList& FrameSets() { return frameSets_; }
    uint32_t Flags() const { return flags_; }
    bool HasFlag(uint32_t f) const { return (flags_ & f) != 0; }
    void SetFlag(uint32_t f) { flags_ |= f; }
    void ClearFlag(uint32_t f) { flags_ &= ~f; }
    uint8_t Kind() const { return kind_; }
    uint8_t HomeByte() const { return home_; }
    void SetHomeByte(uint8_t v) { home_ = v; }
    uint16_t StateLevel() const { return stateLevel_; }
    int32_t ScrollOffset() const { return scroll_; }
    uint16_t RoomWidth() const { return width_; }
    void SetRoomWidth(uint16_t w) { width_ = w; }
    const std::string& DelayedExitTarget() const { return delayedExit_; }
    void SetDelayedExitTarget(std::string_view id) { delayedExit_ = id; }
    TWorld& World() const { return world_; }

  protected:
    // Moves the "#nnn" boxes to their room position minus the scroll offset.
    void PlaceHashBoxes();
    // The graphic objects a subclass makes; freed by Unload.
    virtual void FreeOwnedGraphics() {}

    TWorld& world_;
    std::string picName_;
    std::string title_;
    std::string entryNotice_;
    uint8_t kind_ = 0;
    std::unique_ptr<THotImage> background_;
    uint8_t home_ = 0;
    std::string delayedExit_;
    uint16_t stateLevel_ = 2;
    int32_t scroll_ = 0;
    uint16_t width_ = 0;
    std::unique_ptr<THotImage> auxImage_;
    TRect auxRect_;
    THitBoxList hitBoxes_;
    TFrameSetList frameSets_;
    TUvoList timers_;
    uint32_t flags_ = kInitialFlags;
};

// The music button and the quit question shared by the menu and game rooms.
class TQRRoom : public TRoom {
  public:
    using TRoom::TRoom;
    void Enter(const std::string& previousId) override;
    void RunScript(const std::string& name, const std::string& argument) override;

    uint8_t MusicTrack() const { return track_; }
    void SetMusicTrack(uint8_t t) { track_ = t; }

  protected:
    uint8_t track_ = 0;
};

// A room with a picture library of its own, loaded on entry and freed on leaving.
class TAuxGfxRoom : public TRoom {
  public:
    TAuxGfxRoom(TWorld& world, std::string_view id, std::string_view libraryName);
    ~TAuxGfxRoom() override;
    void Enter(const std::string& previousId) override;
    void Leave() override;

    const std::string& LibraryName() const { return libName_; }
    TPX8Library* AuxLibrary() const { return auxLib_.get(); }
    // The library's picture of the library's own name, null when it has none.
    THotImage* AuxPicture() const { return auxPicture_.get(); }

  protected:
    std::string libName_;
    std::unique_ptr<TPX8Library> auxLib_;
    std::unique_ptr<THotImage> auxPicture_; // declared after the library it belongs to
};

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hit boxes: the rectangles of a room that react to the mouse. Each kind decides what
// a click does (go to a room, return, run a script, play the examine sound) and which
// cursor shows over it; control boxes take the raw mouse events and hand them to
// their room instead of clicking.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "foundation/geometry.h"
#include "foundation/uvo_list.h"

namespace qr {

class TWorld;

// Cursor numbers resolved when the cursor is needed.
enum : int16_t { kCursorDynamic = 100, kCursorWorldDefault = 101 };

// Events a control box hands to its room.
enum class TControlEventKind : int {
    MouseDown = 0,
    Drag = 1,
    MouseUp = 2,
    Hold = 3,
    HoverStart = 4
};

class THitBox : public TIDNode {
  public:
    static constexpr uint8_t kTag = 2;

    THitBox(std::string_view id, TRect rect);
    THitBox(uint8_t tag, TStream& stream);

    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) const override;

    // x, y in paint-box coordinates.
    virtual int GetCursor(TWorld& world, int32_t x, int32_t y) const;
    virtual bool HitTest(int32_t x, int32_t y) const;
    virtual void Click(TWorld& world) {}
    virtual bool MouseDown(TWorld& world, int button, int shift, int32_t x, int32_t y) {
        return false;
    }
    virtual bool MouseDrag(TWorld& world, int32_t x, int32_t y) { return false; }
    virtual bool HoverStart(TWorld& world, int32_t x, int32_t y) { return false; }
    virtual bool MouseUp(TWorld& world, int32_t x, int32_t y) { return false; }
    virtual void Hold(TWorld& world, uint32_t clock) {}

    int16_t Cursor() const { return cursor_; }
    void SetCursor(int16_t n) { cursor_ = n; }
    bool Disabled() const { return disabled_; }
    void SetEnabled(bool on) { disabled_ = !on; }
    const TRect& Rect() const { return rect_; }
    void SetRect(TRect r) { rect_ = r; }
    int32_t Width() const { return rect_.Width(); }
    bool RawMouse() const { return raw_; }
    bool Hover() const { return hover_; }
    void SetHover(bool on) { hover_ = on; }

  protected:
    int16_t cursor_ = 0;
    bool disabled_ = false;
    TRect rect_;
    bool raw_ = false;
    bool hover_ = false;

  private:
    // The fields after the ID, shared by re-creation and loading.
    void ReadFields(TStream& stream);
};

// Owned strings of boxes keep "absent" apart from "empty" in their stream form.
using TOwnedString = std::optional<std::string>;

// A box that carries one owned string after the common fields: the target of a go box,
// the text of a say box, the script of a room-script box.
class TTextBox : public THitBox {
  public:
    TTextBox(std::string_view id, TRect rect) : THitBox(id, rect) {}
    TTextBox(uint8_t tag, TStream& stream);
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) const override;
    // The string whatever its role ("" when absent).
    std::string Parameter() const { return text_.value_or(""); }

  protected:
    TOwnedString text_;
};

class TGoBox : public TTextBox {
  public:
    static constexpr uint8_t kTag = 3;
    TGoBox(std::string_view id, TRect rect);
    TGoBox(uint8_t tag, TStream& stream) : TTextBox(tag, stream) {}
    void Click(TWorld& world) override;

    std::string Target() const { return text_.value_or(""); }
    void SetTarget(std::string_view id);
};

class TAccessBox : public TGoBox {
  public:
    using TGoBox::TGoBox;
};

class TSayBox : public TTextBox {
  public:
    static constexpr uint8_t kTag = 4;
    TSayBox(std::string_view id, TRect rect);
    TSayBox(uint8_t tag, TStream& stream) : TTextBox(tag, stream) {}
    void Click(TWorld& world) override;

    std::string Text() const { return text_.value_or(""); }
    void SetText(std::string_view text) { text_ = std::string(text); }
};

class TReturnBox : public THitBox {
  public:
    static constexpr uint8_t kTag = 5;
    TReturnBox(std::string_view id, TRect rect);
    TReturnBox(uint8_t tag, TStream& stream) : THitBox(tag, stream) {}
    void Click(TWorld& world) override;
};

// The two scripts every room understands through a script box.
enum : uint8_t { kGlobalNone = 0, kGlobalExitGame = 1, kGlobalMaybeExitGame = 2 };

class TScriptBox : public THitBox {
  public:
    static constexpr uint8_t kTag = 6;
    TScriptBox(std::string_view id, TRect rect);
    TScriptBox(uint8_t tag, TStream& stream);
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) const override;
    void Click(TWorld& world) override;

    // Stores the number of the global script of that name (0 for any other name).
    void SetScript(std::string_view name);
    uint8_t ScriptNumber() const { return script_; }

  private:
    uint8_t script_ = kGlobalNone;
};

class TRoomScriptBox : public TTextBox {
  public:
    static constexpr uint8_t kTag = 7;
    TRoomScriptBox(std::string_view id, TRect rect);
    TRoomScriptBox(uint8_t tag, TStream& stream) : TTextBox(tag, stream) {}
    void Click(TWorld& world) override;

    std::string Script() const { return text_.value_or(""); }
    void SetScript(std::string_view name);
};

class TXRoomScriptBox : public TRoomScriptBox {
  public:
    using TRoomScriptBox::TRoomScriptBox;
};

class TControlBox : public TRoomScriptBox {
  public:
    static constexpr uint8_t kTag = 8;
    TControlBox(std::string_view id, TRect rect);
    TControlBox(uint8_t tag, TStream& stream);

    bool MouseDown(TWorld& world, int button, int shift, int32_t x, int32_t y) override;
    bool MouseDrag(TWorld& world, int32_t x, int32_t y) override;
    bool HoverStart(TWorld& world, int32_t x, int32_t y) override;
    bool MouseUp(TWorld& world, int32_t x, int32_t y) override;
    void Hold(TWorld& world, uint32_t clock) override;

    int Button() const { return button_; }
    int Shift() const { return shift_; }
    // The last mouse point, relative to the box's top-left corner.
    TPoint Point() const { return point_; }
    uint32_t HoldClock() const { return holdClock_; }
    bool LastResult() const { return result_; }
    bool PointInside() const;

  protected:
    bool Send(TWorld& world, TControlEventKind kind);
    void Store(int32_t x, int32_t y) { point_ = {x - rect_.Left, y - rect_.Top}; }

    uint8_t button_ = 0;
    uint8_t shift_ = 0;
    TPoint point_;
    uint32_t holdClock_ = 0;
    bool result_ = false;
};

class TXControlBox : public TControlBox {
  public:
    using TControlBox::TControlBox;
};

// A room's boxes, the box declared last first. A disabled list finds nothing.
class THitBoxList : public TGameIDList {
  public:
    THitBox* FindAt(int32_t x, int32_t y) const;
    THitBox* FindByID(std::string_view id) const {
        return static_cast<THitBox*>(TGameIDList::FindByID(id));
    }
    THitBox* FindByIDOrFail(std::string_view id) const;
    bool Disabled() const { return disabled_; }
    void SetDisabled(bool on) { disabled_ = on; }

  protected:
    std::unique_ptr<TUvoNode> RecreateNode(uint8_t tag, TStream& stream) override;

  private:
    bool disabled_ = false;
};

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/world/hit_box.h"

#include "foundation/utils.h"
#include "game/world/qr_exception.h"
#include "game/world/room.h"
#include "game/world/world.h"

namespace qr {

namespace {

// Absent and empty strings must stay apart: a zero length byte is followed by 0 for
// absent and 1 for empty.
void WriteOwned(TStream& s, const TOwnedString& v) {
    if (v && !v->empty()) {
        s.WriteShortString(*v);
        return;
    }
    s.WriteU8(0);
    s.WriteU8(v ? 1 : 0);
}

TOwnedString ReadOwned(TStream& s) {
    uint8_t len = s.ReadU8();
    if (len == 0) return s.ReadU8() ? TOwnedString(std::string()) : std::nullopt;
    return s.ReadBytes(len);
}

} // namespace

// ---- THitBox

THitBox::THitBox(std::string_view id, TRect rect) : TIDNode(id), rect_(rect) {
    SetTag(kTag);
}

THitBox::THitBox(uint8_t tag, TStream& stream) : TIDNode(tag, stream) {
    ReadFields(stream);
}

void THitBox::ReadFields(TStream& stream) {
    cursor_ = stream.ReadI16();
    disabled_ = stream.ReadU8() != 0;
    rect_.Left = stream.ReadI32();
    rect_.Top = stream.ReadI32();
    rect_.Right = stream.ReadI32();
    rect_.Bottom = stream.ReadI32();
    raw_ = stream.ReadU8() != 0;
}

void THitBox::LoadFromStream(TStream& stream) {
    TIDNode::LoadFromStream(stream);
    ReadFields(stream);
}

void THitBox::SaveToStream(TStream& stream) const {
    TIDNode::SaveToStream(stream);
    stream.WriteI16(cursor_);
    stream.WriteU8(disabled_ ? 1 : 0);
    stream.WriteI32(rect_.Left);
    stream.WriteI32(rect_.Top);
    stream.WriteI32(rect_.Right);
    stream.WriteI32(rect_.Bottom);
    stream.WriteU8(raw_ ? 1 : 0);
}

int THitBox::GetCursor(TWorld& world, int32_t x, int32_t y) const {
    if (disabled_) return 0;
    if (cursor_ < kCursorDynamic) return cursor_;
    if (cursor_ == kCursorDynamic) {
        TRoom* room = world.CurrentRoom();
        return room ? room->GetDynamicCursor(GetID(), x - rect_.Left, y - rect_.Top) : 0;
    }
    if (cursor_ == kCursorWorldDefault) return world.DefaultCursor();
    return 2;
}

bool THitBox::HitTest(int32_t x, int32_t y) const {
    return !disabled_ && rect_.Contains({x, y});
}

// ---- TTextBox

TTextBox::TTextBox(uint8_t tag, TStream& stream) : THitBox(tag, stream) {
    text_ = ReadOwned(stream);
}

void TTextBox::LoadFromStream(TStream& stream) {
    THitBox::LoadFromStream(stream);
    text_ = ReadOwned(stream);
}

void TTextBox::SaveToStream(TStream& stream) const {
    THitBox::SaveToStream(stream);
    WriteOwned(stream, text_);
}

// ---- TGoBox

TGoBox::TGoBox(std::string_view id, TRect rect) : TTextBox(id, rect) {
    SetTag(kTag);
    cursor_ = 3;
}

void TGoBox::SetTarget(std::string_view id) {
    text_ = AsciiUpper(id);
}

void TGoBox::Click(TWorld& world) {
    world.GoRoom(Target());
}

// ---- TSayBox

TSayBox::TSayBox(std::string_view id, TRect rect) : TTextBox(id, rect) {
    SetTag(kTag);
    cursor_ = 2;
}

void TSayBox::Click(TWorld& world) {
    // The examine sound, unless something is still speaking.
    if (!world.Host().WavePlaying()) world.Host().PlaySound(11);
}

// ---- TReturnBox

TReturnBox::TReturnBox(std::string_view id, TRect rect) : THitBox(id, rect) {
    SetTag(kTag);
    cursor_ = 11;
}

void TReturnBox::Click(TWorld& world) {
    world.Return();
}

// ---- TScriptBox

TScriptBox::TScriptBox(std::string_view id, TRect rect) : THitBox(id, rect) {
    SetTag(kTag);
    cursor_ = 1;
}

TScriptBox::TScriptBox(uint8_t tag, TStream& stream) : THitBox(tag, stream) {
    script_ = uint8_t(stream.ReadU16());
}

void TScriptBox::LoadFromStream(TStream& stream) {
    THitBox::LoadFromStream(stream);
    script_ = uint8_t(stream.ReadU16());
}

void TScriptBox::SaveToStream(TStream& stream) const {
    THitBox::SaveToStream(stream);
    stream.WriteU16(script_);
}

void TScriptBox::SetScript(std::string_view name) {
    if (EqualsNoCase(name, "exitgame"))
        script_ = kGlobalExitGame;
    else if (EqualsNoCase(name, "maybeexitgame"))
        script_ = kGlobalMaybeExitGame;
    else
        script_ = kGlobalNone;
}

void TScriptBox::Click(TWorld& world) {
    switch (script_) {
    case kGlobalExitGame:
        world.SetFlag(TWorld::kQuit);
        break;
    case kGlobalMaybeExitGame:
        // The same question as the close button's, in the player's language.
        world.AskQuitGame();
        break;
    default:
        break;
    }
}

// ---- TRoomScriptBox

TRoomScriptBox::TRoomScriptBox(std::string_view id, TRect rect) : TTextBox(id, rect) {
    SetTag(kTag);
    cursor_ = 1;
}

void TRoomScriptBox::SetScript(std::string_view name) {
    text_ = AsciiUpper(name);
}

void TRoomScriptBox::Click(TWorld& world) {
    if (TRoom* room = world.CurrentRoom()) room->RunScript(Script(), GetID());
}

// ---- TControlBox

TControlBox::TControlBox(std::string_view id, TRect rect) : TRoomScriptBox(id, rect) {
    SetTag(kTag);
    raw_ = true;
}

TControlBox::TControlBox(uint8_t tag, TStream& stream) : TRoomScriptBox(tag, stream) {}

bool TControlBox::Send(TWorld& world, TControlEventKind kind) {
    TRoom* room = world.CurrentRoom();
    result_ = room ? room->ControlEvent(*this, kind) : false;
    return result_;
}

bool TControlBox::MouseDown(TWorld& world, int button, int shift, int32_t x, int32_t y) {
    button_ = uint8_t(button);
    shift_ = uint8_t(shift);
    Store(x, y);
    return Send(world, TControlEventKind::MouseDown);
}

bool TControlBox::MouseDrag(TWorld& world, int32_t x, int32_t y) {
    Store(x, y);
    return Send(world, TControlEventKind::Drag);
}

bool TControlBox::MouseUp(TWorld& world, int32_t x, int32_t y) {
    Store(x, y);
    return Send(world, TControlEventKind::MouseUp);
}

bool TControlBox::HoverStart(TWorld& world, int32_t x, int32_t y) {
    Store(x, y);
    return Send(world, TControlEventKind::HoverStart);
}

void TControlBox::Hold(TWorld& world, uint32_t clock) {
    holdClock_ = clock;
    Send(world, TControlEventKind::Hold);
}

bool TControlBox::PointInside() const {
    return point_.X >= 0 && point_.X < rect_.Width() && point_.Y >= 0 && point_.Y < rect_.Height();
}

// ---- THitBoxList

THitBox* THitBoxList::FindAt(int32_t x, int32_t y) const {
    if (disabled_) return nullptr;
    for (THitBox* box : Nodes<THitBox>())
        if (box->HitTest(x, y)) return box;
    return nullptr;
}

THitBox* THitBoxList::FindByIDOrFail(std::string_view id) const {
    THitBox* box = FindByID(id);
    if (!box) RaiseResString(kStrNilPointer);
    return box;
}

std::unique_ptr<TUvoNode> THitBoxList::RecreateNode(uint8_t tag, TStream& stream) {
    switch (tag) {
    case THitBox::kTag:
        return std::make_unique<THitBox>(tag, stream);
    case TGoBox::kTag:
        return std::make_unique<TGoBox>(tag, stream);
    case TSayBox::kTag:
        return std::make_unique<TSayBox>(tag, stream);
    case TReturnBox::kTag:
        return std::make_unique<TReturnBox>(tag, stream);
    case TScriptBox::kTag:
        return std::make_unique<TScriptBox>(tag, stream);
    case TRoomScriptBox::kTag:
        return std::make_unique<TRoomScriptBox>(tag, stream);
    case TControlBox::kTag:
        return std::make_unique<TControlBox>(tag, stream);
    default:
        return TGameIDList::RecreateNode(tag, stream);
    }
}

} // namespace qr

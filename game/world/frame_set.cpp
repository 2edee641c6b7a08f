// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/world/frame_set.h"

#include <algorithm>

#include "foundation/utils.h"
#include "game/world/pictures.h"
#include "game/world/qr_exception.h"
#include "graphics/hot_image.h"

namespace qr {

TFrameSet::TFrameSet(std::string_view id, TPX8Library* library, std::string_view pictureName,
                     uint16_t frameHeight, uint16_t frameCount, TPoint position)
    : TIDNode(id), library_(library), pictureName_(AsciiLower(pictureName.substr(0, 8))),
      frameHeight_(frameHeight), frameCount_(frameCount), position_(position) {
    SetTag(kTag);
}

TFrameSet::TFrameSet(uint8_t tag, TStream& stream) : TIDNode(tag, stream) {
    ReadState(stream);
}

TFrameSet::~TFrameSet() {
    Release();
}

void TFrameSet::ReadState(TStream& stream) {
    frame_ = stream.ReadU16();
    visible_ = stream.ReadU8() != 0;
    position_.X = stream.ReadI32();
    position_.Y = stream.ReadI32();
}

void TFrameSet::LoadFromStream(TStream& stream) {
    TIDNode::LoadFromStream(stream);
    ReadState(stream);
}

void TFrameSet::SaveToStream(TStream& stream) const {
    TIDNode::SaveToStream(stream);
    stream.WriteU16(frame_);
    stream.WriteU8(visible_ ? 1 : 0);
    stream.WriteI32(position_.X);
    stream.WriteI32(position_.Y);
}

void TFrameSet::Draw(TPX8ImageData& image) {
    if (!visible_) return;
    if (!picture_ && library_) {
        picture_ = FindPicture(*library_, pictureName_);
        if (picture_) {
            const std::string& id = GetID();
            TPX8ImageData& layer = picture_->Surface();
            layer.FlipHorizontal = id.find('~') != std::string::npos;
            layer.FlipVertical = id.find('^') != std::string::npos;
        }
    }
    // A name the library does not know draws nothing.
    if (!picture_) return;
    TPX8ImageData& layer = picture_->Surface();
    const int64_t top = int64_t(frame_) * frameHeight_;
    // A frame below the strip's end shows nothing.
    if (top >= layer.Height) return;
    TRect src{0, int32_t(top), layer.Width,
              int32_t(std::min<int64_t>(top + frameHeight_, layer.Height))};
    image.Blit(position_, layer, src);
}

void TFrameSet::SetFrame(TPX8ImageData& image, uint16_t frame) {
    if (frame >= frameCount_) return;
    frame_ = frame;
    Draw(image);
}

void TFrameSet::SetFrameMaybeDraw(TPX8ImageData& image, uint16_t frame, bool draw) {
    if (draw)
        SetFrame(image, frame);
    else
        frame_ = frame;
}

void TFrameSet::Release() {
    picture_.reset();
}

TFrameSet* TFrameSetList::FindByIDOrFail(std::string_view id) const {
    TFrameSet* fs = FindByID(id);
    if (!fs) RaiseResString(kStrNilPointer);
    return fs;
}

std::unique_ptr<TUvoNode> TFrameSetList::RecreateNode(uint8_t tag, TStream& stream) {
    if (tag == TFrameSet::kTag) return std::make_unique<TFrameSet>(tag, stream);
    return TGameIDList::RecreateNode(tag, stream);
}

} // namespace qr

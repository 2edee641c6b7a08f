// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Frame sets: a strip of equally tall pictures stacked in one library image, of which a
// room shows one frame at a fixed place; switching frames animates a lamp or lights a
// button. A "~" or "^" in the ID flips the strip horizontally or vertically.
#include <cstdint>
#include <memory>
#include <string>

#include "foundation/geometry.h"
#include "foundation/uvo_list.h"
#include "graphics/hot_image.h"

namespace qr {

class TFrameSet : public TIDNode {
  public:
    static constexpr uint8_t kTag = 11;

    TFrameSet(std::string_view id, TPX8Library* library, std::string_view pictureName,
              uint16_t frameHeight, uint16_t frameCount, TPoint position);
    // Re-created from a stream: state only (frame, visibility, place), no picture.
    TFrameSet(uint8_t tag, TStream& stream);
    ~TFrameSet() override;

    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) const override;

    void Draw(TPX8ImageData& image);
    // Out-of-range frames are ignored.
    void SetFrame(TPX8ImageData& image, uint16_t frame);
    void SetFrameMaybeDraw(TPX8ImageData& image, uint16_t frame, bool draw);
    // Gives the picture back; the next Draw looks it up again.
    void Release();
    void MoveBy(int32_t dx) { position_.X += dx; }

    uint16_t Frame() const { return frame_; }
    uint16_t FrameCount() const { return frameCount_; }
    uint16_t FrameHeight() const { return frameHeight_; }
    bool Visible() const { return visible_; }
    void SetVisible(bool on) { visible_ = on; }
    TPoint Position() const { return position_; }
    const std::string& PictureName() const { return pictureName_; }
    bool PictureLoaded() const { return picture_ != nullptr; }

  private:
    void ReadState(TStream& stream);

    TPX8Library* library_ = nullptr;
    std::unique_ptr<THotImage> picture_;
    std::string pictureName_;
    uint16_t frameHeight_ = 0;
    uint16_t frame_ = 0;
    uint16_t frameCount_ = 0;
    bool visible_ = true;
    TPoint position_;
};

class TFrameSetList : public TGameIDList {
  public:
    TFrameSet* FindByID(std::string_view id) const {
        return static_cast<TFrameSet*>(TGameIDList::FindByID(id));
    }
    TFrameSet* FindByIDOrFail(std::string_view id) const;

  protected:
    std::unique_ptr<TUvoNode> RecreateNode(uint8_t tag, TStream& stream) override;
};

} // namespace qr

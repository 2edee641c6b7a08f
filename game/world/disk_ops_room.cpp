// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/world/disk_ops_room.h"

#include "foundation/stream.h"
#include "game/world/world.h"

namespace qr {

TDiskOpsRoom::TDiskOpsRoom(TWorld& world, std::string_view id)
    : TAuxGfxRoom(world, id, "ldsv_gfx") {
    stateLevel_ = 65535;
}

TDiskOpsRoom::~TDiskOpsRoom() = default;

bool TDiskOpsRoom::CheckHeader(TStream& s, uint8_t& savedLevel) {
    savedLevel = kVersion;
    uint8_t head[4];
    if (s.Read(head, 4) != 4) return false;
    if (head[0] != 'Q' || head[1] != 'R' || head[2] != 'L') return false;
    if (head[3] != kVersion) {
        if (head[3] > kVersion) return false;
        savedLevel = head[3];
    }
    uint8_t reserved;
    return s.Read(&reserved, 1) == 1;
}

void TDiskOpsRoom::WriteHeader(TStream& s) {
    s.WriteBytes("QRL");
    s.WriteU8(kVersion);
    s.WriteU8(0);
}

std::unique_ptr<TSurfaceImage> TDiskOpsRoom::ReadSlotFile(const std::string& path) {
    try {
        TMemoryStream s(ReadFileBytes(path));
        uint8_t level;
        if (!CheckHeader(s, level)) return nullptr;
        int32_t w = s.ReadU16(), h = s.ReadU16();
        // A slot holds a small picture; anything larger is not one of ours.
        if (w == 0 || h == 0 || w > kSlotWidth || h > kSlotHeight || s.Remaining() < int64_t(w) * h)
            return nullptr;
        std::vector<uint8_t> pixels(size_t(w) * size_t(h));
        s.ReadBuffer(pixels.data(), pixels.size());
        return std::make_unique<TSurfaceImage>("slot", w, h, pixels.data());
    } catch (const UvoException&) {
        return nullptr;
    }
}

void TDiskOpsRoom::WriteSlotFile(const std::string& path, TPX8ImageData& picture) {
    TMemoryStream s;
    WriteHeader(s);
    s.WriteU16(uint16_t(picture.Width));
    s.WriteU16(uint16_t(picture.Height));
    for (int32_t y = 0; y < picture.Height; ++y) {
        s.Write(picture.StartLine(0, y), size_t(picture.Width));
        picture.UnlockSegment(0, y);
    }
    WriteFileAtomic(path, s.Data().data(), s.Data().size());
}

TRect TDiskOpsRoom::ButtonRect(int number) {
    if (number >= 1 && number <= 8) {
        int i = number - 1;
        return TRect::FromOriginSize({36 + (i % 4) * 136, 70 + (i / 4) * 110}, kSlotWidth + 8,
                                     kSlotHeight + 8);
    }
    // S, M, F, X, R, C along the bottom; "S" and "C" share a place.
    static const int kColumn[] = {0, 1, 2, 3, 4, 0};
    int k = number - 9;
    if (k < 0 || k > 5) return {};
    return TRect::FromOriginSize({36 + kColumn[k] * 110, 310}, 96, 48);
}

void TDiskOpsRoom::Enter(const std::string& previousId) {
    TAuxGfxRoom::Enter(previousId);
    if (TPX8ImageData* work = world_.WorkImage())
        snapshot_ = TSurfaceImage::Copy(*work, work->GetBounds());
    pressed_ = 0;
    pressedInside_ = false;
    fromTitle_ = previousId == "TITLE";
    for (int i = 0; i < 8; ++i)
        slots_[size_t(i)] =
            ReadSlotFile(world_.SaveFolder() + TWorld::SaveGameFileName(char('1' + i)));
    RefreshEnabled();
}

void TDiskOpsRoom::RefreshEnabled() {
    for (int n = 1; n <= int(kButtonIds.size()); ++n) {
        THitBox* box = FindHitBox(kButtonIds.substr(size_t(n - 1), 1));
        if (!box) continue;
        bool on = true;
        if (n <= 8)
            on = SlotFilled(n);
        else if (n == 9)
            on = !inProgress_;
        else if (n == 10)
            on = world_.Host().MidiDevicePresent();
        else if (n == 11)
            on = world_.Host().WaveDevicePresent();
        else if (n == 14)
            on = inProgress_;
        box->SetEnabled(on);
    }
}

bool TDiskOpsRoom::ControlEvent(TControlBox& box, TControlEventKind event) {
    bool answer = false;
    TPX8ImageData* work = world_.WorkImage();
    switch (event) {
    case TControlEventKind::MouseDown: {
        int old = pressed_;
        pressed_ = 0;
        if (old && work) DrawButton(*work, old);
        size_t at =
            box.GetID().size() == 1 ? kButtonIds.find(box.GetID()[0]) : std::string_view::npos;
        if (at != std::string_view::npos) {
            pressed_ = int(at) + 1;
            pressedInside_ = true;
            if (work) DrawButton(*work, pressed_);
            answer = true;
        }
        break;
    }
    case TControlEventKind::Drag:
        if (box.PointInside() != pressedInside_) {
            pressedInside_ = box.PointInside();
            if (work && pressed_) DrawButton(*work, pressed_);
        }
        answer = true;
        break;
    case TControlEventKind::MouseUp: {
        int was = pressed_;
        pressed_ = 0;
        if (work && was) DrawButton(*work, was);
        if (box.PointInside()) RunScript(box.Script(), box.GetID());
        break;
    }
    case TControlEventKind::Hold:
        return box.LastResult();
    case TControlEventKind::HoverStart:
        break;
    }
    RefreshEnabled();
    return answer;
}

void TDiskOpsRoom::Draw(TPX8ImageData* image) {
    if (!image) return TRoom::Draw(image);
    image->FillRect(image->GetBounds(), 0);
    SetFlag(kFlagDrawn);
    DrawContents(*image);
}

void TDiskOpsRoom::DrawButton(TPX8ImageData& image, int number) {
    TRect r = ButtonRect(number);
    if (r.IsEmpty()) return;
    // "S" and "C" share a place: only the one that applies is drawn.
    if ((number == 9 && inProgress_) || (number == 14 && !inProgress_)) return;
    bool down = number == pressed_ && pressedInside_;
    image.FillRect(r, down ? 255 : 8);
    bool lit = true;
    if (number == 10) lit = world_.Host().MusicEnabled();
    if (number == 11) lit = world_.Host().WaveEnabled();
    image.FillRect({r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2}, down ? 7 : (lit ? 15 : 0));
    if (number <= 8 && slots_[size_t(number - 1)]) {
        TPX8ImageData& pic = slots_[size_t(number - 1)]->Surface();
        image.Blit({r.Left + 4, r.Top + 4}, pic, pic.GetBounds());
    }
}

void TDiskOpsRoom::DrawContents(TPX8ImageData& image) {
    TRoom::DrawContents(image);
    image.FillRect({36, 16, 564, 56}, 15);
    for (int n = 1; n <= int(kButtonIds.size()); ++n)
        DrawButton(image, n);
}

void TDiskOpsRoom::FreePictures() {
    snapshot_.reset();
    for (auto& s : slots_)
        s.reset();
}

void TDiskOpsRoom::Unload(bool final) {
    FreePictures();
    TRoom::Unload(final);
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/gameplay/initials_room.h"

#include <array>
#include <charconv>

#include "foundation/polyglot.h"
#include "foundation/text_codec.h"
#include "game/gameplay/room_drawing.h"
#include "game/world/world.h"
#include "graphics/font.h"

namespace qr {

namespace {

constexpr int32_t kRowHeight = 39;
constexpr int32_t kCellWidth = 25;
constexpr uint8_t kMusicTrack = 4;
constexpr int kStrCancel = 9;
constexpr int kStrOK = 13;

struct PadRow {
    int32_t left;
    std::string characters;
};

const std::array<PadRow, 5>& PadRows() {
    static const std::array<PadRow, 5> rows = [] {
        std::string accented, more;
        for (int c = 192; c <= 207; ++c)
            accented += char(c);
        for (int c = 208; c <= 223; ++c)
            if (c != 215) more += char(c); // the multiplication sign is no letter
        return std::array<PadRow, 5>{PadRow{87, "ABCDEFGHIJKLM"}, PadRow{87, "NOPQRSTUVWXYZ"},
                                     PadRow{50, accented}, PadRow{62, more},
                                     PadRow{0, "0123456789!#$&*-+.?/"}};
    }();
    return rows;
}

bool OnPad(uint8_t c) {
    if (c == 0) return false;
    for (const PadRow& row : PadRows())
        if (row.characters.find(char(c)) != std::string::npos) return true;
    return false;
}

} // namespace

uint8_t LetterPadCharacter(int32_t x, int32_t y) {
    if (x < 0 || y < 0) return 0;
    const int32_t row = y / kRowHeight;
    if (row >= int32_t(PadRows().size())) return 0;
    const PadRow& r = PadRows()[size_t(row)];
    if (x < r.left) return 0;
    const size_t cell = size_t((x - r.left) / kCellWidth);
    return cell < r.characters.size() ? uint8_t(r.characters[cell]) : 0;
}

TInitialsRoom::TInitialsRoom(TWorld& world, std::string_view id) : TQRRoom(world, id) {}

TInitialsRoom::~TInitialsRoom() = default;

void TInitialsRoom::Enter(const std::string& previousId) {
    SetMusicTrack(kMusicTrack);
    TQRRoom::Enter(previousId);
    bigFont_ = std::make_unique<TPX8Font>(world_.Library(), "05ab48bw", "abce48bw");
    // The buttons' captions need a font that fits them.
    labelFont_ = std::make_unique<TPX8Font>(world_.Library(), "04ab14bw", "abce14bw");
    initials_ = (world_.Initials() + "   ").substr(0, 3);
    cursorPos_ = 0;
    for (int i = 0; i < 3; ++i)
        if (TFrameSet* fs = FrameSets().FindByID(std::to_string(i)))
            fs->SetFrameMaybeDraw(*world_.WorkImage(), i == 0 ? 1 : 0, false);
}

void TInitialsRoom::Unload(bool final) {
    bigFont_.reset();
    labelFont_.reset();
    TQRRoom::Unload(final);
}

void TInitialsRoom::MoveCursor(int32_t pos) {
    cursorPos_ = ((pos % 3) + 3) % 3;
    const bool shown = world_.CurrentRoom() == this;
    for (int i = 0; i < 3; ++i)
        if (TFrameSet* fs = FrameSets().FindByID(std::to_string(i)))
            fs->SetFrameMaybeDraw(*world_.WorkImage(), i == cursorPos_ ? 1 : 0, shown);
}

void TInitialsRoom::Place(uint8_t character) {
    initials_[size_t(cursorPos_)] = char(character);
    RepaintRoomArea(*this, kInitialBoxes[cursorPos_]);
    MoveCursor(cursorPos_ + 1);
}

bool TInitialsRoom::ControlEvent(TControlBox& box, TControlEventKind event) {
    if (event != TControlEventKind::MouseDown || box.GetID() != "LETTERPAD") return false;
    const uint8_t c = LetterPadCharacter(box.Point().X, box.Point().Y);
    if (c) Place(c);
    return c != 0;
}

int TInitialsRoom::GetDynamicCursor(const std::string& boxId, int32_t x, int32_t y) {
    return boxId == "LETTERPAD" && LetterPadCharacter(x, y) ? 1 : 0;
}

void TInitialsRoom::RunScript(const std::string& name, const std::string& argument) {
    if (name == "CURLETTER") {
        int32_t pos = 0;
        const auto [end, error] =
            std::from_chars(argument.data(), argument.data() + argument.size(), pos);
        if (error == std::errc() && pos >= 0 && pos <= 2) MoveCursor(pos);
    } else if (name == "OKBTN") {
        world_.SetInitials(initials_);
        world_.Return();
    } else if (name == "CANCELBTN") {
        world_.Return();
    } else {
        TQRRoom::RunScript(name, argument);
    }
}

void TInitialsRoom::TextInput(const std::string& text) {
    for (char c : text) {
        const uint8_t upper = UpperChar(uint8_t(c));
        if (OnPad(upper)) Place(upper);
    }
}

void TInitialsRoom::KeyPress(int virtualKey) {
    switch (virtualKey) {
    case kVkBack:
    case kVkLeft:
        MoveCursor(cursorPos_ - 1);
        break;
    case kVkRight:
        MoveCursor(cursorPos_ + 1);
        break;
    case kVkReturn:
        RunScript("OKBTN", "");
        break;
    case kVkEscape:
        RunScript("CANCELBTN", "");
        break;
    default:
        break;
    }
}

void TInitialsRoom::DrawContents(TPX8ImageData& image) {
    TQRRoom::DrawContents(image);
    for (int i = 0; i < 3; ++i)
        DrawBoxText(*this, "INITIAL" + std::to_string(i + 1), image, kInitialBoxes[i],
                    PlainText(initials_.substr(size_t(i), 1)), {bigFont_.get()});
    for (const auto& [id, number] : {std::pair{"OK", kStrOK}, std::pair{"CANCEL", kStrCancel}}) {
        THitBox* box = FindHitBox(id);
        if (box && !box->Disabled())
            DrawBoxText(*this, id, image, box->Rect(), Polyglot().GetString(number),
                        {labelFont_.get()});
    }
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The initials room: the player sets three initials by clicking a letter pad or typing
// them. Each click fills the initial under the cursor and moves the cursor on; OK hands
// the initials to the world, Cancel leaves them as they were.
#include <memory>
#include <string>

#include "game/world/room.h"

namespace qr {

class TPX8Font;

// Where a point of the letter pad (relative to the pad's box) lands: the character,
// or 0 on no character.
uint8_t LetterPadCharacter(int32_t x, int32_t y);

class TInitialsRoom : public TQRRoom {
  public:
    static constexpr const char* kPrefix = "INITIALS";
    static constexpr TRect kInitialBoxes[3] = {
        {218, 30, 265, 102}, {277, 30, 324, 102}, {336, 30, 383, 102}};

    TInitialsRoom(TWorld& world, std::string_view id);
    ~TInitialsRoom() override;

    void Enter(const std::string& previousId) override;
    bool ControlEvent(TControlBox& box, TControlEventKind event) override;
    int GetDynamicCursor(const std::string& boxId, int32_t x, int32_t y) override;
    void RunScript(const std::string& name, const std::string& argument) override;
    void DrawContents(TPX8ImageData& image) override;
    void Unload(bool final) override;
    // Letters, digits and the pad's punctuation fill the initials as clicks do;
    // Backspace moves back, Enter is OK, Escape is Cancel, the arrows move the cursor.
    void TextInput(const std::string& text) override;
    void KeyPress(int virtualKey) override;

    const std::string& Initials() const { return initials_; }
    int32_t CursorPos() const { return cursorPos_; }

  private:
    void Place(uint8_t character);
    void MoveCursor(int32_t pos);

    std::unique_ptr<TPX8Font> bigFont_, labelFont_;
    std::string initials_ = "   ";
    int32_t cursorPos_ = 0;
};

} // namespace qr

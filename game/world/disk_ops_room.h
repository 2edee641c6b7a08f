// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The save and load room: eight saved-game slots with a small picture of each, a
// save/continue button, the music and sound switches and two ways out. It also owns
// the header that starts every saved-game file and the world's state file.
#include <array>
#include <memory>

#include "game/world/room.h"
#include "graphics/surface_image.h"

namespace qr {

class TDiskOpsRoom : public TAuxGfxRoom {
  public:
    static constexpr uint8_t kVersion = 0;
    static constexpr int32_t kSlotWidth = 120, kSlotHeight = 80;
    // Box IDs in button-number order (1-based).
    static constexpr std::string_view kButtonIds = "12345678SMFXRC";

    TDiskOpsRoom(TWorld& world, std::string_view id);
    ~TDiskOpsRoom() override;

    // "QRL", the version byte (only older versions pass; they become the saved level),
    // a reserved byte. A short stream is not valid.
    static bool CheckHeader(TStream& s, uint8_t& savedLevel);
    static void WriteHeader(TStream& s);
    // A saved-game file: the header, then the slot picture as width, height (16 bits
    // each) and its rows of colour indices. Null when the file is absent or not valid.
    static std::unique_ptr<TSurfaceImage> ReadSlotFile(const std::string& path);
    static void WriteSlotFile(const std::string& path, TPX8ImageData& picture);

    void Enter(const std::string& previousId) override;
    void RunScript(const std::string& name, const std::string& argument) override {}
    bool ControlEvent(TControlBox& box, TControlEventKind event) override;
    void Draw(TPX8ImageData* image) override;
    void DrawContents(TPX8ImageData& image) override;
    void Unload(bool final) override;

    bool GameInProgress() const { return inProgress_; }
    void SetGameInProgress(bool on) { inProgress_ = on; }
    bool CameFromTitle() const { return fromTitle_; }
    int PressedButton() const { return pressed_; }
    bool SlotFilled(int slot) const { return slots_[size_t(slot - 1)] != nullptr; }
    // Where a button is drawn (and where the script should put its box).
    static TRect ButtonRect(int number);

  private:
    void RefreshEnabled();
    void DrawButton(TPX8ImageData& image, int number);
    void FreePictures();

    std::array<std::unique_ptr<TSurfaceImage>, 8> slots_;
    std::unique_ptr<TSurfaceImage> snapshot_;
    bool fromTitle_ = false;
    bool inProgress_ = false;
    int pressed_ = 0;
    bool pressedInside_ = false;
};

} // namespace qr

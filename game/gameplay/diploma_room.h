// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The diploma: shown when a game ends after the last level with lives left. It names the
// list, its levels, the speed and the score, under a picture in the player's language.
#include <memory>
#include <string>

#include "game/world/room.h"

namespace qr {

class TPX8Font;

class TDiplomaRoom : public TQRRoom {
  public:
    static constexpr const char* kPrefix = "DIPLOMA";
    // The picture is centred in this band; the texts right-aligned end at kRightEdge.
    static constexpr int32_t kPictureTop = 117, kPictureBand = 163;
    static constexpr int32_t kTextLeft = 75, kRightEdge = 525;
    static constexpr int32_t kFirstLine = 72, kSecondLine = 95, kScoreLine = 325;

    TDiplomaRoom(TWorld& world, std::string_view id);
    ~TDiplomaRoom() override;

    void Enter(const std::string& previousId) override;
    void RunScript(const std::string& name, const std::string& argument) override;
    void DrawContents(TPX8ImageData& image) override;
    void Unload(bool final) override;

    // The picture's name for the language of the string table: "uwin_" and its short code,
    // or "uwin_eng" when the library has none for it.
    std::string PictureName() const;

  private:
    std::unique_ptr<TPX8Font> redFont_, yellowFont_, bigFont_;
};

} // namespace qr

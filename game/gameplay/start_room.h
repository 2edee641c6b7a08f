// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start room of a module: the list's title, handle and description, the player's
// initials and the high scores for the current settings, the clue and answer languages,
// icon clues and speed, and the way into a game. It keeps no game state: every change
// goes to the world (initials, languages, icons, speed) or to the high-score table.
#include <memory>
#include <string>

#include "game/gameplay/room_drawing.h"
#include "game/world/room.h"
#include "game/world/room_factory.h"

namespace qr {

class TPX8Font;

class TStartRoom : public TQRRoom {
  public:
    static constexpr const char* kPrefix = "START";
    // Fixed places on the screen.
    static constexpr TRect kTitleBox{16, 12, 316, 42};
    static constexpr TRect kHandleBox{336, 12, 585, 42};
    static constexpr TRect kInitialsBox{425, 58, 500, 81};
    static constexpr TRect kDescriptionBox{16, 51, 411, 248};
    static constexpr TRect kLanguagePanel{15, 218, 412, 254};
    // The description and the language panel under it.
    static constexpr TRect kDescriptionArea{15, 51, 412, 254};
    static constexpr TRect kSpeedPanel{225, 329, 400, 357};
    static constexpr TRect kScoresArea{439, 92, 571, 117 + 23 * 10};
    static constexpr uint8_t kPanelFrameColour = 26;
    // The top-left corner of place r's initials (r = 1..10); the score is 52 further right.
    static constexpr TPoint ScorePlace(int r) { return {439, 117 + 23 * (r - 1)}; }
    static constexpr int32_t kScoreRowHeight = 23, kScoreColumnGap = 52;
    // Where place r's initials are drawn: their 40-pixel column, or one line centred on the
    // column and the gap after it when they are wider.
    TRect InitialsPlace(int r, std::string_view initials) const;

    TStartRoom(TWorld& world, std::string_view id);
    ~TStartRoom() override;

    void Enter(const std::string& previousId) override;
    void RunScript(const std::string& name, const std::string& argument) override;
    void DrawContents(TPX8ImageData& image) override;
    void Unload(bool final) override;

    bool HasIcons() const { return hasIcons_; }
    bool UseIcons() const { return useIcons_; }
    // What the language panel says: the list's main language, or its clue and answer
    // languages (pictures for clues when icon clues are on).
    std::string LanguagePanelText() const;
    // The description box: what the list is, with its number of levels, and how it plays.
    std::string DescriptionText() const;

  private:
    void FreeGraphics();
    void SaveScores();
    void DrawTitles(TPX8ImageData& image);
    void DrawScores(TPX8ImageData& image);
    void DrawDescription(TPX8ImageData& image);
    void DrawLanguagePanel(TPX8ImageData& image);
    TRect LanguagePanelRect() const;
    TBoxText PanelText() const;
    void DrawSpeedPanel(TPX8ImageData& image);
    void DrawLabel(TPX8ImageData& image, const char* boxId, int stringNumber);

    std::unique_ptr<THotImage> comGfx_;
    std::unique_ptr<TPX8Font> textFont_, hiFont_, infoFont_;
    bool hasIcons_ = false;
    bool useIcons_ = false;
};

// Adds the start, initials and diploma rooms' classes ("STARTROOM", "INITIALSROOM",
// "DIPLOMAROOM") to the program's room factory.
void AddStartRooms(TRoomFactory& factory);

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The play room: the game itself. Its rules (TPlayRules) decide; this class is the room
// around them: it enters and leaves with the world, turns timers, scripts and clicks into
// rule events, and draws the board, the animal with its card, the score, the lives, the
// popups and the control panel into the work image.
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "game/gameplay/play_host.h"
#include "game/gameplay/play_rules.h"
#include "game/world/room.h"
#include "game/world/room_factory.h"

namespace qr {

class TAnimal;
class THotImage;
class TPX8Font;
class TPX8ImageData;
class TPX8Library;

// A popup's or a dying life's picture.
class TPlaySprite : public TSpritePicture {
  public:
    explicit TPlaySprite(std::unique_ptr<THotImage> image);
    ~TPlaySprite() override;
    std::unique_ptr<THotImage> Image;
};

// What the play room needs of the game that the engine's world does not keep.
struct TPlayServices {
    // Enters the score with the player's initials in the current table; the place won
    // (0 when none).
    std::function<int(int32_t score)> enterHighScore;
    // Opens an address; a result below 32 is an error number.
    std::function<int(const std::string& target, int showCommand)> openLink;
    // The folder of the animal files the world lists.
    std::function<std::string()> animalFolder;
    // A line for the scripted-run log (empty function: none).
    std::function<void(const std::string& line)> report;
};

class TPlayRoom : public TQRRoom {
  public:
    static constexpr const char* kPrefix = "PLAY";
    // The animal's strip on the right of the board.
    static constexpr TRect kAnimalArea{470, 15, 583, 382};

    TPlayRoom(TWorld& world, std::string_view id, TPlayServices services);
    ~TPlayRoom() override;

    void Enter(const std::string& previousId) override;
    void RunScript(const std::string& name, const std::string& argument) override;
    bool ControlEvent(TControlBox& box, TControlEventKind event) override;
    void Draw(TPX8ImageData* image) override;
    void DrawContents(TPX8ImageData& image) override;
    void Unload(bool final) override;
    int GetDynamicCursor(const std::string& boxId, int32_t x, int32_t y) override;

    void NewGame() override { rules_.LevelIndex = 0; }

    TPlayRules& Rules() { return rules_; }
    const TPlayRules& Rules() const { return rules_; }

  private:
    class Host;
    friend class Host;

    void PrepareRoom();
    void ShowSoundAndCaption();
    void MeshLetterCard();
    void RepaintCell(int row, int col);
    void OpenLink(bool email);
    // The project's page and support address; they come with the language's texts.
    static std::string LinkAddress(bool email);
    void CreateGraphics();
    void FreeGraphics();
    void CreateAnimal();
    void BuildLetterCard(uint8_t letter, int showCount);
    void BuildIconStrip(const std::array<int32_t, 6>& icons);
    std::unique_ptr<TSpritePicture> MakePopup(const std::string& text, int style, int32_t& width);
    void RepaintRect(TRect rect);
    void DrawCellAt(TPX8ImageData& image, int row, int col);
    void DrawScore(TPX8ImageData& image);
    void DrawTitle(TPX8ImageData& image);
    void DrawClues(TPX8ImageData& image);
    void DrawLives(TPX8ImageData& image);
    void DrawSprites(TPX8ImageData& image);
    void DrawHelpLabel(TPX8ImageData& image);
    void DrawPausePanel(TPX8ImageData& image);
    void DrawQuitPanel(TPX8ImageData& image);
    void DrawHelpPage(TPX8ImageData& image);
    void DrawPanelBox(TPX8ImageData& image, TRect rect);
    void DrawBackground(TPX8ImageData& image);
    TPX8ImageData* CardPicture();
    TPX8ImageData* Work() const;
    TRect WholeScreen() const;
    void SetRowBox(int row, TRect rect);
    void EnableBox(const std::string& id, bool on);

    TPlayServices services_;
    std::unique_ptr<Host> host_;
    TPlayRules rules_;
    TRect damageRect_;
    std::string previousId_;

    std::array<std::unique_ptr<TPX8Font>, 5> cellFonts_; // index = font number + 1
    std::unique_ptr<TPX8Font> titleFont_;
    std::unique_ptr<TPX8Font> cardFont_;
    std::unique_ptr<TPX8Font> greyFont_; // the labels of buttons that cannot be used now
    std::unique_ptr<THotImage> comGfx_;
    std::unique_ptr<THotImage> logos_;
    std::unique_ptr<THotImage> livesPics_;
    std::unique_ptr<THotImage> letterCard_;
    std::unique_ptr<THotImage> iconStrip_;
    std::unique_ptr<THotImage> card_;
    bool cardSearched_ = false;
    std::unique_ptr<TPX8Library> cardLibrary_;
    std::unique_ptr<THotImage> background_;
    std::unique_ptr<TPX8Library> backgroundLibrary_;
    std::unique_ptr<TAnimal> animal_;
};

// Adds the play room's class ("PLAYROOM") to the program's room factory.
void AddGameplayRooms(TRoomFactory& factory, TPlayServices services);

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the play room's rules ask of their surroundings: the room's timers, sounds, the
// world (score, lives, settings, room switches), the animal and the drawing of the board.
// The play room answers these with the real world, work image and animal; the rules'
// tests answer them with a small recording fake, so every rule of a level can be played
// through without a window, a font or an animal file.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "foundation/geometry.h"
#include "foundation/uvo_list.h"

namespace qr {

class TQRWordList;

// A picture that a sprite owns; what it holds is the drawing side's business.
class TSpritePicture {
  public:
    virtual ~TSpritePicture() = default;
};

// A life figure flying off the screen after a failed row or a quit.
class TDyingLife : public TUvoNode {
  public:
    static constexpr int32_t kWidth = 19;
    static constexpr int32_t kHeight = 39;

    // Draws its launch speeds from the shared generator.
    TDyingLife();

    std::unique_ptr<TSpritePicture> Image;
    TPoint Pos;
    int32_t DX = 0;
    int32_t DY = 0;

    TRect Rect() const { return TRect::FromOriginSize(Pos, kWidth, kHeight); }
};

// A framed number on the board: a temporary one vanishes after a few steps, a lasting
// one (Age -1) stays until the room is left.
class TPopupGraphic : public TUvoNode {
  public:
    static constexpr int32_t kHeight = 22;

    std::unique_ptr<TSpritePicture> Image;
    TPoint Pos;
    int32_t Width = 0;
    int32_t Age = 0;

    TRect Rect() const { return TRect::FromOriginSize(Pos, Width, kHeight); }
};

// The player's choices that shape a level.
struct TPlaySettings {
    std::string clueLanguage;
    std::string answerLanguage;
    int speed = 2;              // 1 slow, 2 medium, 3 fast
    int32_t releaseDelay = 120; // holding time of a card at this speed, in ticks
    bool iconClues = false;     // the list has icons and the player wants them
};

class TPlayHost {
  public:
    virtual ~TPlayHost() = default;

    // --- the room's timers, by kind ------------------------------------------------
    virtual void AddTimer(uint8_t kind, uint32_t ticks) = 0;
    virtual void ReplaceTimer(uint8_t kind, uint32_t ticks) = 0;
    virtual void RemoveTimer(uint8_t kind) = 0;
    virtual void ClearTimers() = 0;
    // Ticks left, -1 when the timer is not pending.
    virtual int32_t TimeLeft(uint8_t kind) const = 0;

    // --- sounds by number ----------------------------------------------------------
    virtual void PlaySound(int n) = 0;
    // Starts the sound looped unless it is already playing.
    virtual void LoopSound(int n) = 0;
    virtual void StopSound(int n) = 0;

    // --- the world -----------------------------------------------------------------
    virtual TQRWordList& WordList() = 0;
    virtual TPlaySettings Settings() const = 0;
    virtual int32_t RunningScore() const = 0;
    virtual void SetRunningScore(int32_t score) = 0;
    virtual int Lives() const = 0;
    // Takes the right-most figure off the lives display; null when there is none.
    virtual std::unique_ptr<TDyingLife> TakeLife() = 0;
    virtual void AddLife() = 0;
    virtual void FidgetLives() = 0;
    // False while the machine is behind: the program did not go idle since the last tick.
    virtual bool WentIdle() const = 0;
    virtual void GoRoom(const std::string& id) = 0;
    // Enters the player's initials with the score in the high-score table.
    virtual void EnterHighScore(int32_t score) = 0;
    // Ends the program without asking.
    virtual void QuitProgram() = 0;
    virtual bool ShiftDown() const = 0;
    virtual bool CtrlDown() const = 0;
    virtual bool IsCurrentRoom() const = 0;
    // Opens the project's web page or its support address.
    virtual void OpenLink(bool email) = 0;

    // --- the room's own start-up steps that are pure drawing or engine work ----------
    // Music, the base entry, sound 17, fonts, shared pictures.
    virtual void PrepareRoom() = 0;
    // The animal of the current module.
    virtual void CreateAnimal() = 0;
    // The sound switch and the window caption.
    virtual void ShowSoundAndCaption() = 0;

    // --- the animal ----------------------------------------------------------------
    // False when no object of the animal has events in scene n.
    virtual bool StartScene(int n) = 0;
    // False when the scene has ended.
    virtual bool StepAnimal() = 0;
    virtual bool SceneIsEmpty(int n) const = 0;
    // Lets the animal pass its wait points (the card has been filled or taken).
    virtual void ReleaseAnimal() = 0;
    // Repaints the animal's old and new rectangles.
    virtual void RepaintAnimal() = 0;

    // --- the board and the panel ---------------------------------------------------
    virtual void SetRowBox(int row, TRect rect) = 0;
    virtual int32_t ClueTextWidth(const std::string& text) = 0;
    // Icon numbers of rows 1-5 (index 0 unused).
    virtual void BuildIconStrip(const std::array<int32_t, 6>& icons) = 0;
    virtual void BuildLetterCard(uint8_t letter, int showCount) = 0;
    // Lays the mesh over the card: the letter is being taken back.
    virtual void MeshLetterCard() = 0;
    // A negative row asks for the blinked-off form of the tally.
    virtual void RepaintCell(int row, int col) = 0;
    // Repaints one rectangle of the room (through the room's damage rectangle).
    virtual void RepaintRect(TRect rect) = 0;
    virtual void RepaintAll() = 0;
    virtual void RepaintLives() = 0;
    virtual void DrawScore() = 0;
    // Makes the picture of a popup showing text in the given frame style; width gets
    // the picture's width.
    virtual std::unique_ptr<TSpritePicture> MakePopup(const std::string& text, int style,
                                                      int32_t& width) = 0;
    virtual void EnableHitBox(const std::string& id, bool enabled) = 0;
    virtual int Frame(const std::string& frameSet) const = 0;
    virtual void SetFrame(const std::string& frameSet, int frame) = 0;
    virtual void SetWaveSound(bool on) = 0;
    virtual void DrawHelpPage(int page) = 0;
    // Screen size of the work image.
    virtual TPoint ScreenSize() const = 0;

    // --- what a scripted run reports, one line per event ----------------------------
    virtual void Report(const std::string& line) = 0;
};

} // namespace qr

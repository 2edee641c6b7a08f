// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of the play room: one visit plays one level of the word list. Five answers
// hide their letters; the animal brings one letter at a time on a card, and clicks on
// the cells place it, score it and wake the bonus cards; a tally ends the level, and
// failed rows cost lives. The control panel's modes gate all of it.
//
// Everything here is state and decisions. Drawing, the animal, sounds and the world are
// reached through TPlayHost, so the whole game can be played in a test. The play room
// owns one of these for its lifetime: LevelIndex and the speed ratio carry over from
// level to level.
//
// Rows are numbered 1-5 and cells 1..length of the answer, as the row boxes "W1"-"W5"
// and their cells are; index 0 of the per-row arrays is unused.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/geometry.h"
#include "foundation/uvo_list.h"
#include "game/gameplay/play_host.h"

namespace qr {

// Timer kinds of the play room.
namespace play_timer {
inline constexpr uint8_t kDelay = 5;
inline constexpr uint8_t kExit = 20;
inline constexpr uint8_t kFlash = 22;
inline constexpr uint8_t kRelease = 25;
inline constexpr uint8_t kDelayedExit = 32;
inline constexpr uint8_t kAnimal = 43;
inline constexpr uint8_t kGame = 44;
inline constexpr uint8_t kScore = 45;
inline constexpr uint8_t kTally = 46;
inline constexpr uint8_t kBonusCard = 47;
inline constexpr uint8_t kUpLives = 48;
inline constexpr uint8_t kDying = 49;
inline constexpr uint8_t kPopups = 50;
} // namespace play_timer

// Control modes.
enum : uint8_t {
    kModeNotStarted = 0,
    kModePlaying = 1,
    kModePaused = 2,
    kModeHelp = 3,
    kModeQuitAsked = 5,
    kModeLevelOver = 6,
};

enum class TBonusKind : uint8_t {
    Points = 0,
    ExtraLife = 1,
    LifeToken = 2,
    Recount = 3,
    Double = 4,
    Triple = 5
};

// How a cell is to be drawn.
struct TCellLook {
    enum Kind { Nothing, Covered, BonusCard, Letter } kind = Nothing;
    int font = 0; // -1..3 for a letter
    uint8_t letter = 0;
};

// Board geometry of the 600 x 400 room.
namespace board {
inline constexpr int32_t kCellWidth = 17;
inline constexpr int32_t kCellHeight = 25;
inline constexpr int32_t kCellPitch = 18;
inline constexpr int kMaxDrawnCells = 21;
inline constexpr int kHelpPages = 6;
TRect RowBox(int row, int answerLength, bool iconClues);
TRect CellRect(TRect rowBox, int col);
// The band of the screen that step k of opening wipe `kind` reveals.
TRect WipeBand(int kind, int step, int32_t width, int32_t height);
int WipeSteps(int kind);
} // namespace board

// Answer text as displayed and its marks, from a word-list text whose brace comment has
// already been removed: "[x]" shows x without hiding it.
void SplitAnswer(std::string_view text, std::string& answer, std::string& marks);
// Drops a "{comment}" and one blank before it.
std::string RemoveBraceComment(std::string_view text);
// A clue keeps its comment in parentheses; bracketed letters lose their brackets.
std::string ClueText(std::string_view text);
// Shuffles the letters among the letter positions, non-letters stay; repeated (at most
// 101 times) until the result differs.
std::string ScrambleLetters(std::string_view text);

class TPlayRules {
  public:
    explicit TPlayRules(TPlayHost& host) : host_(host) {}

    // --- the room's operations ----------------------------------------------------
    void Enter();
    // Returns false for a script the play room does not handle (the base room's then).
    bool RunScript(const std::string& name, const std::string& argument);
    // A press on row box "W<row>" at the box-relative point; true when it was a click on
    // an active cell.
    bool CellClick(int row, int32_t x, int32_t y);
    int GetDynamicCursor(int row, int32_t x, int32_t y) const;
    void Unload();

    // --- scoring and the panel -------------------------------------------------------
    void PlaceLetter(uint8_t letter, TPoint popupPoint, int32_t timeBonus);
    void CheckBonusClick(int row, int col, TPoint popupPoint);
    void OfferBonusCard();
    void BonusCountdown();
    void SetMultiplier(int32_t n);
    void AddPopup(const std::string& text, TPoint point, bool temporary, int style, int align);
    void QuitGame();
    void SetMode(uint8_t m);
    void ShowHelpPage(int page);

    // --- for drawing ---------------------------------------------------------------
    TCellLook CellLook(int row, int col) const;
    // The digit picture at display position 1-6 and whether it is rolling.
    int ScoreDigit(int position) const;
    TRect RowBoxOf(int row) const;

    // --- state (names as the game's documentation uses them) ---------------------------
    int32_t LevelIndex = 0;
    std::array<uint16_t, 6> Words{};
    std::array<std::string, 6> Answers;
    std::array<std::string, 6> Marks;
    std::array<std::string, 6> Clues;
    std::array<int32_t, 6> IconNumbers{};
    std::string LetterQueue;
    std::array<uint8_t, 256> ShowCounts{};
    uint8_t Scene = 0;
    uint8_t Mode = kModeNotStarted;
    int32_t ReleaseDelay = 0;
    int32_t SpeedNum = 9;
    int32_t SpeedDen = 10;
    int32_t LagTicks = 0;
    int32_t WipeKind = 0;
    int32_t WipeStep = 0;
    int32_t LogoIndex = 0;
    int32_t MinClueWidth = 200;
    bool IconClues = false;

    int32_t Score = 0;
    int32_t ShownScore = 0;
    std::array<uint8_t, 7> RollFlags{};
    int32_t Multiplier = 1;
    int32_t BonusFrame = -1;
    int32_t BonusRow = 0;
    int32_t BonusCol = 0;
    TBonusKind BonusKind = TBonusKind::Points;
    int32_t BonusLife = 0;
    int32_t BonusPoints = 0;
    bool ExtraLifeNext = false;
    bool HadRepeats = false;
    int32_t TallyRow = 1;
    int32_t TallyPos = 1;
    bool TallyBlink = false;
    int32_t TallyTotal = 0;
    std::array<bool, 6> RowFailed{};
    TUvoList DyingLives;
    TUvoList Popups;

    int32_t SavedRelease = 0;
    int32_t HelpPage = 0;

    static constexpr int kSpeedCap[4] = {0, 75, 120, 200};

  private:
    bool BuildPuzzle();
    void BuildLetterQueue();
    uint8_t CurrentLetter() const;
    void StartSceneScript();
    void EndSceneScript();
    void AnimalStep(const std::string& argument);
    void GameEvent();
    void ReleaseEvent();
    void NextLetter();
    void StartTally();
    void Flash();
    void ScoreEvent();
    void TallyEvent();
    void DyingEvent();
    void PopupsEvent();
    void DelayedExit();
    void ExitEvent();
    void TrafficButton(const std::string& boxId);
    void SoundButton();
    bool TimerEvent(const std::string& timer);
    void RepaintLetter(uint8_t letter);
    void RepaintAllCells();
    void TakeLifeIntoDying();
    int Speed() const;

    TPlayHost& host_;
    // Depth of scenes ended at once, so that an animal with no events anywhere cannot
    // run the cycle round without end.
    int emptySceneChain_ = 0;
};

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
// The board and its letters: building a level's puzzle from the word list, the animal's
// scene cycle that brings the cards, clicks on the cells, and the opening wipe.
#include <algorithm>
#include <charconv>

#include "foundation/random.h"
#include "foundation/text_codec.h"
#include "game/gameplay/play_rules.h"
#include "wordlist/word_list.h"

namespace qr {

using namespace play_timer;

namespace board {

TRect RowBox(int row, int answerLength, bool iconClues) {
    const int32_t left = iconClues ? 86 : 35;
    const int32_t top = (iconClues ? 60 : 77) + 60 * (row - 1);
    return TRect::FromOriginSize({left, top}, kCellPitch * answerLength, kCellHeight);
}

TRect CellRect(TRect rowBox, int col) {
    return TRect::FromOriginSize({rowBox.Left + kCellPitch * (col - 1), rowBox.Top}, kCellWidth,
                                 kCellHeight);
}

int WipeSteps(int kind) {
    switch (kind) {
    case 0:
        return 4;
    case 5:
        return 12;
    default:
        return 11;
    }
}

TRect WipeBand(int kind, int k, int32_t w, int32_t h) {
    static constexpr TRect kPieces[12] = {
        {323, 38, 470, 145},  {224, 233, 470, 312}, {0, 0, 470, 38},      {470, 165, 600, 312},
        {93, 86, 224, 215},   {470, 0, 600, 165},   {93, 38, 323, 86},    {93, 215, 224, 400},
        {324, 145, 470, 233}, {0, 38, 93, 400},     {224, 312, 600, 400}, {224, 86, 324, 233},
    };
    switch (kind) {
    case 0: {
        const int32_t j = 4 - k;
        return {j * (w / 10), j * (h / 10), w - j * (w / 10), h - j * (h / 10)};
    }
    case 1:
        return {k * w / 12, 0, (k + 1) * w / 12, h};
    case 2:
        return {w - (k + 1) * w / 12, 0, w - k * w / 12, h};
    case 3:
        return {0, k * h / 12, w, (k + 1) * h / 12};
    case 4:
        return {0, h - (k + 1) * h / 12, w, h - k * h / 12};
    default:
        return k >= 0 && k < 12 ? kPieces[k] : TRect{};
    }
}

} // namespace board

std::string RemoveBraceComment(std::string_view text) {
    std::string s(text);
    size_t open = s.find('{');
    if (open == std::string::npos) return s;
    size_t close = s.find('}', open);
    // An unclosed comment runs to the end of the text.
    size_t end = close == std::string::npos ? s.size() : close + 1;
    if (open > 0 && s[open - 1] == ' ') --open;
    s.erase(open, end - open);
    return s;
}

void SplitAnswer(std::string_view text, std::string& answer, std::string& marks) {
    answer.clear();
    marks.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        const uint8_t c = uint8_t(text[i]);
        if (c == '[' && i + 2 < text.size() && text[i + 2] == ']') {
            answer += text[i + 1];
            marks += '*';
            i += 2;
            continue;
        }
        answer += char(c);
        // 26 and 128 are letters of the game's fonts that have no second case.
        marks += (IsLetter(c) || c == 26 || c == 128) ? ' ' : '*';
    }
}

std::string ClueText(std::string_view text) {
    std::string out;
    bool braced = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '[' && i + 2 < text.size() && text[i + 2] == ']') {
            out += text[i + 1];
            i += 2;
        } else if (c == '{' && !braced) {
            out += '(';
            braced = true;
        } else if (c == '}' && braced) {
            out += ')';
            braced = false;
        } else {
            out += c;
        }
    }
    return out;
}

std::string ScrambleLetters(std::string_view text) {
    std::vector<size_t> letters;
    for (size_t i = 0; i < text.size(); ++i)
        if (IsLetter(uint8_t(text[i]))) letters.push_back(i);
    std::string out(text);
    for (int attempt = 0; attempt < 101; ++attempt) {
        out = text;
        for (size_t i = letters.size(); i >= 2; --i) {
            const size_t j = GameRandom().Random(uint32_t(i));
            std::swap(out[letters[i - 1]], out[letters[j]]);
        }
        if (out != text) break;
    }
    return out;
}

// ---- entering -------------------------------------------------------------------------

int TPlayRules::Speed() const {
    return std::clamp(host_.Settings().speed, 1, 3);
}

uint8_t TPlayRules::CurrentLetter() const {
    return LetterQueue.empty() ? 0 : uint8_t(LetterQueue[0]);
}

TRect TPlayRules::RowBoxOf(int row) const {
    return board::RowBox(row, int(Answers[size_t(row)].size()), IconClues);
}

void TPlayRules::Enter() {
    host_.PrepareRoom();
    DyingLives.Clear();
    Popups.Clear();
    // A row failed in the last tally (or in the game lost before this one) is no
    // concern of this level.
    RowFailed.fill(false);
    LogoIndex = int32_t(GameRandom().Random(10));
    host_.CreateAnimal();
    Score = ShownScore = host_.RunningScore();
    RollFlags.fill(0);
    WipeKind = int32_t(GameRandom().Random(6));
    WipeStep = 0;
    host_.AddTimer(kFlash, 1);
    host_.ShowSoundAndCaption();

    const TPlaySettings settings = host_.Settings();
    IconClues = settings.iconClues;
    host_.Report("LEVEL " + std::to_string(LevelIndex) + " " +
                 ToUtf8(host_.WordList().LevelName(size_t(std::max(LevelIndex, 0)))));
    const bool anythingToFind = BuildPuzzle();
    if (IconClues) host_.BuildIconStrip(IconNumbers);
    if (LevelIndex == 0) {
        Mode = kModeNotStarted;
        SpeedNum = 9;
        SpeedDen = 10;
        ExtraLifeNext = false;
    } else if (SpeedDen < 24) {
        SpeedNum += 2;
        SpeedDen += 2;
    }
    SetMode(kModePlaying);
    ReleaseDelay = settings.releaseDelay;
    for (int32_t i = 0; i < LevelIndex; ++i)
        ReleaseDelay = (ReleaseDelay * SpeedNum + SpeedDen / 2) / SpeedDen;

    if (anythingToFind) {
        Scene = 0;
        StartSceneScript();
        host_.StepAnimal();
    } else {
        // Every cell shows from the start: the level is already complete. It ends as a
        // finished one does, through the tally, instead of waiting for a letter that never
        // comes; the animal stays away, so the child is not kept watching a level in which
        // there is nothing to do.
        Scene = 6;
        StartTally();
    }
    host_.AddTimer(kUpLives, 10);
    BonusFrame = -1;
    HadRepeats = false;
    SetMultiplier(1);
}

bool TPlayRules::BuildPuzzle() {
    TQRWordList& list = host_.WordList();
    const TPlaySettings settings = host_.Settings();
    const std::string clueLanguage = IconClues ? std::string() : settings.clueLanguage;
    std::array<uint16_t, 5> slots;
    std::copy(Words.begin() + 1, Words.end(), slots.begin());
    list.ChooseRoundWords(clueLanguage, settings.answerLanguage, LevelIndex, slots);
    std::copy(slots.begin(), slots.end(), Words.begin() + 1);

    const bool vocabulary = list.ListType() == TListType::Vocabulary;
    int32_t widest = 0;
    for (int r = 1; r <= 5; ++r) {
        const uint16_t entry = Words[size_t(r)];
        const std::string answerText =
            vocabulary ? list.GetTranslation(settings.answerLanguage, entry) : list.Word(entry);
        SplitAnswer(RemoveBraceComment(answerText), Answers[size_t(r)], Marks[size_t(r)]);
        std::string clue =
            ClueText(vocabulary ? list.GetTranslation(clueLanguage, entry) : list.Clue(entry));
        if (list.ListType() == TListType::Anagrams) {
            if (!clue.empty()) clue = ": " + clue;
            clue = ScrambleLetters(LowerCase(Answers[size_t(r)])) + clue;
        }
        Clues[size_t(r)] = clue;
        host_.SetRowBox(r, RowBoxOf(r));
        widest = std::max(widest, host_.ClueTextWidth(clue));

        const uint16_t source = list.Source(entry);
        const TImportDetails* details = source > 0 ? list.ImportSource(source - 1u) : nullptr;
        IconNumbers[size_t(r)] = int32_t(entry) - (details ? std::max(details->FirstWord, 0) : 0);
    }
    MinClueWidth = std::clamp(widest + 10, 200, 434);
    BuildLetterQueue();
    return !LetterQueue.empty();
}

void TPlayRules::BuildLetterQueue() {
    LetterQueue.clear();
    for (int r = 1; r <= 5; ++r) {
        const std::string& answer = Answers[size_t(r)];
        for (size_t i = 0; i < answer.size(); ++i) {
            if (Marks[size_t(r)][i] != ' ') continue;
            const char lower = char(LowerChar(uint8_t(answer[i])));
            if (LetterQueue.find(lower) == std::string::npos) LetterQueue += lower;
        }
    }
    for (size_t i = LetterQueue.size(); i >= 2; --i)
        std::swap(LetterQueue[i - 1], LetterQueue[GameRandom().Random(uint32_t(i))]);
    ShowCounts.fill(0);
}

// ---- events ---------------------------------------------------------------------------

bool TPlayRules::RunScript(const std::string& name, const std::string& argument) {
    if (name.empty()) return TimerEvent(argument);
    if (name == "STARTSCENE") {
        StartSceneScript();
    } else if (name == "ENDSCENE") {
        EndSceneScript();
    } else if (name == "ANIMAL") {
        AnimalStep(argument);
    } else if (name == "ESCAPE") {
        SetMode(kModeQuitAsked);
    } else if (name == "SOUNDBTN") {
        SoundButton();
    } else if (name == "HELPBTN") {
        SetMode(kModeHelp);
    } else if (name == "TRAFFICBTN") {
        TrafficButton(argument);
    } else if (name == "WEBVISITBTN" || name == "EMAILBTN") {
        host_.OpenLink(name == "EMAILBTN");
    } else if (name == "YESQUITBTN") {
        QuitGame();
    } else if (name == "NOQUITBTN") {
        SetMode(kModePlaying);
    } else if (name == "NEXTHELP") {
        ShowHelpPage(HelpPage + 1);
    } else if (name == "PREVHELP") {
        ShowHelpPage(HelpPage - 1);
    } else {
        return false;
    }
    return true;
}

bool TPlayRules::TimerEvent(const std::string& timer) {
    if (timer == "DELAY") {
        if (Mode == kModePlaying) {
            Scene = 0;
            StartSceneScript();
        } else {
            host_.AddTimer(kDelay, 5);
        }
    } else if (timer == "FLASH") {
        Flash();
    } else if (timer == "RELEASE") {
        ReleaseEvent();
    } else if (timer == "GAME") {
        GameEvent();
    } else if (timer == "SCORE") {
        ScoreEvent();
    } else if (timer == "TALLY") {
        TallyEvent();
    } else if (timer == "BONUSCARD") {
        if (Mode != kModePlaying) {
            host_.AddTimer(kBonusCard, 5);
        } else {
            BonusFrame = (BonusFrame + 1) % 3;
            host_.RepaintRect(board::CellRect(RowBoxOf(BonusRow), BonusCol));
            host_.AddTimer(kBonusCard, 2);
        }
    } else if (timer == "UPLIVES") {
        if (host_.TimeLeft(kFlash) < 0) {
            host_.FidgetLives();
            host_.RepaintLives();
        }
        host_.AddTimer(kUpLives, 3);
    } else if (timer == "DYING") {
        DyingEvent();
    } else if (timer == "POPUPS") {
        PopupsEvent();
    } else if (timer == "DELAYEDEXIT") {
        DelayedExit();
    } else if (timer == "EXIT") {
        ExitEvent();
    } else {
        return false;
    }
    return true;
}

void TPlayRules::StartSceneScript() {
    if (Scene == 3 && !LetterQueue.empty()) {
        // The letter goes back into the queue somewhere after the front, and the next one
        // becomes current.
        const size_t length = LetterQueue.size();
        const size_t position = GameRandom().Random(uint32_t(length)) + 2; // 1-based
        LetterQueue.insert(position - 1, 1, LetterQueue[0]);
        LetterQueue.erase(0, 1);
        host_.PlaySound(19);
        host_.MeshLetterCard();
    }
    if (host_.StartScene(Scene)) {
        emptySceneChain_ = 0;
        host_.AddTimer(kAnimal, 1);
    } else if (++emptySceneChain_ > 7) {
        // Every scene of the cycle is empty: let the timer end the scene instead, one
        // scene per tick.
        emptySceneChain_ = 0;
        host_.AddTimer(kAnimal, 1);
    } else {
        EndSceneScript();
    }
}

void TPlayRules::EndSceneScript() {
    if (Scene == 6) return;
    if (Scene == 4 || Scene == 5) {
        if (Scene == 4) host_.AddTimer(kGame, 1);
        Scene = 1;
    } else {
        ++Scene;
    }
    if (Scene == 2) {
        host_.AddTimer(kRelease, uint32_t(std::max(ReleaseDelay, 0)));
        LagTicks = 0;
    }
    StartSceneScript();
}

void TPlayRules::AnimalStep(const std::string& argument) {
    if (Mode != kModePlaying || host_.TimeLeft(kFlash) >= 0) {
        host_.AddTimer(kAnimal, 5);
        return;
    }
    if (!host_.WentIdle()) {
        ++LagTicks;
        host_.AddTimer(kAnimal, 1);
        return;
    }
    int64_t late = 1;
    const char* end = argument.data() + argument.size();
    if (auto [p, ec] = std::from_chars(argument.data(), end, late); ec != std::errc() || p != end)
        late = 1;
    late = std::clamp<int64_t>(late, 0, 1000);
    bool ended = false;
    for (int64_t i = 0; i <= late && !ended; ++i)
        ended = !host_.StepAnimal();
    host_.RepaintAnimal();
    if (ended)
        EndSceneScript();
    else
        host_.AddTimer(kAnimal, 1);
}

void TPlayRules::GameEvent() {
    if (Mode != kModePlaying) {
        host_.AddTimer(kGame, 5);
        return;
    }
    if (LetterQueue.empty()) return;
    const uint8_t letter = CurrentLetter();
    ++ShowCounts[letter];
    host_.BuildLetterCard(letter, ShowCounts[letter]);
    host_.ReleaseAnimal();
    host_.Report("CARD " + ToUtf8(std::string(1, char(letter))) + " " +
                 std::to_string(ShowCounts[letter]));
}

void TPlayRules::ReleaseEvent() {
    if (Mode != kModePlaying) {
        host_.AddTimer(kRelease, 5);
        LagTicks -= 5;
        return;
    }
    if (LagTicks > 0) {
        host_.AddTimer(kRelease, uint32_t(LagTicks / 2));
        LagTicks = 0;
        return;
    }
    SetMultiplier(1);
    if (BonusFrame >= 0) {
        BonusLife = 1;
        BonusCountdown();
    }
    const uint8_t letter = CurrentLetter();
    if (letter != 0 && ShowCounts[letter] >= 3) {
        PlaceLetter(letter, {0, 0}, 0);
        NextLetter();
    } else {
        host_.ReleaseAnimal();
    }
}

void TPlayRules::NextLetter() {
    if (LetterQueue.empty()) {
        Scene = 6;
        SetMultiplier(1);
        StartTally();
    } else {
        const uint8_t letter = CurrentLetter();
        ++ShowCounts[letter];
        host_.BuildLetterCard(letter, ShowCounts[letter]);
        host_.Report("CARD " + ToUtf8(std::string(1, char(letter))) + " " +
                     std::to_string(ShowCounts[letter]));
        OfferBonusCard();
        Scene = host_.SceneIsEmpty(5) ? 1 : 5;
    }
    host_.StartScene(Scene);
}

void TPlayRules::StartTally() {
    TallyRow = 1;
    TallyPos = 1;
    TallyBlink = false;
    host_.AddTimer(kTally, 5);
}

// ---- clicks ---------------------------------------------------------------------------

int TPlayRules::GetDynamicCursor(int row, int32_t x, int32_t y) const {
    if (Mode != kModePlaying || Scene != 2 || row < 1 || row > 5 || x < 0) return 0;
    if (x % board::kCellPitch < 1 || x % board::kCellPitch > 16 || y < 1 || y > 24) return 0;
    const size_t col = size_t(x / board::kCellPitch) + 1;
    const std::string& marks = Marks[size_t(row)];
    if (col > marks.size() || marks[col - 1] != ' ') return 0;
    return 1;
}

bool TPlayRules::CellClick(int row, int32_t x, int32_t y) {
    if (GetDynamicCursor(row, x, y) != 1 || LetterQueue.empty()) return false;
    const int col = x / board::kCellPitch + 1;
    const TRect box = RowBoxOf(row);
    const uint8_t letter = CurrentLetter();
    const uint8_t cell = LowerChar(uint8_t(Answers[size_t(row)][size_t(col - 1)]));
    if (cell == letter || ShowCounts[letter] >= 3) {
        const bool right = cell == letter;
        CheckBonusClick(row, col, {box.Left + x, box.Top - 28});
        int32_t timeBonus = 0;
        if (right)
            timeBonus = std::max(host_.TimeLeft(kRelease), 0) + std::max(LagTicks / 2, 0);
        else
            SetMultiplier(1);
        PlaceLetter(letter, {box.Right + 4, box.Top + 2}, timeBonus);
        if (Score > ShownScore) host_.ReplaceTimer(kScore, 1);
        if (right) {
            host_.PlaySound(21);
        } else {
            host_.PlaySound(18);
            if (BonusFrame >= 0) BonusLife = 1;
        }
        host_.RemoveTimer(kRelease);
        host_.RemoveTimer(kGame);
        NextLetter();
    } else {
        Marks[size_t(row)][size_t(col - 1)] = '*';
        host_.RepaintCell(row, col);
        bool hidden = false;
        for (int r = 1; r <= 5 && !hidden; ++r)
            for (size_t i = 0; i < Answers[size_t(r)].size() && !hidden; ++i)
                hidden =
                    Marks[size_t(r)][i] == ' ' && LowerChar(uint8_t(Answers[size_t(r)][i])) == cell;
        if (!hidden) {
            const size_t at = LetterQueue.find(char(cell));
            if (at != std::string::npos) LetterQueue.erase(at, 1);
        }
        host_.Report("WRONG " + ToUtf8(std::string(1, char(cell))));
        host_.PlaySound(18);
        SetMultiplier(1);
        if (BonusFrame >= 0) BonusLife = 1;
        host_.ReplaceTimer(kRelease, 0);
    }
    BonusCountdown();
    return true;
}

// ---- drawing decisions and the wipe ----------------------------------------------------

TCellLook TPlayRules::CellLook(int row, int col) const {
    const bool blinkedOff = row < 0;
    row = std::abs(row);
    TCellLook look;
    if (row < 1 || row > 5 || col < 1 || col > board::kMaxDrawnCells) return look;
    const std::string& answer = Answers[size_t(row)];
    if (size_t(col) > answer.size() || answer[size_t(col - 1)] == ' ') return look;
    const uint8_t c = uint8_t(answer[size_t(col - 1)]);
    const char mark = Marks[size_t(row)][size_t(col - 1)];
    if (!blinkedOff && (mark == '*' || mark == '-')) {
        const int count = ShowCounts[LowerChar(c)];
        look.kind = TCellLook::Letter;
        look.letter = c;
        if (RowFailed[size_t(row)])
            look.font = 3;
        else if (mark == '*' && count < 3)
            look.font = -1;
        else
            look.font = std::clamp(count, 1, 3);
        return look;
    }
    look.kind = (BonusFrame >= 0 && row == BonusRow && col == BonusCol) ? TCellLook::BonusCard
                                                                        : TCellLook::Covered;
    return look;
}

void TPlayRules::Flash() {
    if (Mode != kModePlaying) {
        host_.AddTimer(kFlash, 2);
        return;
    }
    const TPoint screen = host_.ScreenSize();
    host_.RepaintRect(board::WipeBand(WipeKind, WipeStep, screen.X, screen.Y));
    if (++WipeStep >= board::WipeSteps(WipeKind)) {
        host_.RepaintAll();
        host_.AddTimer(kGame, 30);
    } else {
        host_.AddTimer(kFlash, 1);
    }
}

void TPlayRules::RepaintLetter(uint8_t letter) {
    for (int r = 1; r <= 5; ++r)
        for (size_t i = 0; i < Answers[size_t(r)].size(); ++i)
            if (LowerChar(uint8_t(Answers[size_t(r)][i])) == letter)
                host_.RepaintCell(r, int(i) + 1);
}

void TPlayRules::RepaintAllCells() {
    for (int r = 1; r <= 5; ++r)
        for (size_t i = 0; i < Answers[size_t(r)].size(); ++i)
            host_.RepaintCell(r, int(i) + 1);
}

void TPlayRules::Unload() {
    DyingLives.Clear();
    Popups.Clear();
}

} // namespace qr

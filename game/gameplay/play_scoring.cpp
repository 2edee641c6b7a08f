// SPDX-License-Identifier: GPL-3.0-or-later
// Scoring: placing a letter, the bonus cards, the rolling score display, the tally at the
// end of a level with its failed rows and lost lives, the popups, and how a level hands
// over to the next one, the diploma or the end of the game.
#include <algorithm>

#include "foundation/random.h"
#include "foundation/text_codec.h"
#include "game/gameplay/play_rules.h"
#include "wordlist/word_list.h"

namespace qr {

using namespace play_timer;

namespace {

// Points per cell by the show count of its letter.
int32_t CellPoints(int count) {
    switch (count) {
    case 1:
        return 125;
    case 2:
        return 50;
    default:
        return 0;
    }
}

std::string LetterText(uint8_t letter) {
    return ToUtf8(std::string(1, char(letter)));
}

} // namespace

TDyingLife::TDyingLife() {
    // Sideways one way or the other at 1-9 pixels a step, and a little upwards.
    const int32_t sign = int32_t(GameRandom().Random(2)) * 2 - 1;
    DX = sign * (int32_t(GameRandom().Random(9)) + 1);
    DY = -(int32_t(GameRandom().Random(3)) + 1);
}

void TPlayRules::SetMultiplier(int32_t n) {
    Multiplier = n;
    host_.SetFrame("MULTI", n - 1);
}

void TPlayRules::PlaceLetter(uint8_t letter, TPoint popupPoint, int32_t timeBonus) {
    const int count = ShowCounts[letter];
    const int speed = Speed();
    int32_t points = count <= 3 ? std::min(kSpeedCap[speed], timeBonus) * speed * (4 - count) : 0;
    if (count > 1) HadRepeats = true;
    if (!LetterQueue.empty() && uint8_t(LetterQueue[0]) == letter) LetterQueue.erase(0, 1);
    for (int r = 1; r <= 5; ++r) {
        std::string& marks = Marks[size_t(r)];
        for (size_t i = 0; i < Answers[size_t(r)].size(); ++i) {
            if (LowerChar(uint8_t(Answers[size_t(r)][i])) != letter) continue;
            if (marks[i] == '*' && count != 3) continue;
            marks[i] = '-';
            points += CellPoints(count);
            host_.RepaintCell(r, int(i) + 1);
        }
    }
    if (points > 0) {
        points *= Multiplier;
        Score += points;
        AddPopup(std::to_string(points), popupPoint, true, 1, 0);
    }
    host_.Report("PLACE " + LetterText(letter) + " " + std::to_string(points));
}

void TPlayRules::OfferBonusCard() {
    const int32_t n = int32_t(LetterQueue.size());
    if (BonusFrame >= 0 || n < 1) return;
    TRandom& rnd = GameRandom();
    if (rnd.Random(10) >= 3) return;
    const int32_t life = std::min(int32_t(rnd.Random(3)) + 3, n);
    int32_t k = std::min(int32_t(rnd.Random(uint32_t(2 * life))) + 1, n);
    if (k == life + 1) k = life;
    const uint8_t letter = uint8_t(LetterQueue[size_t(k - 1)]);

    auto holds = [&](int row) {
        const std::string& a = Answers[size_t(row)];
        return std::any_of(a.begin(), a.end(),
                           [&](char c) { return LowerChar(uint8_t(c)) == letter; });
    };
    int tries = 0;
    int row = 0;
    do {
        if (tries++ >= 30) return;
        row = int(rnd.Random(5)) + 1;
    } while (!holds(row));
    const std::string& answer = Answers[size_t(row)];
    int col = 0;
    do {
        if (tries++ >= 100) return;
        col = int(rnd.Random(uint32_t(answer.size()))) + 1;
    } while (LowerChar(uint8_t(answer[size_t(col - 1)])) != letter);

    BonusLife = life;
    BonusRow = row;
    BonusCol = col;
    host_.AddTimer(kBonusCard, 10);
    host_.PlaySound(20);
    if (ExtraLifeNext) {
        ExtraLifeNext = false;
        BonusKind = TBonusKind::ExtraLife;
    } else if (host_.Lives() < 5 && rnd.Random(100) < 30) {
        BonusKind = TBonusKind::LifeToken;
    } else if (HadRepeats && rnd.Random(100) < 20) {
        BonusKind = TBonusKind::Recount;
    } else {
        BonusPoints = 400 * (6 - life) * (6 - life);
        const uint32_t r = rnd.Random(120) / 10;
        if (r < 4 && Multiplier < 2)
            BonusKind = TBonusKind::Double;
        else if ((r == 4 || r == 5) && Multiplier != 3)
            BonusKind = TBonusKind::Triple;
        else
            BonusKind = TBonusKind::Points;
    }
    host_.Report("BONUS offer " + std::to_string(int(BonusKind)));
}

void TPlayRules::CheckBonusClick(int row, int col, TPoint popupPoint) {
    if (BonusFrame < 0) return;
    const std::string& answer = Answers[size_t(BonusRow)];
    if (BonusCol < 1 || size_t(BonusCol) > answer.size() ||
        LowerChar(uint8_t(answer[size_t(BonusCol - 1)])) != CurrentLetter())
        return;
    ExtraLifeNext = false;
    if (row == BonusRow && col == BonusCol) {
        int32_t points = 0;
        switch (BonusKind) {
        case TBonusKind::Points:
            points = BonusPoints;
            break;
        case TBonusKind::LifeToken:
            ExtraLifeNext = true;
            points = 30;
            break;
        case TBonusKind::Recount:
            for (int c = 0; c < 256; ++c) {
                const bool waiting = LetterQueue.find(char(c)) != std::string::npos;
                if (ShowCounts[size_t(c)] > 1 && (!waiting || uint8_t(c) == CurrentLetter()))
                    --ShowCounts[size_t(c)];
            }
            RepaintAllCells();
            HadRepeats = false;
            points = 750;
            break;
        case TBonusKind::ExtraLife:
            host_.AddLife();
            host_.Report("LIVES " + std::to_string(host_.Lives()));
            points = 500;
            break;
        case TBonusKind::Double:
            SetMultiplier(2);
            points = 400;
            break;
        case TBonusKind::Triple:
            SetMultiplier(3);
            points = 1000;
            break;
        }
        Score += points;
        AddPopup(std::to_string(points), popupPoint, true, 0, 2);
        host_.PlaySound(22);
        host_.Report("BONUS take " + std::to_string(int(BonusKind)) + " " + std::to_string(points));
    } else {
        host_.PlaySound(24);
        host_.Report("BONUS lost");
    }
    BonusFrame = -1;
    host_.RemoveTimer(kBonusCard);
}

void TPlayRules::BonusCountdown() {
    if (BonusFrame < 0) return;
    if (--BonusLife >= 1) return;
    BonusFrame = -1;
    host_.RepaintCell(BonusRow, BonusCol);
    host_.RemoveTimer(kBonusCard);
    host_.PlaySound(23);
    ExtraLifeNext = false;
    host_.Report("BONUS lost");
}

// ---- the score display ------------------------------------------------------------------

void TPlayRules::ScoreEvent() {
    int result = 0;
    if (std::any_of(RollFlags.begin() + 1, RollFlags.end(), [](uint8_t f) { return f != 0; })) {
        RollFlags.fill(0);
        result = 1;
    } else {
        int32_t m = 10;
        for (int p = 6; p >= 1; --p, m *= 10) {
            if (ShownScore % m != Score % m) {
                RollFlags[size_t(p)] = 1;
                ShownScore += m / 10;
                result = 2;
                break;
            }
        }
    }
    if (result != 0) {
        host_.DrawScore();
        host_.AddTimer(kScore, uint32_t(result));
        host_.LoopSound(16);
    } else {
        host_.StopSound(16);
    }
}

int TPlayRules::ScoreDigit(int position) const {
    int32_t divisor = 1;
    for (int i = position; i < 6; ++i)
        divisor *= 10;
    return (ShownScore / divisor) % 10;
}

// ---- the tally ------------------------------------------------------------------------

void TPlayRules::TakeLifeIntoDying() {
    if (auto life = host_.TakeLife()) {
        DyingLives.Append(std::move(life));
        host_.Report("LIVES " + std::to_string(host_.Lives()));
    }
}

void TPlayRules::TallyEvent() {
    if (Mode != kModePlaying) {
        host_.AddTimer(kTally, 10);
        return;
    }
    const size_t w = size_t(std::clamp(TallyRow, 1, 5));
    const std::string& answer = Answers[w];
    const std::string& marks = Marks[w];
    if (!TallyBlink && TallyPos == 1) {
        TallyTotal = 0;
        RowFailed[w] = host_.Lives() <= 0 || std::any_of(answer.begin(), answer.end(), [&](char c) {
                           return ShowCounts[LowerChar(uint8_t(c))] >= 3;
                       });
    }
    if (!TallyBlink && !RowFailed[w])
        while (size_t(TallyPos) <= answer.size() && marks[size_t(TallyPos - 1)] == '*')
            ++TallyPos;
    if (size_t(TallyPos) <= answer.size()) {
        TallyBlink = !TallyBlink;
        if (TallyBlink) {
            host_.RepaintCell(-int(w), TallyPos);
            host_.AddTimer(kTally, 2);
        } else {
            if (!RowFailed[w]) {
                const int count = ShowCounts[LowerChar(uint8_t(answer[size_t(TallyPos - 1)]))];
                const int32_t points = (3 - count) * 3 * TallyPos;
                TallyTotal += points;
                Score += points;
                host_.ReplaceTimer(kScore, 1);
            }
            host_.RepaintCell(int(w), TallyPos);
            ++TallyPos;
            host_.AddTimer(kTally, 1);
        }
        return;
    }
    if (RowFailed[w] && host_.Lives() > 0) {
        TakeLifeIntoDying();
        host_.ReplaceTimer(kDying, 1);
    }
    if (!RowFailed[w] && TallyTotal > 0) {
        const TRect box = RowBoxOf(int(w));
        AddPopup(std::to_string(TallyTotal), {box.Right + 4, box.Top + 2}, false, 2, 0);
    }
    host_.Report("TALLY " + std::to_string(w) + " " +
                 (RowFailed[w] ? std::string("failed") : std::to_string(TallyTotal)));
    if (w < 5) {
        ++TallyRow;
        TallyPos = 1;
        host_.AddTimer(kTally, 5);
    } else {
        host_.AddTimer(kDelayedExit, 2);
    }
}

// ---- sprites --------------------------------------------------------------------------

void TPlayRules::DyingEvent() {
    if (Mode != kModePlaying && Mode != kModeLevelOver) {
        host_.AddTimer(kDying, 5);
        return;
    }
    const int32_t screenWidth = host_.ScreenSize().X;
    for (TDyingLife* life : DyingLives.Nodes<TDyingLife>()) {
        TRect r = life->Rect();
        if (r.Bottom < 0 || r.Right < 0 || r.Left >= screenWidth) {
            DyingLives.Remove(life);
            continue;
        }
        if (life->DX > 0)
            r.Right += life->DX;
        else
            r.Left += life->DX;
        r.Top += life->DY;
        life->Pos = life->Pos + TPoint{life->DX, life->DY};
        if (GameRandom().Random(5) < 2) --life->DY;
        host_.RepaintRect(r);
    }
    if (!DyingLives.IsEmpty()) host_.AddTimer(kDying, 1);
}

void TPlayRules::AddPopup(const std::string& text, TPoint point, bool temporary, int style,
                          int align) {
    auto popup = std::make_unique<TPopupGraphic>();
    popup->Image = host_.MakePopup(text, style, popup->Width);
    switch (align) {
    case 1:
        point.X -= popup->Width;
        break;
    case 2:
        point.X -= popup->Width / 2;
        break;
    default:
        break;
    }
    popup->Pos = point;
    popup->Age = temporary ? 0 : -1;
    const TRect r = popup->Rect();
    Popups.Append(std::move(popup));
    host_.RepaintRect(r);
    if (temporary) host_.ReplaceTimer(kPopups, 10);
}

void TPlayRules::PopupsEvent() {
    if (Mode != kModePlaying) {
        host_.AddTimer(kPopups, 5);
        return;
    }
    for (TPopupGraphic* popup : Popups.Nodes<TPopupGraphic>()) {
        const TRect r = popup->Rect();
        // An old popup leaves before its area is repainted, so that it does not linger.
        if (popup->Age == 5)
            Popups.Remove(popup);
        else if (popup->Age >= 0)
            ++popup->Age;
        host_.RepaintRect(r);
    }
    if (!Popups.IsEmpty()) host_.AddTimer(kPopups, 3);
}

// ---- the end of a level and of the game ------------------------------------------------

void TPlayRules::DelayedExit() {
    if (host_.TimeLeft(kAnimal) >= 0) {
        host_.AddTimer(kDelayedExit, 5);
    } else if (Score > ShownScore || !DyingLives.IsEmpty()) {
        SetMode(kModeLevelOver);
        host_.AddTimer(kDelayedExit, 2);
    } else {
        host_.AddTimer(kExit, 10);
    }
}

void TPlayRules::ExitEvent() {
    host_.SetRunningScore(Score);
    host_.Report("SCORE " + std::to_string(Score));
    const int32_t levels = int32_t(host_.WordList().LevelCount());
    // A list without levels still plays one level and ends, rather than counting on.
    if (host_.Lives() <= 0 || LevelIndex >= levels - 1) {
        host_.EnterHighScore(Score);
        host_.GoRoom(host_.Lives() <= 0 ? "MODSTART" : "DIPLOMA");
    } else {
        ++LevelIndex;
        host_.GoRoom("PLAY");
    }
}

void TPlayRules::QuitGame() {
    host_.ClearTimers();
    while (host_.Lives() > 0) {
        const int before = host_.Lives();
        TakeLifeIntoDying();
        if (host_.Lives() >= before) break;
    }
    host_.AddTimer(kDelayedExit, 1);
    if (!DyingLives.IsEmpty()) host_.AddTimer(kDying, 1);
    if (Score > ShownScore) host_.AddTimer(kScore, 1);
    SetMode(kModeLevelOver);
}

} // namespace qr

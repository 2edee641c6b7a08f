// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/gameplay/auto_player.h"

#include <algorithm>
#include <vector>

#include "foundation/random.h"
#include "foundation/text_codec.h"
#include "game/gameplay/play_rules.h"

namespace qr {

void TAutoPlayer::Start(int accuracy, int32_t delay) {
    active_ = true;
    accuracy_ = std::clamp(accuracy, 0, 100);
    delay_ = delay;
    cardUp_ = false;
    clicked_ = false;
}

std::optional<TAutoClick> TAutoPlayer::Tick(const TPlayRules& rules) {
    if (!active_) return std::nullopt;
    const bool up = rules.Mode == kModePlaying && rules.Scene == 2 && !rules.LetterQueue.empty() &&
                    rules.ShowCounts[uint8_t(rules.LetterQueue[0])] > 0;
    if (!up) {
        cardUp_ = false;
        return std::nullopt;
    }
    if (!cardUp_) {
        cardUp_ = true;
        clicked_ = false;
        wait_ = delay_ >= 0
                    ? delay_
                    : int32_t(GameRandom().Random(uint32_t(std::max(rules.ReleaseDelay, 1))));
    }
    if (clicked_) return std::nullopt;
    if (wait_ > 0) {
        --wait_;
        return std::nullopt;
    }
    clicked_ = true;
    return Choose(rules);
}

std::optional<TAutoClick> TAutoPlayer::Choose(const TPlayRules& rules) {
    const uint8_t letter = uint8_t(rules.LetterQueue[0]);
    std::vector<TAutoClick> right, wrong;
    for (int r = 1; r <= 5; ++r) {
        const std::string& answer = rules.Answers[size_t(r)];
        for (size_t i = 0; i < answer.size(); ++i) {
            if (rules.Marks[size_t(r)][i] != ' ') continue;
            TAutoClick click;
            click.row = r;
            // The middle of the cell, clear of the gaps.
            click.point = {int32_t(i) * board::kCellPitch + board::kCellWidth / 2,
                           board::kCellHeight / 2};
            click.right = LowerChar(uint8_t(answer[i])) == letter;
            (click.right ? right : wrong).push_back(click);
        }
    }
    const bool aimRight = int(GameRandom().Random(100)) < accuracy_;
    // With no wrong cell left, a miss is a card let go.
    std::vector<TAutoClick>& pool = aimRight ? right : wrong;
    if (pool.empty()) return std::nullopt;
    return pool[GameRandom().Random(uint32_t(pool.size()))];
}

} // namespace qr

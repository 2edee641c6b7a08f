// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The room where the player picks a language serves three callers: the interface
// language, and the clue or the answer language of the current module. Whoever sends the
// player there says first which one, through this face of the room.
namespace qr {

class TLanguageChoice {
  public:
    enum : int { kInterfaceLanguage = 0, kClueLanguage = 1, kAnswerLanguage = 2 };
    virtual ~TLanguageChoice() = default;
    virtual void SetPickMode(int mode) = 0;
};

} // namespace qr

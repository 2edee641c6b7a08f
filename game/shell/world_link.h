// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the main window needs of the world: the player's settings going in at start-up and
// out at shut-down, its clock, and the flags through which it asks to quit. The world
// engine implements this; until a world script is loaded, TSettingsWorld stands in: a
// world without rooms, where a close request quits at once.
#include <memory>
#include <string>

#include "game/shell/settings.h"

namespace qr {

class WorldLink {
  public:
    virtual ~WorldLink() = default;
    virtual void SetPlayerSettings(const TPlayerSettings& s) = 0;
    virtual TPlayerSettings PlayerSettings() const = 0;
    // True when the loaded word list has icon clues.
    virtual bool WordListHasIcons() const { return false; }
    virtual void Start() = 0;
    virtual void SetFocus(bool active) {}
    virtual void Tick(int steps) = 0;
    virtual bool QuitFlag() const = 0;
    virtual void RequestClose() = 0;
    virtual std::string CurrentRoomID() const { return {}; }
    // Clock steps the world has run.
    virtual long Clock() const = 0;
};

class TSettingsWorld : public WorldLink {
  public:
    void SetPlayerSettings(const TPlayerSettings& s) override { settings_ = s; }
    TPlayerSettings PlayerSettings() const override { return settings_; }
    void Start() override {}
    void Tick(int steps) override { clock_ += steps; }
    bool QuitFlag() const override { return quit_; }
    // No current room: the request quits directly.
    void RequestClose() override { quit_ = true; }
    long Clock() const override { return clock_; }

  private:
    TPlayerSettings settings_;
    long clock_ = 0;
    bool quit_ = false;
};

} // namespace qr

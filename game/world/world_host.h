// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything the world asks of the program around it: message boxes and the
// confirmation dialog, the window's caption and cursor, the mouse and key state, the
// screen, sound and music. The main window implements it over the platform layer;
// tests implement it to watch and steer the world. Every operation has a harmless
// default so a host only overrides what it serves.
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/geometry.h"

namespace qr {

class TPX8ImageData;

// Virtual key numbers the world watches.
enum : int { kVkShift = 16, kVkControl = 17, kVkEscape = 27, kVkDelete = 46, kVkCapital = 20 };
// Keys that edit typed text.
enum : int { kVkBack = 8, kVkReturn = 13, kVkLeft = 37, kVkRight = 39 };

// Cursor numbers with a meaning of their own.
enum : int { kCursorHidden = -1, kCursorDefault = 0, kCursorHourglass = 1000 };

class TWorldHost {
  public:
    virtual ~TWorldHost() = default;

    // A plain message box with an OK button.
    virtual void ShowMessage(const std::string& text) {}
    // The confirmation dialog in the working language; buttons and result as TDlgConfirm.
    virtual int Confirm(const std::string& caption, const std::string& message, int buttons) {
        return 7;
    }
    // A Yes/No question in the standard message box; true for Yes.
    virtual bool AskYesNo(const std::string& text) { return false; }

    virtual void SetCaption(const std::string& caption) {}
    // A room switch has happened (from is empty for the first room).
    virtual void RoomEntered(const std::string& from, const std::string& to) {}
    // The cursor shown over the paint box (1-25 the game's own, kCursorHourglass).
    virtual void SetCursor(int cursor) {}
    // The mouse in paint-box coordinates.
    virtual TPoint MousePos() { return {-1, -1}; }
    virtual bool KeyDown(int virtualKey) { return false; }
    // Lets pending window messages run (without re-entering the tick).
    virtual void LetMessagesRun() {}

    // A text of the room did not fit its place. Shortened: a single line cut on purpose to
    // end in "...", the text as shown; otherwise it was cut, wrapped out of its box or
    // left blank, the whole text. Nothing a player sees: for the headless driver's checks.
    virtual void TextDidNotFit(const std::string& room, const std::string& where,
                               const std::string& text, bool shortened) {}

    // Copies the work image's damaged rectangles (its damage list, work-image coordinates)
    // to the screen at the offset; with blackFrame a one-pixel black frame is drawn around
    // the 602x402 area afterwards. The world forgets the damage once this returns.
    virtual void Present(TPX8ImageData& work, TPoint offset, bool blackFrame) {}

    // Wave sounds.
    virtual bool WaveDevicePresent() { return false; }
    virtual bool WaveEnabled() { return false; }
    virtual bool WavePlaying() { return false; }
    virtual void PlaySound(int number) {}
    // Starts the sound looped unless it is already the one playing.
    virtual void LoopSound(int number) {}
    // Ends a looped sound.
    virtual void StopLoops() {}
    // The player's sound switch.
    virtual void SetWaveEnabled(bool on) {}
    virtual void StopWaves() {}

    // Music.
    virtual bool MidiDevicePresent() { return false; }
    virtual bool MusicEnabled() { return false; }
    virtual void SetMusicEnabled(bool on) {}
    // Playing, seeking or paused.
    virtual bool MusicBusy() { return false; }
    virtual void PlayMusic(int track) {}
    virtual void StopMusic() {}
};

} // namespace qr

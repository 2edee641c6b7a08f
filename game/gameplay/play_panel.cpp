// SPDX-License-Identifier: GPL-3.0-or-later
// The control panel around the board: the traffic light that plays, pauses and stops,
// the help pages, the quit question and the sound switch. The mode decides which of its
// buttons work; in any mode but playing, the level's own events wait.
#include <algorithm>

#include "game/gameplay/play_rules.h"

namespace qr {

using namespace play_timer;

namespace {

// Which modes enable each button (bit m for mode m).
struct TModeButton {
    const char* id;
    unsigned modes;
};
constexpr unsigned M(int m) {
    return 1u << m;
}
constexpr TModeButton kButtons[] = {
    {"T0", M(2) | M(3) | M(5)},
    {"T1", M(1) | M(3) | M(5)},
    {"T2", M(1) | M(2) | M(3)},
    {"P0UNPAUSE", M(2)},
    {"WEBVISIT", M(2)},
    {"EMAIL", M(2)},
    {"H0UNPAUSE", M(3)},
    {"NEXTHELP", M(3)},
    {"HELP", M(0) | M(1) | M(2) | M(3) | M(5)},
    {"YESQUIT", M(5)},
    {"NOQUIT", M(5)},
    {"PREVHELP", 0},
};

int TrafficFrame(uint8_t mode) {
    switch (mode) {
    case kModeNotStarted:
    case kModePlaying:
        return 0;
    case kModePaused:
    case kModeHelp:
        return 1;
    default:
        return 2;
    }
}

} // namespace

void TPlayRules::SetMode(uint8_t m) {
    if (m == Mode) return;
    if (Mode == kModePlaying) {
        SavedRelease = host_.TimeLeft(kRelease);
    } else if (m == kModePlaying && host_.TimeLeft(kRelease) >= 0) {
        host_.ReplaceTimer(kRelease, uint32_t(std::max(SavedRelease, 0)));
    }
    for (const TModeButton& b : kButtons)
        host_.EnableHitBox(b.id, (b.modes & M(m)) != 0);
    host_.SetFrame("TRAFFIC", TrafficFrame(m));
    Mode = m;
    if (m == kModeHelp) ShowHelpPage(0);
    if (host_.IsCurrentRoom()) host_.RepaintAll();
}

void TPlayRules::ShowHelpPage(int page) {
    // The buttons already stop at the first and last page; a stray script must not
    // reach a page that does not exist either.
    if (page < 0 || page >= board::kHelpPages) return;
    HelpPage = page;
    if (Mode != kModeHelp) return;
    host_.DrawHelpPage(page);
    host_.EnableHitBox("NEXTHELP", page < board::kHelpPages - 1);
    host_.EnableHitBox("PREVHELP", page >= 1);
}

void TPlayRules::TrafficButton(const std::string& boxId) {
    const char light = boxId.size() >= 2 ? boxId[1] : '\0';
    if (light == '0') {
        SetMode(kModePlaying);
    } else if (light == '1') {
        SetMode(kModePaused);
    } else if (light == '2') {
        if (host_.ShiftDown() && host_.CtrlDown())
            ExitEvent();
        else if (host_.ShiftDown())
            host_.QuitProgram();
        else
            SetMode(kModeQuitAsked);
    }
}

void TPlayRules::SoundButton() {
    const int frame = host_.Frame("SOUND") == 1 ? 0 : 1;
    host_.SetFrame("SOUND", frame);
    host_.SetWaveSound(frame == 1);
}

} // namespace qr

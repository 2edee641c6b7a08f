// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/sound/sound_pump.h"

namespace qr {

int PumpSoundEvents(SoundEventQueue& events, TSoundTable* sounds, TMidiPlayer* music) {
    int handled = 0;
    while (auto e = events.Pop()) {
        ++handled;
        if (e->kind == SoundEvent::Kind::WaveDone) {
            if (sounds) sounds->WaveDone(e->token);
        } else if (music) {
            music->SequencerDone(e->token);
        }
    }
    return handled;
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main loop's one call for sound: hands every end of a wave buffer and of a MIDI
// track that the audio back end has posted to the manager it belongs to, on the main
// thread, in the order they happened.
#include "game/sound/midi_player.h"
#include "game/sound/sound_table.h"
#include "platform/sound_events.h"

namespace qr {

// Drains the queue; returns how many events were handled. Either manager may be null
// (that kind of event is then dropped).
int PumpSoundEvents(SoundEventQueue& events, TSoundTable* sounds, TMidiPlayer* music);

} // namespace qr

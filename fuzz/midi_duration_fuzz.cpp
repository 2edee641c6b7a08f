// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as a standard MIDI file for its playing time.
#include "platform/headless/midi_duration.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qr::MidiDuration(data, size);
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How long a standard MIDI file plays: the simulated sequencer lets a track last as long as
// its file says, so the headless game hears the ends of its real music at the right times.
// Reads the header, every track's events and the tempo changes; malformed files give no
// answer rather than a guess.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace qr {

// Milliseconds from the start to the last event of the longest track.
std::optional<uint32_t> MidiDuration(const uint8_t* bytes, size_t size);
std::optional<uint32_t> MidiFileDuration(const std::string& path);

} // namespace qr

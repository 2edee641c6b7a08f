// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game names its sounds by small event codes. The sound table maps each code to a
// sound number and each number to a wave file named in "sounds.dat" (compiled from the
// editable "sounds.txt"), and owns the one wave manager through which the rooms play,
// loop and unload their sounds.
#include <cstdint>
#include <memory>
#include <string>

#include "foundation/uvo_list.h"
#include "game/sound/wave_man.h"

namespace qr {

// One line of the table: the wave file's base name (the ID) and its sound number. The ID is
// kept upper-case like every ID; FileName keeps the line as written, for file systems that
// tell case apart.
class TSoundInfoNode : public TIDNode {
  public:
    TSoundInfoNode(std::string_view name, uint16_t number)
        : TIDNode(name), Number(number), FileName(name) {}
    uint16_t Number;
    std::string FileName;
};

// Event code -> sound number (18 and 19 trade places, 21-24 are shuffled, unknown -> 0).
uint16_t MapEventCode(int code);
// The conversion rule for "sounds.txt": the first word of a line that is neither empty,
// a "[section]" header nor a "#" comment.
bool SoundsLineFilter(std::string& line);

class TSoundTable {
  public:
    TSoundTable() = default;
    ~TSoundTable();

    // Creates the wave manager over the output, sets its folder (the "wav" folder) and reads
    // the table from `soundsBase` + ".dat", compiling `soundsBase` + ".txt" first when that is
    // newer. A table that cannot be read leaves every number without a name.
    void InitSound(WaveOut& output, bool wantSound, const std::string& waveFolder,
                   const std::string& soundsBase);
    // Frees the wave manager (before the audio output it uses goes away).
    void DoneSound();

    // Play once: may displace a loop or a one-shot. A sound whose file is missing or broken
    // just does not play (false).
    bool PlaySound(int code);
    // Start a loop, unless that sound is already the current one.
    bool PlayLoop(int code);
    void StopLoops();
    void UnloadAll();
    void UnloadSound(int code);
    void SetSoundEnabled(bool wantSound);
    bool WaveDeviceAvailable() const;
    bool IsLooping() const;
    // A WaveDone event's token; the ID of the sound that ended, or 0.
    int WaveDone(uint32_t userValue);

    // The wave manager's log lines ("SOUND ..."), for this and every later InitSound.
    void SetLog(TWaveMan::Log log);

    // Whether wave sound can be heard: the wave manager's Enabled.
    bool Available() const { return available_; }
    TWaveMan* WaveMan() const { return waveMan_.get(); }
    const TIDList& Table() const { return table_; }
    // The wave file named for a sound number; empty when the table has no such line.
    std::string NameOf(uint16_t number) const;

  private:
    bool Play(int code, unsigned mode, bool loop);

    std::unique_ptr<TWaveMan> waveMan_;
    TIDList table_;
    bool available_ = false;
    TWaveMan::Log log_;
};

// The program-wide sound table that rooms play through. Until InitSound it has no wave
// manager and every operation does nothing.
TSoundTable& Sounds();

} // namespace qr

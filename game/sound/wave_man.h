// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TWaveMan plays the game's short sounds one at a time through the platform's wave
// output. It keeps the loaded sounds in queue order and, by the mode word of each request,
// lets a new sound interrupt the one playing, queue behind it or be refused; when a sound
// ends (the WaveDone event reaches the main thread) it starts the next one waiting.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/uvo_list.h"
#include "platform/wave_out.h"

namespace qr {

// Bits of TSoundNode::Flags.
constexpr uint8_t kSoundDiscard = 1;   // free the sound after it has played
constexpr uint8_t kSoundPending = 2;   // waiting to be started
constexpr uint8_t kSoundPlayAgain = 4; // play it again after it ends
constexpr uint8_t kSoundFront = 8;     // when it ends, put it back at the front of the queue

// Bits of the mode word of TWaveMan::PlaySound.
constexpr unsigned kModeKeepLoopOff = 1; // a displaced loop is not resumed
constexpr unsigned kModeDisplaceLoop = 2;
constexpr unsigned kModeDisplaceOneShot = 4;
constexpr unsigned kModeStopLoop = 8;       // stop a displaced loop at once (implies 2)
constexpr unsigned kModeStopOneShot = 16;   // stop a displaced one-shot at once (implies 4)
constexpr unsigned kModeEvenIfPlaying = 32; // act even when the sound asked for is the one playing

// One loaded sound: its format, header and samples, and while it plays its device.
class TSoundNode : public TUvoNode {
  public:
    TSoundNode(uint16_t id, WaveFormat format, std::vector<uint8_t> samples, uint8_t flags);

    bool Loops() const { return Header.Loops() && Header.loops > 1; }

    uint16_t ID;
    WaveFormat Format;
    WaveHeader Header;
    std::vector<uint8_t> Samples;
    // Declared after Samples: the device is closed before the samples it plays are freed.
    std::unique_ptr<WaveOutDevice> Device;
    bool Playing = false;
    uint8_t Flags;
};

class TWaveMan {
  public:
    using Log = std::function<void(const std::string& line)>;

    TWaveMan(WaveOut& output, bool wantSound);
    // Stops the playing sound, then frees every sound.
    ~TWaveMan();
    TWaveMan(const TWaveMan&) = delete;
    TWaveMan& operator=(const TWaveMan&) = delete;

    void SetEnabled(bool wantSound);
    bool Enabled() const { return enabled_; }
    void SetFolder(const std::string& path);
    const std::string& Folder() const { return folder_; }

    // Loads Folder + name + ".wav" under the ID unless a sound with that ID is loaded.
    // True when a sound with the ID is loaded afterwards; false when disabled. A missing
    // or broken file raises SilentAbort.
    bool LoadSound(const std::string& name, uint16_t id, uint8_t flags);
    bool PlaySound(uint16_t id, unsigned mode, bool loop);
    // A WaveDone event's token. Returns the ID of the sound that ended, or 0.
    uint16_t WaveDone(uint32_t userValue);
    void UnloadSound(uint16_t id);
    void UnloadAll();
    void StopLoops();
    int CurrentID() const;
    bool IsCurrentLooping() const;
    void StopCurrent();
    // 1000 means practically endless (10 000 000 passes); counts of 0 and 1 play once.
    static void SetLoops(TSoundNode& node, uint32_t count);

    // Lines "SOUND play <n>", "SOUND loop <n>", "SOUND stop", "SOUND end <n>".
    void SetLog(Log log) { log_ = std::move(log); }
    TSoundNode* FindSound(uint16_t id) const;
    const TUvoList& Sounds() const { return sounds_; }
    int DeviceCount() const { return output_.DeviceCount(); }

  private:
    TSoundNode* FirstPlaying() const;
    TSoundNode* FindByUser(uint32_t userValue) const;
    bool Start(TSoundNode& node);
    // Resets and closes the node's device; the end is still to be reported.
    void Close(TSoundNode& node);
    // Close, for a sound cut short: logged.
    void Stop(TSoundNode& node);
    void Unload(TSoundNode& node);
    void Free(TSoundNode& node);
    void Say(const std::string& line) const {
        if (log_) log_(line);
    }

    WaveOut& output_;
    TUvoList sounds_;
    bool enabled_ = false;
    std::string folder_;
    Log log_;
};

} // namespace qr

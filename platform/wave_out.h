// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Wave output as the game's sound manager expects it: a device is opened for one PCM
// format, one buffer is written to it (played once or a number of times in a loop), and
// the end of that buffer is posted to the SoundEventQueue as a WaveDone event carrying the
// header's user value. Exactly one WaveDone follows every successful Write: when the
// buffer plays out, or at once when the device is reset before that.
#include <cstdint>
#include <memory>

namespace qr {

// The PCM format of a sound, as stored at the head of a wave file's "fmt " chunk.
struct WaveFormat {
    uint16_t formatTag = 1; // 1 = PCM, the only tag a device accepts
    uint16_t channels = 1;
    uint32_t samplesPerSec = 22050;
    uint32_t avgBytesPerSec = 22050;
    uint16_t blockAlign = 1;
    uint16_t bitsPerSample = 8;
    uint16_t extraSize = 0;

    // PCM, 8 or 16 bits, mono or stereo, a sane rate and a block size that fits them.
    bool IsPlayable() const;
};

// Header flags, with the meanings (and values) of the classic wave API.
constexpr uint32_t kWaveHdrDone = 0x01;
constexpr uint32_t kWaveHdrPrepared = 0x02;
constexpr uint32_t kWaveHdrBeginLoop = 0x04;
constexpr uint32_t kWaveHdrEndLoop = 0x08;

struct WaveHeader {
    const uint8_t* data =
        nullptr;         // must stay valid until the WaveDone is posted or the device is reset
    uint32_t length = 0; // bytes
    uint32_t user = 0;   // returned in the WaveDone event
    uint32_t flags = 0;
    uint32_t loops = 0; // passes, used when both loop flags are set

    bool Loops() const {
        return (flags & (kWaveHdrBeginLoop | kWaveHdrEndLoop)) ==
               (kWaveHdrBeginLoop | kWaveHdrEndLoop);
    }
    uint32_t Passes() const { return Loops() && loops > 1 ? loops : 1; }
};

// One open output for one sound. Destroying it closes it: a buffer still playing is
// reset first (so its WaveDone is posted).
class WaveOutDevice {
  public:
    virtual ~WaveOutDevice() = default;
    // Queues the buffer; false when the device cannot take it (one buffer at a time).
    // The header is copied: later changes to the caller's header do not reach the device.
    virtual bool Write(const WaveHeader& header) = 0;
    // The pass now playing is the last one.
    virtual void BreakLoop() = 0;
    // Stops at once; a buffer that had not finished is reported done.
    virtual void Reset() = 0;
};

class WaveOut {
  public:
    virtual ~WaveOut() = default;
    // Number of output devices: 0 when there is no usable audio output.
    virtual int DeviceCount() const = 0;
    // A device for the format, or null when there is none or the format is not playable.
    virtual std::unique_ptr<WaveOutDevice> Open(const WaveFormat& format) = 0;
};

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Simulated audio for tests and the headless driver. Nothing is heard: a written wave
// buffer lasts its sample count (times its passes) and a MIDI track a configurable length,
// measured on a virtual clock that only moves when Advance is called. Ends are posted to
// the SoundEventQueue exactly as the real back end posts them.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/midi_sequencer.h"
#include "platform/sound_events.h"
#include "platform/wave_out.h"

namespace qr {

class HeadlessWaveDevice;

class HeadlessWaveOut : public WaveOut {
  public:
    explicit HeadlessWaveOut(SoundEventQueue& events, int deviceCount = 1);
    ~HeadlessWaveOut() override;

    int DeviceCount() const override { return deviceCount_; }
    std::unique_ptr<WaveOutDevice> Open(const WaveFormat& format) override;

    void SetDeviceCount(int count) { deviceCount_ = count; }
    // Lets Open fail even with a device, as a busy or refusing driver would.
    void SetOpenFails(bool fails) { openFails_ = fails; }
    // Moves the virtual clock on; buffers that finish in that time post their WaveDone.
    void Advance(uint32_t milliseconds);
    // Devices now open (for tests).
    size_t OpenDevices() const { return devices_.size(); }

  private:
    friend class HeadlessWaveDevice;
    SoundEventQueue& events_;
    int deviceCount_;
    bool openFails_ = false;
    std::vector<HeadlessWaveDevice*> devices_;
};

class HeadlessMidiSequencer : public MidiSequencer {
  public:
    // Length of a track, in milliseconds, given its path.
    using LengthOf = std::function<uint32_t(const std::string& path)>;

    explicit HeadlessMidiSequencer(SoundEventQueue& events, int deviceCount = 1);

    int DeviceCount() const override { return deviceCount_; }
    // Accepts a readable file that starts like a standard MIDI file ("MThd").
    void Open(const std::string& path) override;
    bool IsOpen() const override { return open_; }
    void Play() override;
    void Stop() override;
    void Close() override;
    MidiMode Mode() const override;
    uint32_t Serial() const override { return serial_; }

    void SetDeviceCount(int count) { deviceCount_ = count; }
    // A track lasts what a LengthOf function says, else as long as its file plays, else (a
    // file whose length cannot be read) this long, 60 s unless set.
    void SetDefaultLength(uint32_t milliseconds) { defaultLength_ = milliseconds; }
    void SetLengthOf(LengthOf lengthOf) { lengthOf_ = std::move(lengthOf); }
    // Moves the virtual clock on; a track that reaches its end posts its MidiDone.
    void Advance(uint32_t milliseconds);
    const std::string& OpenPath() const { return path_; }

  private:
    SoundEventQueue& events_;
    int deviceCount_;
    uint32_t defaultLength_ = 60000;
    LengthOf lengthOf_;
    bool open_ = false;
    bool playing_ = false;
    std::string path_;
    uint32_t serial_ = 0;
    uint64_t length_ = 0;
    uint64_t position_ = 0;
};

} // namespace qr

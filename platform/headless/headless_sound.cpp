// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless/headless_sound.h"

#include <algorithm>
#include <fstream>

#include "platform/headless/midi_duration.h"

namespace qr {

// Time is kept in microseconds: a pass of a short sound at 22 050 Hz is not a whole
// number of milliseconds, and rounding every pass would make long loops drift.
class HeadlessWaveDevice : public WaveOutDevice {
  public:
    HeadlessWaveDevice(HeadlessWaveOut& owner, const WaveFormat& format)
        : owner_(owner), format_(format) {
        owner_.devices_.push_back(this);
    }
    ~HeadlessWaveDevice() override {
        Reset();
        auto& d = owner_.devices_;
        d.erase(std::remove(d.begin(), d.end(), this), d.end());
    }

    bool Write(const WaveHeader& header) override {
        if (busy_) return false;
        const uint64_t frames = format_.blockAlign ? header.length / format_.blockAlign : 0;
        passLength_ = frames * 1000000 / format_.samplesPerSec;
        passes_ = header.Passes();
        pass_ = 0;
        position_ = 0;
        user_ = header.user;
        busy_ = true;
        if (passLength_ == 0) Finish();
        return true;
    }
    void BreakLoop() override {
        if (busy_) passes_ = pass_ + 1;
    }
    void Reset() override {
        if (busy_) Finish();
    }

    void Advance(uint64_t micros) {
        if (!busy_) return;
        position_ += micros;
        while (busy_ && position_ >= passLength_) {
            position_ -= passLength_;
            if (++pass_ >= passes_) Finish();
        }
    }

  private:
    void Finish() {
        busy_ = false;
        owner_.events_.Post({SoundEvent::Kind::WaveDone, user_});
    }

    HeadlessWaveOut& owner_;
    WaveFormat format_;
    bool busy_ = false;
    uint64_t passLength_ = 0;
    uint32_t passes_ = 1;
    uint32_t pass_ = 0;
    uint64_t position_ = 0;
    uint32_t user_ = 0;
};

HeadlessWaveOut::HeadlessWaveOut(SoundEventQueue& events, int deviceCount)
    : events_(events), deviceCount_(deviceCount) {}

HeadlessWaveOut::~HeadlessWaveOut() = default;

std::unique_ptr<WaveOutDevice> HeadlessWaveOut::Open(const WaveFormat& format) {
    if (deviceCount_ <= 0 || openFails_ || !format.IsPlayable()) return nullptr;
    return std::make_unique<HeadlessWaveDevice>(*this, format);
}

void HeadlessWaveOut::Advance(uint32_t milliseconds) {
    // A device may be closed while events are posted, but never inside Advance.
    const auto devices = devices_;
    for (auto* d : devices)
        d->Advance(uint64_t(milliseconds) * 1000);
}

HeadlessMidiSequencer::HeadlessMidiSequencer(SoundEventQueue& events, int deviceCount)
    : events_(events), deviceCount_(deviceCount) {}

void HeadlessMidiSequencer::Open(const std::string& path) {
    Close();
    std::ifstream f(path, std::ios::binary);
    char magic[4] = {};
    if (!f.read(magic, 4) || std::string(magic, 4) != "MThd")
        throw MidiError("Cannot open the MIDI file \"" + path + "\"");
    path_ = path;
    open_ = true;
    ++serial_;
    if (lengthOf_)
        length_ = lengthOf_(path);
    else
        length_ = MidiFileDuration(path).value_or(defaultLength_);
    position_ = 0;
}

void HeadlessMidiSequencer::Play() {
    if (!open_) return;
    position_ = 0;
    playing_ = true;
}

void HeadlessMidiSequencer::Stop() {
    playing_ = false;
}

void HeadlessMidiSequencer::Close() {
    open_ = false;
    playing_ = false;
    path_.clear();
}

MidiMode HeadlessMidiSequencer::Mode() const {
    if (!open_) return MidiMode::NotOpen;
    return playing_ ? MidiMode::Playing : MidiMode::Stopped;
}

void HeadlessMidiSequencer::Advance(uint32_t milliseconds) {
    if (!playing_) return;
    position_ += milliseconds;
    if (position_ >= length_) {
        playing_ = false;
        events_.Post({SoundEvent::Kind::MidiDone, serial_});
    }
}

} // namespace qr

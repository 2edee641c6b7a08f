// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/sdl_sound.h"

#include <SDL.h>
#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <thread>
#include <unistd.h>
#include <vector>

#include "platform/wave_mixer.h"

namespace qr {

namespace {

constexpr int kRate = 44100;
constexpr int kBufferFrames = 1024;

class SdlWaveDevice;

// While it lives, the process's standard error goes nowhere. The sound libraries under SDL
// (ALSA, above all) print their own lines while SDL looks for a device, a handful of them on
// a machine without a sound card; the game goes on silently there, and the user's terminal
// is no place for them. QUILRUSH_VERBOSE=1 lets them through.
class QuietStderr {
  public:
    QuietStderr() {
        if (const char* v = std::getenv("QUILRUSH_VERBOSE"); v && *v && std::strcmp(v, "0") != 0)
            return;
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null < 0) return;
        std::fflush(stderr);
        saved_ = fcntl(2, F_DUPFD_CLOEXEC, 3);
        if (saved_ >= 0) dup2(null, 2);
        close(null);
    }
    ~QuietStderr() {
        if (saved_ < 0) return;
        std::fflush(stderr);
        dup2(saved_, 2);
        close(saved_);
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

  private:
    int saved_ = -1;
};

// Holds the device lock for a scope; the audio callback never runs while it is held.
class AudioLock {
  public:
    explicit AudioLock(SDL_AudioDeviceID dev) : dev_(dev) { SDL_LockAudioDevice(dev_); }
    ~AudioLock() { SDL_UnlockAudioDevice(dev_); }
    AudioLock(const AudioLock&) = delete;
    AudioLock& operator=(const AudioLock&) = delete;

  private:
    SDL_AudioDeviceID dev_;
};

} // namespace

struct SdlAudio::Core {
    SoundEventQueue& events;
    SDL_AudioDeviceID device = 0;
    int rate = kRate;
    bool subsystem = false;
    std::string soundfont;
    bool soundfontReadable = false;
    std::atomic<bool> soundfontFailed{false};
    std::atomic<uint64_t> framesRendered{0};
    std::atomic<uint64_t> trackEndFrame{0};
    std::thread loader;

    // Everything below is shared with the audio callback: touched only under the device
    // lock (or before the device opens / after it closes).
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    std::vector<SdlWaveDevice*> voices;
    struct Track {
        bool open = false;
        bool playing = false; // what the program wants: set by Play, cleared by Stop and by the end
        std::string path;
        fluid_player_t* player = nullptr;
        uint32_t serial = 0;
    } track;

    explicit Core(SoundEventQueue& e) : events(e) {}

    void Render(float* out, size_t frames);
    void StartPlayerLocked();
    void DropPlayerLocked();
    void LoadSynth();
};

namespace {

class SdlWaveDevice : public WaveOutDevice {
  public:
    SdlWaveDevice(SdlAudio::Core& core, const WaveFormat& format) : core_(core), format_(format) {
        AudioLock lock(core_.device);
        core_.voices.push_back(this);
    }
    ~SdlWaveDevice() override {
        AudioLock lock(core_.device);
        FinishLocked();
        auto& v = core_.voices;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }

    bool Write(const WaveHeader& header) override {
        AudioLock lock(core_.device);
        if (voice_) return false;
        voice_.emplace(format_, header);
        if (voice_->Finished()) FinishLocked();
        return true;
    }
    void BreakLoop() override {
        AudioLock lock(core_.device);
        if (voice_) voice_->BreakLoop();
    }
    void Reset() override {
        AudioLock lock(core_.device);
        FinishLocked();
    }

    // Called by the audio callback.
    void MixLocked(float* out, size_t frames) {
        if (voice_ && voice_->MixInto(out, frames, uint32_t(core_.rate))) FinishLocked();
    }

  private:
    void FinishLocked() {
        if (!voice_) return;
        core_.events.Post({SoundEvent::Kind::WaveDone, voice_->UserValue()});
        voice_.reset();
    }

    SdlAudio::Core& core_;
    WaveFormat format_;
    std::optional<WaveVoice> voice_;
};

class SdlWaveOut : public WaveOut {
  public:
    explicit SdlWaveOut(SdlAudio::Core& core) : core_(core) {}
    int DeviceCount() const override { return core_.device ? 1 : 0; }
    std::unique_ptr<WaveOutDevice> Open(const WaveFormat& format) override {
        if (!core_.device || !format.IsPlayable()) return nullptr;
        return std::make_unique<SdlWaveDevice>(core_, format);
    }

  private:
    SdlAudio::Core& core_;
};

class SdlMidiSequencer : public MidiSequencer {
  public:
    explicit SdlMidiSequencer(SdlAudio::Core& core) : core_(core) {}

    int DeviceCount() const override {
        return core_.device && core_.soundfontReadable && !core_.soundfontFailed ? 1 : 0;
    }
    void Open(const std::string& path) override {
        if (!core_.device) return;
        if (!fluid_is_midifile(path.c_str()))
            throw MidiError("Cannot open the MIDI file \"" + path + "\"");
        AudioLock lock(core_.device);
        core_.DropPlayerLocked();
        core_.track.open = true;
        core_.track.playing = false;
        core_.track.path = path;
        ++core_.track.serial;
    }
    bool IsOpen() const override {
        if (!core_.device) return false;
        AudioLock lock(core_.device);
        return core_.track.open;
    }
    void Play() override {
        if (!core_.device) return;
        AudioLock lock(core_.device);
        if (!core_.track.open) return;
        core_.DropPlayerLocked(); // always from the start
        core_.track.playing = true;
        core_.StartPlayerLocked();
    }
    void Stop() override {
        if (!core_.device) return;
        AudioLock lock(core_.device);
        core_.track.playing = false;
        if (core_.track.player) fluid_player_stop(core_.track.player);
        if (core_.synth) fluid_synth_all_notes_off(core_.synth, -1);
    }
    void Close() override {
        if (!core_.device) return;
        AudioLock lock(core_.device);
        core_.DropPlayerLocked();
        core_.track.open = false;
        core_.track.playing = false;
        core_.track.path.clear();
    }
    MidiMode Mode() const override {
        if (!core_.device) return MidiMode::NotOpen;
        AudioLock lock(core_.device);
        if (!core_.track.open) return MidiMode::NotOpen;
        return core_.track.playing ? MidiMode::Playing : MidiMode::Stopped;
    }
    uint32_t Serial() const override {
        if (!core_.device) return 0;
        AudioLock lock(core_.device);
        return core_.track.serial;
    }

  private:
    SdlAudio::Core& core_;
};

void AudioCallback(void* userdata, Uint8* stream, int len) {
    auto* core = static_cast<SdlAudio::Core*>(userdata);
    core->Render(reinterpret_cast<float*>(stream), size_t(len) / (2 * sizeof(float)));
}

// fluidsynth's chatter would reach the player's terminal; only real errors go there.
void QuietLog(int level, const char* message, void*) {
    if (level <= FLUID_ERR) SDL_LogError(SDL_LOG_CATEGORY_AUDIO, "fluidsynth: %s", message);
}

} // namespace

void SdlAudio::Core::Render(float* out, size_t frames) {
    if (synth) {
        fluid_synth_write_float(synth, int(frames), out, 0, 2, out, 1, 2);
    } else {
        std::memset(out, 0, frames * 2 * sizeof(float));
    }
    if (track.player && track.playing) {
        // The player reports DONE only a while after its last event; the end of the
        // longest track is the end the program should hear about.
        const int total = fluid_player_get_total_ticks(track.player);
        const bool done = fluid_player_get_status(track.player) == FLUID_PLAYER_DONE ||
                          (total > 0 && fluid_player_get_current_tick(track.player) >= total);
        if (done) {
            track.playing = false;
            trackEndFrame = framesRendered + frames;
            events.Post({SoundEvent::Kind::MidiDone, track.serial});
        }
    }
    for (auto* v : voices)
        static_cast<SdlWaveDevice*>(v)->MixLocked(out, frames);
    for (size_t i = 0; i < frames * 2; ++i)
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
    framesRendered += frames;
}

void SdlAudio::Core::StartPlayerLocked() {
    if (!synth || !track.playing || track.player) return;
    track.player = new_fluid_player(synth);
    if (!track.player) return;
    if (fluid_player_add(track.player, track.path.c_str()) != FLUID_OK ||
        fluid_player_play(track.player) != FLUID_OK) {
        // The end-of-music fallback of the caller takes over; the track just stays silent.
        DropPlayerLocked();
    }
}

void SdlAudio::Core::DropPlayerLocked() {
    if (track.player) {
        fluid_player_stop(track.player);
        delete_fluid_player(track.player);
        track.player = nullptr;
    }
    if (synth) fluid_synth_all_notes_off(synth, -1);
}

void SdlAudio::Core::LoadSynth() {
    fluid_settings_t* s = new_fluid_settings();
    if (!s) {
        soundfontFailed = true;
        return;
    }
    fluid_settings_setnum(s, "synth.sample-rate", double(rate));
    fluid_settings_setnum(s, "synth.gain", 0.5);
    fluid_synth_t* sy = new_fluid_synth(s);
    if (!sy || fluid_synth_sfload(sy, soundfont.c_str(), 1) == FLUID_FAILED) {
        if (sy) delete_fluid_synth(sy);
        delete_fluid_settings(s);
        soundfontFailed = true;
        return;
    }
    AudioLock lock(device);
    settings = s;
    synth = sy;
    StartPlayerLocked();
}

SdlAudio::SdlAudio(SoundEventQueue& events, const std::string& soundfont, bool waves, bool music)
    : core_(std::make_unique<Core>(events)) {
    Core& c = *core_;
    waves_ = std::make_unique<SdlWaveOut>(c);
    midi_ = std::make_unique<SdlMidiSequencer>(c);
    c.soundfont = soundfont.empty() ? DefaultSoundfont() : soundfont;
    c.soundfontReadable = music && access(c.soundfont.c_str(), R_OK) == 0;
    fluid_set_log_function(FLUID_PANIC, QuietLog, nullptr);
    fluid_set_log_function(FLUID_ERR, QuietLog, nullptr);
    fluid_set_log_function(FLUID_WARN, QuietLog, nullptr);
    fluid_set_log_function(FLUID_INFO, QuietLog, nullptr);
    fluid_set_log_function(FLUID_DBG, QuietLog, nullptr);

    if (!waves && !music) return;
    QuietStderr quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    c.subsystem = true;
    SDL_AudioSpec want{};
    want.freq = kRate;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = kBufferFrames;
    want.callback = AudioCallback;
    want.userdata = &c;
    SDL_AudioSpec have{};
    c.device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (!c.device) return;
    c.rate = have.freq;
    SDL_PauseAudioDevice(c.device, 0);
    if (c.soundfontReadable) c.loader = std::thread([&c] { c.LoadSynth(); });
}

SdlAudio::~SdlAudio() {
    Core& c = *core_;
    if (c.loader.joinable()) c.loader.join();
    QuietStderr quiet;
    if (c.device) SDL_CloseAudioDevice(c.device);
    c.device = 0;
    if (c.track.player) delete_fluid_player(c.track.player);
    if (c.synth) delete_fluid_synth(c.synth);
    if (c.settings) delete_fluid_settings(c.settings);
    if (c.subsystem) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::string SdlAudio::DefaultSoundfont() {
    if (const char* env = std::getenv("QUILRUSH_SOUNDFONT"); env && *env) return env;
    return "/usr/share/sounds/sf2/default-GM.sf2";
}

WaveOut& SdlAudio::Waves() {
    return *waves_;
}
MidiSequencer& SdlAudio::Midi() {
    return *midi_;
}

bool SdlAudio::DeviceOpen() const {
    return core_->device != 0;
}
int SdlAudio::SampleRate() const {
    return core_->rate;
}
uint64_t SdlAudio::FramesRendered() const {
    return core_->framesRendered;
}
uint64_t SdlAudio::TrackEndFrame() const {
    return core_->trackEndFrame;
}

bool SdlAudio::WaitForSynth() {
    if (core_->loader.joinable()) core_->loader.join();
    if (!core_->device) return false;
    AudioLock lock(core_->device);
    return core_->synth != nullptr;
}

} // namespace qr

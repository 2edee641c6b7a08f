// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/sound/game_sound.h"

#include "game/sound/sound_pump.h"

namespace qr {

TGameSound::TGameSound(WaveOut& waves, MidiSequencer& midi, SoundEventQueue& events, Clock clock)
    : waves_(waves), midi_(midi), events_(events), clock_(std::move(clock)) {}

TGameSound::~TGameSound() {
    Sounds().DoneSound();
    if (music_) music_->Stop();
    choice_.reset();
    music_.reset();
}

void TGameSound::CreateMusicPlayer(bool wantMusic, const std::string& musicFolder) {
    choice_.reset();
    music_ = std::make_unique<TMidiPlayer>(midi_, wantMusic);
    music_->SetFolder(musicFolder);
    music_->SetLog(log_);
    choice_ = std::make_unique<TMusicChoice>(*music_);
    choice_->SetLog(log_);
    choice_->SetOnMusicEnded([this](int track) {
        if (onEnded_) onEnded_(track);
    });
    music_->SetOnNotify([this] { choice_->TrackEnded(); });
}

void TGameSound::CreateWaveManager(bool wantSound, const std::string& waveFolder,
                                   const std::string& soundsBase) {
    Sounds().SetLog(log_);
    Sounds().InitSound(waves_, wantSound, waveFolder, soundsBase);
}

void TGameSound::Pump() {
    PumpSoundEvents(events_, &Sounds(), music_.get());
}

void TGameSound::Tick() {
    if (choice_) choice_->CheckDeadline(clock_());
}

void TGameSound::FocusLost() {
    if (music_) music_->Stop();
}

void TGameSound::PlayMusic(int track) {
    if (choice_) choice_->PlayMusic(track, clock_());
}

void TGameSound::SetOnMusicEnded(std::function<void(int track)> handler) {
    onEnded_ = std::move(handler);
}

void TGameSound::SetLog(Log log) {
    log_ = std::move(log);
    if (music_) music_->SetLog(log_);
    if (choice_) choice_->SetLog(log_);
    Sounds().SetLog(log_);
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/sound/sound_table.h"

#include "foundation/obf_text.h"
#include "foundation/silent_abort.h"
#include "foundation/utils.h"

namespace qr {

uint16_t MapEventCode(int code) {
    if (code >= 0 && code <= 17) return uint16_t(code);
    switch (code) {
    case 18:
        return 19;
    case 19:
        return 18;
    case 20:
        return 20;
    case 21:
        return 23;
    case 22:
        return 21;
    case 23:
    case 24:
        return 22;
    default:
        return 0;
    }
}

bool SoundsLineFilter(std::string& line) {
    line = Trim(line);
    if (auto space = line.find(' '); space != std::string::npos) line.erase(space);
    if (auto tab = line.find('\t'); tab != std::string::npos) line.erase(tab);
    return !line.empty() && line[0] != '[' && line[0] != '#';
}

TSoundTable::~TSoundTable() = default;

void TSoundTable::InitSound(WaveOut& output, bool wantSound, const std::string& waveFolder,
                            const std::string& soundsBase) {
    waveMan_ = std::make_unique<TWaveMan>(output, wantSound);
    available_ = waveMan_->Enabled();
    waveMan_->SetLog(log_);
    waveMan_->SetFolder(waveFolder);
    table_.Clear();
    TObfText text = TObfText::OpenCompiled(soundsBase, SoundsLineFilter);
    uint16_t number = 0;
    while (!text.EndOfData()) {
        std::string line = text.ReadLine();
        // The filter keeps no empty line, so an empty record is the zero padding that ends
        // every compiled file.
        if (line.empty()) break;
        table_.Append(std::make_unique<TSoundInfoNode>(line, number++));
    }
}

void TSoundTable::SetLog(TWaveMan::Log log) {
    log_ = std::move(log);
    if (waveMan_) waveMan_->SetLog(log_);
}

void TSoundTable::DoneSound() {
    waveMan_.reset();
    available_ = false;
}

std::string TSoundTable::NameOf(uint16_t number) const {
    for (auto* n : table_.Nodes<TSoundInfoNode>())
        if (n->Number == number) return n->FileName;
    return {};
}

bool TSoundTable::Play(int code, unsigned mode, bool loop) {
    const uint16_t n = MapEventCode(code);
    try {
        if (!waveMan_->LoadSound(NameOf(n), n, kSoundDiscard)) return false;
    } catch (const SilentAbort&) {
        return false;
    }
    return waveMan_->PlaySound(n, mode, loop);
}

bool TSoundTable::PlaySound(int code) {
    if (!waveMan_ || !waveMan_->Enabled()) return false;
    return Play(code, kModeDisplaceLoop | kModeDisplaceOneShot, false);
}

bool TSoundTable::PlayLoop(int code) {
    if (!waveMan_ || !waveMan_->Enabled()) return false;
    // Compared with the mapped number: the manager knows sounds by number, not by code.
    if (waveMan_->CurrentID() == MapEventCode(code)) return false;
    return Play(code, kModeKeepLoopOff | kModeDisplaceLoop | kModeDisplaceOneShot, true);
}

void TSoundTable::StopLoops() {
    if (waveMan_) waveMan_->StopLoops();
}

void TSoundTable::UnloadAll() {
    if (waveMan_) waveMan_->UnloadAll();
}

void TSoundTable::UnloadSound(int code) {
    if (waveMan_) waveMan_->UnloadSound(MapEventCode(code));
}

void TSoundTable::SetSoundEnabled(bool wantSound) {
    if (!waveMan_) return;
    waveMan_->SetEnabled(wantSound);
    available_ = waveMan_->Enabled();
}

bool TSoundTable::WaveDeviceAvailable() const {
    return waveMan_ && waveMan_->DeviceCount() > 0;
}

bool TSoundTable::IsLooping() const {
    return waveMan_ && waveMan_->IsCurrentLooping();
}

int TSoundTable::WaveDone(uint32_t userValue) {
    return waveMan_ ? waveMan_->WaveDone(userValue) : 0;
}

TSoundTable& Sounds() {
    static TSoundTable table;
    return table;
}

} // namespace qr

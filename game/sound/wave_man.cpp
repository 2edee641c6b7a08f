// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/sound/wave_man.h"

#include <atomic>

#include "game/sound/riff_wave.h"

namespace qr {

namespace {

// User values of wave headers are unique for the whole run, so an end reported for a
// sound that has since been freed (or for a manager that no longer exists) can never be
// taken for another sound's end.
uint32_t NextUserValue() {
    static std::atomic<uint32_t> next{1};
    return next++;
}

} // namespace

TSoundNode::TSoundNode(uint16_t id, WaveFormat format, std::vector<uint8_t> samples, uint8_t flags)
    : ID(id), Format(format), Samples(std::move(samples)), Flags(flags) {
    Header.data = Samples.data();
    Header.length = uint32_t(Samples.size());
    Header.user = NextUserValue();
    Header.flags = kWaveHdrDone;
}

TWaveMan::TWaveMan(WaveOut& output, bool wantSound) : output_(output) {
    SetEnabled(wantSound);
}

TWaveMan::~TWaveMan() {
    StopCurrent();
    sounds_.Clear();
}

void TWaveMan::SetEnabled(bool wantSound) {
    enabled_ = wantSound && output_.DeviceCount() > 0;
}

void TWaveMan::SetFolder(const std::string& path) {
    folder_ = path;
    if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
}

TSoundNode* TWaveMan::FindSound(uint16_t id) const {
    for (auto* n : sounds_.Nodes<TSoundNode>())
        if (n->ID == id) return n;
    return nullptr;
}

TSoundNode* TWaveMan::FirstPlaying() const {
    for (auto* n : sounds_.Nodes<TSoundNode>())
        if (n->Playing) return n;
    return nullptr;
}

TSoundNode* TWaveMan::FindByUser(uint32_t userValue) const {
    for (auto* n : sounds_.Nodes<TSoundNode>())
        if (n->Header.user == userValue) return n;
    return nullptr;
}

bool TWaveMan::LoadSound(const std::string& name, uint16_t id, uint8_t flags) {
    if (!enabled_) return false;
    if (FindSound(id)) return true;
    WaveData wave = ReadWaveFile(folder_ + name + ".wav");
    sounds_.Append(
        std::make_unique<TSoundNode>(id, wave.format, std::move(wave.samples),
                                     uint8_t(flags & ~(kSoundPending | kSoundPlayAgain))));
    return true;
}

void TWaveMan::SetLoops(TSoundNode& node, uint32_t count) {
    if (count == 1000) count = 10000000;
    node.Header.loops = count;
    if (count > 1)
        node.Header.flags |= kWaveHdrBeginLoop | kWaveHdrEndLoop;
    else
        node.Header.flags &= ~(kWaveHdrBeginLoop | kWaveHdrEndLoop);
}

bool TWaveMan::Start(TSoundNode& node) {
    node.Flags &= ~kSoundPending;
    std::unique_ptr<WaveOutDevice> device = output_.Open(node.Format);
    if (!device) return false;
    if (!device->Write(node.Header)) {
        device->Reset();
        return false;
    }
    node.Device = std::move(device);
    node.Playing = true;
    Say((node.Loops() ? "SOUND loop " : "SOUND play ") + std::to_string(node.ID));
    return true;
}

void TWaveMan::Close(TSoundNode& node) {
    if (!node.Device) return;
    node.Device->Reset();
    node.Device.reset();
}

void TWaveMan::Stop(TSoundNode& node) {
    if (!node.Device) return;
    Say("SOUND stop");
    Close(node);
}

void TWaveMan::Free(TSoundNode& node) {
    sounds_.Remove(&node); // the returned owner frees it
}

bool TWaveMan::PlaySound(uint16_t id, unsigned mode, bool loop) {
    if (!enabled_) return false;
    TSoundNode* node = FindSound(id);
    if (!node) return false;
    if (loop) SetLoops(*node, 1000);
    if (mode & kModeStopLoop) mode |= kModeDisplaceLoop;
    if (mode & kModeStopOneShot) mode |= kModeDisplaceOneShot;

    bool result;
    TSoundNode* cur = FirstPlaying();
    if (!cur) {
        result = Start(*node);
    } else if (cur == node && !(mode & kModeEvenIfPlaying)) {
        result = true;
    } else if ((cur->Loops() && !(mode & kModeDisplaceLoop)) ||
               (!cur->Loops() && !(mode & kModeDisplaceOneShot))) {
        result = cur == node;
    } else if (!cur->Loops()) {
        if (mode & kModeStopOneShot) {
            Stop(*cur);
            cur->Flags |= kSoundFront;
        }
        if (cur != node)
            node->Flags |= kSoundPending;
        else
            cur->Flags |= kSoundPlayAgain;
        result = true;
    } else if (cur != node) {
        if (!(mode & kModeKeepLoopOff)) cur->Flags |= kSoundPlayAgain;
        if (mode & kModeStopLoop)
            Stop(*cur);
        else if (cur->Device)
            cur->Device->BreakLoop();
        node->Flags |= kSoundPending;
        result = true;
    } else {
        if (!loop && (mode & kModeKeepLoopOff) && cur->Device) cur->Device->BreakLoop();
        result = true;
    }
    if (!result && (node->Flags & kSoundDiscard) && !node->Playing) Free(*node);
    return result;
}

uint16_t TWaveMan::WaveDone(uint32_t userValue) {
    uint16_t id = 0;
    if (TSoundNode* node = FindByUser(userValue)) {
        node->Playing = false;
        node->Flags &= ~kSoundPending;
        id = node->ID;
        Close(*node);
        std::unique_ptr<TUvoNode> owned = sounds_.Remove(node);
        if ((node->Flags & kSoundDiscard) && !(node->Flags & kSoundPlayAgain)) {
            owned.reset();
        } else {
            if (node->Flags & kSoundFront) {
                node->Flags &= ~kSoundFront;
                sounds_.InsertFirst(std::move(owned));
            } else {
                sounds_.Append(std::move(owned));
            }
            if (node->Flags & kSoundPlayAgain) {
                node->Flags &= ~kSoundPlayAgain;
                node->Flags |= kSoundPending;
            }
        }
        Say("SOUND end " + std::to_string(id));
    }
    if (FirstPlaying()) return id;

    // A waiting one-shot goes before a waiting loop.
    TSoundNode* chosen = nullptr;
    for (auto* n : sounds_.Nodes<TSoundNode>()) {
        if (!(n->Flags & kSoundPending)) continue;
        if (!chosen || (chosen->Loops() && !n->Loops())) chosen = n;
        if (!chosen->Loops()) break;
    }
    if (!chosen) return id;
    if (chosen->Loops()) {
        // Only one loop survives.
        for (auto* n : sounds_.Nodes<TSoundNode>())
            if (n != chosen && n->Loops() && !n->Playing) Free(*n);
    }
    Start(*chosen);
    return id;
}

void TWaveMan::Unload(TSoundNode& node) {
    if (node.Playing) {
        node.Flags = kSoundDiscard; // freed when its end is reported
        Stop(node);
    } else {
        Free(node);
    }
}

void TWaveMan::UnloadSound(uint16_t id) {
    if (TSoundNode* node = FindSound(id)) Unload(*node);
}

void TWaveMan::UnloadAll() {
    for (auto* n : sounds_.Nodes<TSoundNode>())
        Unload(*n);
}

void TWaveMan::StopLoops() {
    if (TSoundNode* cur = FirstPlaying(); cur && cur->Loops()) Stop(*cur);
    for (auto* n : sounds_.Nodes<TSoundNode>())
        if (n->Header.loops > 1) Unload(*n);
}

int TWaveMan::CurrentID() const {
    TSoundNode* cur = FirstPlaying();
    return cur ? cur->ID : 0;
}

bool TWaveMan::IsCurrentLooping() const {
    TSoundNode* cur = FirstPlaying();
    return cur && cur->Loops();
}

void TWaveMan::StopCurrent() {
    if (TSoundNode* cur = FirstPlaying()) Stop(*cur);
}

} // namespace qr

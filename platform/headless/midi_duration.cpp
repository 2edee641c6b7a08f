// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless/midi_duration.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

namespace qr {

namespace {

class Reader {
  public:
    Reader(const uint8_t* p, size_t n) : p_(p), n_(n) {}
    bool Left(size_t k) const { return n_ - pos_ >= k; }
    size_t Pos() const { return pos_; }
    uint8_t Peek() const { return p_[pos_]; }
    uint8_t U8() { return p_[pos_++]; }
    uint32_t BE(int bytes) {
        uint32_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v = (v << 8) | p_[pos_++];
        return v;
    }
    // A variable-length quantity of at most 4 bytes.
    bool VLQ(uint32_t& v) {
        v = 0;
        for (int i = 0; i < 4; ++i) {
            if (!Left(1)) return false;
            const uint8_t b = U8();
            v = (v << 7) | (b & 0x7F);
            if (!(b & 0x80)) return true;
        }
        return false;
    }
    bool Skip(size_t k) {
        if (!Left(k)) return false;
        pos_ += k;
        return true;
    }

  private:
    const uint8_t* p_;
    size_t n_;
    size_t pos_ = 0;
};

// Reads one track; its end tick goes to `end`, its tempo changes into `tempos`.
bool ReadTrack(Reader r, uint64_t& end, std::map<uint64_t, uint32_t>& tempos) {
    uint64_t tick = 0;
    uint8_t running = 0;
    while (r.Left(1)) {
        uint32_t delta;
        if (!r.VLQ(delta) || !r.Left(1)) return false;
        tick += delta;
        uint8_t status = r.Peek();
        if (status >= 0x80) {
            r.U8();
        } else if (running) {
            status = running;
        } else {
            return false;
        }
        if (status == 0xFF) {
            if (!r.Left(1)) return false;
            const uint8_t type = r.U8();
            uint32_t len;
            if (!r.VLQ(len) || !r.Left(len)) return false;
            if (type == 0x51 && len == 3) {
                Reader t = r;
                tempos[tick] = t.BE(3);
            }
            r.Skip(len);
            if (type == 0x2F) break;
        } else if (status == 0xF0 || status == 0xF7) {
            uint32_t len;
            if (!r.VLQ(len) || !r.Skip(len)) return false;
        } else if (status >= 0xF0) {
            return false; // system messages have no place in a file
        } else {
            running = status;
            const int data = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
            if (!r.Skip(size_t(data))) return false;
        }
    }
    end = std::max(end, tick);
    return true;
}

} // namespace

std::optional<uint32_t> MidiDuration(const uint8_t* bytes, size_t size) {
    Reader r(bytes, size);
    if (!r.Left(14) || r.BE(4) != 0x4D546864) return std::nullopt; // "MThd"
    const uint32_t headerLen = r.BE(4);
    if (headerLen < 6) return std::nullopt;
    r.BE(2); // format: every format ends with its longest track
    const uint32_t tracks = r.BE(2);
    const uint32_t division = r.BE(2);
    if (!r.Skip(headerLen - 6) || division == 0) return std::nullopt;

    uint64_t end = 0;
    std::map<uint64_t, uint32_t> tempos;
    uint32_t found = 0;
    while (found < tracks && r.Left(8)) {
        const uint32_t id = r.BE(4);
        const uint32_t len = r.BE(4);
        if (!r.Left(len)) return std::nullopt;
        if (id == 0x4D54726B) { // "MTrk"
            if (!ReadTrack(Reader(bytes + r.Pos(), len), end, tempos)) return std::nullopt;
            ++found;
        }
        r.Skip(len);
    }
    if (found == 0) return std::nullopt;

    double micros = 0;
    if (division & 0x8000) {
        const int fps = -int8_t(division >> 8);
        const int perFrame = division & 0xFF;
        if (fps <= 0 || perFrame == 0) return std::nullopt;
        micros = double(end) * 1e6 / (fps == 29 ? 29.97 : fps) / perFrame;
    } else {
        uint64_t at = 0;
        uint32_t tempo = 500000;
        for (const auto& [tick, t] : tempos) {
            if (tick >= end) break;
            micros += double(tick - at) * tempo / division;
            at = tick;
            tempo = t;
        }
        micros += double(end - at) * tempo / division;
    }
    return uint32_t(std::min(micros / 1000.0, 4.0e9));
}

std::optional<uint32_t> MidiFileDuration(const std::string& path) {
    // Reading a folder through a stream buffer throws; a folder is no MIDI file.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    return MidiDuration(bytes.data(), bytes.size());
}

} // namespace qr

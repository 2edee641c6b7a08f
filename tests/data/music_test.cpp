// SPDX-License-Identifier: GPL-3.0-or-later
// The six music tracks must be Standard MIDI Files the sequencer can play, lasting about
// their listed lengths: the game stops a track 3 seconds after that length if no end
// notification came, and plays short tracks twice.
#include <gtest/gtest.h>

#include <set>

#include "data_tree.h"

namespace qr {
namespace {

using namespace datatest;

struct MidiInfo {
    std::string fault; // empty when the file is well formed
    double seconds = 0;
    int notes = 0;
    std::set<int> channels;
    bool programs = false;
};

uint32_t Vlq(const std::vector<uint8_t>& d, size_t& at, size_t end) {
    uint32_t v = 0;
    for (int i = 0; i < 4 && at < end; ++i) {
        uint8_t b = d[at++];
        v = v << 7 | (b & 0x7F);
        if (!(b & 0x80)) return v;
    }
    throw std::runtime_error("bad variable-length number");
}

MidiInfo InspectMidi(const std::vector<uint8_t>& d) {
    MidiInfo info;
    try {
        if (d.size() < 14 || std::string(d.begin(), d.begin() + 4) != "MThd" || Be32(d, 4) != 6)
            throw std::runtime_error("no MThd header");
        uint16_t format = Be16(d, 8), tracks = Be16(d, 10), division = Be16(d, 12);
        if (format > 1) throw std::runtime_error("format " + std::to_string(format));
        if (division & 0x8000) throw std::runtime_error("SMPTE timing");
        struct Event {
            uint64_t tick;
            uint32_t tempo; // 0 when not a tempo change
        };
        std::vector<Event> events;
        size_t at = 14;
        for (int t = 0; t < tracks; ++t) {
            if (at + 8 > d.size() || std::string(d.begin() + at, d.begin() + at + 4) != "MTrk")
                throw std::runtime_error("track " + std::to_string(t) + " missing");
            size_t end = at + 8 + Be32(d, at + 4);
            if (end > d.size()) throw std::runtime_error("track runs past the end");
            at += 8;
            uint64_t tick = 0;
            uint8_t status = 0;
            bool ended = false;
            while (at < end) {
                tick += Vlq(d, at, end);
                if (at >= end) throw std::runtime_error("event cut off");
                uint8_t b = d[at];
                if (b == 0xFF) {
                    if (at + 2 > end) throw std::runtime_error("meta event cut off");
                    uint8_t type = d[at + 1];
                    at += 2;
                    uint32_t len = Vlq(d, at, end);
                    if (at + len > end) throw std::runtime_error("meta event cut off");
                    if (type == 0x51 && len == 3)
                        events.push_back(
                            {tick, uint32_t(d[at] << 16 | d[at + 1] << 8 | d[at + 2])});
                    if (type == 0x2F) ended = true;
                    at += len;
                    events.push_back({tick, 0});
                    continue;
                }
                if (b == 0xF0 || b == 0xF7) {
                    ++at;
                    at += Vlq(d, at, end);
                    continue;
                }
                if (b & 0x80) {
                    status = b;
                    ++at;
                } else if (!status) {
                    throw std::runtime_error("data byte without status");
                }
                uint8_t kind = status & 0xF0;
                int len = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
                if (at + len > end) throw std::runtime_error("channel event cut off");
                if (kind == 0x90 && d[at + 1] > 0) {
                    ++info.notes;
                    info.channels.insert(status & 0x0F);
                }
                if (kind == 0xC0) info.programs = true;
                at += len;
                events.push_back({tick, 0});
            }
            if (!ended) throw std::runtime_error("track without end marker");
            at = end;
        }
        std::stable_sort(events.begin(), events.end(),
                         [](const Event& a, const Event& b) { return a.tick < b.tick; });
        double usPerQuarter = 500000, seconds = 0;
        uint64_t last = 0;
        for (const Event& e : events) {
            seconds += double(e.tick - last) * usPerQuarter / 1e6 / division;
            last = e.tick;
            if (e.tempo) usPerQuarter = e.tempo;
        }
        info.seconds = seconds;
    } catch (const std::exception& e) {
        info.fault = e.what();
    }
    return info;
}

TEST(Music, EveryTrackIsAnArrangedMidiFileOfItsListedLength) {
    struct Track {
        const char* name;
        double seconds;
    } tracks[] = {{"title", 72},   {"norlenz", 85}, {"skitz", 54},
                  {"nowhere", 68}, {"rain", 53},    {"ragout", 70}};
    for (const Track& t : tracks) {
        MidiInfo m = InspectMidi(ReadBytes(TreePath(std::string("mid/") + t.name + ".mid")));
        ASSERT_EQ(m.fault, "") << t.name;
        EXPECT_NEAR(m.seconds, t.seconds, t.seconds * 0.05) << t.name;
        EXPECT_GT(m.notes, 100) << t.name;
        EXPECT_GE(m.channels.size(), 3u) << t.name << " is meant to be arranged, not a bare melody";
        EXPECT_TRUE(m.programs) << t.name << " chooses no General MIDI instruments";
    }
}

TEST(Music, InspectorRejectsBrokenFiles) {
    std::vector<uint8_t> good = ReadBytes(TreePath("mid/rain.mid"));
    ASSERT_EQ(InspectMidi(good).fault, "");
    std::vector<uint8_t> cut(good.begin(), good.begin() + good.size() / 2);
    EXPECT_NE(InspectMidi(cut).fault, "");
    std::vector<uint8_t> smpte = good;
    smpte[12] |= 0x80;
    EXPECT_NE(InspectMidi(smpte).fault, "");
}

} // namespace
} // namespace qr

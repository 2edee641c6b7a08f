// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/sound/midi_player.h"

#include <gtest/gtest.h>

#include "game/sound/tests/sound_fixture.h"

namespace qr {
namespace {

using Lines = std::vector<std::string>;

class MidiPlayerTest : public ::testing::Test {
  protected:
    MidiPlayerTest() : seq(events), player(seq, true) {
        folder.AddFile("title.mid", "MThd....");
        folder.AddFile("norlenzx.mid", "MThd....");
        folder.AddFile("broken.mid", "not a midi file");
        seq.SetDefaultLength(1000);
        player.SetFolder(folder.Path());
        player.SetLog(log.Sink());
        player.SetOnNotify([this] { ++notified; });
    }
    void Run(uint32_t ms) {
        seq.Advance(ms);
        PumpSoundEvents(events, nullptr, &player);
    }

    test::SoundFolder folder;
    SoundEventQueue events;
    HeadlessMidiSequencer seq;
    test::LogLines log;
    TMidiPlayer player;
    int notified = 0;
};

TEST_F(MidiPlayerTest, PlaysToTheEndAndNotifiesOnce) {
    player.Play("title", 1);
    EXPECT_TRUE(player.IsPlaying());
    EXPECT_EQ(seq.OpenPath(), folder.Path() + "title.mid");
    Run(999);
    EXPECT_EQ(notified, 0);
    Run(1);
    EXPECT_EQ(notified, 1);
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_EQ(player.CurrentTrack(), 1);
    EXPECT_EQ(log.Take(), (Lines{"MUSIC play title"}));
}

TEST_F(MidiPlayerTest, TheTrackPlayingIsNotRestartedNorReplaced) {
    player.Play("title", 1);
    Run(500);
    player.Play("title", 1);
    player.Play("norlenzx", 2); // refused while 1 plays
    EXPECT_EQ(seq.OpenPath(), folder.Path() + "title.mid");
    Run(500);
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(player.CurrentTrack(), 2);
    EXPECT_EQ(player.PreviousTrack(), 1);
    EXPECT_EQ(log.Take(), (Lines{"MUSIC play title"}));
}

TEST_F(MidiPlayerTest, MinusTwoRestartsTheCurrentTrackAfterItStopped) {
    player.Play("title", 1);
    Run(1000);
    player.Play("ignored", -2);
    EXPECT_TRUE(player.IsPlaying());
    EXPECT_EQ(player.TrackName(), "title");
    EXPECT_EQ(log.Take(), (Lines{"MUSIC play title", "MUSIC play title"}));
}

TEST_F(MidiPlayerTest, LongNamesUseTheirFirstEightCharacters) {
    player.Play("norlenzxyz", 2);
    EXPECT_EQ(player.TrackName(), "norlenzx");
    EXPECT_EQ(seq.OpenPath(), folder.Path() + "norlenzx.mid");
}

TEST_F(MidiPlayerTest, MinusOneStopsWithoutNotification) {
    player.Play("title", 1);
    Run(100);
    player.Stop();
    EXPECT_FALSE(seq.IsOpen());
    EXPECT_EQ(player.CurrentTrack(), -1);
    Run(2000);
    EXPECT_EQ(notified, 0);
    EXPECT_EQ(log.Take(), (Lines{"MUSIC play title", "MUSIC stop"}));
}

TEST_F(MidiPlayerTest, AStaleEndIsIgnored) {
    player.Play("title", 1);
    seq.Advance(1000); // ends, but the event waits in the queue
    player.Stop();
    player.Play("norlenzx", 2);
    PumpSoundEvents(events, nullptr, &player);
    EXPECT_EQ(notified, 0);
    EXPECT_TRUE(player.IsPlaying());
}

TEST_F(MidiPlayerTest, MissingFileIsSilentAndABadFileRaises) {
    player.Play("absent", 3);
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_THROW(player.Play("broken", 4), MidiError);
    EXPECT_FALSE(player.IsPlaying());
}

TEST_F(MidiPlayerTest, DisablingClosesTheTrackAndReEnablingStartsNothing) {
    player.Play("title", 1);
    player.SetEnabled(false);
    EXPECT_FALSE(player.Enabled());
    EXPECT_FALSE(seq.IsOpen());
    player.Play("title", 1);
    EXPECT_FALSE(seq.IsOpen());
    player.SetEnabled(true);
    EXPECT_FALSE(seq.IsOpen());
    player.Play("title", 1);
    EXPECT_TRUE(player.IsPlaying());
}

TEST(MidiPlayerDevice, WithoutAnOutputEverythingIsANoOp) {
    SoundEventQueue events;
    HeadlessMidiSequencer seq(events, 0);
    TMidiPlayer player(seq, true);
    EXPECT_FALSE(player.Available());
    EXPECT_FALSE(player.Enabled());
    EXPECT_FALSE(player.MidiAvailable());
    player.Play("title", 1);
    EXPECT_EQ(player.CurrentTrack(), -1);

    // music not wanted at creation: found later, when it is switched on
    HeadlessMidiSequencer present(events, 1);
    TMidiPlayer later(present, false);
    EXPECT_FALSE(later.Available());
    EXPECT_TRUE(later.MidiAvailable());
    later.SetEnabled(true);
    EXPECT_TRUE(later.Available());
    EXPECT_TRUE(later.Enabled());
}

} // namespace
} // namespace qr

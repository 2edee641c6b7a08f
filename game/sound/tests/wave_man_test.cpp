// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/sound/wave_man.h"

#include <gtest/gtest.h>

#include "foundation/silent_abort.h"
#include "game/sound/tests/sound_fixture.h"

namespace qr {
namespace {

using Lines = std::vector<std::string>;

// Sounds 1 and 2 are loops of 100 ms a pass, 3, 4 and 5 one-shots of 300, 200 and 100 ms.
class WaveManTest : public ::testing::Test {
  protected:
    WaveManTest() : out(events), man(out, true) {
        folder.AddWave("loopa", 100);
        folder.AddWave("loopb", 100);
        folder.AddWave("long", 300);
        folder.AddWave("mid", 200);
        folder.AddWave("short", 100);
        man.SetFolder(folder.Path());
        man.SetLog(log.Sink());
    }
    void Load(uint16_t id, uint8_t flags = kSoundDiscard) {
        static const char* names[] = {"", "loopa", "loopb", "long", "mid", "short"};
        ASSERT_TRUE(man.LoadSound(names[id], id, flags));
    }
    // Runs the simulated clock in 10 ms steps, handing ends to the manager as the main
    // loop would.
    void Run(uint32_t ms) {
        for (uint32_t t = 0; t < ms; t += 10) {
            out.Advance(10);
            while (auto e = events.Pop())
                man.WaveDone(e->token);
        }
    }

    test::SoundFolder folder;
    SoundEventQueue events;
    HeadlessWaveOut out;
    test::LogLines log; // outlives the manager, which logs as it stops
    TWaveMan man;
};

TEST_F(WaveManTest, OneShotPlaysEndsAndIsFreed) {
    Load(3);
    EXPECT_TRUE(man.PlaySound(3, 6, false));
    EXPECT_EQ(man.CurrentID(), 3);
    Run(290);
    EXPECT_EQ(man.CurrentID(), 3);
    Run(20);
    EXPECT_EQ(man.CurrentID(), 0);
    EXPECT_EQ(man.FindSound(3), nullptr);
    EXPECT_EQ(out.OpenDevices(), 0u);
    EXPECT_EQ(log.Take(), (Lines{"SOUND play 3", "SOUND end 3"}));
}

TEST_F(WaveManTest, KeptSoundStaysLoadedAfterPlaying) {
    Load(3, 0);
    man.PlaySound(3, 6, false);
    Run(400);
    ASSERT_NE(man.FindSound(3), nullptr);
    EXPECT_FALSE(man.FindSound(3)->Playing);
}

TEST_F(WaveManTest, OneShotDuringLoopBreaksItPlaysAndResumesTheLoop) {
    Load(1);
    Load(5);
    EXPECT_TRUE(man.PlaySound(1, 7, true));
    Run(250); // into the third pass
    EXPECT_TRUE(man.IsCurrentLooping());
    EXPECT_TRUE(man.PlaySound(5, 6, false));
    EXPECT_EQ(man.CurrentID(), 1); // the pass now playing finishes first
    Run(60);
    EXPECT_EQ(man.CurrentID(), 5);
    Run(100);
    EXPECT_EQ(man.CurrentID(), 1);
    EXPECT_TRUE(man.IsCurrentLooping());
    EXPECT_EQ(log.Take(), (Lines{"SOUND loop 1", "SOUND end 1", "SOUND play 5", "SOUND end 5",
                                 "SOUND loop 1"}));
}

TEST_F(WaveManTest, KeepLoopOffDropsTheDisplacedLoop) {
    Load(1);
    Load(5);
    man.PlaySound(1, 7, true);
    Run(50);
    EXPECT_TRUE(man.PlaySound(5, 7, false));
    Run(200);
    EXPECT_EQ(man.CurrentID(), 0);
    EXPECT_EQ(man.FindSound(1), nullptr); // a discard sound not to be resumed is freed
    EXPECT_EQ(log.Take(), (Lines{"SOUND loop 1", "SOUND end 1", "SOUND play 5", "SOUND end 5"}));
}

TEST_F(WaveManTest, RequestsThatMayNotDisplaceAreRefusedAndFreed) {
    // mode 0 against a one-shot, mode 4 (one-shots only) against a loop
    struct Case {
        uint16_t playing;
        bool loop;
        unsigned mode;
    } cases[] = {{3, false, 0}, {3, false, 2}, {1, true, 4}, {1, true, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "playing " << c.playing << " mode " << c.mode);
        Load(c.playing);
        Load(4);
        ASSERT_TRUE(man.PlaySound(c.playing, 6, c.loop));
        EXPECT_FALSE(man.PlaySound(4, c.mode, false));
        EXPECT_EQ(man.FindSound(4), nullptr);
        EXPECT_EQ(man.CurrentID(), c.playing);
        man.UnloadAll();
        Run(10);
        EXPECT_TRUE(man.Sounds().IsEmpty());
    }
}

TEST_F(WaveManTest, TheSoundPlayingIsLeftAloneUnlessBit32) {
    Load(3);
    man.PlaySound(3, 6, false);
    Run(100);
    EXPECT_TRUE(man.PlaySound(3, 6, false));
    Run(210);
    EXPECT_EQ(log.Take(), (Lines{"SOUND play 3", "SOUND end 3"}));
    EXPECT_EQ(man.FindSound(3), nullptr);

    Load(3);
    man.PlaySound(3, 6, false);
    Run(100);
    EXPECT_TRUE(man.PlaySound(3, 32 | 4, false)); // played again after this pass ends
    Run(210);
    EXPECT_EQ(man.CurrentID(), 3);
    Run(300);
    EXPECT_EQ(man.CurrentID(), 0);
    EXPECT_EQ(log.Take(), (Lines{"SOUND play 3", "SOUND end 3", "SOUND play 3", "SOUND end 3"}));
}

TEST_F(WaveManTest, OneShotQueuesBehindOneShotOrStopsItWithBit16) {
    Load(3);
    Load(5);
    man.PlaySound(3, 6, false);
    Run(100);
    EXPECT_TRUE(man.PlaySound(5, 4, false));
    Run(190);
    EXPECT_EQ(man.CurrentID(), 3);
    Run(20);
    EXPECT_EQ(man.CurrentID(), 5);
    Run(100);
    log.Take();

    Load(3);
    Load(5);
    man.PlaySound(3, 6, false);
    Run(100);
    EXPECT_TRUE(man.PlaySound(5, 16, false)); // 16 implies 4
    Run(10);
    EXPECT_EQ(man.CurrentID(), 5);
    EXPECT_EQ(log.Take(), (Lines{"SOUND play 3", "SOUND stop", "SOUND end 3", "SOUND play 5"}));
}

TEST_F(WaveManTest, Bit8StopsTheLoopAtOnce) {
    Load(1);
    Load(5);
    man.PlaySound(1, 7, true);
    Run(50);
    EXPECT_TRUE(man.PlaySound(5, 8, false)); // 8 implies 2
    Run(10);
    EXPECT_EQ(man.CurrentID(), 5);
    EXPECT_EQ(log.Take(), (Lines{"SOUND loop 1", "SOUND stop", "SOUND end 1", "SOUND play 5"}));
    Run(100);
    EXPECT_EQ(man.CurrentID(), 1); // resumed: bit 1 was not given
}

TEST_F(WaveManTest, ALoopAskedForAgainWithoutLoopingFinishesItsPass) {
    Load(1);
    man.PlaySound(1, 7, true);
    Run(150);
    EXPECT_TRUE(man.PlaySound(1, 32 | 2 | 1, false));
    Run(40);
    EXPECT_EQ(man.CurrentID(), 1);
    Run(20);
    EXPECT_EQ(man.CurrentID(), 0);
    EXPECT_EQ(log.Take(), (Lines{"SOUND loop 1", "SOUND end 1"}));
}

TEST_F(WaveManTest, WaitingOneShotStartsBeforeWaitingLoop) {
    // Loop 1 plays; loop 2 asks to displace it (1 is to resume), then one-shot 5 queues.
    Load(1, 0);
    Load(2, 0);
    Load(5, 0);
    man.PlaySound(1, 7, true);
    Run(30);
    EXPECT_TRUE(man.PlaySound(2, 2, true));
    EXPECT_TRUE(man.PlaySound(5, 6, false));
    Run(80);
    EXPECT_EQ(man.CurrentID(), 5);
    Run(100);
    // Then a loop: 2 was waiting before 1 came back, so 2 starts and 1, idle, is freed.
    EXPECT_EQ(man.CurrentID(), 2);
    EXPECT_EQ(man.FindSound(1), nullptr);
    EXPECT_NE(man.FindSound(5), nullptr);
}

TEST_F(WaveManTest, StartingALoopFreesEveryOtherIdleLoop) {
    Load(1, 0);
    Load(2, 0);
    Load(5, 0);
    man.PlaySound(1, 0, true); // leaves 1 a loop, then stops it
    Run(10);
    man.StopCurrent();
    Run(10);
    ASSERT_NE(man.FindSound(1), nullptr);
    man.PlaySound(5, 6, false);
    EXPECT_TRUE(man.PlaySound(2, 6, true)); // waits behind the one-shot
    Run(110);
    EXPECT_EQ(man.CurrentID(), 2);
    EXPECT_EQ(man.FindSound(1), nullptr);
    EXPECT_NE(man.FindSound(5), nullptr); // one-shots are not touched
}

TEST_F(WaveManTest, UnloadingThePlayingSoundStopsItAndFreesItAtItsEnd) {
    Load(3, 0);
    Load(4, 0);
    man.PlaySound(3, 6, false);
    man.UnloadSound(4);
    EXPECT_EQ(man.FindSound(4), nullptr);
    man.UnloadSound(3);
    ASSERT_NE(man.FindSound(3), nullptr); // until the end is reported
    EXPECT_EQ(man.FindSound(3)->Flags, kSoundDiscard);
    Run(10);
    EXPECT_TRUE(man.Sounds().IsEmpty());
    EXPECT_EQ(log.Take(), (Lines{"SOUND play 3", "SOUND stop", "SOUND end 3"}));
}

TEST_F(WaveManTest, StopLoopsStopsAndUnloadsLoopsOnly) {
    Load(1, 0);
    Load(2, 0);
    Load(4, 0);
    man.PlaySound(2, 0, true);
    man.StopCurrent();
    Run(10);
    man.PlaySound(1, 7, true);
    man.StopLoops();
    Run(10);
    EXPECT_EQ(man.CurrentID(), 0);
    EXPECT_EQ(man.FindSound(1), nullptr);
    EXPECT_EQ(man.FindSound(2), nullptr);
    EXPECT_NE(man.FindSound(4), nullptr);
}

TEST_F(WaveManTest, LoadingNeedsSoundAndAReadableFile) {
    EXPECT_THROW(man.LoadSound("absent", 9, 1), SilentAbort);
    folder.AddFile("broken.wav", "RIFF....WAVEjunk");
    EXPECT_THROW(man.LoadSound("broken", 9, 1), SilentAbort);
    EXPECT_TRUE(man.Sounds().IsEmpty());
    // an ID already loaded is not loaded again: the file is not even read
    Load(3);
    EXPECT_TRUE(man.LoadSound("absent", 3, 1));

    HeadlessWaveOut none(events, 0);
    TWaveMan silent(none, true);
    silent.SetFolder(folder.Path());
    EXPECT_FALSE(silent.Enabled());
    EXPECT_FALSE(silent.LoadSound("long", 3, 1));
    EXPECT_FALSE(silent.PlaySound(3, 6, false));
}

TEST_F(WaveManTest, AFailedStartFreesADiscardSound) {
    Load(3);
    out.SetOpenFails(true);
    EXPECT_FALSE(man.PlaySound(3, 6, false));
    EXPECT_EQ(man.FindSound(3), nullptr);
    EXPECT_TRUE(log.Take().empty());
}

TEST_F(WaveManTest, LateEndsOfFreedSoundsAreIgnored) {
    Load(3);
    man.PlaySound(3, 6, false);
    const uint32_t user = man.FindSound(3)->Header.user;
    Run(400);
    Load(4);
    man.PlaySound(4, 6, false);
    EXPECT_EQ(man.WaveDone(user), 0);
    EXPECT_EQ(man.CurrentID(), 4);
}

TEST(WaveManLoops, SetLoopsMarksTheHeader) {
    TSoundNode n(1, WaveFormat{}, {1, 2}, 0);
    TWaveMan::SetLoops(n, 1000);
    EXPECT_EQ(n.Header.loops, 10000000u);
    EXPECT_TRUE(n.Loops());
    TWaveMan::SetLoops(n, 3);
    EXPECT_EQ(n.Header.loops, 3u);
    TWaveMan::SetLoops(n, 1);
    EXPECT_FALSE(n.Loops());
    EXPECT_EQ(n.Header.flags & (kWaveHdrBeginLoop | kWaveHdrEndLoop), 0u);
}

} // namespace
} // namespace qr

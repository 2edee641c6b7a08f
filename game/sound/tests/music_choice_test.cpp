// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/sound/music_choice.h"

#include <gtest/gtest.h>

#include "foundation/random.h"
#include "game/sound/tests/sound_fixture.h"

namespace qr {
namespace {

class MusicChoiceTest : public ::testing::Test {
  protected:
    MusicChoiceTest() : seq(events), player(seq, true), choice(player) {
        for (const char* n : {"title", "norlenz", "skitz", "nowhere", "rain", "ragout"})
            folder.AddFile(std::string(n) + ".mid", "MThd");
        seq.SetDefaultLength(10000);
        player.SetFolder(folder.Path());
        player.SetOnNotify([this] { choice.TrackEnded(); });
        choice.SetOnMusicEnded([this](int t) { ended.push_back(t); });
        GameRandom().SetSeed(12345);
    }
    // Lets the playing track end and be reported.
    void FinishTrack() {
        seq.Advance(60000);
        PumpSoundEvents(events, nullptr, &player);
    }

    test::SoundFolder folder;
    SoundEventQueue events;
    HeadlessMidiSequencer seq;
    TMidiPlayer player;
    TMusicChoice choice;
    std::vector<int> ended;
};

TEST_F(MusicChoiceTest, PlaysTheNamedTrackWithAFallbackDeadline) {
    choice.PlayMusic(2, 1000);
    EXPECT_EQ(seq.OpenPath(), folder.Path() + "norlenz.mid");
    EXPECT_EQ(choice.CurrentTrack(), 2);
    EXPECT_EQ(choice.Deadline(), 1000u + (85 + 3) * 1000);
    choice.PlayMusic(3, 2000); // the player is busy: ignored
    EXPECT_EQ(choice.CurrentTrack(), 2);
    FinishTrack();
    EXPECT_EQ(ended, (std::vector<int>{2}));
    EXPECT_FALSE(choice.Deadline());
}

TEST_F(MusicChoiceTest, ATrackWhoseEndNeverComesIsStoppedAfterItsDeadline) {
    seq.SetDefaultLength(1000000);
    choice.PlayMusic(5, 0);
    choice.CheckDeadline(56000); // 53 s + 3 s: not yet past
    EXPECT_TRUE(player.IsPlaying());
    choice.CheckDeadline(56001);
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_EQ(ended, (std::vector<int>{5}));
    choice.CheckDeadline(200000);
    EXPECT_EQ(ended.size(), 1u);

    // across the wrap of the 32-bit tick count
    choice.PlayMusic(5, 0xFFFFF000u);
    choice.CheckDeadline(0xFFFFFFF0u);
    choice.CheckDeadline(100);
    EXPECT_EQ(ended.size(), 1u);
    choice.CheckDeadline(0xFFFFF000u + 56001);
    EXPECT_EQ(ended, (std::vector<int>{5, 5}));
}

TEST_F(MusicChoiceTest, AnyNeverPicksTheTrackPlayingAndRepeatsAShortOneOnce) {
    int repeats = 0;
    for (int round = 0; round < 200; ++round) {
        const int before = choice.CurrentTrack();
        const bool repeatDue = choice.RepeatPending();
        choice.PlayMusic(kMusicAny, 0);
        const int now = choice.CurrentTrack();
        if (repeatDue) {
            EXPECT_EQ(now, before);
            EXPECT_FALSE(choice.RepeatPending());
            ++repeats;
        } else {
            EXPECT_NE(now, before);
            EXPECT_GE(now, 1);
            EXPECT_LE(now, 6);
            EXPECT_EQ(choice.RepeatPending(), FindMusicTrack(now)->seconds < 60) << "track " << now;
        }
        FinishTrack();
    }
    EXPECT_GT(repeats, 0);
}

TEST_F(MusicChoiceTest, RepeatPlaysTheCurrentTrackAndZeroStops) {
    choice.PlayMusic(4, 0);
    FinishTrack();
    choice.PlayMusic(kMusicRepeat, 0);
    EXPECT_EQ(seq.OpenPath(), folder.Path() + "nowhere.mid");
    EXPECT_TRUE(player.IsPlaying());
    choice.PlayMusic(0, 0);
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_EQ(player.CurrentTrack(), -1);
}

TEST_F(MusicChoiceTest, LogsTheEnd) {
    test::LogLines log;
    choice.SetLog(log.Sink());
    choice.PlayMusic(1, 0);
    FinishTrack();
    EXPECT_EQ(log.Take(), (std::vector<std::string>{"MUSIC end 1"}));
}

TEST(MusicTracks, TableOfNamesAndLengths) {
    EXPECT_STREQ(FindMusicTrack(1)->name, "title");
    EXPECT_EQ(FindMusicTrack(2)->seconds, 85);
    EXPECT_EQ(FindMusicTrack(5)->seconds, 53);
    EXPECT_STREQ(FindMusicTrack(6)->name, "ragout");
    EXPECT_EQ(FindMusicTrack(0), nullptr);
    EXPECT_EQ(FindMusicTrack(9), nullptr);
}

} // namespace
} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/sound/game_sound.h"

#include <gtest/gtest.h>

#include "foundation/random.h"
#include "game/sound/tests/sound_fixture.h"

namespace qr {
namespace {

using Lines = std::vector<std::string>;

// The main loop as the headless driver runs it: per 55 ms clock step the simulated devices
// advance, the pump runs, then the tick.
class GameSoundTest : public ::testing::Test {
  protected:
    GameSoundTest() : waves(events), midi(events) {
        folder.AddFile("sounds.txt", "click\nchime\n");
        folder.AddWave("click", 50);
        folder.AddWave("chime", 300);
        for (const char* n : {"title", "norlenz", "skitz", "nowhere", "rain", "ragout"})
            folder.AddFile(std::string(n) + ".mid", "MThd");
        midi.SetDefaultLength(2000);
        GameRandom().SetSeed(1);
    }
    std::unique_ptr<TGameSound> Make(bool music = true, bool sound = true) {
        auto s = std::make_unique<TGameSound>(waves, midi, events, [this] { return now; });
        s->SetLog(log.Sink());
        s->SetOnMusicEnded([this](int t) { ended.push_back(t); });
        s->CreateMusicPlayer(music, folder.Path());
        s->CreateWaveManager(sound, folder.Path(), folder.Path() + "sounds");
        return s;
    }
    void Steps(TGameSound& s, int n) {
        for (int i = 0; i < n; ++i) {
            now += 55;
            waves.Advance(55);
            midi.Advance(55);
            s.Pump();
            s.Tick();
        }
    }

    test::SoundFolder folder;
    SoundEventQueue events;
    HeadlessWaveOut waves;
    HeadlessMidiSequencer midi;
    test::LogLines log;
    std::vector<int> ended;
    uint32_t now = 1000;
};

TEST_F(GameSoundTest, SoundsAndMusicRunOnTheVirtualClock) {
    auto s = Make();
    s->PlayMusic(1);
    EXPECT_TRUE(s->Table().PlaySound(1));
    EXPECT_TRUE(s->Table().PlaySound(0)); // queued behind the chime
    Steps(*s, 6);                         // 330 ms
    EXPECT_EQ(log.Take(),
              (Lines{"MUSIC play title", "SOUND play 1", "SOUND end 1", "SOUND play 0"}));
    Steps(*s, 32); // past the track's 2 s
    EXPECT_EQ(log.Take(), (Lines{"SOUND end 0", "MUSIC end 1"}));
    EXPECT_EQ(ended, (std::vector<int>{1}));
    EXPECT_FALSE(s->Choice()->Deadline());
}

TEST_F(GameSoundTest, FocusLossStopsTheMusicAndTheDeadlineCatchesASilentEnd) {
    auto s = Make();
    s->PlayMusic(3);
    s->FocusLost();
    EXPECT_EQ(log.Take(), (Lines{"MUSIC play skitz", "MUSIC stop"}));
    midi.SetDefaultLength(1000000);
    s->PlayMusic(3);
    Steps(*s, (54 + 3) * 1000 / 55 + 1);
    EXPECT_EQ(log.Take(), (Lines{"MUSIC play skitz", "MUSIC stop", "MUSIC end 3"}));
    EXPECT_EQ(ended, (std::vector<int>{3}));
}

TEST_F(GameSoundTest, SwitchedOffSoundAndMusicStaySilent) {
    auto s = Make(false, false);
    s->PlayMusic(1);
    EXPECT_FALSE(s->Table().PlaySound(1));
    Steps(*s, 40);
    EXPECT_TRUE(log.Take().empty());
    EXPECT_FALSE(s->Music()->Enabled());
    EXPECT_FALSE(s->Table().Available());
}

} // namespace
} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/sound/sound_table.h"

#include <gtest/gtest.h>

#include "game/sound/tests/sound_fixture.h"

namespace qr {
namespace {

TEST(SoundTableFilter, KeepsTheFirstWordOfRealLines) {
    struct Case {
        const char* line;
        bool kept;
        const char* result;
    } cases[] = {
        {"  correct   ", true, "correct"},
        {"wrong   # the buzzer", true, "wrong"},
        {"bonus\tcard sound", true, "bonus"},
        {"[effects]", false, ""},
        {"# a comment", false, ""},
        {"", false, ""},
        {"     ", false, ""},
        {"#", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::string line = c.line;
        EXPECT_EQ(SoundsLineFilter(line), c.kept);
        if (c.kept) {
            EXPECT_EQ(line, c.result);
        }
    }
}

TEST(SoundTableCodes, EventCodesMapToSoundNumbers) {
    const std::pair<int, int> cases[] = {{0, 0},   {5, 5},   {17, 17}, {18, 19}, {19, 18},
                                         {20, 20}, {21, 23}, {22, 21}, {23, 22}, {24, 22},
                                         {25, 0},  {-1, 0},  {1000, 0}};
    for (auto [code, number] : cases)
        EXPECT_EQ(MapEventCode(code), number) << "code " << code;
}

class SoundTableTest : public ::testing::Test {
  protected:
    SoundTableTest() : out(events) {
        folder.AddFile("sounds.txt", "# sounds of the game\n"
                                     "[voices]\n"
                                     "  Hello   the greeting\n"
                                     "ding\n"
                                     "\n"
                                     "[loops]\n"
                                     "hum\n");
        // Numbers 0 hello, 1 ding, 2 hum; number 18 and 19 for the swapped codes.
        folder.AddWave("Hello", 100);
        folder.AddWave("ding", 100);
        folder.AddWave("hum", 100);
    }
    void Init() {
        table.SetLog(log.Sink());
        table.InitSound(out, true, folder.Path(), folder.Path() + "sounds");
    }
    void Run(uint32_t ms) {
        for (uint32_t t = 0; t < ms; t += 10) {
            out.Advance(10);
            PumpSoundEvents(events, &table, nullptr);
        }
    }

    test::SoundFolder folder;
    SoundEventQueue events;
    HeadlessWaveOut out;
    test::LogLines log;
    TSoundTable table;
};

TEST_F(SoundTableTest, NumbersCountOnlyKeptLinesAndKeepTheirCase) {
    Init();
    EXPECT_EQ(table.Table().Count(), 3);
    EXPECT_EQ(table.NameOf(0), "Hello");
    EXPECT_EQ(table.NameOf(1), "ding");
    EXPECT_EQ(table.NameOf(2), "hum");
    EXPECT_EQ(table.NameOf(3), "");
    // the compiled table is what is read from then on
    std::filesystem::remove(folder.Path() + "sounds.txt");
    TSoundTable again;
    again.InitSound(out, true, folder.Path(), folder.Path() + "sounds");
    EXPECT_EQ(again.NameOf(2), "hum");
}

TEST_F(SoundTableTest, PlaysOnceAndFreesTheSound) {
    Init();
    EXPECT_TRUE(table.Available());
    EXPECT_TRUE(table.PlaySound(1));
    Run(110);
    EXPECT_EQ(log.Take(), (std::vector<std::string>{"SOUND play 1", "SOUND end 1"}));
    EXPECT_TRUE(table.WaveMan()->Sounds().IsEmpty());
}

TEST_F(SoundTableTest, SwappedCodesPlayEachOthersNumbers) {
    folder.AddFile("sounds.txt", [] {
        std::string t;
        for (int i = 0; i < 20; ++i)
            t += "s" + std::to_string(i) + "\n";
        return t;
    }());
    folder.AddWave("s18", 100);
    folder.AddWave("s19", 100);
    Init();
    EXPECT_TRUE(table.PlaySound(18));
    EXPECT_EQ(table.WaveMan()->CurrentID(), 19);
    EXPECT_EQ(table.NameOf(19), "s19");
    // PlayLoop checks the mapped number: code 18 is sound 19, which is already current
    EXPECT_FALSE(table.PlayLoop(18));
    EXPECT_FALSE(table.IsLooping());
}

TEST_F(SoundTableTest, PlayLoopSkipsTheLoopAlreadyPlaying) {
    Init();
    EXPECT_TRUE(table.PlayLoop(2));
    EXPECT_TRUE(table.IsLooping());
    Run(250);
    EXPECT_FALSE(table.PlayLoop(2)); // no restart, no second request
    EXPECT_EQ(log.Take(), (std::vector<std::string>{"SOUND loop 2"}));
    // a one-shot breaks in after the pass and the loop comes back; leaving a room ends it
    EXPECT_TRUE(table.PlaySound(1));
    Run(300);
    EXPECT_TRUE(table.IsLooping());
    table.StopLoops();
    table.UnloadAll();
    Run(10);
    EXPECT_FALSE(table.IsLooping());
    EXPECT_TRUE(table.WaveMan()->Sounds().IsEmpty());
    EXPECT_EQ(log.Take(), (std::vector<std::string>{"SOUND end 2", "SOUND play 1", "SOUND end 1",
                                                    "SOUND loop 2", "SOUND stop", "SOUND end 2"}));
}

TEST_F(SoundTableTest, MissingWaveOrNameIsQuiet) {
    Init();
    EXPECT_FALSE(table.PlaySound(7)); // number 7 has no line: the empty name
    std::filesystem::remove(folder.Path() + "ding.wav");
    EXPECT_FALSE(table.PlaySound(1));
    EXPECT_TRUE(table.WaveMan()->Sounds().IsEmpty());
}

TEST_F(SoundTableTest, WithoutSoundNothingHappens) {
    TSoundTable none;
    EXPECT_FALSE(none.PlaySound(1)); // never initialised
    EXPECT_FALSE(none.WaveDeviceAvailable());
    none.UnloadAll();

    table.InitSound(out, false, folder.Path(), folder.Path() + "sounds");
    EXPECT_FALSE(table.Available());
    EXPECT_TRUE(table.WaveDeviceAvailable());
    EXPECT_FALSE(table.PlaySound(1));
    table.SetSoundEnabled(true);
    EXPECT_TRUE(table.Available());
    EXPECT_TRUE(table.PlaySound(1));

    HeadlessWaveOut noDevice(events, 0);
    TSoundTable deaf;
    deaf.InitSound(noDevice, true, folder.Path(), folder.Path() + "sounds");
    EXPECT_FALSE(deaf.Available());
    EXPECT_FALSE(deaf.WaveDeviceAvailable());
    EXPECT_FALSE(deaf.PlaySound(1));
}

} // namespace
} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing animal files: every version's layout, the scene order of the older
// versions, the selection flags, and files that lie about their contents.
#include <gtest/gtest.h>

#include "game/gameplay/animal.h"

namespace qr {
namespace {

// Writes an object record the way a file of `version` lays it out. Each stored block
// holds one event whose X tells which block it came from.
struct OldFileWriter {
    uint16_t version;
    TMemoryStream s;

    void Header(uint16_t objects) {
        s.WriteU32(kAnimalMagic);
        s.WriteU16(version);
        s.WriteShortString("backdrop");
        s.WriteShortString("animals.px8");
        s.WriteU16(objects);
    }
    void Event(int16_t x) {
        if (version < 5) s.WriteShortString("EVT");
        s.WriteU8(sekMove);
        for (int16_t v : {int16_t(3), int16_t(2), x, int16_t(7), int16_t(1), int16_t(-1),
                          int16_t(4), int16_t(5), int16_t(6), int16_t(2)})
            s.WriteI16(v); // Time Duration X Y DX DY Interval OverlayX OverlayY Frame
        s.WriteU16(0xBEEF);
        s.WriteI16(-1);  // FrameStep
        s.WriteI16(0);   // Target
        s.WriteU8(0xAA); // unused
        s.WriteU8(1);    // UseOverlay
        if (version >= 2) s.WriteU8(1);
        if (version >= 4) s.WriteU16(9);
        s.WriteShortString("ovl");
    }
    void Object(const std::string& name) {
        s.WriteShortString(name);
        for (int block = 0; block < 7; ++block) {
            if (block == 5 && version < 9) continue;
            s.WriteU16(1);
            Event(int16_t(100 + block));
        }
        if (version == 0) s.WriteBytes(std::string(8, '\x55'));
        if (version >= 6) s.WriteI16(30);
        s.WriteI16(40);
        s.WriteI16(3);
        if (version == 0) s.WriteU8(0x77);
        if (version >= 8) s.WriteU8(0x66);
        if (version >= 10) s.WriteU8(1);
    }
    std::vector<uint8_t> Finish(uint8_t slow = 1, uint8_t fast = 0) {
        if (version >= 12) {
            s.WriteU8(slow);
            s.WriteU8(fast);
        }
        return s.Data();
    }
};

std::vector<uint8_t> OldFile(uint16_t version) {
    OldFileWriter w{version, {}};
    w.Header(2);
    w.Object("BODY");
    w.Object("letter");
    return w.Finish();
}

void LoadInto(TAnimal& a, const std::vector<uint8_t>& bytes) {
    TMemoryStream s(bytes);
    a.LoadFromStream(s);
}

TEST(AnimalFile, EveryVersionGateAndTheSceneOrderOfOlderFiles) {
    // For each version: the block (100 + stored block number) that each scene 0-6 holds,
    // or 0 for an empty scene.
    struct Case {
        uint16_t version;
        std::array<int, 7> blockOfScene;
    };
    const Case cases[] = {
        {0, {100, 101, 103, 104, 0, 106, 102}},    {2, {100, 101, 103, 104, 0, 106, 102}},
        {6, {100, 101, 103, 104, 0, 106, 102}},    {8, {100, 101, 102, 103, 104, 0, 106}},
        {10, {100, 101, 102, 104, 105, 103, 106}}, {12, {100, 101, 102, 103, 104, 105, 106}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        TAnimal a;
        LoadInto(a, OldFile(c.version));
        EXPECT_EQ(a.Version, c.version);
        EXPECT_EQ(a.PictureName, "backdrop");
        EXPECT_EQ(a.LibraryName, "animals.px8");
        ASSERT_EQ(a.Objects.size(), 2u);
        const TAnimObject& o = *a.Objects[0];
        for (int scene = 0; scene < 7; ++scene) {
            if (c.blockOfScene[scene] == 0) {
                EXPECT_TRUE(o.Scenes[scene].empty()) << "scene " << scene;
                continue;
            }
            ASSERT_EQ(o.Scenes[scene].size(), 1u) << "scene " << scene;
            EXPECT_EQ(o.Scenes[scene][0].X, c.blockOfScene[scene]) << "scene " << scene;
        }
        const TSceneEvent& e = o.Scenes[0][0];
        EXPECT_EQ(e.Kind, sekMove);
        EXPECT_EQ(e.Time, 3);
        EXPECT_EQ(e.Duration, 2);
        EXPECT_EQ(e.Y, 7);
        EXPECT_EQ(e.DX, 1);
        EXPECT_EQ(e.DY, -1);
        EXPECT_EQ(e.Interval, 4);
        EXPECT_EQ(e.OverlayX, 5);
        EXPECT_EQ(e.OverlayY, 6);
        EXPECT_EQ(e.Frame, 2);
        EXPECT_EQ(e.FrameStep, -1);
        EXPECT_TRUE(e.UseOverlay);
        EXPECT_EQ(e.OverlayName, "ovl");
        // The wait flag exists from version 2 but means something only from version 3.
        EXPECT_EQ(e.WaitRelease, c.version > 2);
        EXPECT_EQ(e.LoopCount, c.version >= 4 ? 9 : 0);
        EXPECT_EQ(o.WidthStored, c.version >= 6);
        EXPECT_EQ(o.Width, c.version >= 6 ? 30 : 0);
        EXPECT_EQ(o.Height, 40);
        EXPECT_EQ(o.FrameCount, 3);
        EXPECT_EQ(o.Background, c.version >= 10);
        EXPECT_FALSE(o.IsLetter);
        EXPECT_TRUE(a.Objects[1]->IsLetter) << "the name is compared without regard to case";
        EXPECT_EQ(a.RestrictSlowCpu, c.version >= 12 ? 1 : 0);
    }
}

TEST(AnimalFile, BadMagicUnknownVersionAndEveryTruncationFailWithTheirMessages) {
    auto expectMessage = [](std::vector<uint8_t> bytes, const std::string& message) {
        try {
            TAnimal a;
            LoadInto(a, bytes);
            ADD_FAILURE() << "loaded " << bytes.size() << " bytes";
        } catch (const AnimalException& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
    };
    std::vector<uint8_t> good = OldFile(12);
    std::vector<uint8_t> bad = good;
    bad[0] ^= 1;
    expectMessage(bad, "Corrupt animation file");
    bad = good;
    bad[4] = 13;
    expectMessage(bad, "Animation is in unknown new format");
    for (size_t n = 0; n < good.size(); ++n)
        expectMessage({good.begin(), good.begin() + long(n)}, "Corrupt animation file");

    // An event count far beyond the end of the file.
    OldFileWriter w{12, {}};
    w.Header(1);
    w.s.WriteShortString("BODY");
    w.s.WriteU16(0xFFFF);
    w.Event(1);
    expectMessage(w.s.Data(), "Corrupt animation file");
}

TEST(AnimalFile, SelectionFlagsComeFromTheLastTwoBytesOfNewFilesOnly) {
    OldFileWriter w{12, {}};
    w.Header(1);
    w.Object("BODY");
    TMemoryStream twelve(w.Finish(0, 1));
    TAnimalSelectionFlags f = TAnimal::ReadSelectionFlags(twelve);
    EXPECT_EQ(f.RestrictSlowCpu, 0);
    EXPECT_EQ(f.RestrictFastSpeed, 1);

    TMemoryStream eleven(OldFile(11));
    f = TAnimal::ReadSelectionFlags(eleven);
    EXPECT_EQ(f.RestrictSlowCpu, 0);
    EXPECT_EQ(f.RestrictFastSpeed, 0);

    std::vector<uint8_t> bytes = OldFile(12);
    bytes[4] = 200;
    TMemoryStream unknown(bytes);
    EXPECT_THROW(TAnimal::ReadSelectionFlags(unknown), AnimalException);
    TMemoryStream empty;
    EXPECT_THROW(TAnimal::ReadSelectionFlags(empty), AnimalException);
}

TEST(AnimalFile, TheFlagsKeepDemandingAnimalsOffSlowMachines) {
    struct Case {
        uint8_t slow, fast;
        int processor, speed;
        bool suits;
    };
    const Case cases[] = {
        {0, 0, 486, 3, true},  {1, 0, 486, 1, false}, {1, 0, 586, 1, true},  {0, 1, 486, 2, true},
        {0, 1, 486, 3, false}, {0, 1, 586, 3, true},  {1, 1, 499, 1, false}, {0, 0, 0, 3, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AnimalSuitsMachine({c.slow, c.fast}, c.processor, c.speed), c.suits)
            << int(c.slow) << int(c.fast) << " " << c.processor << " " << c.speed;
}

TEST(AnimalFile, SavingWritesVersionTwelveThatLoadsBackToTheSameBytes) {
    TAnimal old;
    LoadInto(old, OldFile(6)); // scenes moved around, width absent
    TMemoryStream first;
    old.SaveToStream(first);
    TAnimal again;
    LoadInto(again, first.Data());
    EXPECT_EQ(again.Version, 12);
    for (int scene = 0; scene < 7; ++scene)
        EXPECT_EQ(again.Objects[0]->Scenes[scene].size(), old.Objects[0]->Scenes[scene].size());
    EXPECT_EQ(again.Objects[0]->Scenes[6][0].X, 102);
    TMemoryStream second;
    again.SaveToStream(second);
    EXPECT_EQ(first.Data(), second.Data());
}

} // namespace
} // namespace qr

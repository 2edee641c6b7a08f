// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped animals as the play room will use them: the built files say what their
// sources say, every picture they name is in their library at the size they assume, and
// every scene does its part of the play room's cycle.
#include <gtest/gtest.h>

#include <filesystem>

#include "data_tree.h"
#include "game/gameplay/animal.h"
#include "graphics/image_library.h"
#include "tools/anmtool/animal_text.h"

namespace qr {
namespace {

using namespace datatest;
namespace fs = std::filesystem;

std::vector<std::string> AnimalNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(SourcePath("data/animals")))
        if (entry.path().extension() == ".txt") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct Loaded {
    TAnimal animal;
    TPX8Image work, card;
    std::unique_ptr<TPX8ImageData> workData, cardData;

    explicit Loaded(const std::string& name) {
        work.Initialise("work", nullptr, 600, 400);
        workData = work.CreateImageData();
        std::vector<uint8_t> face(46 * 62, 14);
        card.Initialise("card", face.data(), 46, 62);
        cardData = card.CreateImageData();
        animal.Create(
            TreePath("dat/" + name + ".anm"), TreePath("imglib/"),
            [this] { return cardData.get(); }, {470, 15, 583, 382}, workData.get());
    }
    const TAnimObject* Letter() const {
        for (const auto& o : animal.Objects)
            if (o->IsLetter) return o.get();
        return nullptr;
    }
};

TEST(Animals, TheBuiltFilesSayWhatTheirSourcesSay) {
    const auto names = AnimalNames();
    ASSERT_GE(names.size(), 4u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> text = ReadBytes(SourcePath("data/animals/" + name + ".txt"));
        TAnimal source;
        ParseAnimalText(std::string(text.begin(), text.end()), source);
        TAnimal built;
        TMemoryStream bytes(ReadBytes(TreePath("dat/" + name + ".anm")));
        built.LoadFromStream(bytes);
        EXPECT_EQ(built.Version, 12);
        EXPECT_EQ(AnimalToText(built), AnimalToText(source));
        TMemoryStream flags(ReadBytes(TreePath("dat/" + name + ".anm")));
        const TAnimalSelectionFlags f = TAnimal::ReadSelectionFlags(flags);
        EXPECT_EQ(f.RestrictSlowCpu, 0) << "every machine may show our animals";
        EXPECT_EQ(f.RestrictFastSpeed, 0);
    }
}

TEST(Animals, EveryPictureIsInTheLibraryAtTheSizeTheScenesAssume) {
    for (const std::string& name : AnimalNames()) {
        SCOPED_TRACE(name);
        Loaded l(name);
        TPX8Library lib;
        lib.Open(TreePath("imglib/" + l.animal.LibraryName));
        auto size = [&](const std::string& picture) {
            TImageRef ref(lib, picture);
            return std::pair<int, int>(ref->Image->Width, ref->Image->Height);
        };
        EXPECT_EQ(size(l.animal.PictureName), (std::pair<int, int>{113, 367})) << "the strip";
        for (const auto& o : l.animal.Objects) {
            SCOPED_TRACE(o->Name);
            if (o->IsLetter) {
                EXPECT_EQ(o->Width, 46);
                EXPECT_EQ(o->Height, 62);
                continue;
            }
            ASSERT_TRUE(lib.ImageExists(o->Name));
            EXPECT_EQ(size(o->Name), (std::pair<int, int>{o->Width, o->Height * o->FrameCount}));
            for (const TSceneEventList& events : o->Scenes)
                for (const TSceneEvent& e : events)
                    if (e.UseOverlay) {
                        EXPECT_TRUE(lib.ImageExists(e.OverlayName)) << e.OverlayName;
                    }
        }
    }
}

TEST(Animals, EveryScenePlaysItsPartOfTheCycle) {
    bool someWithoutCheer = false, someWithBackground = false, someWithOverlay = false;
    for (const std::string& name : AnimalNames()) {
        SCOPED_TRACE(name);
        Loaded l(name);
        TAnimal& a = l.animal;
        ASSERT_NE(l.Letter(), nullptr);
        for (const auto& o : a.Objects) {
            someWithBackground |= o->Background;
            for (const TSceneEventList& events : o->Scenes)
                for (const TSceneEvent& e : events)
                    someWithOverlay |= e.UseOverlay;
        }
        someWithoutCheer |= a.SceneIsEmpty(5);
        for (uint8_t scene = 0; scene < 7; ++scene) {
            SCOPED_TRACE(int(scene));
            if (scene == 5 && a.SceneIsEmpty(5)) continue;
            ASSERT_TRUE(a.StartScene(scene));
            int ticks = 0;
            bool letterShown = false;
            while (ticks < 600) {
                if (ticks == 300) a.Released = true;
                const bool going = a.Step();
                a.Draw();
                letterShown |= l.Letter()->Visible;
                ++ticks;
                if (!going) break;
            }
            if (scene == 2) {
                EXPECT_GT(ticks, 300) << "holds the card until released";
                EXPECT_LT(ticks, 300 + 30) << "and lets go soon after";
            } else {
                EXPECT_LT(ticks, 300) << "ends by itself";
                // The bound that ends a damaged animal's scene leaves room for five times
                // the longest shipped scene after the longest hold of a card.
                EXPECT_LE(900 + 5 * ticks, kAnimalTickLimit) << "within the scene bound";
            }
            // The card is on show from the moment the animal brings it until it has carried
            // it off; the greeting, the cheer and the happy end are without it.
            EXPECT_EQ(letterShown, scene >= 1 && scene <= 4);
            if (scene == 1 || scene == 2) {
                const TRect card = l.Letter()->Bounds();
                EXPECT_TRUE(l.Letter()->Visible);
                EXPECT_EQ(Intersect(card, {0, 0, 113, 367}), card) << "the card is all in view";
            }
        }
    }
    EXPECT_TRUE(someWithoutCheer) << "the play room's fallback to scene 1 needs an example";
    EXPECT_TRUE(someWithBackground);
    EXPECT_TRUE(someWithOverlay);
}

} // namespace
} // namespace qr

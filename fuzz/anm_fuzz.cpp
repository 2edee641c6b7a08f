// SPDX-License-Identifier: GPL-3.0-or-later
// Loads arbitrary bytes as an animal file and, when they load, plays every scene against a
// small picture library, releasing the animal half-way and drawing every tick. A failure to
// load must be an AnimalException; playing must neither crash, hang nor touch memory
// outside a picture.
#include "game/gameplay/animal.h"
#include "game/gameplay/tests/animal_fixture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qr::TMemoryStream stream(std::vector<uint8_t>(data, data + size));
    try {
        (void)qr::TAnimal::ReadSelectionFlags(stream);
    } catch (const qr::AnimalException&) {
    }
    qr::TAnimal animal;
    stream.Seek(0);
    try {
        animal.LoadFromStream(stream);
    } catch (const qr::AnimalException&) {
        return 0;
    }
    // Give the objects the fixture's pictures, whatever the file called them.
    const char* const names[] = {"body", "ovl", "backdrop"};
    for (size_t i = 0; i < animal.Objects.size(); ++i)
        if (!animal.Objects[i]->IsLetter) animal.Objects[i]->Name = names[i % 3];
    animal.PictureName = "backdrop";
    animal.SetLibrary(qr::test::AnimalLibrary());

    qr::TPX8Image work, card;
    work.Initialise("work", nullptr, 64, 64);
    card.Initialise("card", nullptr, 9, 9);
    auto workData = work.CreateImageData();
    auto cardData = card.CreateImageData();
    animal.SetWorkImage(workData.get());
    animal.SetArea({3, 5, 50, 60});
    animal.SetCardCallback([&] { return cardData.get(); });
    for (uint8_t scene = 0; scene < qr::kAnimalSceneCount + 1; ++scene) {
        animal.StartScene(scene);
        for (int tick = 0; tick < 300; ++tick) {
            if (tick == 150) animal.Released = true;
            const bool going = animal.Step();
            animal.Draw();
            if (!going) break;
        }
    }
    return 0;
}

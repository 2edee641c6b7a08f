// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small animal picture library in memory and a way to write event scripts tersely, for
// the animal's tests and its fuzz target.
#include <memory>
#include <vector>

#include "game/gameplay/animal.h"
#include "graphics/image_writer.h"

namespace qr::test {

inline constexpr uint8_t kKey = 253;

// "backdrop" 20x30 of colour 1; "body" 4x4 frames, frame f filled with colour 2 + f, its
// top-left pixel transparent; "ovl" 2x2 of colour 9; "card" 6x5 of colour 7.
inline std::unique_ptr<TPX8Library> AnimalLibrary() {
    TPX8Writer w;
    for (int i = 0; i < 256; ++i)
        w.SetPaletteRGB(i, uint8_t(i), uint8_t(i), uint8_t(i));
    auto image = [&](const char* name, int width, int height, auto colourAt) {
        TPX8WriterImage im;
        im.Name = name;
        im.Width = width;
        im.Height = height;
        im.Transparent = true;
        im.TransparentColour = kKey;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                im.Pixels.push_back(uint8_t(colourAt(x, y)));
        w.Add(std::move(im));
    };
    image("backdrop", 20, 30, [](int, int) { return 1; });
    image("body", 4, 12, [](int x, int y) { return x == 0 && y % 4 == 0 ? kKey : 2 + y / 4; });
    image("ovl", 2, 2, [](int, int) { return 9; });
    auto lib = std::make_unique<TPX8Library>();
    lib->OpenStream(std::make_unique<TMemoryStream>(w.Bytes()), "animals.px8");
    return lib;
}

// Events with consecutive times: each starts when the one before it is over.
struct Script {
    TSceneEventList events;
    int16_t time = 0;
    TSceneEvent& Add(uint8_t kind, int16_t duration = 1) {
        TSceneEvent e;
        e.Kind = kind;
        e.Time = time;
        e.Duration = duration;
        time = int16_t(time + std::max<int16_t>(duration, 1));
        events.push_back(e);
        return events.back();
    }
    TSceneEvent& Show(int16_t x, int16_t y, int16_t frame = 0) {
        TSceneEvent& e = Add(sekShow);
        e.X = x;
        e.Y = y;
        e.Frame = frame;
        return e;
    }
    TSceneEvent& Motion(int16_t duration, int16_t dx, int16_t dy, int16_t interval,
                        int16_t frameStep = 0) {
        TSceneEvent& e = Add(sekMotion, duration);
        e.DX = dx;
        e.DY = dy;
        e.Interval = interval;
        e.FrameStep = frameStep;
        return e;
    }
    TSceneEvent& Loop(int16_t target, uint16_t count, bool waitRelease = false) {
        TSceneEvent& e = Add(sekLoop);
        e.Target = target;
        e.LoopCount = count;
        e.WaitRelease = waitRelease;
        return e;
    }
};

inline TAnimObject& AddObject(TAnimal& a, const std::string& name, int16_t width = 4,
                              int16_t height = 4, int16_t frames = 3) {
    auto o = std::make_unique<TAnimObject>();
    o->Name = name;
    o->Width = width;
    o->Height = height;
    o->FrameCount = frames;
    o->IsLetter = name == "LETTER";
    a.Objects.push_back(std::move(o));
    return *a.Objects.back();
}

} // namespace qr::test

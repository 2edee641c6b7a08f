// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/display_sdl.h"

#include <gtest/gtest.h>

#include <cstring>

#include "graphics/image_data.h"
#include "graphics/image_library.h"
#include "graphics/image_writer.h"

namespace qr {
namespace {

// A window stand-in: SDL's software renderer drawing into a 32-bit surface we can read.
class SdlWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        window = SDL_CreateRGBSurfaceWithFormat(0, 16, 8, 32, SDL_PIXELFORMAT_ARGB8888);
        renderer = SDL_CreateSoftwareRenderer(window);
        ASSERT_NE(renderer, nullptr) << SDL_GetError();
        TPX8Writer w;
        w.SetPaletteRGB(5, 10, 20, 30);
        w.SetPaletteRGB(6, 200, 100, 50);
        lib.OpenStream(std::make_unique<TMemoryStream>(w.Bytes()));
    }
    void TearDown() override {
        lib.Close();
        SDL_DestroyRenderer(renderer);
        SDL_FreeSurface(window);
    }
    uint32_t Pixel(int x, int y) const {
        return static_cast<const uint32_t*>(window->pixels)[y * (window->pitch / 4) + x] |
               0xFF000000u;
    }
    SDL_Surface* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    TPX8Library lib;
};

TEST_F(SdlWindow, DamageIsConvertedThroughThePaletteAndTransparentPixelsKeepTheScreen) {
    SdlDisplay display(renderer, 16, 8);
    TImageNode* n = lib.CreateImage("back", 16, 8);
    TImageDataRef back(lib, n);
    const auto pal = lib.GetHPal();
    back->FillRect(back->GetBounds(), 5);
    back->DisplayDamage(display, *pal, {0, 0});
    EXPECT_EQ(Pixel(3, 3), 0xFF0A141Eu);

    TImageNode* s = lib.CreateImage("sprite", 4, 2);
    TImageDataRef sprite(lib, s);
    sprite->FillRect(sprite->GetBounds(), 6);
    sprite->FillRect({0, 0, 2, 2}, 9);
    sprite->SetTransparency(9, true);
    sprite->Damage.Clear();
    sprite->InvalidateAll();
    sprite->DisplayDamage(display, *pal, {8, 4});
    EXPECT_EQ(Pixel(8, 4), 0xFF0A141Eu);  // transparent: the screen shows through
    EXPECT_EQ(Pixel(10, 4), 0xFFC86432u); // palette entry 6
    EXPECT_EQ(Pixel(12, 4), 0xFF0A141Eu); // outside the sprite
}

TEST_F(SdlWindow, TransfersOutsideTheFrameAreClipped) {
    SdlDisplay display(renderer, 16, 8);
    TImageNode* n = lib.CreateImage("big", 40, 20);
    TImageDataRef big(lib, n);
    big->FillRect(big->GetBounds(), 6);
    const auto pal = lib.GetHPal();
    EXPECT_EQ(big->Display(display, *pal, {-5, -3}, big->GetBounds()), 8);
    display.Show();
    EXPECT_EQ(Pixel(0, 0), 0xFFC86432u);
    EXPECT_EQ(Pixel(15, 7), 0xFFC86432u);
}

// A real window (SDL's dummy video driver) twice the frame's size, drawn by the software
// renderer: after the first whole drawing only the changed parts are drawn again, and they
// must land scaled where they belong while the rest of the window keeps its pixels.
TEST(SdlScaledWindow, ChangedPartsAreDrawnScaledAndTheRestIsKept) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_Window* window = SDL_CreateWindow("test", 0, 0, 32, 16, 0);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    ASSERT_NE(renderer, nullptr) << SDL_GetError();
    SDL_RenderSetLogicalSize(renderer, 16, 8);
    {
        TPX8Writer w;
        w.SetPaletteRGB(5, 10, 20, 30);
        w.SetPaletteRGB(6, 200, 100, 50);
        TPX8Library lib;
        lib.OpenStream(std::make_unique<TMemoryStream>(w.Bytes()));
        const auto pal = lib.GetHPal();
        SdlDisplay display(renderer, 16, 8);
        TImageDataRef back(lib, lib.CreateImage("back", 16, 8));
        back->FillRect(back->GetBounds(), 5);
        back->DisplayDamage(display, *pal, {0, 0});
        // Two small changes far apart, in one showing.
        TImageDataRef dot(lib, lib.CreateImage("dot", 2, 2));
        dot->FillRect(dot->GetBounds(), 6);
        EXPECT_EQ(dot->Display(display, *pal, {1, 1}, dot->GetBounds()), 2);
        EXPECT_EQ(dot->Display(display, *pal, {12, 5}, dot->GetBounds()), 2);
        display.Show();

        SDL_Surface* surface = SDL_GetWindowSurface(window);
        ASSERT_NE(surface, nullptr) << SDL_GetError();
        auto pixel = [&](int x, int y) {
            uint8_t r, g, b;
            const uint8_t* row = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch;
            uint32_t v;
            std::memcpy(&v, row + x * surface->format->BytesPerPixel, sizeof v);
            SDL_GetRGB(v, surface->format, &r, &g, &b);
            return (r << 16) | (g << 8) | b;
        };
        struct Case {
            int x, y, rgb;
        };
        const Case cases[] = {
            {2, 2, 0xC86432},   {5, 5, 0xC86432},   // the first dot, 2x: (2,2)-(5,5)
            {24, 10, 0xC86432}, {27, 13, 0xC86432}, // the second, (24,10)-(27,13)
            {1, 2, 0x0A141E},   {6, 5, 0x0A141E},   // beside them the background stays
            {23, 10, 0x0A141E}, {28, 13, 0x0A141E}, {16, 8, 0x0A141E}, {31, 15, 0x0A141E},
        };
        for (const Case& c : cases)
            EXPECT_EQ(pixel(c.x, c.y), c.rgb) << "at " << c.x << "," << c.y;
    }
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

} // namespace
} // namespace qr

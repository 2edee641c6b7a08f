// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/display_sdl.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace qr

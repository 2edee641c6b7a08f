// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The handle through which rooms, animations and the editor hold one picture: an image of
// a library (or a private blank image, copy or cut-out) whose surface is made on first
// use, optionally with its transparency overridden.
#include <string_view>

#include "graphics/image_data.h"
#include "graphics/image_library.h"

namespace qr {

class THotImage {
  public:
    // By name, from the given library or the default one.
    explicit THotImage(std::string_view name);
    THotImage(std::string_view name, TPX8Library& library);
    ~THotImage();
    THotImage(const THotImage&) = delete;
    THotImage& operator=(const THotImage&) = delete;

    // Private images, named "1", "2", ... in creation order.
    static std::unique_ptr<THotImage> CreateBlank(int32_t width, int32_t height);
    static std::unique_ptr<THotImage> CreateBlank(int32_t width, int32_t height,
                                                  TPX8Library& library);
    // An exact copy of source's pixels (transparent pixels included), transparent exactly
    // as the source is.
    static std::unique_ptr<THotImage> CreateCopy(TPX8ImageData& source);
    static std::unique_ptr<THotImage> CreateCopy(TPX8ImageData& source, TPX8Library& library);
    static std::unique_ptr<THotImage> CreateCut(TPX8ImageData& source, TPX8Library& library,
                                                const TRect& rect);

    TPX8ImageData& Surface();

    static void SetDefaultLibrary(TPX8Library* library);
    static TPX8Library& DefaultLibrary();
    // The next private name (the counter is increased first).
    static std::string NextPrivateName();

    TPX8Library& Library;
    TImageNode* Node = nullptr;
    uint8_t OverrideTransparency = 0;
    uint8_t OverrideColour = 0;

  private:
    struct Blank {};
    THotImage(Blank, TPX8Library& library, int32_t width, int32_t height);
    TPX8ImageData* surface_ = nullptr;
};

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/hot_image.h"

#include <string>

namespace qr {

namespace {
TPX8Library* gDefaultLibrary = nullptr;
int gPrivateCounter = 0;
} // namespace

void THotImage::SetDefaultLibrary(TPX8Library* library) {
    gDefaultLibrary = library;
}

TPX8Library& THotImage::DefaultLibrary() {
    if (!gDefaultLibrary) throw PX8Exception("ImageOffset: no library loaded");
    return *gDefaultLibrary;
}

std::string THotImage::NextPrivateName() {
    return std::to_string(++gPrivateCounter);
}

THotImage::THotImage(std::string_view name) : THotImage(name, DefaultLibrary()) {}

THotImage::THotImage(std::string_view name, TPX8Library& library) : Library(library) {
    Node = library.GetImage(name);
}

THotImage::THotImage(Blank, TPX8Library& library, int32_t width, int32_t height)
    : Library(library) {
    Node = library.CreateImage(NextPrivateName(), width, height);
    ++Node->RefCount; // held like any image taken with GetImage
}

THotImage::~THotImage() {
    // The surface count is released too; the surface lives on while others hold it.
    if (surface_) Library.ReleaseImageData(Node);
    Library.ReleaseImage(Node);
}

std::unique_ptr<THotImage> THotImage::CreateBlank(int32_t width, int32_t height) {
    return CreateBlank(width, height, DefaultLibrary());
}

std::unique_ptr<THotImage> THotImage::CreateBlank(int32_t width, int32_t height,
                                                  TPX8Library& library) {
    return std::unique_ptr<THotImage>(new THotImage(Blank{}, library, width, height));
}

std::unique_ptr<THotImage> THotImage::CreateCopy(TPX8ImageData& source) {
    return CreateCopy(source, DefaultLibrary());
}

std::unique_ptr<THotImage> THotImage::CreateCopy(TPX8ImageData& source, TPX8Library& library) {
    return CreateCut(source, library, source.GetBounds());
}

std::unique_ptr<THotImage> THotImage::CreateCut(TPX8ImageData& source, TPX8Library& library,
                                                const TRect& rect) {
    auto hot = CreateBlank(rect.Width(), rect.Height(), library);
    TPX8ImageData& dest = hot->Surface();
    const int t = source.GetTransparentColour();
    // Opaque for the moment, so that every pixel is copied; mirroring would not be a copy.
    const uint8_t flipH = source.FlipHorizontal, flipV = source.FlipVertical;
    source.SetTransparency(uint8_t(t >= 0 ? t : source.TransparentColour), false);
    source.FlipHorizontal = source.FlipVertical = 0;
    try {
        dest.Blit({0, 0}, source, rect);
    } catch (...) {
        source.SetTransparency(source.TransparentColour, t >= 0);
        source.FlipHorizontal = flipH;
        source.FlipVertical = flipV;
        throw;
    }
    source.SetTransparency(source.TransparentColour, t >= 0);
    source.FlipHorizontal = flipH;
    source.FlipVertical = flipV;
    dest.SetTransparency(source.TransparentColour, t >= 0);
    return hot;
}

TPX8ImageData& THotImage::Surface() {
    if (!surface_) {
        surface_ = Library.GetImageData(Node);
        if (OverrideTransparency) surface_->SetTransparency(OverrideColour, OverrideTransparency);
    }
    return *surface_;
}

} // namespace qr

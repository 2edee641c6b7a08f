// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/image_library.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "fixtures.h"
#include "graphics/image_data.h"

namespace qr {
namespace {

using test::Img;
using test::OpenBytes;

std::string MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(no exception)";
}

// The pixels of an image read back through its surface, top row first.
std::vector<uint8_t> PixelsOf(TPX8Library& lib, TImageNode* node) {
    TPX8ImageData* d = lib.GetImageData(node);
    std::vector<uint8_t> out;
    for (int y = 0; y < d->Height; ++y) {
        const uint8_t* p = d->StartLine(0, y);
        out.insert(out.end(), p, p + d->Width);
    }
    lib.ReleaseImageData(node);
    return out;
}

TEST(Library, EveryStorageAndCodingReadsBackThroughTheGameDecoder) {
    struct Pic {
        std::string name;
        int width, height;
        TBandCoding coding;
    };
    const Pic pics[] = {
        {"raw", 97, 60, TBandCoding::Raw},           {"lines", 97, 60, TBandCoding::LineCoded},
        {"runs", 97, 60, TBandCoding::RunMode},      {"big", 256, 256, TBandCoding::LineCoded},
        {"bigruns", 300, 500, TBandCoding::RunMode}, {"bigraw", 256, 256, TBandCoding::Raw},
        {"noise", 40, 30, TBandCoding::LineCoded},
    };
    TPX8Writer w2 = test::GreyWriter();
    for (const Pic& p : pics)
        w2.Add(Img(p.name, p.width, p.height,
                   p.name == "noise" ? test::NoisePixels(p.width, p.height, 3)
                                     : test::ArtLikePixels(p.width, p.height),
                   p.coding));
    TPX8Library lib;
    OpenBytes(lib, w2.Bytes());
    for (const Pic& p : pics) {
        SCOPED_TRACE(p.name);
        TImageNode* n = lib.GetImage(p.name);
        EXPECT_EQ(n->Image->Width, p.width);
        EXPECT_EQ(n->Image->Height, p.height);
        const auto want = p.name == "noise" ? test::NoisePixels(p.width, p.height, 3)
                                            : test::ArtLikePixels(p.width, p.height);
        EXPECT_EQ(PixelsOf(lib, n), want);
        lib.ReleaseImage(n);
    }
}

TEST(Library, DirectoryNamesAreCaseInsensitiveAndTheFirstRecordWins) {
    auto w = test::GreyWriter();
    w.Add(Img("Sky", 2, 1, {1, 2}));
    w.Add(Img("eightchr", 1, 1, {3})); // no terminator in the file
    w.Add(Img("SKY", 1, 1, {9}));
    TPX8Library lib;
    OpenBytes(lib, w.Bytes());
    EXPECT_EQ(lib.GetImageNames(), (std::vector<std::string>{"eightchr", "sky"}));
    EXPECT_EQ(lib.ImageOffset("sKy"), kPX8FirstRecord);
    EXPECT_TRUE(lib.ImageExists("EIGHTCHR"));
    EXPECT_FALSE(lib.ImageExists("eightch"));
    TImageRef sky(lib, "SKY");
    EXPECT_EQ(sky->Image->Width, 2); // the first record
    EXPECT_EQ(sky->Image->Name, "Sky");
}

TEST(Library, HeaderAndPaletteOnlyGiveAnEmptyDirectory) {
    TPX8Library lib;
    const auto bytes = test::EmptyLibraryBytes();
    ASSERT_EQ(bytes.size(), 1030u);
    OpenBytes(lib, bytes);
    EXPECT_TRUE(lib.GetImageNames().empty());
    EXPECT_EQ(MessageOf([&] { lib.GetImage("Cat"); }), "Image \"Cat\" does not exist");
}

TEST(Library, GetImageCountsReferencesAndTheLastReleaseFrees) {
    auto w = test::GreyWriter();
    w.Add(Img("a", 3, 3, std::vector<uint8_t>(9, 5)));
    TPX8Library lib;
    OpenBytes(lib, w.Bytes());
    TImageNode* first = lib.GetImage("a");
    TImageNode* second = lib.GetImage("A");
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->RefCount, 2);
    lib.ReleaseImage(first);
    EXPECT_EQ(lib.Images().Count(), 1);
    lib.ReleaseImage(first);
    EXPECT_EQ(lib.Images().Count(), 0);
    lib.ReleaseImage(nullptr);
}

TEST(Library, SurfacesAreSharedAndFreedWithTheLastHolder) {
    auto w = test::GreyWriter();
    w.Add(Img("a", 3, 3, std::vector<uint8_t>(9, 5)));
    TPX8Library lib;
    OpenBytes(lib, w.Bytes());
    TImageRef node(lib, "a");
    TPX8ImageData* d1 = lib.GetImageData(node.get());
    TPX8ImageData* d2 = lib.GetImageData(node.get());
    EXPECT_EQ(d1, d2);
    EXPECT_EQ(node->DataCount, 2);
    lib.ReleaseImageData(node.get());
    EXPECT_NE(node->Data, nullptr);
    lib.ReleaseImageData(node.get());
    EXPECT_EQ(node->Data, nullptr);
}

TEST(Library, RawImagesAreReadOnFirstLock) {
    auto w = test::GreyWriter();
    w.Add(Img("raw", 256, 256, test::ArtLikePixels(256, 256), TBandCoding::Raw));
    TPX8Library lib;
    OpenBytes(lib, w.Bytes());
    TImageRef n(lib, "raw");
    ASSERT_EQ(n->Image->Segments.size(), 2u);
    for (auto& seg : n->Image->Segments)
        EXPECT_EQ(seg->State(), TPX8ImageSegment::BlockState::Discarded);
    TImageDataRef d(lib, n.get());
    d->StartLine(0, 0); // the top row lives in the upper band, band 1
    EXPECT_EQ(n->Image->Segments[1]->State(), TPX8ImageSegment::BlockState::Present);
    EXPECT_EQ(n->Image->Segments[0]->State(), TPX8ImageSegment::BlockState::Discarded);
}

TEST(Library, CodedBandsOfARawStoredImageAreDecodedOnFirstLock) {
    auto w = test::GreyWriter();
    const auto px = test::ArtLikePixels(256, 15);
    w.Add(Img("pic", 256, 15, px, TBandCoding::LineCoded));
    auto bytes = w.Bytes();
    bytes[kPX8FirstRecord + 13] = 2; // storage 2: nothing is decoded at load
    TPX8Library lib;
    OpenBytes(lib, bytes);
    TImageRef n(lib, "pic");
    EXPECT_EQ(n->Image->State, TPX8Image::StateReady);
    EXPECT_EQ(PixelsOf(lib, n.get()), px);
    EXPECT_EQ(n->Image->Segments[0]->Size, 15u * 256u);
}

TEST(Segment, MemoryBlockMessages) {
    TPX8Image img;
    img.Initialise("x", nullptr, 4, 4);
    TPX8ImageSegment& seg = *img.Segments[0];
    EXPECT_NE(seg.Lock(), nullptr);
    seg.Reallocate(32); // keeps the lock across the resize
    EXPECT_TRUE(seg.IsLocked());
    EXPECT_EQ(seg.Size, 32u);
    const auto bytes = seg.Detach();
    EXPECT_EQ(bytes.size(), 32u);
    EXPECT_EQ(seg.State(), TPX8ImageSegment::BlockState::Absent);
    EXPECT_EQ(MessageOf([&] { seg.Lock(); }), "Segment Lock: segment buffer not allocated");
    EXPECT_EQ(MessageOf([&] { seg.Reallocate(8); }), "Reallocate: segment buffer not allocated");
}

TEST(Library, PaletteHasBlackAndWhiteAtTheEndsAndTheFileColoursBetween) {
    auto w = test::GreyWriter();
    w.SetPaletteRGB(0, 9, 9, 9);
    w.SetPaletteRGB(255, 1, 2, 3);
    w.SetPaletteRGB(10, 200, 100, 50);
    TPX8Library lib;
    OpenBytes(lib, w.Bytes());
    auto pal = lib.GetHPal();
    EXPECT_EQ((*pal)[0], (TRGBColour{0, 0, 0}));
    EXPECT_EQ((*pal)[255], (TRGBColour{255, 255, 255}));
    EXPECT_EQ((*pal)[10], (TRGBColour{200, 100, 50}));
    EXPECT_EQ(lib.GetHPal(), pal); // made once, then cached
    lib.Close();
    EXPECT_EQ(MessageOf([&] { lib.GetHPal(); }), "GetHPal: global palette unavailable");
}

TEST(Library, ClosedLibraryHasNoDirectory) {
    TPX8Library lib;
    EXPECT_EQ(MessageOf([&] { lib.ImageOffset("x"); }), "ImageOffset: no library loaded");
    EXPECT_EQ(MessageOf([&] { lib.GetImage("x"); }), "ImageOffset: no library loaded");
}

// Bytes of a library with one 4x2 line-coded image; tests damage them.
std::vector<uint8_t> OneImage() {
    auto w = test::GreyWriter();
    w.Add(Img("pic", 4, 2, {1, 2, 3, 4, 5, 6, 7, 8}));
    return w.Bytes();
}
void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    std::memcpy(b.data() + at, &v, 4);
}

TEST(Library, BadFilesRaiseTheirMessagesAndLeaveTheLibraryClosed) {
    const size_t rec = kPX8FirstRecord;
    struct Case {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> damage;
        const char* open;
        const char* get;
    };
    const Case cases[] = {
        {"magic", [](auto& b) { b[0] = 'Q'; }, "ValidatePX8FileHeader: header invalid", nullptr},
        {"depth", [](auto& b) { b[2] = 24; }, "ValidatePX8FileHeader: header invalid", nullptr},
        {"version", [](auto& b) { b[4] = 3; }, "ValidatePX8FileHeader: header invalid", nullptr},
        {"short palette", [](auto& b) { b.resize(500); }, "Stream read error", nullptr},
        {"zero width", [&](auto& b) { b[rec + 8] = b[rec + 9] = 0; }, "Invalid PX8 image header",
         nullptr},
        {"zero height", [&](auto& b) { b[rec + 10] = b[rec + 11] = 0; }, "Invalid PX8 image header",
         nullptr},
        {"zero segments", [&](auto& b) { b[rec + 12] = 0; }, "Invalid PX8 image header", nullptr},
        {"segment count off the band rule", [&](auto& b) { b[rec + 12] = 2; },
         "Invalid PX8 image header", nullptr},
        {"storage 3", [&](auto& b) { b[rec + 13] = 3; }, "Invalid PX8 image header", nullptr},
        {"image version", [&](auto& b) { b[rec + 16] = 2; }, "Invalid PX8 image header", nullptr},
        {"record length 0 (would never end)", [&](auto& b) { PutU32(b, rec + 18, 0); },
         "Invalid PX8 image header", nullptr},
        {"header cut short", [&](auto& b) { b.resize(rec + 10); }, "Stream read error", nullptr},
        {"data cut short", [&](auto& b) { b.resize(b.size() - 3); }, nullptr, "Stream read error"},
        {"data length 65536",
         [&](auto& b) {
             PutU32(b, rec + 18, 18 + 4 + 3 + 65536);
             b.resize(rec + 18 + 4 + 3 + 65536);
         },
         nullptr, "Invalid PX8 image header"},
        {"coded data end early",
         [&](auto& b) {
             b.resize(b.size() - 1);
             PutU32(b, rec + 18, uint32_t(b.size() - rec));
         },
         nullptr, "Decode: source buffer overflow"},
        {"raw band shorter than its rows",
         [&](auto& b) {
             b[rec + 13] = 2;
             b[rec + 24] = 0;
             b.resize(b.size() - 1);
             PutU32(b, rec + 18, uint32_t(b.size() - rec));
         },
         nullptr, "Decode: source buffer overflow"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto bytes = OneImage();
        c.damage(bytes);
        TPX8Library lib;
        if (c.open) {
            EXPECT_EQ(MessageOf([&] { OpenBytes(lib, bytes); }), c.open);
            EXPECT_FALSE(lib.IsOpen());
            continue;
        }
        ASSERT_NO_THROW(OpenBytes(lib, bytes));
        EXPECT_EQ(MessageOf([&] { lib.GetImage("pic"); }), c.get);
        EXPECT_EQ(lib.Images().Count(), 0); // a failing GetImage leaves Images unchanged
    }
}

TEST(Library, CreateImageIsAReadyBlankSurfaceOutsideTheDirectory) {
    TPX8Library lib;
    OpenBytes(lib, test::EmptyLibraryBytes());
    TImageNode* n = lib.CreateImage("Back", 600, 400);
    EXPECT_EQ(n->RefCount, 0);
    EXPECT_EQ(n->Image->State, TPX8Image::StateReady);
    EXPECT_FALSE(lib.ImageExists("back"));
    int32_t w, h;
    lib.GetImageSize(n, w, h);
    EXPECT_EQ(w, 600);
    EXPECT_EQ(h, 400);
    TImageDataRef d(lib, n);
    d->FillRect({0, 0, 600, 400}, 7);
    EXPECT_EQ(d->GetPixel({599, 399}), 7);
}

TEST(Library, OpensAFileFromDiskAndRejectsAMissingOne) {
    const std::string path = ::testing::TempDir() + "/lib_test.px8";
    auto w = test::GreyWriter();
    w.Add(Img("pic", 4, 2, {1, 2, 3, 4, 5, 6, 7, 8}));
    w.SaveToFile(path);
    TPX8Library lib;
    lib.Open(path);
    EXPECT_EQ(lib.FileName(), path);
    TImageRef pic(lib, "pic");
    EXPECT_EQ(PixelsOf(lib, pic.get()), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    pic.Reset();
    EXPECT_THROW(lib.Open(path + ".missing"), UvoException);
    EXPECT_FALSE(lib.IsOpen());
}

} // namespace
} // namespace qr

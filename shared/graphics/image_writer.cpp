// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/image_writer.h"

#include <cstring>

#include "graphics/image_library.h"

namespace qr {

void TPX8Writer::SetPaletteRGB(int index, uint8_t r, uint8_t g, uint8_t b) {
    const size_t i = size_t(uint8_t(index)) * 4;
    Palette[i] = b;
    Palette[i + 1] = g;
    Palette[i + 2] = r;
    Palette[i + 3] = 0;
}

void TPX8Writer::Add(TPX8WriterImage image) {
    if (image.Name.empty() || image.Name.size() > 8)
        throw PX8Exception("Image name must have 1 to 8 characters: \"" + image.Name + "\"");
    if (image.Width <= 0 || image.Height <= 0 || image.Width > 0xFFFF || image.Height > 0xFFFF)
        throw PX8Exception("Image \"" + image.Name + "\": size out of range");
    if (image.Pixels.size() != size_t(image.Width) * size_t(image.Height))
        throw PX8Exception("Image \"" + image.Name + "\": pixel count does not match its size");
    ComputeBandLayout(image.Width, image.Height); // rejects rows too wide for a band
    images_.push_back(std::move(image));
}

std::vector<uint8_t> TPX8Writer::EncodeRecord(const TPX8WriterImage& image) {
    const TBandLayout l = ComputeBandLayout(image.Width, image.Height);
    if (l.BandCount > 255) throw PX8Exception("Image \"" + image.Name + "\": too many bands");
    TPX8ImageHeader h;
    h.Name = image.Name;
    h.Width = uint16_t(image.Width);
    h.Height = uint16_t(image.Height);
    h.SegmentCount = uint8_t(l.BandCount);
    h.Storage = image.Coding == TBandCoding::Raw ? 2 : 1;
    h.TransparentColour = image.TransparentColour;
    h.Transparent = image.Transparent ? 1 : 0;

    std::vector<std::vector<uint8_t>> segments;
    std::vector<uint8_t> band;
    for (int32_t k = 0; k < l.BandCount; ++k) {
        const int32_t rows = l.RowsOf(k);
        band.assign(size_t(rows) * l.Stride, 0);
        // Memory rows are bottom-up: band k's row 0 is image row Height - 1 - k * R.
        for (int32_t r = 0; r < rows; ++r) {
            const int32_t y = image.Height - 1 - (k * l.RowsPerBand + r);
            std::memcpy(band.data() + size_t(r) * l.Stride,
                        image.Pixels.data() + size_t(y) * image.Width, size_t(image.Width));
        }
        const TEncodedBand e = EncodeBand(band.data(), {image.Width, l.Stride, rows}, image.Coding);
        if (e.Data.size() >= 65536)
            throw PX8Exception("Image \"" + image.Name + "\": band too large");
        std::vector<uint8_t> seg{e.EscapeA, e.EscapeB, e.Flags};
        seg.insert(seg.end(), e.Data.begin(), e.Data.end());
        segments.push_back(std::move(seg));
    }
    TMemoryStream out;
    h.Write(out);
    uint32_t end = kPX8ImageHeaderSize + 4u * uint32_t(segments.size());
    for (const auto& s : segments) {
        end += uint32_t(s.size());
        out.WriteU32(end);
    }
    for (const auto& s : segments)
        out.WriteBuffer(s.data(), s.size());
    return std::move(out.Data());
}

void TPX8Writer::Write(TStream& out) const {
    const uint8_t header[kPX8FileHeaderSize] = {'P', 'X', 8, 0, 2, 0};
    out.WriteBuffer(header, sizeof header);
    out.WriteBuffer(Palette.data(), Palette.size());
    for (const auto& img : images_) {
        const auto rec = EncodeRecord(img);
        out.WriteBuffer(rec.data(), rec.size());
    }
}

std::vector<uint8_t> TPX8Writer::Bytes() const {
    TMemoryStream s;
    Write(s);
    return std::move(s.Data());
}

void TPX8Writer::SaveToFile(const std::string& path) const {
    const auto b = Bytes();
    WriteFileAtomic(path, b.data(), b.size());
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/image_library.h"

#include <algorithm>
#include <cstring>

#include "foundation/utils.h"
#include "graphics/image_codec.h"
#include "graphics/image_data.h"

namespace qr {

namespace {
const char* const kBadHeader = "Invalid PX8 image header";
}

TBandLayout ComputeBandLayout(int32_t width, int32_t height) {
    TBandLayout l;
    l.Stride = StrideOf(width);
    // A row wider than the largest band can never be banded: the search for a row
    // count below would not end.
    if (width <= 0 || height <= 0 || l.Stride > kPX8MaxBandBytes) throw PX8Exception(kBadHeader);
    const int64_t total = int64_t(l.Stride) * height;
    int64_t n = (total + kPX8MaxBandBytes - 1) / kPX8MaxBandBytes;
    auto rowsFor = [&](int64_t bands) { return ((total / bands) + l.Stride - 1) / l.Stride; };
    int64_t rows = rowsFor(n);
    while (rows * l.Stride > kPX8MaxBandBytes)
        rows = rowsFor(++n);
    l.RowsPerBand = static_cast<int32_t>(rows);
    // The count the writer stores; it also keeps the last band from being empty.
    l.BandCount = static_cast<int32_t>((height + rows - 1) / rows);
    l.LastRows = height - (l.BandCount - 1) * l.RowsPerBand;
    return l;
}

// ---------------------------------------------------------------------------------------
// Image header

TPX8ImageHeader TPX8ImageHeader::Read(TStream& stream) {
    uint8_t b[kPX8ImageHeaderSize];
    stream.ReadBuffer(b, sizeof b);
    TPX8ImageHeader h;
    size_t len = 0;
    while (len < 8 && b[len] != 0)
        ++len;
    h.Name.assign(reinterpret_cast<const char*>(b), len);
    h.Width = uint16_t(b[8] | (b[9] << 8));
    h.Height = uint16_t(b[10] | (b[11] << 8));
    h.SegmentCount = b[12];
    h.Storage = b[13];
    h.TransparentColour = b[14];
    h.Transparent = b[15];
    h.Version = uint16_t(b[16] | (b[17] << 8));
    if (h.Width == 0 || h.Height == 0 || h.SegmentCount == 0 ||
        (h.Storage != 1 && h.Storage != 2) || h.Version != 3)
        throw PX8Exception(kBadHeader);
    // The band count follows from the size; a table of another length would leave rows
    // without a band or bands without rows.
    if (ComputeBandLayout(h.Width, h.Height).BandCount != h.SegmentCount)
        throw PX8Exception(kBadHeader);
    return h;
}

void TPX8ImageHeader::Write(TStream& stream) const {
    uint8_t b[kPX8ImageHeaderSize] = {};
    std::memcpy(b, Name.data(), std::min<size_t>(Name.size(), 8));
    b[8] = uint8_t(Width);
    b[9] = uint8_t(Width >> 8);
    b[10] = uint8_t(Height);
    b[11] = uint8_t(Height >> 8);
    b[12] = SegmentCount;
    b[13] = Storage;
    b[14] = TransparentColour;
    b[15] = Transparent;
    b[16] = uint8_t(Version);
    b[17] = uint8_t(Version >> 8);
    stream.WriteBuffer(b, sizeof b);
}

// ---------------------------------------------------------------------------------------
// Segment

void TPX8ImageSegment::ReadHeader(TStream& stream) {
    uint8_t b[3];
    stream.ReadBuffer(b, 3);
    EscapeA = b[0];
    EscapeB = b[1];
    Flags = b[2] & (kSegNoLineCodes | kSegRunMode | kSegCoded);
}

void TPX8ImageSegment::AllocateDiscarded(uint32_t size) {
    Free();
    state_ = BlockState::Discarded;
    Size = size;
}

void TPX8ImageSegment::Allocate(uint32_t size) {
    Free();
    try {
        block_.assign(size, 0);
    } catch (const std::bad_alloc&) {
        throw PX8Exception("Allocate: out of memory");
    }
    state_ = BlockState::Present;
    Size = size;
}

void TPX8ImageSegment::Reallocate(uint32_t size) {
    if (state_ == BlockState::Absent)
        throw PX8Exception("Reallocate: segment buffer not allocated");
    const bool wasLocked = IsLocked();
    Unlock();
    try {
        block_.resize(size);
    } catch (const std::bad_alloc&) {
        Free();
        throw PX8Exception("Reallocate: out of memory");
    }
    Size = size;
    if (wasLocked) Lock();
}

uint8_t* TPX8ImageSegment::Lock() {
    if (state_ == BlockState::Absent)
        throw PX8Exception("Segment Lock: segment buffer not allocated");
    if (state_ == BlockState::Discarded) Owner->ReloadSegment(Index);
    if (state_ == BlockState::Present && !Locked) Locked = block_.data();
    return Locked;
}

void TPX8ImageSegment::Unlock() {
    Locked = nullptr;
}

std::vector<uint8_t> TPX8ImageSegment::Detach() {
    if (state_ == BlockState::Absent) return {};
    if (state_ == BlockState::Discarded) Owner->ReadStoredBytes(Index);
    Unlock();
    std::vector<uint8_t> out = std::move(block_);
    block_.clear();
    state_ = BlockState::Absent;
    Size = 0;
    Flags &= uint8_t(~kSegCoded);
    return out;
}

void TPX8ImageSegment::Free() {
    Unlock();
    Flags &= uint8_t(~kSegCoded);
    block_.clear();
    block_.shrink_to_fit();
    state_ = BlockState::Absent;
    Size = 0;
}

void TPX8ImageSegment::Decode(int32_t width, int32_t height) {
    if (!(Flags & kSegCoded)) return;
    const uint8_t flags = Flags;
    try {
        std::vector<uint8_t> src = Detach();
        const TBandLayout l = ComputeBandLayout(width, height);
        const TBandGeometry g{width, l.Stride, l.RowsOf(Index)};
        Allocate(uint32_t(g.Rows) * uint32_t(g.Stride));
        DecodeBand(src.data(), src.size(), block_.data(), g, EscapeA, EscapeB, flags);
    } catch (...) {
        Free();
        throw;
    }
}

// ---------------------------------------------------------------------------------------
// Image

TPX8Image::~TPX8Image() = default;

void TPX8Image::Clear() {
    Segments.clear();
    State = StateEmpty;
}

void TPX8Image::Initialise(std::string_view name, const uint8_t* rawSource, int32_t width,
                           int32_t height) {
    Clear();
    layout_ = ComputeBandLayout(width, height);
    Name = std::string(name.substr(0, 8));
    Width = uint16_t(width);
    Height = uint16_t(height);
    SegmentCount = uint8_t(layout_.BandCount);
    TransparentColour = 0;
    Transparent = 0;
    Version = 3;
    Source = nullptr;
    RecordOffset = 0;
    for (int k = 0; k < layout_.BandCount; ++k) {
        auto seg = std::make_unique<TPX8ImageSegment>(this, uint8_t(k));
        seg->Allocate(uint32_t(layout_.RowsOf(k)) * uint32_t(layout_.Stride));
        Segments.push_back(std::move(seg));
    }
    if (rawSource) {
        for (int32_t y = 0; y < height; ++y) {
            const int32_t b = height - 1 - y;
            uint8_t* row = Segments[size_t(b / layout_.RowsPerBand)]->block_.data() +
                           size_t(b % layout_.RowsPerBand) * layout_.Stride;
            std::memcpy(row, rawSource + size_t(y) * width, size_t(width));
        }
    }
    State = StateReady;
}

void TPX8Image::LoadFromStream(TStream& stream) {
    Clear();
    RecordOffset = stream.Position();
    Source = &stream;
    try {
        TPX8ImageHeader h = TPX8ImageHeader::Read(stream);
        Name = h.Name;
        Width = h.Width;
        Height = h.Height;
        SegmentCount = h.SegmentCount;
        State = h.Storage;
        TransparentColour = h.TransparentColour;
        Transparent = h.Transparent;
        Version = h.Version;
        layout_ = ComputeBandLayout(Width, Height);
        const uint32_t tableEnd = kPX8ImageHeaderSize + 4u * SegmentCount;
        uint32_t prevEnd = tableEnd;
        std::vector<uint32_t> starts;
        for (int k = 0; k < SegmentCount; ++k) {
            const uint32_t entry = stream.ReadU32();
            // A table entry must move forwards past the 3-byte segment header, and the
            // data length is kept in 16 bits.
            if (entry < prevEnd + 3 || entry - prevEnd - 3 >= 65536) throw PX8Exception(kBadHeader);
            auto seg = std::make_unique<TPX8ImageSegment>(this, uint8_t(k));
            seg->AllocateDiscarded(entry - prevEnd - 3);
            Segments.push_back(std::move(seg));
            starts.push_back(prevEnd);
            prevEnd = entry;
        }
        for (int k = 0; k < SegmentCount; ++k) {
            TPX8ImageSegment& seg = *Segments[size_t(k)];
            stream.Seek(RecordOffset + starts[size_t(k)]);
            seg.ReadHeader(stream);
            seg.storedFlags_ = seg.Flags;
            // Raw rows are used where they lie: they must cover the whole band.
            const uint32_t need = uint32_t(layout_.RowsOf(k)) * uint32_t(layout_.Stride);
            if (!(seg.Flags & kSegCoded) && seg.Size < need)
                throw PX8Exception("Decode: source buffer overflow");
        }
        stream.Seek(RecordOffset + prevEnd);
    } catch (...) {
        Source = nullptr;
        Clear();
        throw;
    }
}

void TPX8Image::ReadStoredBytes(int index) {
    if (!Source) throw PX8Exception("Segment Lock: segment buffer not allocated");
    TPX8ImageSegment& seg = *Segments[size_t(index)];
    Source->Seek(RecordOffset + kPX8ImageHeaderSize + 4 * (index > 0 ? index - 1 : 0));
    uint32_t start = kPX8ImageHeaderSize + 4u * SegmentCount;
    if (index > 0) start = Source->ReadU32();
    Source->Seek(RecordOffset + kPX8ImageHeaderSize + 4 * index);
    const uint32_t end = Source->ReadU32();
    start += 3;
    if (end < start || end - start >= 65536) throw PX8Exception(kBadHeader);
    const bool coded = seg.storedFlags_ & kSegCoded;
    uint32_t size = end - start;
    if (!coded) {
        // Raw rows: exactly one band, whatever extra the record holds.
        const uint32_t need = uint32_t(layout_.RowsOf(index)) * uint32_t(layout_.Stride);
        if (size < need) throw PX8Exception("Decode: source buffer overflow");
        size = need;
    }
    seg.Allocate(size);
    // Allocate starts a fresh block without the coded flag: the bytes read decide it.
    if (coded) seg.Flags |= kSegCoded;
    Source->Seek(RecordOffset + start);
    Source->ReadBuffer(seg.block_.data(), size);
}

void TPX8Image::ReloadSegment(int index) {
    ReadStoredBytes(index);
    Segments[size_t(index)]->Decode(Width, Height);
}

void TPX8Image::DecodeAll() {
    if (State != StateCoded) return;
    try {
        for (auto& seg : Segments)
            seg->Decode(Width, Height);
    } catch (...) {
        Clear();
        throw;
    }
    State = StateReady;
}

std::unique_ptr<TPX8ImageData> TPX8Image::CreateImageData() {
    return std::make_unique<TPX8ImageData>(*this);
}

// ---------------------------------------------------------------------------------------
// Node

TImageNode::TImageNode(std::string name) : Name(std::move(name)) {}

TImageNode::~TImageNode() {
    // The surface points into the image's bands: it goes first.
    Data.reset();
    Image.reset();
}

// ---------------------------------------------------------------------------------------
// Library

TPX8Library::TPX8Library() = default;

TPX8Library::~TPX8Library() {
    Close();
}

void TPX8Library::Open(const std::string& fileName) {
    Close();
    fileName_ = fileName;
    std::unique_ptr<TStream> s;
    try {
        s = std::make_unique<TFileStream>(fileName, TFileStream::Mode::OpenRead);
    } catch (...) {
        Close();
        throw;
    }
    OpenStream(std::move(s), fileName);
}

void TPX8Library::OpenStream(std::unique_ptr<TStream> stream, const std::string& fileName) {
    Close();
    fileName_ = fileName;
    stream_ = std::move(stream);
    hasDirectory_ = true;
    try {
        uint8_t h[kPX8FileHeaderSize];
        stream_->Seek(0);
        stream_->ReadBuffer(h, sizeof h);
        if (h[0] != 'P' || h[1] != 'X' || (h[2] | (h[3] << 8)) != 8 || (h[4] | (h[5] << 8)) != 2)
            throw PX8Exception("ValidatePX8FileHeader: header invalid");
        palette_.assign(kPX8PaletteSize, 0);
        stream_->ReadBuffer(palette_.data(), palette_.size());
        GetHPal();
        fileSize_ = stream_->Size();
        BuildDirectory();
    } catch (...) {
        Close();
        throw;
    }
}

void TPX8Library::BuildDirectory() {
    directory_.clear();
    int64_t offset = kPX8FirstRecord;
    while (offset < fileSize_) {
        stream_->Seek(offset);
        TPX8ImageHeader h = TPX8ImageHeader::Read(*stream_);
        stream_->Seek(offset + kPX8ImageHeaderSize + 4 * (h.SegmentCount - 1));
        const uint32_t length = stream_->ReadU32();
        // A record shorter than its own headers would stall the walk or step backwards.
        if (length < uint32_t(kPX8ImageHeaderSize + 7 * h.SegmentCount))
            throw PX8Exception(kBadHeader);
        directory_.emplace(AsciiLower(h.Name), offset); // the first record of a name wins
        offset += length;
    }
}

void TPX8Library::Close() {
    // Free images before the stream they read from.
    images_.Clear();
    stream_.reset();
    directory_.clear();
    hasDirectory_ = false;
    paletteHandle_.reset();
    palette_.clear();
    fileName_.clear();
    fileSize_ = 0;
}

int64_t TPX8Library::ImageOffset(std::string_view name) const {
    if (!hasDirectory_) throw PX8Exception("ImageOffset: no library loaded");
    auto it = directory_.find(AsciiLower(name));
    return it == directory_.end() ? 0 : it->second;
}

TImageNode* TPX8Library::GetImage(std::string_view name) {
    const std::string lower = AsciiLower(name);
    for (TImageNode* n : images_.Nodes<TImageNode>()) {
        if (n->Name == lower) {
            ++n->RefCount;
            return n;
        }
    }
    const int64_t offset = ImageOffset(name);
    if (offset == 0) throw PX8Exception("Image \"" + std::string(name) + "\" does not exist");
    auto node = std::make_unique<TImageNode>(lower);
    stream_->Seek(offset);
    node->Image = std::make_unique<TPX8Image>();
    node->Image->LoadFromStream(*stream_);
    node->Image->DecodeAll();
    TImageNode* raw = images_.Append(std::move(node));
    ++raw->RefCount;
    return raw;
}

void TPX8Library::ReleaseImage(TImageNode* node) {
    if (!node) return;
    if (node->RefCount > 0) --node->RefCount;
    if (node->RefCount == 0 && images_.Contains(node)) images_.Remove(node); // frees it
}

TImageNode* TPX8Library::CreateImage(std::string_view name, int32_t width, int32_t height) {
    auto node = std::make_unique<TImageNode>(AsciiLower(name));
    node->Image = std::make_unique<TPX8Image>();
    node->Image->Initialise(name, nullptr, width, height);
    return images_.Append(std::move(node));
}

TPX8ImageData* TPX8Library::GetImageData(TImageNode* node) {
    if (!node->Data) {
        node->Image->DecodeAll();
        node->Data = node->Image->CreateImageData();
        node->DataCount = 0;
    }
    ++node->DataCount;
    return node->Data.get();
}

void TPX8Library::ReleaseImageData(TImageNode* node) {
    if (!node || !node->Data) return;
    if (node->DataCount > 0) --node->DataCount;
    if (node->DataCount == 0) {
        for (auto& seg : node->Image->Segments)
            seg->Unlock();
        node->Data.reset();
    }
}

void TPX8Library::GetImageSize(const TImageNode* node, int32_t& width, int32_t& height) const {
    node->Image->GetSize(width, height);
}

std::vector<std::string> TPX8Library::GetImageNames() const {
    std::vector<std::string> names;
    names.reserve(directory_.size());
    for (const auto& [name, offset] : directory_)
        names.push_back(name);
    return names;
}

std::shared_ptr<const TPalette> TPX8Library::GetHPal() {
    if (paletteHandle_) return paletteHandle_;
    if (palette_.size() != kPX8PaletteSize)
        throw PX8Exception("GetHPal: global palette unavailable");
    // No colours are reserved by our displays: one entry at each end is fixed, black
    // at 0 and white at 255, and the file's bytes there are overwritten to match.
    palette_[0] = palette_[1] = palette_[2] = 0;
    palette_[1020] = palette_[1021] = palette_[1022] = 255;
    auto pal = std::make_shared<TPalette>();
    std::array<TRGBColour, 256> e;
    for (int i = 0; i < 256; ++i)
        e[size_t(i)] = {palette_[size_t(i) * 4 + 2], palette_[size_t(i) * 4 + 1],
                        palette_[size_t(i) * 4]};
    pal->SetAll(e);
    paletteHandle_ = std::move(pal);
    return paletteHandle_;
}

void TPX8Library::DrawImageAt(TPresentTarget& dc, TPoint point, TImageNode* node) {
    if (!node || !node->Image || node->Image->State != TPX8Image::StateReady) return;
    TPX8Image& img = *node->Image;
    const TBandLayout& l = img.Layout();
    std::vector<const uint8_t*> bands(img.Segments.size(), nullptr);
    const auto pal = GetHPal();
    int32_t y = img.Height;
    for (size_t k = 0; k < img.Segments.size(); ++k) {
        TPX8ImageSegment& seg = *img.Segments[k];
        if (seg.Flags & kSegDrawing) continue;
        seg.Flags |= kSegDrawing;
        const int32_t rows = l.RowsOf(int32_t(k));
        y -= rows;
        try {
            bands[k] = seg.Lock();
            TSurfaceView view{img.Width, img.Height, l.Stride, l.RowsPerBand, bands, -1};
            TTransfer t{{0, y, img.Width, y + rows}, {point.X, point.Y + y}};
            dc.Present(view, std::span<const TTransfer>(&t, 1), *pal);
        } catch (...) {
            seg.Unlock();
            seg.Flags &= uint8_t(~kSegDrawing);
            throw;
        }
        seg.Unlock();
        seg.Flags &= uint8_t(~kSegDrawing);
    }
}

} // namespace qr

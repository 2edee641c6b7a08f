// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PX8 image libraries: one file holding a 256-colour palette and any number of named
// 8-bit images, each cut into horizontal bands that are stored raw or line-coded.
// The library builds a directory of names when it opens a file, loads images by name
// on demand (pixel bytes are read when a band is first locked) and shares them by
// reference count.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/stream.h"
#include "foundation/uvo_list.h"
#include "graphics/palette.h"
#include "graphics/px8_exception.h"

namespace qr {

class TPX8Image;
class TPX8ImageData;

inline constexpr int kPX8FileHeaderSize = 6;
inline constexpr int kPX8PaletteSize = 1024;
inline constexpr int kPX8FirstRecord = kPX8FileHeaderSize + kPX8PaletteSize; // 1030
inline constexpr int kPX8ImageHeaderSize = 18;
inline constexpr int kPX8MaxBandBytes = 0xFF00;

// Segment header flags.
inline constexpr uint8_t kSegNoLineCodes = 0x01; // every row is Width raw bytes
inline constexpr uint8_t kSegRunMode = 0x02;     // one run-length coded stream
inline constexpr uint8_t kSegDrawing = 0x04;     // in memory: the band is being drawn
inline constexpr uint8_t kSegCoded = 0x08;       // in memory: the block holds coded bytes

// How an image of a given size is cut into bands. Only Width and Height decide it.
struct TBandLayout {
    int32_t Stride = 0;      // Width rounded up to a multiple of 4
    int32_t RowsPerBand = 0; // rows of every band but the last
    int32_t BandCount = 0;
    int32_t LastRows = 0; // rows of the last band, 1..RowsPerBand
    int32_t RowsOf(int32_t band) const {
        if (band < BandCount - 1) return RowsPerBand;
        return band == BandCount - 1 ? LastRows : 0;
    }
};
// Throws PX8Exception("Invalid PX8 image header") for sizes that cannot be banded
// (zero, or a row wider than the largest band).
TBandLayout ComputeBandLayout(int32_t width, int32_t height);
inline int32_t StrideOf(int32_t width) {
    return (width + 3) & ~3;
}

// The 18-byte header that opens every image record.
struct TPX8ImageHeader {
    std::string Name; // as stored, up to 8 bytes, without the zero padding
    uint16_t Width = 0;
    uint16_t Height = 0;
    uint8_t SegmentCount = 0;
    uint8_t Storage = 0; // 1 coded, 2 raw
    uint8_t TransparentColour = 0;
    uint8_t Transparent = 0;
    uint16_t Version = 3;

    // Reads and validates ("Invalid PX8 image header").
    static TPX8ImageHeader Read(TStream& stream);
    void Write(TStream& stream) const;
};

// One band of an image and the memory block holding its bytes. A block is absent,
// discarded (exists but must be read again from the library) or present; freshly
// loaded bands start discarded and are read from the file on first lock.
class TPX8ImageSegment {
  public:
    enum class BlockState { Absent, Discarded, Present };

    TPX8ImageSegment(TPX8Image* owner, uint8_t index) : Owner(owner), Index(index) {}

    void ReadHeader(TStream& stream);
    void AllocateDiscarded(uint32_t size);
    void Allocate(uint32_t size);
    void Reallocate(uint32_t size);
    uint8_t* Lock();
    void Unlock();
    // Hands the block's bytes to the caller and leaves the segment without a block.
    std::vector<uint8_t> Detach();
    void Free();
    // Replaces coded bytes by the decoded band (nothing unless Flags has kSegCoded).
    void Decode(int32_t width, int32_t height);

    BlockState State() const { return state_; }
    bool IsLocked() const { return Locked != nullptr; }

    uint8_t EscapeA = 0;
    uint8_t EscapeB = 0;
    uint8_t Flags = 0;
    uint8_t* Locked = nullptr;
    TPX8Image* Owner;
    uint8_t Index;
    uint32_t Size = 0;

  private:
    friend class TPX8Image;
    std::vector<uint8_t> block_;
    BlockState state_ = BlockState::Absent;
    uint8_t storedFlags_ = 0; // the flags as read from the file, for a second reading
};

// An image of a library: the header fields and its bands.
class TPX8Image {
  public:
    enum : uint8_t { StateEmpty = 0, StateCoded = 1, StateReady = 2 };

    TPX8Image() = default;
    virtual ~TPX8Image();
    TPX8Image(const TPX8Image&) = delete;
    TPX8Image& operator=(const TPX8Image&) = delete;

    // A new image in memory: bands allocated present, State ready. With a raw source
    // (Width x Height bytes, top row first) the pixels are copied in; else they are zero.
    virtual void Initialise(std::string_view name, const uint8_t* rawSource, int32_t width,
                            int32_t height);
    // Reads band Index's bytes from the library again (and decodes them if coded).
    virtual void ReloadSegment(int index);

    void LoadFromStream(TStream& stream);
    void DecodeAll();
    void GetSize(int32_t& width, int32_t& height) const {
        width = Width;
        height = Height;
    }
    std::unique_ptr<TPX8ImageData> CreateImageData();
    void Clear();

    const TBandLayout& Layout() const { return layout_; }

    std::string Name;
    uint16_t Width = 0;
    uint16_t Height = 0;
    uint8_t SegmentCount = 0;
    uint8_t State = StateEmpty;
    uint8_t TransparentColour = 0;
    uint8_t Transparent = 0;
    uint16_t Version = 3;
    std::vector<std::unique_ptr<TPX8ImageSegment>> Segments;
    TStream* Source = nullptr;
    int64_t RecordOffset = 0;

  private:
    friend class TPX8ImageSegment;
    // Reads band Index's stored bytes into its block, undecoded.
    void ReadStoredBytes(int index);
    TBandLayout layout_;
};

// A loaded image as the library hands it out, with its reference counts.
class TImageNode : public TUvoNode {
  public:
    explicit TImageNode(std::string name);
    ~TImageNode() override;

    std::string Name; // lower case
    int32_t RefCount = 0;
    int32_t DataCount = 0;
    std::unique_ptr<TPX8ImageData> Data;
    std::unique_ptr<TPX8Image> Image;
};

class TImageList : public TUvoList {};

// An open .px8 file: palette, directory of image names and the loaded images.
class TPX8Library {
  public:
    TPX8Library();
    ~TPX8Library();
    TPX8Library(const TPX8Library&) = delete;
    TPX8Library& operator=(const TPX8Library&) = delete;

    void Open(const std::string& fileName);
    // Opens a library held in memory (tests, fuzzing); the name is for messages.
    void OpenStream(std::unique_ptr<TStream> stream, const std::string& fileName = "");
    void Close();
    bool IsOpen() const { return stream_ != nullptr; }

    int64_t ImageOffset(std::string_view name) const;
    bool ImageExists(std::string_view name) const { return ImageOffset(name) > 0; }
    TImageNode* GetImage(std::string_view name);
    void ReleaseImage(TImageNode* node);
    TImageNode* CreateImage(std::string_view name, int32_t width, int32_t height);
    TPX8ImageData* GetImageData(TImageNode* node);
    void ReleaseImageData(TImageNode* node);
    void GetImageSize(const TImageNode* node, int32_t& width, int32_t& height) const;
    // Directory names, lower case, sorted.
    std::vector<std::string> GetImageNames() const;
    // The palette object made from the file's palette: entry 0 black, entry 255 white.
    std::shared_ptr<const TPalette> GetHPal();
    // The 1024 palette bytes as read from the file (blue, green, red, unused).
    const std::vector<uint8_t>& RawPalette() const { return palette_; }

    // Draws the whole image with its top-left at point, band by band, without a surface.
    void DrawImageAt(TPresentTarget& dc, TPoint point, TImageNode* node);

    const std::string& FileName() const { return fileName_; }
    int64_t FileSize() const { return fileSize_; }
    TImageList& Images() { return images_; }

  private:
    void BuildDirectory();
    std::string fileName_;
    TImageList images_;
    std::vector<uint8_t> palette_;
    std::shared_ptr<TPalette> paletteHandle_;
    bool hasDirectory_ = false;
    // Lower-case name -> record offset; the first record of a name wins.
    std::map<std::string, int64_t> directory_;
    std::unique_ptr<TStream> stream_;
    int64_t fileSize_ = 0;
};

// RAII holder of one GetImage reference.
class TImageRef {
  public:
    TImageRef() = default;
    TImageRef(TPX8Library& lib, std::string_view name) : lib_(&lib), node_(lib.GetImage(name)) {}
    ~TImageRef() { Reset(); }
    TImageRef(TImageRef&& o) noexcept : lib_(o.lib_), node_(o.node_) { o.node_ = nullptr; }
    TImageRef& operator=(TImageRef&& o) noexcept {
        if (this != &o) {
            Reset();
            lib_ = o.lib_;
            node_ = o.node_;
            o.node_ = nullptr;
        }
        return *this;
    }
    void Reset() {
        if (node_) lib_->ReleaseImage(node_);
        node_ = nullptr;
    }
    TImageNode* get() const { return node_; }
    TImageNode* operator->() const { return node_; }
    explicit operator bool() const { return node_ != nullptr; }

  private:
    TPX8Library* lib_ = nullptr;
    TImageNode* node_ = nullptr;
};

} // namespace qr

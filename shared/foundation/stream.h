// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Byte streams with the little-endian helpers every binary format of the program uses
// (lists, image libraries, word lists, saved games). A short read always throws
// StreamReadError: a reader never sees half a value. On a file stream the error names the
// file.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/uvo_exception.h"

namespace qr {

class TStream {
  public:
    virtual ~TStream() = default;

    // Reads up to n bytes and returns how many were read.
    virtual size_t Read(void* buffer, size_t n) = 0;
    virtual void Write(const void* buffer, size_t n) = 0;
    virtual int64_t Position() const = 0;
    virtual void Seek(int64_t position) = 0;
    virtual int64_t Size() const = 0;
    // The file behind the stream, for messages; empty for memory.
    virtual std::string Name() const { return {}; }

    int64_t Remaining() const { return Size() - Position(); }

    void ReadBuffer(void* buffer, size_t n);
    void WriteBuffer(const void* buffer, size_t n) { Write(buffer, n); }

    uint8_t ReadU8();
    uint16_t ReadU16();
    uint32_t ReadU32();
    int16_t ReadI16() { return static_cast<int16_t>(ReadU16()); }
    int32_t ReadI32() { return static_cast<int32_t>(ReadU32()); }
    // One length byte, then that many bytes.
    std::string ReadShortString();
    std::string ReadBytes(size_t n);

    void WriteU8(uint8_t v) { Write(&v, 1); }
    void WriteU16(uint16_t v);
    void WriteU32(uint32_t v);
    void WriteI16(int16_t v) { WriteU16(static_cast<uint16_t>(v)); }
    void WriteI32(int32_t v) { WriteU32(static_cast<uint32_t>(v)); }
    // Throws UvoException for texts of more than 255 bytes: a cut string would
    // silently corrupt what is saved.
    void WriteShortString(std::string_view s);
    void WriteBytes(std::string_view s) { Write(s.data(), s.size()); }

  private:
    [[noreturn]] void ThrowShortRead() const;
};

// A growable stream in memory; also the way to read a whole file at once.
class TMemoryStream : public TStream {
  public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> data) : data_(std::move(data)) {}
    explicit TMemoryStream(std::string_view bytes) : data_(bytes.begin(), bytes.end()) {}

    size_t Read(void* buffer, size_t n) override;
    void Write(const void* buffer, size_t n) override;
    int64_t Position() const override { return static_cast<int64_t>(pos_); }
    void Seek(int64_t position) override;
    int64_t Size() const override { return static_cast<int64_t>(data_.size()); }

    const std::vector<uint8_t>& Data() const { return data_; }
    std::vector<uint8_t>& Data() { return data_; }
    std::string Bytes() const { return std::string(data_.begin(), data_.end()); }
    void Clear() {
        data_.clear();
        pos_ = 0;
    }

    void LoadFromFile(const std::string& path);
    // Written through a temporary file and a rename, so a failed save keeps the old file.
    void SaveToFile(const std::string& path) const;

  private:
    std::vector<uint8_t> data_;
    size_t pos_ = 0;
};

// A buffered file stream. Opened for reading, it takes only a regular file of at most
// FileSizeLimit (OpenRegularFile; StreamReadError naming a larger one).
class TFileStream : public TStream {
  public:
    enum class Mode { OpenRead, Create, OpenReadWrite };
    TFileStream(const std::string& path, Mode mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    size_t Read(void* buffer, size_t n) override;
    void Write(const void* buffer, size_t n) override;
    int64_t Position() const override;
    void Seek(int64_t position) override;
    int64_t Size() const override;
    // Flushes and reports a failed write (a full disk) as StreamWriteError.
    void Flush();
    std::string Name() const override { return path_; }

  private:
    std::FILE* file_ = nullptr;
    std::string path_;
};

// Opens a file for reading only when it is a regular file: the open never waits (a FIFO
// or a device in place of a data file would block it for ever), and anything but a
// regular file is refused. Returns the descriptor (blocking again, close-on-exec); raises
// FileOpenError naming the file and the reason.
int OpenRegularFile(const std::string& path);

// The largest file of its kind the programs read, by the name's extension: far above any
// real one (a few MiB at most), low enough that a damaged or hostile file cannot eat the
// memory and minutes of reading it whole.
uint64_t FileSizeLimit(const std::string& path);

// Whole-file helpers. A file that cannot be read whole raises an error naming it; so does
// one larger than FileSizeLimit.
std::vector<uint8_t> ReadFileBytes(const std::string& path);
// Writes a temporary file beside path, flushes it to disk, then renames it over path: the
// previous file survives any failure. A symbolic link is written through to its target
// when that target lies in the link's folder (or below it) and belongs to this user; any
// other link is refused, so a link planted in a shared folder cannot make the program
// overwrite a file elsewhere. The file keeps its permissions; a file marked read-only is
// refused, never replaced. Failures name the file and the reason (a full disk is "No
// space left on device").
void WriteFileAtomic(const std::string& path, const void* data, size_t size);
// The temporary files of WriteFileAtomic are named "<kTemporaryPrefix><pid>-<random>",
// made with exclusive creation under a random name, so no other program's file looks like
// one and no planted file can stand in its way. This removes those in `folder` that
// belong to this user and whose process no longer runs.
inline constexpr const char* kTemporaryPrefix = ".quilrush-tmp-";
void RemoveStaleTemporaries(const std::string& folder);

} // namespace qr

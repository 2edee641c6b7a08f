// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/stream.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace qr {

void TStream::ReadBuffer(void* buffer, size_t n) {
    if (n != 0 && Read(buffer, n) != n) throw StreamReadError();
}

uint8_t TStream::ReadU8() {
    uint8_t b;
    ReadBuffer(&b, 1);
    return b;
}

uint16_t TStream::ReadU16() {
    uint8_t b[2];
    ReadBuffer(b, 2);
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

uint32_t TStream::ReadU32() {
    uint8_t b[4];
    ReadBuffer(b, 4);
    return uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
}

std::string TStream::ReadShortString() {
    return ReadBytes(ReadU8());
}

std::string TStream::ReadBytes(size_t n) {
    // Never trust a length from the file with an allocation larger than what is left.
    if (static_cast<int64_t>(n) > Remaining()) throw StreamReadError();
    std::string s(n, '\0');
    ReadBuffer(s.data(), n);
    return s;
}

void TStream::WriteU16(uint16_t v) {
    uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
    Write(b, 2);
}

void TStream::WriteU32(uint32_t v) {
    uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    Write(b, 4);
}

void TStream::WriteShortString(std::string_view s) {
    if (s.size() > 255) throw UvoException("WriteShortString: text longer than 255 bytes");
    WriteU8(static_cast<uint8_t>(s.size()));
    Write(s.data(), s.size());
}

size_t TMemoryStream::Read(void* buffer, size_t n) {
    size_t left = pos_ < data_.size() ? data_.size() - pos_ : 0;
    if (n > left) n = left;
    if (n) std::memcpy(buffer, data_.data() + pos_, n);
    pos_ += n;
    return n;
}

void TMemoryStream::Write(const void* buffer, size_t n) {
    if (!n) return;
    if (pos_ + n > data_.size()) data_.resize(pos_ + n);
    std::memcpy(data_.data() + pos_, buffer, n);
    pos_ += n;
}

void TMemoryStream::Seek(int64_t position) {
    if (position < 0) position = 0;
    pos_ = static_cast<size_t>(position);
}

void TMemoryStream::LoadFromFile(const std::string& path) {
    data_ = ReadFileBytes(path);
    pos_ = 0;
}

void TMemoryStream::SaveToFile(const std::string& path) const {
    WriteFileAtomic(path, data_.data(), data_.size());
}

static std::string OpenMessage(const std::string& path, bool create) {
    return std::string(create ? "Cannot create file \"" : "Cannot open file \"") + path + "\". " +
           std::strerror(errno);
}

TFileStream::TFileStream(const std::string& path, Mode mode) {
    const char* m = mode == Mode::OpenRead ? "rb" : mode == Mode::Create ? "wb" : "r+b";
    // fopen succeeds on a directory for reading; a directory is not a readable file.
    std::error_code ec;
    if (mode != Mode::Create && std::filesystem::is_directory(path, ec)) {
        errno = EISDIR;
        throw FileOpenError(OpenMessage(path, false));
    }
    file_ = std::fopen(path.c_str(), m);
    if (!file_) throw FileOpenError(OpenMessage(path, mode == Mode::Create));
}

TFileStream::~TFileStream() {
    if (file_) std::fclose(file_);
}

size_t TFileStream::Read(void* buffer, size_t n) {
    return std::fread(buffer, 1, n, file_);
}

void TFileStream::Write(const void* buffer, size_t n) {
    if (n && std::fwrite(buffer, 1, n, file_) != n) throw StreamWriteError();
}

int64_t TFileStream::Position() const {
    return std::ftell(file_);
}

void TFileStream::Seek(int64_t position) {
    std::fseek(file_, static_cast<long>(position), SEEK_SET);
}

int64_t TFileStream::Size() const {
    long here = std::ftell(file_);
    std::fseek(file_, 0, SEEK_END);
    long size = std::ftell(file_);
    std::fseek(file_, here, SEEK_SET);
    return size;
}

void TFileStream::Flush() {
    if (std::fflush(file_) != 0) throw StreamWriteError();
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    TFileStream f(path, TFileStream::Mode::OpenRead);
    int64_t size = f.Size();
    if (size < 0) throw StreamReadError();
    std::vector<uint8_t> data(static_cast<size_t>(size));
    f.ReadBuffer(data.data(), data.size());
    return data;
}

void WriteFileAtomic(const std::string& path, const void* data, size_t size) {
    // A temporary name of this process's own, so two programs saving the same file (the
    // game and the editor share the settings file) never write into one temporary file.
    static std::atomic<unsigned> counter{0};
    const std::string tmp =
        path + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw FileOpenError(OpenMessage(path, true));
    const char* p = static_cast<const char*>(data);
    size_t left = size;
    bool ok = true;
    while (ok && left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) {
            p += n;
            left -= size_t(n);
        }
    }
    // On disk before it replaces the old file: a crash leaves the old or the new, whole.
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok) {
        ::unlink(tmp.c_str());
        throw StreamWriteError();
    }
    std::error_code ec;
    std::filesystem::rename(tmp, path, ec);
    if (ec) {
        ::unlink(tmp.c_str());
        throw FileOpenError("Cannot write file \"" + path + "\". " + ec.message());
    }
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/stream.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace qr {

void TStream::ThrowShortRead() const {
    const std::string name = Name();
    if (name.empty()) throw StreamReadError();
    throw StreamReadError(name, "the file ends too early");
}

void TStream::ReadBuffer(void* buffer, size_t n) {
    if (n != 0 && Read(buffer, n) != n) ThrowShortRead();
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
    if (static_cast<int64_t>(n) > Remaining()) ThrowShortRead();
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

TFileStream::TFileStream(const std::string& path, Mode mode) : path_(path) {
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
    if (n && std::fwrite(buffer, 1, n, file_) != n)
        throw StreamWriteError(path_, std::strerror(errno));
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
    if (std::fflush(file_) != 0) throw StreamWriteError(path_, std::strerror(errno));
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    TFileStream f(path, TFileStream::Mode::OpenRead);
    int64_t size = f.Size();
    if (size < 0) throw StreamReadError(path, std::strerror(errno));
    std::vector<uint8_t> data(static_cast<size_t>(size));
    if (f.Read(data.data(), data.size()) != data.size())
        throw StreamReadError(path, "the file could not be read whole");
    return data;
}

namespace {

// The name the atomic save of `path` gives its temporary file.
std::string TemporaryName(const std::string& path) {
    // A name of this process's own, so two programs saving the same file (the game and the
    // editor share the settings file) never write into one temporary file.
    static std::atomic<unsigned> counter{0};
    return path + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
}

// True when "<digits>_<digits>" follows ".tmp" at the end of the name; pid gets the first.
bool ParseTemporarySuffix(const std::string& name, long& pid) {
    size_t at = name.rfind(".tmp");
    if (at == std::string::npos || at == 0) return false;
    std::string rest = name.substr(at + 4);
    size_t us = rest.find('_');
    if (us == 0 || us == std::string::npos || us + 1 == rest.size()) return false;
    auto digits = [](std::string_view s) {
        return s.size() < 12 && s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!digits(std::string_view(rest).substr(0, us)) ||
        !digits(std::string_view(rest).substr(us + 1)))
        return false;
    pid = std::stol(rest.substr(0, us));
    return pid > 0;
}

} // namespace

void WriteFileAtomic(const std::string& requested, const void* data, size_t size) {
    namespace fs = std::filesystem;
    std::error_code ec;
    // A link stays a link: the file it points at is the one replaced.
    std::string path = requested;
    if (fs::is_symlink(requested, ec)) {
        fs::path target = fs::weakly_canonical(requested, ec);
        if (ec) throw FileOpenError("Cannot write file \"" + requested + "\". " + ec.message());
        path = target.string();
    }
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        throw FileOpenError("Cannot write file \"" + requested + "\". " + std::strerror(EISDIR));
    // Root may write anything; a file nobody may write is still the user's "leave it be".
    if (exists && ((old.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0))
        throw FileOpenError("Cannot write file \"" + requested + "\". The file is read-only.");

    const std::string tmp = TemporaryName(path);
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) throw FileOpenError(OpenMessage(requested, true));
    if (exists) (void)::fchmod(fd, old.st_mode & 07777);
    const char* p = static_cast<const char*>(data);
    size_t left = size;
    int error = 0;
    while (!error && left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = n < 0 ? errno : ENOSPC;
        } else {
            p += n;
            left -= size_t(n);
        }
    }
    // On disk before it replaces the old file: a crash leaves the old or the new, whole.
    if (!error && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && !error) error = errno;
    if (error) {
        ::unlink(tmp.c_str());
        throw StreamWriteError(requested, std::strerror(error));
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        error = errno;
        ::unlink(tmp.c_str());
        throw FileOpenError("Cannot write file \"" + requested + "\". " + std::strerror(error));
    }
}

void RemoveStaleTemporaries(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        long pid = 0;
        std::error_code e2;
        if (!it->is_regular_file(e2) || !ParseTemporarySuffix(it->path().filename().string(), pid))
            continue;
        // A process that still runs may be saving right now; one that is gone never will.
        if (::kill(pid_t(pid), 0) == 0 || errno != ESRCH) continue;
        fs::remove(it->path(), e2);
    }
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/stream.h"

#include "foundation/utils.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/random.h>
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

namespace {
StreamReadError TooLarge(const std::string& path, uint64_t limit) {
    return StreamReadError(path, "the file is larger than " + std::to_string(limit >> 20) +
                                     " MiB, far too large for a file of its kind");
}
} // namespace

TFileStream::TFileStream(const std::string& path, Mode mode) : path_(path) {
    if (mode == Mode::OpenRead) {
        const int fd = OpenRegularFile(path);
        struct stat st {};
        if (::fstat(fd, &st) == 0 && uint64_t(st.st_size) > FileSizeLimit(path)) {
            ::close(fd);
            throw TooLarge(path, FileSizeLimit(path));
        }
        file_ = ::fdopen(fd, "rb");
        if (!file_) {
            const int e = errno;
            ::close(fd);
            errno = e;
            throw FileOpenError(OpenMessage(path, false));
        }
        return;
    }
    const char* m = mode == Mode::Create ? "wb" : "r+b";
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

int OpenRegularFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) throw FileOpenError(OpenMessage(path, false));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const bool folder = S_ISDIR(st.st_mode);
        ::close(fd);
        if (folder) {
            errno = EISDIR;
            throw FileOpenError(OpenMessage(path, false));
        }
        throw FileOpenError("Cannot open file \"" + path + "\". It is not a regular file.");
    }
    (void)::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

uint64_t FileSizeLimit(const std::string& path) {
    constexpr uint64_t MiB = 1u << 20;
    const size_t dot = path.rfind('.');
    const std::string ext = dot == std::string::npos || path.find('/', dot) != std::string::npos
                                ? std::string()
                                : AsciiLower(std::string_view(path).substr(dot + 1));
    // Settings, string tables, scripts, saved games, high scores, animals, module lists,
    // music: text or small records, none of them near 1 MiB in the shipped data.
    for (const char* small : {"ini", "str", "txt", "dat", "bak", "anm", "mid", "drive"})
        if (ext == small) return 16 * MiB;
    // Sounds and word lists (with their pictures): a few hundred KiB.
    if (ext == "wav" || ext == "qrw") return 64 * MiB;
    // Image libraries and whatever the tools import.
    return 256 * MiB;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    const int fd = OpenRegularFile(path);
    struct FdCloser {
        int fd;
        ~FdCloser() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) throw StreamReadError(path, std::strerror(errno));
    const uint64_t limit = FileSizeLimit(path);
    auto tooLarge = [&] { return TooLarge(path, limit); };
    if (uint64_t(st.st_size) > limit) throw tooLarge();
    std::vector<uint8_t> data(static_cast<size_t>(st.st_size));
    size_t got = 0;
    // A file that grows while it is read is read up to the limit, never beyond.
    for (;;) {
        if (got == data.size()) {
            if (data.size() >= limit) {
                uint8_t probe;
                if (::read(fd, &probe, 1) > 0) throw tooLarge();
                break;
            }
            data.resize(std::min<size_t>(limit, std::max<size_t>(data.size() * 2, 4096)));
        }
        const ssize_t n = ::read(fd, data.data() + got, data.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw StreamReadError(path, std::strerror(errno));
        if (n == 0) break;
        got += size_t(n);
    }
    data.resize(got);
    return data;
}

namespace {

// A random part for a temporary name: letters and digits only.
std::string RandomPart() {
    static const char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char bytes[10];
    if (::getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != ssize_t(sizeof bytes)) {
        // Without the kernel's randomness a counter and the clock still make names that
        // exclusive creation can try one after another.
        static std::atomic<unsigned> counter{0};
        const uint64_t seed = uint64_t(::time(nullptr)) * 2654435761u + counter++;
        for (size_t i = 0; i < sizeof bytes; ++i)
            bytes[i] = static_cast<unsigned char>(seed >> ((i % 8) * 8)) ^ uint8_t(i * 37);
    }
    std::string s;
    for (unsigned char b : bytes)
        s.push_back(kAlphabet[b % 36]);
    return s;
}

// Creates a new temporary file in `folder` that nobody else can have made or linked:
// O_EXCL refuses any name that exists (a planted file or link), and a taken name is
// simply passed over for another one. The mode is that of a new file (umask applies).
int CreateTemporary(const std::string& folder, std::string& name) {
    const std::string stem = (folder.empty() ? std::string() : folder + "/") + kTemporaryPrefix +
                             std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = stem + RandomPart();
        const int fd =
            ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// True when the name is one CreateTemporary makes; pid gets the process number in it.
bool ParseTemporaryName(const std::string& name, long& pid) {
    const std::string prefix = kTemporaryPrefix;
    if (name.compare(0, prefix.size(), prefix) != 0) return false;
    const std::string rest = name.substr(prefix.size());
    const size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string::npos || dash > 10 || dash + 1 == rest.size())
        return false;
    if (rest.find_first_not_of("0123456789") != dash) return false;
    if (rest.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789", dash + 1) !=
        std::string::npos)
        return false;
    pid = std::stol(rest.substr(0, dash));
    return pid > 0;
}

// True when `inner` lies in `folder` or below it (both absolute and without links).
bool LiesWithin(const std::filesystem::path& inner, const std::filesystem::path& folder) {
    const std::filesystem::path rel = inner.lexically_relative(folder);
    return !rel.empty() && *rel.begin() != ".." && rel != ".";
}

} // namespace

void WriteFileAtomic(const std::string& requested, const void* data, size_t size) {
    namespace fs = std::filesystem;
    std::error_code ec;
    auto refuse = [&requested](const std::string& why) {
        throw FileOpenError("Cannot write file \"" + requested + "\". " + why);
    };
    // A link stays a link: the file it points at is the one replaced, but only a file of
    // this user's in the link's own folder. In a folder others may write into, a link is
    // how a file of the player's elsewhere would be overwritten.
    std::string path = requested;
    struct stat link {};
    if (::lstat(requested.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        const fs::path absolute = fs::absolute(requested, ec);
        const fs::path folder = fs::weakly_canonical(absolute.parent_path(), ec);
        const fs::path target = ec ? fs::path() : fs::weakly_canonical(absolute, ec);
        if (ec) refuse(ec.message() + ".");
        if (!LiesWithin(target, folder))
            refuse("It is a link to \"" + target.string() + "\", outside its folder.");
        struct stat t {};
        if (::lstat(target.c_str(), &t) == 0 && t.st_uid != ::geteuid())
            refuse("It is a link to \"" + target.string() + "\", a file of another user.");
        path = target.string();
    }
    struct stat old {};
    const bool exists = ::lstat(path.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) refuse(std::strerror(EISDIR));
    // Root may write anything; a file nobody may write is still the user's "leave it be".
    if (exists && ((old.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0))
        refuse("The file is read-only.");

    std::string tmp;
    const int fd = CreateTemporary(fs::path(path).parent_path().string(), tmp);
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
        refuse(std::strerror(error));
    }
}

void RemoveStaleTemporaries(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        long pid = 0;
        if (!ParseTemporaryName(it->path().filename().string(), pid)) continue;
        struct stat st {};
        // Only this user's own files, never through a link.
        if (::lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != ::getuid())
            continue;
        // A process that still runs may be saving right now; one that is gone never will.
        if (::kill(pid_t(pid), 0) == 0 || errno != ESRCH) continue;
        std::error_code e2;
        fs::remove(it->path(), e2);
    }
}

} // namespace qr

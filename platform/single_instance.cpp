// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/single_instance.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace qr {

SingleInstance::SingleInstance(std::string name, std::string scope) : name_(std::move(name)) {
    std::string file = name_;
    if (!scope.empty()) {
        std::error_code ec;
        std::string s = std::filesystem::weakly_canonical(scope, ec).string();
        if (ec) s = scope;
        while (s.size() > 1 && s.back() == '/')
            s.pop_back();
        // FNV-1a: a short, stable name for the folder.
        uint64_t h = 14695981039346656037ull;
        for (unsigned char c : s)
            h = (h ^ c) * 1099511628211ull;
        char hex[20];
        std::snprintf(hex, sizeof hex, "-%016llx", static_cast<unsigned long long>(h));
        file += hex;
    }
    std::string folder = LockFolder(&error_);
    path_ = folder.empty() ? std::string() : folder + "/" + file + ".lock";
}

SingleInstance::~SingleInstance() {
    if (socket_ >= 0) close(socket_);
    if (fd_ >= 0) close(fd_);
}

namespace {
// An abstract socket address (Linux): nothing on disk to clean up after a crash.
sockaddr_un WakeAddress(const std::string& lockPath, socklen_t& len) {
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    std::string name = "quilrush-wake:" + lockPath;
    if (name.size() > sizeof(a.sun_path) - 2)
        name = name.substr(name.size() - (sizeof(a.sun_path) - 2));
    std::memcpy(a.sun_path + 1, name.data(), name.size());
    len = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    return a;
}
} // namespace

void SingleInstance::Listen() {
    int s = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (s < 0) return;
    socklen_t len;
    sockaddr_un a = WakeAddress(path_, len);
    if (bind(s, reinterpret_cast<sockaddr*>(&a), len) != 0) {
        close(s);
        return;
    }
    socket_ = s;
}

void SingleInstance::NotifyRunningCopy() const {
    int s = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (s < 0) return;
    socklen_t len;
    sockaddr_un a = WakeAddress(path_, len);
    const char msg = 1;
    sendto(s, &msg, 1, MSG_DONTWAIT | MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&a), len);
    close(s);
}

bool SingleInstance::PollWakeUp() {
    if (socket_ < 0) return false;
    bool knocked = false;
    char buf[16];
    while (recv(socket_, buf, sizeof buf, MSG_DONTWAIT) > 0)
        knocked = true;
    return knocked;
}

namespace {
// A folder only this user may write into, and not a link to somewhere else.
bool IsPrivateFolder(const std::string& dir, std::string& why) {
    struct stat st {};
    if (::lstat(dir.c_str(), &st) != 0) {
        why = std::strerror(errno);
        return false;
    }
    if (S_ISLNK(st.st_mode))
        why = "it is a link";
    else if (!S_ISDIR(st.st_mode))
        why = "it is not a folder";
    else if (st.st_uid != ::getuid())
        why = "it belongs to another user";
    else if ((st.st_mode & 022) != 0)
        why = "other users may write into it";
    else
        return true;
    return false;
}
} // namespace

std::string SingleInstance::LockFolder(std::string* error) {
    std::string why;
    if (const char* r = std::getenv("XDG_RUNTIME_DIR"); r && r[0] == '/' && IsPrivateFolder(r, why))
        return r;
    const char* t = std::getenv("TMPDIR");
    std::string dir = t && t[0] == '/' ? t : "/tmp";
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    dir += "/quilrush-" + std::to_string(::getuid());
    ::mkdir(dir.c_str(), 0700);
    if (IsPrivateFolder(dir, why)) return dir;
    if (error) *error = "Cannot use the lock folder \"" + dir + "\": " + why + ".";
    return {};
}

bool SingleInstance::Acquire() {
    if (fd_ >= 0) return true;
    if (path_.empty()) return false; // error_ says why
    int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        error_ = "Cannot create the lock file \"" + path_ + "\": " + std::strerror(errno) + ".";
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int e = errno;
        ::close(fd);
        if (e != EWOULDBLOCK)
            error_ = "Cannot lock the file \"" + path_ + "\": " + std::strerror(e) + ".";
        return false;
    }
    error_.clear();
    fd_ = fd;
    Listen();
    return true;
}

} // namespace qr

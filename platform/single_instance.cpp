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
#include <vector>

namespace qr {

SingleInstance::SingleInstance(std::string name, std::string scope)
    : name_(std::move(name)), scope_(std::move(scope)) {
    std::string file = name_;
    if (!scope_.empty()) {
        std::error_code ec;
        std::string s = std::filesystem::weakly_canonical(scope_, ec).string();
        if (ec) s = scope_;
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
    socketName_ = file + ".sock";
    std::string folder = LockFolder(scope_.empty() ? &error_ : nullptr);
    if (!folder.empty()) socketPath_ = folder + "/" + socketName_;
    path_ = !scope_.empty()  ? (scope_.back() == '/' ? scope_ : scope_ + "/") + name_ + ".lock"
            : folder.empty() ? std::string()
                             : folder + "/" + file + ".lock";
}

SingleInstance::~SingleInstance() {
    if (socket_ >= 0) {
        close(socket_);
        ::unlink(socketPath_.c_str());
    }
    if (fd_ >= 0) close(fd_);
}

namespace {
bool SocketAddress(const std::string& path, sockaddr_un& a) {
    a = sockaddr_un{};
    a.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof(a.sun_path)) return false;
    std::memcpy(a.sun_path, path.data(), path.size());
    return true;
}

bool IsPrivateFolder(const std::string& dir, std::string& why);
} // namespace

void SingleInstance::Listen() {
    sockaddr_un a;
    // A folder too deep for a socket's name: the copy runs without a wake-up channel.
    if (!SocketAddress(socketPath_, a)) return;
    int s = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (s < 0) return;
    // The lock is held: a socket file there is one a crashed copy left.
    ::unlink(socketPath_.c_str());
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        close(s);
        return;
    }
    socket_ = s;
}

void SingleInstance::NotifyRunningCopy() const {
    int s = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (s < 0) return;
    std::vector<std::string> folders;
    std::string why;
    if (const char* r = std::getenv("XDG_RUNTIME_DIR"); r && r[0] == '/' && IsPrivateFolder(r, why))
        folders.push_back(r);
    const char* t = std::getenv("TMPDIR");
    std::string tmp = t && t[0] == '/' ? t : "/tmp";
    while (tmp.size() > 1 && tmp.back() == '/')
        tmp.pop_back();
    tmp += "/quilrush-" + std::to_string(::getuid());
    if (IsPrivateFolder(tmp, why)) folders.push_back(tmp);
    for (const std::string& folder : folders) {
        sockaddr_un a;
        if (!SocketAddress(folder + "/" + socketName_, a)) continue;
        const char msg = 1;
        sendto(s, &msg, 1, MSG_DONTWAIT | MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&a), sizeof a);
    }
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

int SingleInstance::LockFile(const std::string& path, bool shared) {
    // In a shared installation folder the file may be another user's: reading is enough
    // for a lock, and a link is never followed.
    const int flags = (shared ? O_RDONLY : O_RDWR) | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    const int fd = ::open(path.c_str(), flags, shared ? 0644 : 0600);
    if (fd < 0) {
        const int e = errno;
        error_ = "Cannot create the lock file \"" + path + "\": " + std::strerror(e) + ".";
        return e;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        error_ = "Cannot use the lock file \"" + path + "\": it is not a regular file.";
        return EINVAL;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int e = errno;
        ::close(fd);
        error_ = e == EWOULDBLOCK
                     ? std::string()
                     : "Cannot lock the file \"" + path + "\": " + std::strerror(e) + ".";
        return e;
    }
    error_.clear();
    fd_ = fd;
    return 0;
}

bool SingleInstance::Acquire() {
    if (fd_ >= 0) return true;
    if (!scope_.empty()) {
        const int e = LockFile(path_, true);
        if (e == 0) {
            Listen();
            return true;
        }
        // Another copy holds it, or something is in the way that is not this program's
        // business to move.
        if (e != EACCES && e != EROFS && e != EPERM) return false;
        // A read-only installation folder: nothing there can be written over by two
        // copies; the lock in the runtime folder still keeps copies of this user apart.
        std::string folder = LockFolder(&error_);
        if (folder.empty()) return false;
        path_ = folder + "/" + socketName_.substr(0, socketName_.size() - 5) + ".lock";
    }
    if (path_.empty()) return false; // error_ says why
    if (LockFile(path_, false) != 0) return false;
    Listen();
    return true;
}

} // namespace qr

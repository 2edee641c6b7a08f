// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/single_instance.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace qr {

SingleInstance::SingleInstance(std::string name) : name_(std::move(name)) {
    path_ = LockFolder() + "/" + name_ + ".lock";
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

std::string SingleInstance::LockFolder() {
    if (const char* r = std::getenv("XDG_RUNTIME_DIR"); r && *r) return r;
    const char* t = std::getenv("TMPDIR");
    return std::string(t && *t ? t : "/tmp") + "/quilrush-" + std::to_string(getuid());
}

bool SingleInstance::Acquire() {
    if (fd_ >= 0) return true;
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        std::string dir = LockFolder();
        mkdir(dir.c_str(), 0700);
    }
    int fd = open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    fd_ = fd;
    Listen();
    return true;
}

} // namespace qr

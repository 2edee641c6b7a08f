#include "platform/single_instance.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qr {

SingleInstance::SingleInstance(std::string name) : name_(std::move(name)) {
    path_ = LockFolder() + "/" + name_ + ".lock";
}

SingleInstance::~SingleInstance() {
    if (fd_ >= 0) close(fd_);
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
    return true;
}

} // namespace qr

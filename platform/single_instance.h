// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One running copy per program and user. The named mutex of Windows becomes
// an advisory lock on a file in $XDG_RUNTIME_DIR (or the temporary folder): the kernel
// releases it when the process ends, even after a crash, so a stale lock never blocks.
#include <string>

namespace qr {

class SingleInstance {
  public:
    // name: "QRL32" for the game, "QUARRY32" for the editor.
    explicit SingleInstance(std::string name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process now holds the name; false when another copy holds it (or
    // the lock file cannot be made, which is treated the same way: never two copies).
    bool Acquire();
    bool Held() const { return fd_ >= 0; }
    const std::string& LockPath() const { return path_; }

    static std::string LockFolder();

    // The running copy is told that another one was started, so it can bring its window
    // to the front: the holder listens on a local socket; a refused copy sends one message.
    void NotifyRunningCopy() const;
    // Holder only: true when another copy knocked since the last call.
    bool PollWakeUp();

  private:
    void Listen();

    std::string name_;
    std::string path_;
    int fd_ = -1;
    int socket_ = -1;
};

} // namespace qr

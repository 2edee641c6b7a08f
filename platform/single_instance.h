// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One running copy per program, user and installation folder. The named mutex of Windows
// becomes an advisory lock on a file in $XDG_RUNTIME_DIR (or a private folder of the user
// in the temporary folder): the kernel releases it when the process ends, even after a
// crash, so a stale lock never blocks. Copies on different installation folders (a test
// run beside a player) do not block each other. A lock folder that another user owns or
// could write into is never used.
#include <string>

namespace qr {

class SingleInstance {
  public:
    // name: "QRL32" for the game, "QUARRY32" for the editor; scope: the installation
    // folder (empty: one copy per user).
    explicit SingleInstance(std::string name, std::string scope = {});
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process now holds the name. False when another copy holds it, or
    // when the lock cannot be taken at all; Error() then says why (never two copies).
    bool Acquire();
    bool Held() const { return fd_ >= 0; }
    const std::string& LockPath() const { return path_; }
    // Why the lock could not be taken; empty when another copy holds it.
    const std::string& Error() const { return error_; }

    // $XDG_RUNTIME_DIR when it is an absolute path to a private folder of this user, else
    // "<temporary folder>/quilrush-<uid>". Empty, with `error` set, when that folder is
    // unsafe (another user's, a link, open to others) or cannot be made.
    static std::string LockFolder(std::string* error = nullptr);

    // The running copy is told that another one was started, so it can bring its window
    // to the front: the holder listens on a local socket; a refused copy sends one message.
    void NotifyRunningCopy() const;
    // Holder only: true when another copy knocked since the last call.
    bool PollWakeUp();

  private:
    void Listen();

    std::string name_;
    std::string path_;
    std::string error_;
    int fd_ = -1;
    int socket_ = -1;
};

} // namespace qr

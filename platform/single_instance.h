// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One running copy per program and installation folder. The named mutex of Windows becomes
// an advisory lock (flock) on a file in the installation folder itself: every copy that
// runs on the folder meets the same lock whatever its environment says, and the kernel
// releases it when the process ends, even after a crash, so a stale lock never blocks.
// Copies on different installation folders (a test run beside a player) do not block each
// other. Without an installation folder (the editor: one copy per user), or when the
// folder is read-only, the lock file lies in $XDG_RUNTIME_DIR (or a private folder of the
// user in the temporary folder).
//
// The wake-up channel is a socket file in that private runtime folder, which only this
// user can reach: no other user can take its name first or knock on it. A runtime or lock
// folder that another user owns or could write into is never used.
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

    // True when this process now holds the lock. False when another copy holds it, or
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
    // to the front: the holder listens on a socket in its runtime folder; a refused copy
    // sends one message there (to both private runtime folders this user may have, as
    // the two copies may have been started with different environments).
    void NotifyRunningCopy() const;
    // Holder only: true when another copy knocked since the last call.
    bool PollWakeUp();

  private:
    void Listen();
    // 0 when the lock is now held; else the error (EWOULDBLOCK: another copy holds it).
    int LockFile(const std::string& path, bool shared);

    std::string name_;
    std::string scope_;
    // The socket's file name, without its folder.
    std::string socketName_;
    std::string socketPath_;
    std::string path_;
    std::string error_;
    int fd_ = -1;
    int socket_ = -1;
};

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening a web address or a "mailto:" address in the user's own programs.
#include <string>
#include <vector>

namespace qr {

class Shell {
  public:
    // Results above this mean the address was handed over; smaller ones are error
    // numbers the game shows to the player.
    static constexpr int kFirstSuccess = 32;

    virtual ~Shell() = default;
    // showCommand is how the program asks the window of the opened address to appear
    // (1 normal, 5 as it was); a desktop launcher may not be able to honour it.
    virtual int Open(const std::string& target, int showCommand) = 0;
};

// The desktop's launcher ("xdg-open" unless another is given). Its exit status becomes
// the error number (1-31); a launcher that cannot be started at all gives 2, as a
// missing program does on the original platform; a launcher still busy after a few
// seconds has taken the address and counts as success.
class LauncherShell : public Shell {
  public:
    explicit LauncherShell(std::string launcher = "xdg-open", int timeoutMs = 10000)
        : launcher_(std::move(launcher)), timeoutMs_(timeoutMs) {}
    int Open(const std::string& target, int showCommand) override;

  private:
    std::string launcher_;
    int timeoutMs_;
};

// Records what would have been opened and answers with a chosen result.
class RecordingShell : public Shell {
  public:
    int Open(const std::string& target, int showCommand) override {
        opened.push_back(target);
        return result;
    }
    std::vector<std::string> opened;
    int result = 42;
};

} // namespace qr

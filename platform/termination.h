// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SIGTERM, SIGINT and SIGHUP (a session logging out, Ctrl+C in a terminal, a closed
// terminal) ask the program to end now: it saves what the player owns and exits, without
// any question, because nobody may be there to answer it. The handlers only record the
// request; the message loops look at it. A second signal ends the program at once, so a
// program stuck somewhere can still be stopped.
#include <atomic>
#include <functional>
#include <thread>

namespace qr {

void InstallTerminationHandlers();
bool TerminationRequested();
// Records a request as a signal would: for endings that come by other ways (the display
// going away).
void RequestTermination();
// For tests: forget an earlier request.
void ClearTerminationRequest();

// While it lives, a termination request runs `onRequest` on a thread of its own: for when
// the main thread is held by a loop that never looks at requests (a system message box).
// `onRequest` is meant to save and end the process; the watch does not return from its
// destruction while `onRequest` runs.
class TerminationWatch {
  public:
    explicit TerminationWatch(std::function<void()> onRequest);
    ~TerminationWatch();
    TerminationWatch(const TerminationWatch&) = delete;
    TerminationWatch& operator=(const TerminationWatch&) = delete;

  private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/termination.h"

#include <chrono>
#include <csignal>
#include <initializer_list>

namespace qr {

namespace {
volatile std::sig_atomic_t requested = 0;

extern "C" void OnTerminationSignal(int) {
    requested = 1;
}
} // namespace

void InstallTerminationHandlers() {
    struct sigaction sa {};
    sa.sa_handler = OnTerminationSignal;
    sigemptyset(&sa.sa_mask);
    // No SA_RESTART: a blocking read of a drive script returns, so the loop sees the
    // request. SA_RESETHAND: the second signal has its default effect.
    sa.sa_flags = SA_RESETHAND;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaction(sig, &sa, nullptr);
}

bool TerminationRequested() {
    return requested != 0;
}

void RequestTermination() {
    requested = 1;
}

void ClearTerminationRequest() {
    requested = 0;
}

TerminationWatch::TerminationWatch(std::function<void()> onRequest)
    : thread_([this, onRequest = std::move(onRequest)] {
          while (!stop_) {
              if (TerminationRequested()) {
                  onRequest();
                  return;
              }
              std::this_thread::sleep_for(std::chrono::milliseconds(20));
          }
      }) {}

TerminationWatch::~TerminationWatch() {
    stop_ = true;
    thread_.join();
}

} // namespace qr

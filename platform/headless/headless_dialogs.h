// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dialogs without a screen: each box is answered from a queue of roles (Yes, No, OK,
// Cancel) filled by the test or drive script, or with its default button when the queue
// is empty, and logged as one line:
//   DIALOG <caption> | <text, line breaks as \n> | <buttons> -> <answer>
#include <deque>
#include <functional>
#include <string>

#include "platform/dialogs.h"

namespace qr {

class HeadlessDialogs : public Dialogs {
  public:
    using Sink = std::function<void(const std::string& line)>;
    explicit HeadlessDialogs(Sink sink = nullptr) : sink_(std::move(sink)) {}

    DialogResult Show(const DialogRequest& request) override;

    void QueueAnswer(DialogResult r) { answers_.push_back(r); }
    // As if the system could not show boxes: they are asked in the program's window (when
    // it can), answered by the drive script's input there, and logged with that answer.
    void SetSystemBoxes(bool available) { systemBoxes_ = available; }
    void SetSink(Sink sink) { sink_ = std::move(sink); }
    // The log line of a request and its answer (UTF-8).
    static std::string LogLine(const DialogRequest& request, DialogResult answer);

  private:
    Sink sink_;
    std::deque<DialogResult> answers_;
    bool systemBoxes_ = true;
};

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the whole game without a display from a drive script, one command a line, and
// prints one line per event a player would have seen or heard. Tests, benchmarks and
// people script sessions with it (quilrush32 --headless).
#include <functional>
#include <istream>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "game/shell/program.h"
#include "platform/headless/headless_dialogs.h"
#include "platform/headless/headless_system.h"

namespace qr {

class HeadlessDriver {
  public:
    explicit HeadlessDriver(std::ostream& out);

    // Reads the script, runs the program with it and returns the exit code. "answer"
    // lines before the first other command are queued before start-up, so the dialogs of
    // start-up can be answered; a failed "expect" or a bad line ends the run with 1 or 2.
    int Run(const ProgramOptions& options, std::istream& script);

    HeadlessSystem& System() { return system_; }
    HeadlessDialogs& Dialogs() { return dialogs_; }
    // Prints one event line.
    void Log(const std::string& line);

    // A command: the words after the name; returns an error text, empty when fine.
    using Command = std::function<std::string(TFormMain&, const std::vector<std::string>& args)>;
    void AddCommand(const std::string& name, Command command) {
        commands_[name] = std::move(command);
    }
    // Extra start-up steps (the world engine, sound, ...) hook in here.
    std::function<void(TFormMain&)> prepare;
    // Virtual time passes (milliseconds), before the timer runs: simulated devices move.
    std::function<void(uint32_t ms)> timePassed;
    // Fields the world adds to the "state" line (each starting with a comma).
    std::function<std::string(TFormMain&)> stateExtra;

  private:
    void AddBuiltins();
    void Advance(TFormMain& form, uint32_t ms);
    void RunScript(TFormMain& form);

    std::ostream& out_;
    HeadlessSystem system_;
    HeadlessDialogs dialogs_;
    std::map<std::string, Command> commands_;
    std::vector<std::pair<int, std::string>> lines_;
    size_t next_ = 0;
    int result_ = 0;
};

// One JSON string literal.
std::string JsonString(const std::string& utf8);

} // namespace qr

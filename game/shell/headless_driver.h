// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the whole game without a display from a drive script, one command a line, and
// prints one line per event a player would have seen or heard. Tests, benchmarks and
// people script sessions with it (quilrush32 --headless).
#include <functional>
#include <istream>
#include <map>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "game/shell/program.h"
#include "platform/headless/headless_dialogs.h"
#include "platform/headless/headless_system.h"
#include "platform/window_client.h"

namespace qr {

class HeadlessDriver {
  public:
    explicit HeadlessDriver(std::ostream& out);

    // Runs the program with the script and returns the exit code. "answer" lines before
    // the first other command are queued before start-up, so the dialogs of start-up can be
    // answered; every other command runs as soon as its line is read, so a harness can talk
    // to the driver through a pipe line by line. A failed "expect" or a bad line ends the
    // run with 1 or 2; the end of the script (or a termination signal) ends the session.
    int Run(const ProgramOptions& options, std::istream& script);

    // "tick" and "wait" bounds: a typo must not make a script run for hours.
    static constexpr long kMaxTickSteps = 100000; // about an hour and a half of game time
    static constexpr long kMaxWaitMs = 3600000;   // one hour

    HeadlessSystem& System() { return system_; }
    HeadlessDialogs& Dialogs() { return dialogs_; }
    // Prints one event line.
    void Log(const std::string& line);
    // One clock step of virtual time, as "tick 1" makes it.
    void Step(TFormMain& form);

    // A command: the words after the name; returns an error text, empty when fine.
    using Command = std::function<std::string(TFormMain&, const std::vector<std::string>& args)>;
    void AddCommand(const std::string& name, Command command) {
        commands_[name] = std::move(command);
    }
    // Reads and runs the script's next command (for a question asked in the window, which
    // waits for the script's input); false at the end of the script or after a failure.
    bool RunNextCommand(TFormMain& form);
    // "key down" of Enter, Escape or a letter goes here first; true when it was taken.
    std::function<bool(TFormMain&, KeyPress)> keyPressed;
    // Extra start-up steps (the world engine, sound, ...) hook in here.
    std::function<void(TFormMain&)> prepare;
    // Virtual time passes (milliseconds), before the timer runs: simulated devices move.
    std::function<void(uint32_t ms)> timePassed;
    // The "state" line: fields of the program, then those the world adds.
    using Json = nlohmann::ordered_json;
    Json State(TFormMain& form);
    std::function<void(TFormMain&, Json& state)> stateExtra;
    // "expect WHAT ARGS...": a failed expectation returns its message, which starts with
    // "expect". "expect state KEY VALUE" is the driver's own.
    void AddExpectation(const std::string& what, Command check) {
        expectations_[what] = std::move(check);
    }

  private:
    void AddBuiltins();
    void Advance(TFormMain& form, uint32_t ms);
    void RunScript(TFormMain& form);
    // Runs the command line read last; false (result_ set) when it failed.
    bool RunLine(TFormMain& form);
    // The next command line (trimmed, tabs as blanks, comments and blank lines skipped);
    // false at the end of the script.
    bool NextLine();

    std::ostream& out_;
    HeadlessSystem system_;
    HeadlessDialogs dialogs_;
    std::map<std::string, Command> commands_;
    std::map<std::string, Command> expectations_;
    std::istream* script_ = nullptr;
    int lineNumber_ = 0;
    std::string line_; // the command line read last
    int result_ = 0;
};

// Checks "expect state KEY VALUE" against a state object: KEY names a field (a dotted path
// reaches into objects, a number into arrays); VALUE is read as JSON when it is JSON
// (numbers, true, false, "text", arrays), else as a plain string. Returns the failure
// message, empty when the field has that value.
std::string ExpectStateField(const nlohmann::ordered_json& state, const std::string& key,
                             const std::string& value);

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/headless_driver.h"

#include <cctype>
#include <sstream>

#include "foundation/command_line.h"
#include "foundation/polyglot.h"
#include "foundation/text_codec.h"
#include "foundation/utils.h"
#include "platform/termination.h"

namespace qr {

namespace {
constexpr uint32_t kStepMs = 55;

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::string_view rest(line);
    for (std::string w = NextWord(rest); !w.empty(); w = NextWord(rest))
        words.push_back(w);
    return words;
}

// A whole number from 0 to max; anything else (a sign, a fraction, a number too large
// to hold) is refused.
bool ParseCount(const std::string& s, long max, long& n) {
    if (s.empty() || s.size() > 18 || s.find_first_not_of("0123456789") != std::string::npos)
        return false;
    n = std::stol(s);
    return n <= max;
}

DialogResult ParseAnswer(const std::string& word) {
    std::string w = AsciiUpper(word);
    if (w == "YES") return DialogResult::Yes;
    if (w == "NO") return DialogResult::No;
    if (w == "OK") return DialogResult::OK;
    if (w == "CANCEL") return DialogResult::Cancel;
    return DialogResult::None;
}
} // namespace

std::string ExpectStateField(const nlohmann::ordered_json& state, const std::string& key,
                             const std::string& value) {
    const nlohmann::ordered_json* at = &state;
    std::string_view rest(key);
    if (key.empty()) return "expect state needs a field name";
    while (!rest.empty()) {
        const size_t dot = rest.find('.');
        const std::string part(rest.substr(0, dot));
        rest = dot == std::string_view::npos ? std::string_view() : rest.substr(dot + 1);
        if (at->is_object() && at->contains(part)) {
            at = &(*at)[part];
            continue;
        }
        long index = -1;
        if (at->is_array() && ParseCount(part, 1000000, index) && size_t(index) < at->size()) {
            at = &(*at)[size_t(index)];
            continue;
        }
        return "expect state " + key + " failed: there is no such field";
    }
    nlohmann::ordered_json want = nlohmann::ordered_json::parse(value, nullptr, false);
    if (want.is_discarded()) want = value;
    // A number is a number, whether the state holds it signed or not.
    if (*at == want || (at->is_number() && want.is_number() && at->dump() == want.dump()))
        return {};
    return "expect state " + key + " failed: it is " +
           at->dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

HeadlessDriver::HeadlessDriver(std::ostream& out) : out_(out) {
    dialogs_.SetSink([this](const std::string& line) { Log(line); });
    AddBuiltins();
}

void HeadlessDriver::Advance(TFormMain& form, uint32_t ms) {
    system_.Advance(ms);
    if (timePassed) timePassed(ms);
    form.tmrTickTimer();
}

void HeadlessDriver::Step(TFormMain& form) {
    Advance(form, kStepMs);
}

void HeadlessDriver::Log(const std::string& line) {
    out_ << line << '\n' << std::flush;
}

void HeadlessDriver::AddBuiltins() {
    AddCommand("tick", [this](TFormMain& form, const std::vector<std::string>& a) -> std::string {
        long n = 1;
        if (!a.empty() && !ParseCount(a[0], kMaxTickSteps, n))
            return "tick needs a number of steps from 0 to " + std::to_string(kMaxTickSteps);
        for (long i = 0; i < n && !form.WantsClose(); ++i)
            Advance(form, kStepMs);
        return {};
    });
    AddCommand("wait", [this](TFormMain& form, const std::vector<std::string>& a) -> std::string {
        long ms = 0;
        if (a.empty() || !ParseCount(a[0], kMaxWaitMs, ms))
            return "wait needs milliseconds from 0 to " + std::to_string(kMaxWaitMs);
        Advance(form, uint32_t(ms));
        return {};
    });
    AddCommand("answer", [this](TFormMain&, const std::vector<std::string>& a) -> std::string {
        if (a.empty() || ParseAnswer(a[0]) == DialogResult::None)
            return "answer needs Yes, No, OK or Cancel";
        dialogs_.QueueAnswer(ParseAnswer(a[0]));
        return {};
    });
    AddCommand("close", [](TFormMain& form, const std::vector<std::string>&) -> std::string {
        form.FormClose();
        return {};
    });
    AddCommand("focus", [](TFormMain& form, const std::vector<std::string>& a) -> std::string {
        if (a.empty() || (a[0] != "on" && a[0] != "off")) return "focus needs on or off";
        form.OnActivate(a[0] == "on");
        return {};
    });
    AddCommand("key", [this](TFormMain& form, const std::vector<std::string>& a) -> std::string {
        if (a.size() < 2 || (a[0] != "down" && a[0] != "up")) return "key needs down|up and a key";
        bool down = a[0] == "down";
        std::string k = AsciiUpper(a[1]);
        // A question open in the window takes presses: Enter, Escape and letters.
        if (down && keyPressed) {
            KeyPress press;
            if (k == "ENTER" || k == "RETURN")
                press.kind = KeyPress::Enter;
            else if (k == "ESCAPE")
                press.kind = KeyPress::Escape;
            else if (k.size() == 1 && std::isalnum(static_cast<unsigned char>(k[0])))
                press.letter = k[0];
            if ((press.kind != KeyPress::Other || press.letter != 0) && keyPressed(form, press))
                return {};
        }
        if (k == "CAPSLOCK") {
            if (down) system_.SetCapsLock(!system_.CapsLockOn());
        } else if (k == "SHIFT")
            system_.SetKey(Key::Shift, down);
        else if (k == "CTRL")
            system_.SetKey(Key::Ctrl, down);
        else if (k == "DELETE")
            system_.SetKey(Key::Delete, down);
        else if (k == "ESCAPE")
            system_.SetKey(Key::Escape, down);
        else
            return "unknown key " + a[1];
        return {};
    });
    AddCommand("dialogs", [this](TFormMain&, const std::vector<std::string>& a) -> std::string {
        if (a.size() != 1 || (a[0] != "system" && a[0] != "window"))
            return "dialogs needs system or window";
        // "window": as if the system could not show boxes, so the game asks in its window.
        dialogs_.SetSystemBoxes(a[0] == "system");
        return {};
    });
    AddCommand("state", [this](TFormMain& form, const std::vector<std::string>&) -> std::string {
        Log(State(form).dump(-1, ' ', false, Json::error_handler_t::replace));
        return {};
    });
    AddCommand("expect", [this](TFormMain& form, const std::vector<std::string>& a) -> std::string {
        if (a.empty()) return "expect needs: state KEY VALUE, or one of the world's";
        std::vector<std::string> rest(a.begin() + 1, a.end());
        if (a[0] == "state") {
            if (rest.size() < 2) return "expect state needs KEY VALUE";
            std::string value = rest[1];
            // Everything after the key is the value (a caption may hold spaces).
            for (size_t i = 2; i < rest.size(); ++i)
                value += " " + rest[i];
            return ExpectStateField(State(form), rest[0], value);
        }
        auto it = expectations_.find(a[0]);
        if (it == expectations_.end()) return "unknown expectation \"" + a[0] + "\"";
        return it->second(form, rest);
    });
}

HeadlessDriver::Json HeadlessDriver::State(TFormMain& form) {
    Json s;
    s["clock"] = system_.TickCount();
    s["timer"] = form.TimerEnabled();
    s["closing"] = form.WantsClose();
    s["versionLabel"] = form.VersionLabelVisible();
    s["sound"] = form.SoundEnabled();
    s["music"] = form.MusicEnabled();
    s["workingLanguage"] = ToUtf8(Polyglot().GetString(0));
    if (WorldLink* w = form.World()) {
        TPlayerSettings p = w->PlayerSettings();
        s["worldClock"] = w->Clock();
        s["room"] = w->CurrentRoomID();
        s["quit"] = w->QuitFlag();
        s["initials"] = ToUtf8(p.initials);
        s["clueLanguage"] = {{"name", ToUtf8(p.clueLanguage.name)},
                             {"id", int(p.clueLanguage.number)}};
        s["answerLanguage"] = {{"name", ToUtf8(p.answerLanguage.name)},
                               {"id", int(p.answerLanguage.number)}};
        s["useIcons"] = p.useIcons;
        s["speedValues"] = {p.speedValues[0], p.speedValues[1], p.speedValues[2]};
        s["speedSetting"] = p.speedSetting;
    }
    if (stateExtra) stateExtra(form, s);
    return s;
}

bool HeadlessDriver::NextLine() {
    // A signal ends the read of a pipe (the handler does not restart it): the end.
    for (std::string raw; !TerminationRequested() && std::getline(*script_, raw);) {
        ++lineNumber_;
        if (lineNumber_ == 1 && raw.rfind("\xEF\xBB\xBF", 0) == 0) raw.erase(0, 3);
        for (char& c : raw)
            if (c == '\t' || c == '\r') c = ' ';
        std::string t = Trim(raw);
        if (t.empty() || t[0] == '#') continue;
        line_ = t;
        return true;
    }
    return false;
}

bool HeadlessDriver::RunLine(TFormMain& form) {
    std::vector<std::string> words = Words(line_);
    const std::string where = "DRIVER line " + std::to_string(lineNumber_) + ": ";
    auto it = commands_.find(words[0]);
    if (it == commands_.end()) {
        Log(where + "unknown command \"" + Printable(words[0]) + "\"");
        result_ = kExitUsage;
        return false;
    }
    std::string error = it->second(form, std::vector<std::string>(words.begin() + 1, words.end()));
    if (!error.empty()) {
        // Errors may quote the script: never echo its control bytes.
        Log(where + Printable(error));
        // A failed expectation says so; any other problem is a bad script line.
        result_ = error.rfind("expect", 0) == 0 && error.find(" failed: ") != std::string::npos
                      ? 1
                      : kExitUsage;
        return false;
    }
    return true;
}

bool HeadlessDriver::RunNextCommand(TFormMain& form) {
    return result_ == 0 && NextLine() && RunLine(form);
}

void HeadlessDriver::RunScript(TFormMain& form) {
    // The line read before start-up comes first.
    for (bool have = !line_.empty() || NextLine(); have && !form.WantsClose(); have = NextLine())
        if (result_ != 0 || !RunLine(form)) return;
    // The end of the script ends the session like the end of the desktop session would:
    // the window goes away and the settings are written, whatever room is showing.
}

int HeadlessDriver::Run(const ProgramOptions& options, std::istream& script) {
    InstallTerminationHandlers();
    script_ = &script;
    line_.clear();
    // Answers for the dialogs of start-up; the first other line waits in line_.
    while (NextLine()) {
        std::vector<std::string> w = Words(line_);
        if (w[0] != "answer") break;
        if (w.size() < 2 || ParseAnswer(w[1]) == DialogResult::None) {
            Log("DRIVER line " + std::to_string(lineNumber_) +
                ": answer needs Yes, No, OK or Cancel");
            return kExitUsage;
        }
        dialogs_.QueueAnswer(ParseAnswer(w[1]));
        line_.clear();
    }
    ProgramHooks hooks;
    hooks.prepare = prepare;
    hooks.run = [this](TFormMain& form, const std::function<bool()>&) { RunScript(form); };
    int code = RunProgram(options, {system_, dialogs_}, hooks);
    return result_ != 0 ? result_ : code;
}

} // namespace qr

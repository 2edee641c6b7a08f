// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/headless_driver.h"

#include <sstream>

#include "foundation/polyglot.h"
#include "foundation/text_codec.h"
#include "foundation/utils.h"

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

bool ParseCount(const std::string& s, long& n) {
    try {
        size_t used = 0;
        n = std::stol(s, &used);
        return used == s.size() && n >= 0;
    } catch (...) {
        return false;
    }
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

std::string JsonString(const std::string& utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(char(c));
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out.push_back(char(c));
        }
    }
    return out + "\"";
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

void HeadlessDriver::Log(const std::string& line) {
    out_ << line << '\n' << std::flush;
}

void HeadlessDriver::AddBuiltins() {
    AddCommand("tick", [this](TFormMain& form, const std::vector<std::string>& a) -> std::string {
        long n = 1;
        if (!a.empty() && !ParseCount(a[0], n)) return "tick needs a number of steps";
        for (long i = 0; i < n && !form.WantsClose(); ++i)
            Advance(form, kStepMs);
        return {};
    });
    AddCommand("wait", [this](TFormMain& form, const std::vector<std::string>& a) -> std::string {
        long ms = 0;
        if (a.empty() || !ParseCount(a[0], ms)) return "wait needs milliseconds";
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
    AddCommand("key", [this](TFormMain&, const std::vector<std::string>& a) -> std::string {
        if (a.size() < 2 || (a[0] != "down" && a[0] != "up")) return "key needs down|up and a key";
        bool down = a[0] == "down";
        std::string k = AsciiUpper(a[1]);
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
    AddCommand("state", [this](TFormMain& form, const std::vector<std::string>&) -> std::string {
        std::ostringstream s;
        s << "{\"clock\":" << system_.TickCount()
          << ",\"timer\":" << (form.TimerEnabled() ? "true" : "false")
          << ",\"closing\":" << (form.WantsClose() ? "true" : "false")
          << ",\"versionLabel\":" << (form.VersionLabelVisible() ? "true" : "false")
          << ",\"sound\":" << (form.SoundEnabled() ? "true" : "false")
          << ",\"music\":" << (form.MusicEnabled() ? "true" : "false")
          << ",\"workingLanguage\":" << JsonString(ToUtf8(Polyglot().GetString(0)));
        if (WorldLink* w = form.World()) {
            TPlayerSettings p = w->PlayerSettings();
            s << ",\"worldClock\":" << w->Clock() << ",\"room\":" << JsonString(w->CurrentRoomID())
              << ",\"quit\":" << (w->QuitFlag() ? "true" : "false")
              << ",\"initials\":" << JsonString(ToUtf8(p.initials))
              << ",\"clueLanguage\":{\"name\":" << JsonString(ToUtf8(p.clueLanguage.name))
              << ",\"id\":" << int(p.clueLanguage.number) << "}"
              << ",\"answerLanguage\":{\"name\":" << JsonString(ToUtf8(p.answerLanguage.name))
              << ",\"id\":" << int(p.answerLanguage.number) << "}"
              << ",\"useIcons\":" << (p.useIcons ? "true" : "false") << ",\"speedValues\":["
              << p.speedValues[0] << "," << p.speedValues[1] << "," << p.speedValues[2] << "]"
              << ",\"speedSetting\":" << p.speedSetting;
        }
        if (stateExtra) s << stateExtra(form);
        s << "}";
        Log(s.str());
        return {};
    });
}

void HeadlessDriver::RunScript(TFormMain& form) {
    for (; next_ < lines_.size() && !form.WantsClose(); ++next_) {
        const auto& [number, line] = lines_[next_];
        std::vector<std::string> words = Words(line);
        auto it = commands_.find(words[0]);
        if (it == commands_.end()) {
            Log("DRIVER line " + std::to_string(number) + ": unknown command \"" + words[0] + "\"");
            result_ = kExitUsage;
            return;
        }
        std::string error =
            it->second(form, std::vector<std::string>(words.begin() + 1, words.end()));
        if (!error.empty()) {
            Log("DRIVER line " + std::to_string(number) + ": " + error);
            result_ = error.rfind("expect", 0) == 0 ? 1 : kExitUsage;
            return;
        }
    }
    // The end of the script ends the session like the end of the desktop session would:
    // the window goes away and the settings are written, whatever room is showing.
}

int HeadlessDriver::Run(const ProgramOptions& options, std::istream& script) {
    std::string line;
    for (int number = 1; std::getline(script, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string t = Trim(line);
        if (t.empty() || t[0] == '#') continue;
        lines_.emplace_back(number, t);
    }
    // Answers for the dialogs of start-up.
    while (next_ < lines_.size() && Words(lines_[next_].second)[0] == "answer") {
        std::vector<std::string> w = Words(lines_[next_].second);
        if (w.size() < 2 || ParseAnswer(w[1]) == DialogResult::None) {
            Log("DRIVER line " + std::to_string(lines_[next_].first) +
                ": answer needs Yes, No, OK or Cancel");
            return kExitUsage;
        }
        dialogs_.QueueAnswer(ParseAnswer(w[1]));
        ++next_;
    }
    ProgramHooks hooks;
    hooks.prepare = prepare;
    hooks.run = [this](TFormMain& form, const std::function<bool()>&) { RunScript(form); };
    int code = RunProgram(options, {system_, dialogs_}, hooks);
    return result_ != 0 ? result_ : code;
}

} // namespace qr

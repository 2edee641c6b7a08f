// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/anmtool/animal_text.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <limits>
#include <sstream>
#include <vector>

namespace qr {

namespace {

const char* const kKindNames[] = {"wait",   "move", "frame", "show", "hide",
                                  "motion", "loop", "end",   "hold", "unhold"};

// Names may hold any byte; the ones the text form uses for itself are written as %XX.
bool NeedsEscape(unsigned char c) {
    return c <= ' ' || c >= 0x7F || c == '%' || c == '=' || c == '#';
}

std::string Escape(std::string_view s) {
    if (s.empty()) return "%";
    std::string out;
    for (unsigned char c : s) {
        if (NeedsEscape(c)) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        } else {
            out += char(c);
        }
    }
    return out;
}

class Parser {
  public:
    Parser(std::string_view text, TAnimal& animal) : text_(text), animal_(animal) {}

    void Run() {
        std::istringstream in{std::string(text_)};
        std::string raw;
        while (std::getline(in, raw)) {
            ++lineNo_;
            if (const size_t hash = raw.find('#'); hash != std::string::npos) raw.resize(hash);
            words_.clear();
            std::istringstream ws(raw);
            for (std::string w; ws >> w;)
                words_.push_back(w);
            if (!words_.empty()) Line();
        }
        if (animal_.PictureName.empty()) Fail("the animal has no \"picture\"");
        if (animal_.LibraryName.empty()) Fail("the animal has no \"library\"");
    }

  private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw AnimalTextError("line " + std::to_string(lineNo_) + ": " + what);
    }

    std::string Unescape(const std::string& s) const {
        if (s == "%") return {};
        std::string out;
        for (size_t i = 0; i < s.size(); ++i) {
            if (s[i] != '%') {
                out += s[i];
                continue;
            }
            unsigned v = 0;
            if (i + 2 >= s.size()) Fail("bad escape in " + s);
            auto r = std::from_chars(s.data() + i + 1, s.data() + i + 3, v, 16);
            if (r.ec != std::errc() || r.ptr != s.data() + i + 3) Fail("bad escape in " + s);
            out += char(v);
            i += 2;
        }
        return out;
    }

    long Number(const std::string& key, const std::string& value, long lo, long hi) const {
        long v = 0;
        auto r = std::from_chars(value.data(), value.data() + value.size(), v);
        if (r.ec != std::errc() || r.ptr != value.data() + value.size())
            Fail(key + ": \"" + value + "\" is not a number");
        if (v < lo || v > hi)
            Fail(key + ": " + value + " is outside " + std::to_string(lo) + ".." +
                 std::to_string(hi));
        return v;
    }

    void ExpectWords(size_t n) const {
        if (words_.size() != n)
            Fail("\"" + words_[0] + "\" takes " + std::to_string(n - 1) + " value(s)");
    }

    void Line() {
        const std::string& w = words_[0];
        if (w == "picture") {
            ExpectWords(2);
            animal_.PictureName = Unescape(words_[1]);
        } else if (w == "library") {
            ExpectWords(2);
            animal_.LibraryName = Unescape(words_[1]);
        } else if (w == "restrict-slow-cpu") {
            ExpectWords(2);
            animal_.RestrictSlowCpu = uint8_t(Number(w, words_[1], 0, 255));
        } else if (w == "restrict-fast-speed") {
            ExpectWords(2);
            animal_.RestrictFastSpeed = uint8_t(Number(w, words_[1], 0, 255));
        } else if (w == "object") {
            Object();
        } else if (w == "scene") {
            if (!object_) Fail("\"scene\" before any \"object\"");
            ExpectWords(2);
            scene_ = int(Number(w, words_[1], 0, kAnimalSceneCount - 1));
            if (!object_->Scenes[size_t(scene_)].empty())
                Fail("scene " + words_[1] + " of " + object_->Name + " is given twice");
            nextTime_ = 0;
        } else {
            Event();
        }
    }

    void Object() {
        if (words_.size() < 2) Fail("\"object\" needs a name");
        auto o = std::make_unique<TAnimObject>();
        o->Name = Unescape(words_[1]);
        for (size_t i = 2; i < words_.size(); ++i) {
            const std::string& w = words_[i];
            const size_t eq = w.find('=');
            const std::string key = w.substr(0, eq);
            const std::string value = eq == std::string::npos ? "" : w.substr(eq + 1);
            if (w == "background")
                o->Background = true;
            else if (key == "width")
                o->Width = int16_t(Number(key, value, -32768, 32767));
            else if (key == "height")
                o->Height = int16_t(Number(key, value, -32768, 32767));
            else if (key == "frames")
                o->FrameCount = int16_t(Number(key, value, -32768, 32767));
            else
                Fail("unknown object setting \"" + w + "\"");
        }
        const std::string upper = [&] {
            std::string u = o->Name;
            for (char& c : u)
                c = char(std::toupper(static_cast<unsigned char>(c)));
            return u;
        }();
        o->IsLetter = upper == "LETTER";
        animal_.Objects.push_back(std::move(o));
        object_ = animal_.Objects.back().get();
        scene_ = -1;
    }

    void Event() {
        if (scene_ < 0) Fail("\"" + words_[0] + "\" is no setting, and no event outside a scene");
        TSceneEvent e;
        const std::string& kind = words_[0];
        bool known = false;
        for (uint8_t k = 0; k < std::size(kKindNames); ++k)
            if (kind == kKindNames[k]) {
                e.Kind = k;
                known = true;
            }
        if (!known && kind.rfind("kind", 0) == 0)
            e.Kind = uint8_t(Number("kind", kind.substr(4), 0, 255)), known = true;
        if (!known) Fail("unknown event \"" + kind + "\"");
        e.Duration = 1;
        bool timeGiven = false;
        for (size_t i = 1; i < words_.size(); ++i) {
            const std::string& w = words_[i];
            const size_t eq = w.find('=');
            const std::string key = w.substr(0, eq);
            const std::string value = eq == std::string::npos ? "" : w.substr(eq + 1);
            auto i16 = [&] { return int16_t(Number(key, value, -32768, 32767)); };
            if (w == "release")
                e.WaitRelease = true;
            else if (w == "use-overlay")
                e.UseOverlay = true;
            else if (eq == std::string::npos)
                Fail("unknown flag \"" + w + "\"");
            else if (key == "time")
                e.Time = i16(), timeGiven = true;
            else if (key == "dur")
                e.Duration = i16();
            else if (key == "x")
                e.X = i16();
            else if (key == "y")
                e.Y = i16();
            else if (key == "dx")
                e.DX = i16();
            else if (key == "dy")
                e.DY = i16();
            else if (key == "interval")
                e.Interval = i16();
            else if (key == "ox")
                e.OverlayX = i16();
            else if (key == "oy")
                e.OverlayY = i16();
            else if (key == "frame")
                e.Frame = i16();
            else if (key == "step")
                e.FrameStep = i16();
            else if (key == "target")
                e.Target = i16();
            else if (key == "count")
                e.LoopCount = uint16_t(Number(key, value, 0, 65535));
            else if (key == "overlay")
                e.OverlayName = Unescape(value), e.UseOverlay = true;
            else if (key == "oname")
                e.OverlayName = Unescape(value);
            else
                Fail("unknown event setting \"" + w + "\"");
        }
        if (!timeGiven) {
            if (nextTime_ > std::numeric_limits<int16_t>::max())
                Fail("the scene runs past the longest time a file can hold");
            e.Time = int16_t(nextTime_);
        }
        nextTime_ = long(e.Time) + std::max<long>(e.Duration, 1);
        TSceneEventList& events = object_->Scenes[size_t(scene_)];
        if (events.size() >= 0xFFFF) Fail("too many events in one scene");
        events.push_back(e);
    }

    std::string_view text_;
    TAnimal& animal_;
    std::vector<std::string> words_;
    int lineNo_ = 0;
    TAnimObject* object_ = nullptr;
    int scene_ = -1;
    long nextTime_ = 0;
};

} // namespace

const char* EventKindName(uint8_t kind) {
    return kind < std::size(kKindNames) ? kKindNames[kind] : nullptr;
}

void ParseAnimalText(std::string_view text, TAnimal& animal) {
    Parser(text, animal).Run();
}

std::string AnimalToText(const TAnimal& a) {
    std::ostringstream out;
    out << "picture " << Escape(a.PictureName) << "\n";
    out << "library " << Escape(a.LibraryName) << "\n";
    if (a.RestrictSlowCpu) out << "restrict-slow-cpu " << int(a.RestrictSlowCpu) << "\n";
    if (a.RestrictFastSpeed) out << "restrict-fast-speed " << int(a.RestrictFastSpeed) << "\n";
    for (const auto& o : a.Objects) {
        out << "\nobject " << Escape(o->Name) << " width=" << o->Width << " height=" << o->Height
            << " frames=" << o->FrameCount << (o->Background ? " background" : "") << "\n";
        if (!o->WidthStored)
            out << "  # the file does not store the width (the game takes the picture's): set it\n";
        for (int scene = 0; scene < kAnimalSceneCount; ++scene) {
            const TSceneEventList& events = o->Scenes[size_t(scene)];
            if (events.empty()) continue;
            out << "  scene " << scene << "\n";
            long nextTime = 0;
            for (const TSceneEvent& e : events) {
                out << "    ";
                if (const char* name = EventKindName(e.Kind))
                    out << name;
                else
                    out << "kind" << int(e.Kind);
                if (e.Time != nextTime) out << " time=" << e.Time;
                if (e.Duration != 1) out << " dur=" << e.Duration;
                const std::pair<const char*, int> fields[] = {{"x", e.X},
                                                              {"y", e.Y},
                                                              {"dx", e.DX},
                                                              {"dy", e.DY},
                                                              {"interval", e.Interval},
                                                              {"ox", e.OverlayX},
                                                              {"oy", e.OverlayY},
                                                              {"frame", e.Frame},
                                                              {"step", e.FrameStep},
                                                              {"target", e.Target},
                                                              {"count", e.LoopCount}};
                for (const auto& [key, value] : fields)
                    if (value != 0) out << " " << key << "=" << value;
                if (e.WaitRelease) out << " release";
                if (e.UseOverlay && !e.OverlayName.empty())
                    out << " overlay=" << Escape(e.OverlayName);
                else if (e.UseOverlay)
                    out << " use-overlay";
                else if (!e.OverlayName.empty())
                    out << " oname=" << Escape(e.OverlayName);
                out << "\n";
                nextTime = long(e.Time) + std::max<long>(e.Duration, 1);
            }
        }
    }
    return out.str();
}

} // namespace qr

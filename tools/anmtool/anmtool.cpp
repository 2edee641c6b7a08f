// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/anmtool/anmtool.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

#include "foundation/command_line.h"
#include "foundation/stream.h"
#include "foundation/text_codec.h"
#include "game/gameplay/animal.h"
#include "tools/anmtool/animal_text.h"
#include "tools/px8tool/png_io.h"

namespace qr {

namespace {

using Json = nlohmann::ordered_json;

const char* const kUsage =
    "usage: anmtool COMMAND ...\n"
    "  dump FILE                 print the animal as JSON\n"
    "  build SOURCE OUT.anm      compile the text form into a version-12 file\n"
    "  export FILE [OUT]         write the text form (to stdout without OUT)\n"
    "  render FILE --scene N [--release-at T] [--ticks K] [--every E] [--imglib DIR] OUT.png\n"
    "                            play a scene and write a contact sheet of its frames\n"
    "  trace FILE --scene N [--release-at T] [--ticks K]\n"
    "                            print the objects of every tick as JSON lines\n"
    "The animal's picture library is looked for in DIR, by default the folder imglib/\n"
    "beside the file's own folder (as in an installation: dat/ and imglib/). As in the\n"
    "game, scene 0 is played unseen before any other scene, so that background objects\n"
    "are under way. Ticks count from the start of the scene; --release-at sets the\n"
    "animal's release flag at that tick.\n";

constexpr int kStripWidth = 113;
constexpr int kStripHeight = 367;
constexpr int kCardWidth = 46;
constexpr int kCardHeight = 62;

// Every failure names the file it is about.
void LoadAnimal(const std::string& path, TAnimal& animal) {
    RequireReadable(path);
    try {
        TMemoryStream stream(ReadFileBytes(path));
        animal.LoadFromStream(stream);
    } catch (const std::exception& e) {
        throw ToolError(path + ": " + PlainReason(e));
    }
}

// In the game every level opens with scene 0, so the background objects of any later scene
// are already under way: play scene 0 unseen first.
void PlayOpeningUnseen(TAnimal& animal, int scene) {
    if (scene == 0 || !animal.StartScene(0)) return;
    animal.Released = true;
    while (animal.Step())
        ;
}

Json EventJson(const TSceneEvent& e) {
    Json j;
    j["kind"] = e.Kind;
    j["time"] = e.Time;
    j["duration"] = e.Duration;
    j["x"] = e.X;
    j["y"] = e.Y;
    j["dx"] = e.DX;
    j["dy"] = e.DY;
    j["interval"] = e.Interval;
    j["overlayX"] = e.OverlayX;
    j["overlayY"] = e.OverlayY;
    j["frame"] = e.Frame;
    j["frameStep"] = e.FrameStep;
    j["target"] = e.Target;
    j["waitRelease"] = e.WaitRelease;
    j["useOverlay"] = e.UseOverlay;
    j["loopCount"] = e.LoopCount;
    j["overlayName"] = ToUtf8(e.OverlayName);
    return j;
}

Json AnimalJson(const TAnimal& a) {
    Json j;
    j["version"] = a.Version;
    j["pictureName"] = ToUtf8(a.PictureName);
    j["libraryName"] = ToUtf8(a.LibraryName);
    j["restrictSlowCpu"] = a.RestrictSlowCpu;
    j["restrictFastSpeed"] = a.RestrictFastSpeed;
    Json objects = Json::array();
    for (const auto& o : a.Objects) {
        Json jo;
        jo["name"] = ToUtf8(o->Name);
        jo["width"] = o->WidthStored ? Json(o->Width) : Json(nullptr);
        jo["height"] = o->Height;
        jo["frameCount"] = o->FrameCount;
        jo["background"] = o->Background;
        jo["isLetter"] = o->IsLetter;
        Json scenes = Json::array();
        for (const TSceneEventList& events : o->Scenes) {
            Json list = Json::array();
            for (const TSceneEvent& e : events)
                list.push_back(EventJson(e));
            scenes.push_back(list);
        }
        jo["scenes"] = scenes;
        objects.push_back(jo);
    }
    j["objects"] = objects;
    return j;
}

// Options of render and trace.
struct PlayOptions {
    std::string file;
    std::string out;
    std::string imglib;
    int scene = -1;
    int releaseAt = -1;
    int ticks = 400;
    int every = 0;
};

bool ParsePlayOptions(const std::vector<std::string>& args, bool wantsOutput, PlayOptions& o,
                      std::ostream& err) {
    std::vector<std::string> positional;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto number = [&](int& into, int lo) {
            if (i + 1 >= args.size()) throw std::invalid_argument(a + " needs a value");
            const std::string& v = args[++i];
            size_t used = 0;
            const long n = std::stol(v, &used);
            if (used != v.size() || n < lo || n > 1000000)
                throw std::invalid_argument(a + ": bad value " + v);
            into = int(n);
        };
        try {
            if (a == "--scene")
                number(o.scene, 0);
            else if (a == "--release-at")
                number(o.releaseAt, 0);
            else if (a == "--ticks")
                number(o.ticks, 1);
            else if (a == "--every")
                number(o.every, 1);
            else if (a == "--imglib") {
                if (i + 1 >= args.size()) throw std::invalid_argument("--imglib needs a folder");
                o.imglib = args[++i];
            } else if (a.rfind("--", 0) == 0)
                throw std::invalid_argument("unknown option " + a);
            else
                positional.push_back(a);
        } catch (const std::exception& e) {
            UsageError("anmtool", Printable(e.what()), kUsage, err);
            return false;
        }
    }
    if (o.scene < 0 || o.scene >= kAnimalSceneCount) {
        UsageError("anmtool",
                   "--scene 0.." + std::to_string(kAnimalSceneCount - 1) + " is required", kUsage,
                   err);
        return false;
    }
    if (positional.size() != (wantsOutput ? 2u : 1u)) {
        UsageError("anmtool", "wrong number of arguments for " + args[0], kUsage, err);
        return false;
    }
    o.file = positional[0];
    if (wantsOutput) o.out = positional[1];
    if (o.imglib.empty()) {
        namespace fs = std::filesystem;
        o.imglib = (fs::path(o.file).parent_path().parent_path() / "imglib").string();
    }
    if (!o.imglib.empty() && o.imglib.back() != '/') o.imglib += '/';
    return true;
}

// A 3x5 pixel font for the tick numbers of a contact sheet and the stand-in card.
const char* const kGlyphs[] = {"111101101101111", "010110010010111", "111001111100111",
                               "111001111001111", "101101111001001", "111100111001111",
                               "111100111101111", "111001001001001", "111101111101111",
                               "111101111001111", "010101111101101" /* A */};

void DrawGlyph(std::vector<uint8_t>& pixels, int stride, int x, int y, int glyph, int scale,
               uint8_t colour) {
    for (int gy = 0; gy < 5; ++gy)
        for (int gx = 0; gx < 3; ++gx)
            if (kGlyphs[glyph][gy * 3 + gx] == '1')
                for (int sy = 0; sy < scale; ++sy)
                    for (int sx = 0; sx < scale; ++sx)
                        pixels[size_t((y + gy * scale + sy) * stride + x + gx * scale + sx)] =
                            colour;
}

// The card the play room would hand over: the face colour, a green frame and an "A".
std::unique_ptr<TPX8Image> StandInCard() {
    std::vector<uint8_t> px(size_t(kCardWidth * kCardHeight), 14);
    for (int x = 0; x < kCardWidth; ++x)
        for (int y : {0, 1, kCardHeight - 2, kCardHeight - 1})
            px[size_t(y * kCardWidth + x)] = 10;
    for (int y = 0; y < kCardHeight; ++y)
        for (int x : {0, 1, kCardWidth - 2, kCardWidth - 1})
            px[size_t(y * kCardWidth + x)] = 10;
    DrawGlyph(px, kCardWidth, (kCardWidth - 18) / 2, (kCardHeight - 30) / 2, 10, 6, 0);
    auto card = std::make_unique<TPX8Image>();
    card->Initialise("card", px.data(), kCardWidth, kCardHeight);
    return card;
}

struct Frame {
    int tick;
    std::vector<uint8_t> pixels;
};

std::vector<uint8_t> Snapshot(TPX8ImageData& image) {
    std::vector<uint8_t> px(size_t(image.Width * image.Height));
    for (int32_t y = 0; y < image.Height; ++y) {
        const uint8_t* row = image.StartLine(0, y);
        std::copy(row, row + image.Width, px.begin() + long(y) * image.Width);
        image.UnlockSegment(0, y);
    }
    return px;
}

int Render(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    PlayOptions o;
    if (!ParsePlayOptions(args, true, o, err)) return 2;
    TAnimal animal;
    LoadAnimal(o.file, animal);
    auto library = std::make_unique<TPX8Library>();
    library->Open(o.imglib + animal.LibraryName);
    const std::vector<uint8_t> raw = library->RawPalette();
    animal.SetLibrary(std::move(library));

    TPX8Image work;
    work.Initialise("work", nullptr, kStripWidth, kStripHeight);
    auto workData = work.CreateImageData();
    workData->FillRect(workData->GetBounds(), 0);
    auto card = StandInCard();
    auto cardData = card->CreateImageData();
    animal.SetWorkImage(workData.get());
    animal.SetArea({0, 0, kStripWidth, kStripHeight});
    animal.SetCardCallback([&] { return cardData.get(); });

    std::vector<Frame> frames;
    PlayOpeningUnseen(animal, o.scene);
    animal.StartScene(uint8_t(o.scene));
    for (int tick = 0; tick < o.ticks; ++tick) {
        if (tick == o.releaseAt) animal.Released = true;
        const bool going = animal.Step();
        animal.Draw();
        frames.push_back({tick, Snapshot(*workData)});
        if (!going) break;
    }
    const int every = o.every > 0 ? o.every : std::max(1, int(frames.size() + 39) / 40);
    std::vector<const Frame*> shown;
    for (size_t i = 0; i < frames.size(); ++i)
        if (int(i) % every == 0 || i + 1 == frames.size()) shown.push_back(&frames[i]);

    constexpr int gap = 4, label = 9;
    const int columns = std::min<int>(10, int(shown.size()));
    const int rows = (int(shown.size()) + columns - 1) / columns;
    const int cellW = kStripWidth + gap, cellH = kStripHeight + label + gap;
    const int width = columns * cellW + gap, height = rows * cellH + gap;
    std::vector<uint8_t> sheet(size_t(width * height), 0);
    for (size_t i = 0; i < shown.size(); ++i) {
        const int x0 = gap + int(i) % columns * cellW, y0 = gap + int(i) / columns * cellH;
        const std::string digits = std::to_string(shown[i]->tick);
        for (size_t d = 0; d < digits.size(); ++d)
            DrawGlyph(sheet, width, x0 + int(d) * 4, y0 + 1, digits[d] - '0', 1, 255);
        for (int y = 0; y < kStripHeight; ++y)
            std::copy_n(shown[i]->pixels.begin() + long(y) * kStripWidth, kStripWidth,
                        sheet.begin() + long(y0 + label + y) * width + x0);
    }
    std::array<std::array<uint8_t, 3>, 256> palette{};
    for (size_t i = 0; i < 256; ++i)
        palette[i] = {raw[i * 4 + 2], raw[i * 4 + 1], raw[i * 4]};
    WriteIndexedPng(o.out, width, height, sheet, palette);
    out << o.out << ": scene " << o.scene << ", " << frames.size() << " ticks, every " << every
        << "\n";
    return 0;
}

int Trace(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    PlayOptions o;
    if (!ParsePlayOptions(args, false, o, err)) return 2;
    TAnimal animal;
    LoadAnimal(o.file, animal);
    PlayOpeningUnseen(animal, o.scene);
    if (!animal.StartScene(uint8_t(o.scene))) {
        out << Json{{"end", 0}, {"empty", true}}.dump() << "\n";
        return 0;
    }
    for (int tick = 0; tick < o.ticks; ++tick) {
        if (tick == o.releaseAt) animal.Released = true;
        const bool going = animal.Step();
        Json line;
        line["tick"] = tick;
        line["scene"] = animal.SceneNo;
        line["released"] = animal.Released;
        line["hold"] = animal.HoldCounter;
        Json objects = Json::array();
        for (const auto& obj : animal.Objects) {
            if (!obj->Visible) continue;
            objects.push_back(
                {{"name", ToUtf8(obj->Name)}, {"x", obj->X}, {"y", obj->Y}, {"frame", obj->Frame}});
        }
        line["objects"] = objects;
        out << line.dump() << "\n";
        if (!going) {
            out << Json{{"end", tick}}.dump() << "\n";
            return 0;
        }
    }
    out << Json{{"end", nullptr}, {"ticks", o.ticks}}.dump() << "\n";
    return 0;
}

} // namespace

int RunAnmTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (std::optional<int> done =
            HandleCommonOptions("anmtool", args, kUsage, out, err,
                                {"--scene", "--release-at", "--ticks", "--every", "--imglib"}))
        return *done;
    if (args.empty()) return UsageError("anmtool", "a command is needed", kUsage, err);
    const std::string& cmd = args[0];
    try {
        if (cmd == "dump" && args.size() == 2) {
            TAnimal animal;
            LoadAnimal(args[1], animal);
            out << AnimalJson(animal).dump(2) << "\n";
            return 0;
        }
        if (cmd == "build" && args.size() == 3) {
            RequireReadable(args[1]);
            const std::vector<uint8_t> bytes = ReadFileBytes(args[1]);
            TAnimal animal;
            try {
                ParseAnimalText(
                    std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                    animal);
            } catch (const AnimalTextError& e) {
                throw ToolError(args[1] + ": " + e.what());
            }
            TMemoryStream stream;
            animal.SaveToStream(stream);
            stream.SaveToFile(args[2]);
            return 0;
        }
        if (cmd == "export" && (args.size() == 2 || args.size() == 3)) {
            TAnimal animal;
            LoadAnimal(args[1], animal);
            const std::string text = AnimalToText(animal);
            if (args.size() == 2)
                out << text;
            else
                WriteFileAtomic(args[2], text.data(), text.size());
            return 0;
        }
        if (cmd == "render") return Render(args, out, err);
        if (cmd == "trace") return Trace(args, out, err);
    } catch (const std::exception& e) {
        // File names and texts from a file may hold any byte: never raw to the terminal.
        err << "anmtool: " << Printable(e.what()) << "\n";
        return 1;
    }
    if (cmd == "dump" || cmd == "build" || cmd == "export")
        return UsageError("anmtool", "wrong number of arguments for " + cmd, kUsage, err);
    return UsageError("anmtool", "unknown command " + cmd, kUsage, err);
}

} // namespace qr

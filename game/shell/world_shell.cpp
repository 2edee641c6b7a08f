// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/world_shell.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "foundation/dlg_confirm.h"
#include "foundation/obf_text.h"
#include "foundation/text_codec.h"
#include "foundation/utils.h"
#include "game/shell/game_strings.h"
#include "game/shell/headless_driver.h"
#include "game/world/px8_world_library.h"
#include "game/world/world_script.h"
#include "graphics/image_library.h"
#include "platform/files.h"
#include "platform/headless/display_headless.h"
#include "wordlist/word_list.h"

namespace qr {

TScreenPalette DefaultScreenPalette() {
    TScreenPalette p{};
    // 6x6x6 colour cube on 1-216, greys above it; 0 black and 255 white as in the game's own.
    for (int i = 0; i < 216; ++i) {
        int r = i / 36, g = (i / 6) % 6, b = i % 6;
        p[size_t(i + 1)] = uint32_t(r * 51) << 16 | uint32_t(g * 51) << 8 | uint32_t(b * 51);
    }
    for (int i = 217; i < 255; ++i) {
        uint32_t v = uint32_t((i - 217) * 255 / 38);
        p[size_t(i)] = v << 16 | v << 8 | v;
    }
    p[0] = 0;
    p[255] = 0xFFFFFF;
    return p;
}

namespace {
// Colours of the surround when the tile picture is missing, and of the frame panel.
constexpr uint8_t kSurroundColour = 40;
constexpr uint8_t kPanelColour = 250;
// The window icon in the game library, drawn from the same art as the desktop icon.
constexpr const char* kWindowIconPicture = "appicon";

std::string Json(const std::string& bytes) {
    return JsonString(ToUtf8(bytes));
}
} // namespace

TShellWorld::TShellWorld(TFormMain& form, std::unique_ptr<TWorldLibrary> library, Outputs outputs)
    : form_(form), library_(std::move(library)), out_(std::move(outputs)),
      client_(TClientLayout::kWidth, TClientLayout::kHeight), palette_(DefaultScreenPalette()),
      version_(form.VersionCaption(),
               {TClientLayout::FrameOrigin().X + 15,
                TClientLayout::FrameOrigin().Y + TClientLayout::kFrameHeight - 1}) {
    world_ = std::make_unique<TWorld>(static_cast<TWorldHost&>(*this), *library_);
    world_->SetProcessorType(form.Platform().system.ProcessorType());
    // The window starts out active.
    world_->SetFlag(TWorld::kActive);
    // Saved games belong with the player's files; the program folder may be read-only.
    world_->SetSaveFolder(form.Folders().installation);
}

TShellWorld::~TShellWorld() {
    world_.reset();
    TDlgConfirm::SetPresenter(nullptr);
}

template <class F> void TShellWorld::Guarded(F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        form_.Platform().dialogs.MessageBox(kAppTitle, e.what(), DialogIcon::Error,
                                            Dialogs::Buttons::OK);
    }
}

void TShellWorld::Init(TObfText& script) {
    world_->Init(script, "");
}

void TShellWorld::SetPlayerSettings(const TPlayerSettings& s) {
    world_->SetInitials(s.initials);
    world_->SetLanguages({s.clueLanguage.name, s.clueLanguage.number},
                         {s.answerLanguage.name, s.answerLanguage.number});
    world_->SetUseIcons(s.useIcons);
    for (int k = 1; k <= 3; ++k)
        world_->SetSpeedValue(k, s.speedValues[k - 1]);
    world_->SetSpeedSetting(s.speedSetting);
}

TPlayerSettings TShellWorld::PlayerSettings() const {
    // The rooms change these while the game runs (and a word list may move the languages).
    TPlayerSettings s;
    s.initials = world_->Initials();
    s.clueLanguage = {world_->ClueLanguage().name, world_->ClueLanguage().number};
    s.answerLanguage = {world_->AnswerLanguage().name, world_->AnswerLanguage().number};
    s.useIcons = world_->UseIcons();
    for (int k = 1; k <= 3; ++k)
        s.speedValues[k - 1] = world_->SpeedValue(k);
    s.speedSetting = world_->SpeedSetting();
    return s;
}

void TShellWorld::Start() {
    Guarded([&] { world_->Start(); });
}

void TShellWorld::SetFocus(bool active) {
    Guarded([&] {
        world_->SetFocus(active);
        // Music comes back a little after the player does.
        if (active)
            if (auto* room = dynamic_cast<TQRRoom*>(world_->CurrentRoom()))
                room->AddTimer(kTimerMusicDelay, 20);
    });
}

void TShellWorld::Tick(int steps) {
    // Between two timer events the message loop has nothing else to do: the program was
    // idle, which is when a window that came back to the front is redrawn whole.
    world_->SetFlag(TWorld::kIdle);
    Guarded([&] { world_->Tick(uint32_t(steps)); });
    // The form decides visibility (Caps Lock) just before it ticks the world.
    const TRect label = version_.SetVisible(client_, form_.VersionLabelVisible());
    if (!label.IsEmpty() && out_.presented) out_.presented(*this, {label});
}

bool TShellWorld::WordListHasIcons() const {
    return world_->WordList() && world_->WordList()->UsesIconClues();
}

void TShellWorld::MusicEnded(int track) {
    Guarded([&] {
        if (TRoom* room = world_->CurrentRoom()) room->RunScript("ENDMUSIC", std::to_string(track));
    });
}

std::string TShellWorld::CurrentRoomID() const {
    return world_->CurrentRoom() ? world_->CurrentRoom()->GetID() : std::string();
}

void TShellWorld::Mouse(MouseKind kind, int button, int shift, int32_t clientX, int32_t clientY) {
    const TPoint o = TClientLayout::FrameOrigin();
    PaintBoxMouse(kind, button, shift, clientX - o.X, clientY - o.Y);
}

void TShellWorld::PaintBoxMouse(MouseKind kind, int button, int shift, int32_t x, int32_t y) {
    // Only the paint box hears the mouse; outside it the world keeps the last position,
    // but a release still ends a drag that started inside.
    const bool inside =
        x >= 0 && y >= 0 && x < TClientLayout::kFrameWidth && y < TClientLayout::kFrameHeight;
    if (!inside && !(kind == MouseKind::Up && world_->CapturedBox())) return;
    mouse_ = {x, y};
    Guarded([&] {
        switch (kind) {
        case MouseKind::Down:
            world_->MouseDown(button, shift, x, y);
            break;
        case MouseKind::Up:
            world_->MouseUp(x, y);
            break;
        case MouseKind::Move:
            world_->MouseMove(x, y);
            break;
        }
    });
}

void TShellWorld::PaintSurround(const std::string& tileName) {
    TWorldPicture* tile = library_->GetImage(tileName);
    for (int32_t y = 0; y < client_.Height(); ++y)
        for (int32_t x = 0; x < client_.Width(); ++x)
            client_.At(x, y) = tile && tile->Width() > 0 && tile->Height() > 0
                                   ? tile->PixelAt(x % tile->Width(), y % tile->Height())
                                   : kSurroundColour;
    library_->ReleaseImage(tile);
    const TPoint o = TClientLayout::FrameOrigin();
    auto fill = [&](TRect r, uint8_t c) {
        for (int32_t y = r.Top; y < r.Bottom; ++y)
            for (int32_t x = r.Left; x < r.Right; ++x)
                client_.At(x, y) = c;
    };
    fill(TRect::FromOriginSize({o.X + TClientLayout::kShadow, o.Y + TClientLayout::kShadow},
                               TClientLayout::kFrameWidth, TClientLayout::kFrameHeight),
         0);
    fill(TRect::FromOriginSize(o, TClientLayout::kFrameWidth, TClientLayout::kFrameHeight),
         kPanelColour);
    // The paint box's black brush until the world draws.
    fill(TRect::FromOriginSize(o, TClientLayout::kFrameWidth, TClientLayout::kFrameHeight), 0);
    if (out_.presented) out_.presented(*this, {{0, 0, client_.Width(), client_.Height()}});
}

std::string TShellWorld::StateFields() const {
    std::ostringstream s;
    s << ",\"flags\":" << world_->Flags() << ",\"roomStack\":[";
    bool first = true;
    for (auto* n : const_cast<TWorld&>(*world_).RoomStack().Nodes<TRoomStackNode>()) {
        if (!n->Room()) continue;
        s << (first ? "" : ",") << Json(n->Room()->GetID());
        first = false;
    }
    s << "],\"defaultCursor\":" << world_->DefaultCursor() << ",\"cursor\":" << cursor_
      << ",\"caption\":" << Json(caption_);
    return s.str();
}

void TShellWorld::ShowMessage(const std::string& text) {
    form_.Platform().dialogs.MessageBox(kAppTitle, text, DialogIcon::None, Dialogs::Buttons::OK);
}

int TShellWorld::Confirm(const std::string& caption, const std::string& message, int buttons) {
    return TDlgConfirm::Confirm(caption, message, buttons);
}

bool TShellWorld::AskYesNo(const std::string& text) {
    return form_.Platform().dialogs.MessageBox(kAppTitle, text, DialogIcon::Question,
                                               Dialogs::Buttons::YesNo) == DialogResult::Yes;
}

void TShellWorld::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (out_.log) out_.log("CAPTION " + ToUtf8(caption));
    if (out_.caption) out_.caption(caption);
}

void TShellWorld::RoomEntered(const std::string& from, const std::string& to) {
    if (out_.log)
        out_.log("ROOM " + (from.empty() ? std::string("-") : ToUtf8(from)) + " -> " + ToUtf8(to));
}

void TShellWorld::SetCursor(int cursor) {
    cursor_ = cursor;
    if (out_.cursor) out_.cursor(cursor);
}

bool TShellWorld::KeyDown(int virtualKey) {
    const System& sys = form_.Platform().system;
    switch (virtualKey) {
    case kVkShift:
        return sys.KeyDown(Key::Shift);
    case kVkControl:
        return sys.KeyDown(Key::Ctrl);
    case kVkDelete:
        return sys.KeyDown(Key::Delete);
    case kVkEscape:
        return sys.KeyDown(Key::Escape);
    default:
        return false;
    }
}

void TShellWorld::Present(const TWorldSurface& work, const std::vector<TRect>& rects, TPoint offset,
                          bool blackFrame) {
    const TPoint o = TClientLayout::FrameOrigin();
    const TRect frame =
        TRect::FromOriginSize(o, TClientLayout::kFrameWidth, TClientLayout::kFrameHeight);
    std::vector<TRect> changed;
    for (TRect r : rects) {
        TRect dst = Intersect(r + o + offset, frame);
        if (dst.IsEmpty()) continue;
        for (int32_t y = dst.Top; y < dst.Bottom; ++y)
            work.ReadRow(dst.Left - o.X - offset.X, y - o.Y - offset.Y, dst.Width(),
                         &client_.At(dst.Left, y));
        changed.push_back(dst);
    }
    if (blackFrame) {
        for (int32_t x = frame.Left; x < frame.Right; ++x)
            client_.At(x, frame.Top) = client_.At(x, frame.Bottom - 1) = 0;
        for (int32_t y = frame.Top; y < frame.Bottom; ++y)
            client_.At(frame.Left, y) = client_.At(frame.Right - 1, y) = 0;
        changed.push_back({frame.Left, frame.Top, frame.Right, frame.Top + 1});
        changed.push_back({frame.Left, frame.Bottom - 1, frame.Right, frame.Bottom});
        changed.push_back({frame.Left, frame.Top, frame.Left + 1, frame.Bottom});
        changed.push_back({frame.Right - 1, frame.Top, frame.Right, frame.Bottom});
    }
    if (out_.presented && !changed.empty()) out_.presented(*this, changed);
}

// ---- start-up step

std::vector<TCursorPicture> LoadCursorPictures(TWorldLibrary& library,
                                               const TScreenPalette& palette,
                                               const std::string& datFolder) {
    // "dat/cursors.txt": one cursor a line, "slot picture hotX hotY", "#" comments; slot 0
    // is the hourglass.
    struct Entry {
        std::string picture;
        TPoint hot;
    };
    std::map<int, Entry> entries;
    std::ifstream in(ResolveNoCase(datFolder, "cursors.txt"));
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        int slot = -1;
        Entry e;
        if (line.empty() || line[0] == '#' || !(words >> slot >> e.picture >> e.hot.X >> e.hot.Y))
            continue;
        if (slot >= 0 && slot <= 25) entries[slot] = e;
    }
    std::vector<TCursorPicture> out;
    for (const auto& [slot, entry] : entries) {
        // A cursor larger than this is no cursor; the platform would refuse it anyway.
        std::optional<TArgbPicture> p = LoadArgbPicture(library, palette, entry.picture, 64);
        if (!p) continue;
        TCursorPicture c;
        c.number = slot == 0 ? int(kCursorHourglass) : slot;
        c.width = p->width;
        c.height = p->height;
        c.argb = std::move(p->argb);
        c.hotX = std::clamp(entry.hot.X, 0, c.width - 1);
        c.hotY = std::clamp(entry.hot.Y, 0, c.height - 1);
        out.push_back(std::move(c));
    }
    return out;
}

std::optional<TArgbPicture> LoadArgbPicture(TWorldLibrary& library, const TScreenPalette& palette,
                                            const std::string& name, int maxSide) {
    TWorldPicture* p = library.GetImage(name);
    if (!p) return std::nullopt;
    TArgbPicture out;
    out.width = std::min(p->Width(), maxSide);
    out.height = std::min(p->Height(), maxSide);
    out.argb.resize(size_t(out.width) * size_t(out.height));
    const int key = p->TransparentColour();
    for (int32_t y = 0; y < out.height; ++y)
        for (int32_t x = 0; x < out.width; ++x) {
            const uint8_t i = p->PixelAt(x, y);
            out.argb[size_t(y) * size_t(out.width) + size_t(x)] =
                int(i) == key ? 0u : 0xFF000000u | palette[i];
        }
    library.ReleaseImage(p);
    return out;
}

void ScanWorldData(TWorld& world, const TFolders& folders) {
    // Only the pictures the scans are about are looked at: decoding every picture of
    // every library would cost the first frame dearly.
    std::vector<TWorld::LibraryImages> found;
    for (const std::string& file : FindFiles(folders.ImageLibraries(), "*.px8")) {
        TPX8Library lib;
        try {
            lib.Open(folders.ImageLibraries() + file);
        } catch (const UvoException&) {
            continue; // a library that cannot be read offers no cards or backgrounds
        }
        TWorld::LibraryImages entry{file, {}};
        for (const std::string& name : lib.GetImageNames()) {
            if (name.rfind("bg", 0) != 0 && name.rfind("cards", 0) != 0) continue;
            try {
                TImageRef node(lib, name);
                int32_t w = 0, h = 0;
                lib.GetImageSize(node.get(), w, h);
                entry.images.push_back({name, w, h});
            } catch (const UvoException&) {
            }
        }
        found.push_back(std::move(entry));
    }
    world.ScanImages(found);
    world.ScanAnimals(FindFiles(folders.DatProgram(), "*.anm"));
}

void InstallWorldSteps(TFormMain& form, TShellWorld::Outputs outputs) {
    form.StartupSteps().createWorld = [outputs](TFormMain& f) -> std::unique_ptr<WorldLink> {
        const std::string base = f.Folders().DatProgram() + "init";
        if (!FileExists(base + ".txt") && !FileExists(base + ".dat"))
            return std::make_unique<TSettingsWorld>();
        // The game library: a missing or damaged one ends start-up with its message.
        auto game = std::make_unique<TPX8Library>();
        game->Open(ResolveNoCase(f.Folders().ImageLibraries(), LoadResString(kResGameLibrary)));
        auto library = std::make_unique<TPX8WorldLibrary>(std::move(game));
        TScreenPalette palette = library->Palette();
        auto world = std::make_unique<TShellWorld>(f, std::move(library), outputs);
        // Questions in the working language go through this window's dialogs while the
        // world lives.
        Dialogs* dialogs = &f.Platform().dialogs;
        TDlgConfirm::SetPresenter([dialogs](const TDlgConfirm::Layout& l) {
            DialogRequest r;
            r.caption = l.caption;
            r.text = l.message;
            r.icon = DialogIcon::Question;
            for (size_t i = 0; i < l.buttons.size(); ++i) {
                if (!l.buttons[i].visible) continue;
                if (i == 2) r.escapeButton = int(r.buttons.size());
                r.buttons.push_back({l.buttons[i].caption, DialogResult(l.buttons[i].result)});
            }
            r.defaultButton = 0;
            return int(dialogs->Show(r));
        });
        world->SetPalette(palette);
        if (outputs.cursorPictures)
            outputs.cursorPictures(
                LoadCursorPictures(world->Library(), palette, f.Folders().DatProgram()));
        if (outputs.windowIcon)
            if (auto icon = LoadArgbPicture(world->Library(), palette, kWindowIconPicture, 256))
                outputs.windowIcon(*icon);
        world->PaintSurround(f.TileName());
        const std::string imglib = f.Folders().ImageLibraries();
        world->World().SetLibraryOpener([imglib](const std::string& name) {
            return OpenPX8WorldLibrary(ResolveNoCase(imglib, name + ".px8"));
        });
        TObfText script = TObfText::OpenCompiled(base, WorldScriptFilter);
        world->Init(script);
        ScanWorldData(world->World(), f.Folders());
        return world;
    };
}

// ---- driver commands

namespace {

TShellWorld* WorldOf(TFormMain& form) {
    return dynamic_cast<TShellWorld*>(form.World());
}

bool ParseInt(const std::string& s, int32_t& v) {
    try {
        size_t used = 0;
        long n = std::stol(s, &used);
        if (used != s.size() || n < INT32_MIN || n > INT32_MAX) return false;
        v = int32_t(n);
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace

void AddWorldCommands(HeadlessDriver& driver) {
    driver.AddCommand("click",
                      [](TFormMain& form, const std::vector<std::string>& a) -> std::string {
                          int32_t x, y;
                          if (a.size() != 2 || !ParseInt(a[0], x) || !ParseInt(a[1], y))
                              return "click needs X Y";
                          TShellWorld* w = WorldOf(form);
                          if (!w) return "click: there is no world";
                          w->PaintBoxMouse(TShellWorld::MouseKind::Move, 0, 0, x, y);
                          w->PaintBoxMouse(TShellWorld::MouseKind::Down, 1, 0, x, y);
                          w->PaintBoxMouse(TShellWorld::MouseKind::Up, 1, 0, x, y);
                          return {};
                      });
    driver.AddCommand("mouse",
                      [](TFormMain& form, const std::vector<std::string>& a) -> std::string {
                          int32_t x, y;
                          if (a.size() != 3 || !ParseInt(a[1], x) || !ParseInt(a[2], y))
                              return "mouse needs down|up|move X Y";
                          TShellWorld* w = WorldOf(form);
                          if (!w) return "mouse: there is no world";
                          if (a[0] == "down")
                              w->PaintBoxMouse(TShellWorld::MouseKind::Down, 1, 0, x, y);
                          else if (a[0] == "up")
                              w->PaintBoxMouse(TShellWorld::MouseKind::Up, 1, 0, x, y);
                          else if (a[0] == "move")
                              w->PaintBoxMouse(TShellWorld::MouseKind::Move, 0, 0, x, y);
                          else
                              return "mouse needs down|up|move X Y";
                          return {};
                      });
    driver.AddCommand(
        "expect", [](TFormMain& form, const std::vector<std::string>& a) -> std::string {
            if (a.size() != 2 || a[0] != "room") return "expect needs: room ID";
            std::string room = form.World() ? form.World()->CurrentRoomID() : std::string();
            if (!EqualsNoCase(room, a[1]))
                return "expect room " + a[1] + " failed: the room is " +
                       (room.empty() ? "none" : room);
            return {};
        });
    driver.AddCommand("screenshot",
                      [](TFormMain& form, const std::vector<std::string>& a) -> std::string {
                          if (a.size() != 1) return "screenshot needs a file name";
                          TShellWorld* w = WorldOf(form);
                          if (!w) return "screenshot: there is no world";
                          const TMemoryPicture& c = w->Client();
                          std::vector<uint32_t> rgb;
                          ConvertClient(*w, {{0, 0, c.Width(), c.Height()}}, rgb);
                          if (!WritePng(a[0], c.Width(), c.Height(), rgb))
                              return "screenshot: cannot write " + a[0];
                          return {};
                      });
    driver.stateExtra = [](TFormMain& form) -> std::string {
        TShellWorld* w = WorldOf(form);
        return w ? w->StateFields() : std::string();
    };
}

void ConvertClient(const TShellWorld& world, const std::vector<TRect>& rects,
                   std::vector<uint32_t>& rgb) {
    const TMemoryPicture& c = world.Client();
    rgb.resize(size_t(c.Width()) * size_t(c.Height()));
    for (TRect r : rects) {
        r = Intersect(r, {0, 0, c.Width(), c.Height()});
        const TScreenPalette& pal = world.Palette();
        for (int32_t y = r.Top; y < r.Bottom; ++y) {
            const uint8_t* src = c.Row(y);
            uint32_t* dst = &rgb[size_t(y) * size_t(c.Width())];
            for (int32_t x = r.Left; x < r.Right; ++x)
                dst[x] = pal[src[x]];
        }
    }
}

bool WritePng(const std::string& path, int32_t width, int32_t height,
              const std::vector<uint32_t>& rgb) {
    if (width <= 0 || height <= 0 || rgb.size() < size_t(width) * size_t(height)) return false;
    std::vector<TRGBColour> pixels(size_t(width) * size_t(height));
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = {uint8_t(rgb[i] >> 16), uint8_t(rgb[i] >> 8), uint8_t(rgb[i])};
    try {
        WriteRgbPng(path, width, height, pixels);
        return true;
    } catch (const UvoException&) {
        return false;
    }
}

} // namespace qr

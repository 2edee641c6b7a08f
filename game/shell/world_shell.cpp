// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/world_shell.h"

#include "graphics/font.h"

#include <algorithm>

#include "foundation/dlg_confirm.h"
#include "foundation/obf_text.h"
#include "foundation/text_codec.h"
#include "foundation/utils.h"
#include "foundation/uvo_exception.h"
#include "game/gameplay/high_score_man.h"
#include "game/shell/game_strings.h"
#include "game/shell/window_question.h"
#include "game/shell/world_data_scan.h"
#include "game/world/pictures.h"
#include "game/world/world_script.h"
#include "graphics/image_library.h"
#include "platform/files.h"
#include "platform/termination.h"
#include "wordlist/word_list.h"

namespace qr {

namespace {
// The world's own data names a library without folder or extension, but a word list
// keeps the path of its icon library as the editor's author chose it
// (".../imglib/farm.px8"): only the file name counts, the extension not added twice.
std::string LibraryFileName(const std::string& name) {
    std::string file = name.substr(name.find_last_of("/\\") + 1);
    const std::string ext = ".px8";
    if (file.size() < ext.size() || AsciiLower(file.substr(file.size() - ext.size())) != ext)
        file += ext;
    return file;
}
} // namespace

TShellWorld::TShellWorld(TFormMain& form, std::unique_ptr<TPX8Library> library, Outputs outputs)
    : form_(form), library_(std::move(library)), out_(std::move(outputs)), screen_(out_.display),
      version_(form.VersionCaption(),
               {TClientLayout::FrameOrigin().X + 15,
                TClientLayout::FrameOrigin().Y + TClientLayout::kFrameHeight - 1}) {
    if (library_->IsOpen()) screen_.SetPalette(library_->GetHPal());
    world_ = std::make_unique<TWorld>(static_cast<TWorldHost&>(*this), *library_);
    world_->SetProcessorType(form.Platform().system.ProcessorType());
    // The window starts out active.
    world_->SetFlag(TWorld::kActive);
    // Saved games belong with the player's files; the program folder may be read-only.
    world_->SetSaveFolder(form.Folders().installation);
    // Without an installation folder (tests of the shell) the tables live in memory only.
    world_->SetHighScores(std::make_unique<THighScoreMan>(
        form.Folders().installation.empty() ? std::string()
                                            : form.Folders().DatUser() + "hiscores.dat"));
}

TShellWorld::~TShellWorld() {
    world_.reset();
    TDlgConfirm::SetPresenter(nullptr);
    form_.Platform().dialogs.SetInWindow(nullptr);
}

template <class F> void TShellWorld::Guarded(F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        form_.Platform().dialogs.MessageBox(kAppTitle, e.what(), DialogIcon::Error,
                                            Dialogs::Buttons::OK);
    }
}

void TShellWorld::Init(TObfText& script, const TRoomFactory& rooms) {
    // The game's own font designs, which the rooms' fonts are drawn with.
    RegisterGameFontMetrics();
    world_->Init(script, rooms, "");
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
    // A question open in the window holds the game, as a system box would.
    if (question_) return;
    // Between two timer events the message loop has nothing else to do: the program was
    // idle, which is when a window that came back to the front is redrawn whole.
    world_->SetFlag(TWorld::kIdle);
    Guarded([&] { world_->Tick(uint32_t(steps)); });
    // The form decides visibility (Caps Lock) just before it ticks the world.
    if (!version_.SetVisible(screen_.Client(), form_.VersionLabelVisible()).IsEmpty()) Flush();
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
    if (question_) {
        const TPoint o = TClientLayout::FrameOrigin();
        const TPoint p{x + o.X, y + o.Y};
        const bool changed = kind == MouseKind::Down ? button == 1 && question_->MouseDown(p)
                             : kind == MouseKind::Up ? question_->MouseUp(p)
                                                     : question_->MouseMove(p);
        if (changed) Flush();
        return;
    }
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

bool TShellWorld::Key(KeyPress key) {
    if (!question_) return false;
    question_->Key(key);
    return true;
}

std::optional<DialogResult> TShellWorld::AskInWindow(const DialogRequest& request) {
    if (question_ || !out_.waitForInput || request.buttons.empty()) return std::nullopt;
    std::optional<TWindowQuestion> q;
    try {
        q.emplace(*library_, request, TClientLayout::Frame());
    } catch (const std::exception&) {
        return std::nullopt; // the library has not got the fonts
    }
    question_ = &*q;
    q->Show(screen_.Client());
    if (q->TextCut() && out_.log) {
        // One log line, its line breaks written as \n as in DIALOG lines.
        std::string text;
        for (char c : ToUtf8(request.text))
            if (c == '\n')
                text += "\\n";
            else if (c != '\r')
                text += c;
        out_.log("TEXTCUT QUESTION TEXT " + ToUtf8(request.caption) + " | " + text);
    }
    Flush();
    if (out_.log) {
        // Where the buttons are (paint-box coordinates, as clicks take them), so that a
        // drive script can press them.
        const TPoint o = TClientLayout::FrameOrigin();
        std::string line = "QUESTION " + ToUtf8(request.caption) + " |";
        for (size_t i = 0; i < request.buttons.size(); ++i) {
            const TRect r = q->ButtonRect(i) - o;
            std::string caption;
            for (char c : request.buttons[i].caption)
                if (c != '&') caption.push_back(c);
            line += " " + ToUtf8(caption) + " " + std::to_string(r.Left + r.Width() / 2) + "," +
                    std::to_string(r.Top + r.Height() / 2);
        }
        out_.log(line);
    }
    while (!q->Answer() && !TerminationRequested())
        if (!out_.waitForInput()) break;
    q->Hide(screen_.Client());
    Flush();
    question_ = nullptr;
    return q->Answer() ? *q->Answer() : q->Dismissed();
}

void TShellWorld::Text(const std::string& utf8) {
    // Characters the game has no byte for are left out rather than typed as stand-ins.
    std::string bytes;
    for (size_t at = 0; at < utf8.size();) {
        size_t len = 1;
        const auto lead = uint8_t(utf8[at]);
        if (lead >= 0xF0)
            len = 4;
        else if (lead >= 0xE0)
            len = 3;
        else if (lead >= 0xC0)
            len = 2;
        std::string one;
        if (!FromUtf8Showable(utf8.substr(at, len), one)) bytes += one;
        at += len;
    }
    if (!bytes.empty()) Guarded([&] { world_->TextInput(bytes); });
}

void TShellWorld::EditKey(int virtualKey) {
    Guarded([&] { world_->KeyPress(virtualKey); });
}

void TShellWorld::GoRoom(const std::string& id) {
    Guarded([&] { world_->GoRoom(id); });
}

void TShellWorld::PaintSurround(const std::string& tileName) {
    screen_.PaintSurround(*library_, tileName);
    Flush();
}

void TShellWorld::Flush() {
    const std::vector<TRect> sent = screen_.Flush();
    if (out_.presented && !sent.empty()) out_.presented(*this, sent);
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
    textCuts_.clear();
    if (out_.log)
        out_.log("ROOM " + (from.empty() ? std::string("-") : ToUtf8(from)) + " -> " + ToUtf8(to));
}

void TShellWorld::TextDidNotFit(const std::string& room, const std::string& where,
                                const std::string& text, bool shortened) {
    // A room draws its texts again with every repaint: each is told once per visit.
    TextCut cut{where, text, shortened};
    if (std::find(textCuts_.begin(), textCuts_.end(), cut) != textCuts_.end()) return;
    textCuts_.push_back(cut);
    if (out_.log)
        out_.log((shortened ? "TEXTSHORT " : "TEXTCUT ") + ToUtf8(room) + " " + ToUtf8(where) +
                 " " + ToUtf8(text));
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

void TShellWorld::Present(TPX8ImageData& work, TPoint offset, bool blackFrame) {
    screen_.PlaceWork(work, offset, blackFrame);
    Flush();
}

// ---- start-up step

void InstallWorldSteps(TFormMain& form, TShellWorld::Outputs outputs, TRoomFactory rooms) {
    form.StartupSteps().createWorld = [outputs, rooms](TFormMain& f) -> std::unique_ptr<WorldLink> {
        const std::string base = f.Folders().DatProgram() + "init";
        if (!FileExists(base + ".txt") && !FileExists(base + ".dat"))
            return std::make_unique<TSettingsWorld>();
        // The game library: a missing or damaged one ends start-up with its message.
        auto library = std::make_unique<TPX8Library>();
        library->Open(ResolveNoCase(f.Folders().ImageLibraries(), LoadResString(kResGameLibrary)));
        auto world = std::make_unique<TShellWorld>(f, std::move(library), outputs);
        // Where the system cannot show a box, the question is asked in this window.
        f.Platform().dialogs.SetInWindow(
            [w = world.get()](const DialogRequest& r) { return w->AskInWindow(r); });
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
        if (outputs.cursorPictures)
            outputs.cursorPictures(LoadCursorPictures(world->Library(), world->Screen().Palette(),
                                                      f.Folders().DatProgram()));
        if (outputs.windowIcon)
            if (auto icon = LoadArgbPicture(world->Library(), world->Screen().Palette(),
                                            kWindowIconPicture, 256))
                outputs.windowIcon(*icon);
        world->PaintSurround(f.TileName());
        const std::string imglib = f.Folders().ImageLibraries();
        world->World().SetLibraryOpener([imglib](const std::string& name) {
            return OpenLibraryFile(ResolveNoCase(imglib, LibraryFileName(name)));
        });
        TObfText script = TObfText::OpenCompiled(base, WorldScriptFilter);
        // Noise read as lines would raise a question per line and then fail to find the
        // first room; the player learns more from the file's name and what is wrong with it.
        auto unusable = [&](const std::string& reason) {
            return UvoException("Cannot read the world script \"" + script.FileName() +
                                "\": " + reason + ".");
        };
        if (std::string damage = script.Damage(); !damage.empty()) throw unusable(damage);
        world->Init(script, rooms);
        const std::string& start = world->World().StartRoomID();
        if (start.empty()) throw unusable("it names no room to start in");
        const std::string first = start == "INTRO" ? "MGTEXT" : start;
        if (!world->World().FindRoom(first))
            throw unusable("it has no room \"" + first + "\" to start in");
        ScanWorldData(world->World(), f.Folders());
        return world;
    };
}

} // namespace qr

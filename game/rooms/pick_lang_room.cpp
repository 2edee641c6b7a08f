// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/rooms/pick_lang_room.h"

#include <algorithm>
#include <charconv>

#include "foundation/polyglot.h"
#include "foundation/utils.h"
#include "game/rooms/menu_art.h"
#include "game/world/text_fit.h"
#include "game/world/world.h"
#include "graphics/font.h"
#include "platform/files.h"
#include "wordlist/word_list.h"

namespace qr {

namespace {

struct FontChoice {
    int size, points;
    char ink;
};
// Heading, current entry, other entries.
constexpr FontChoice kFonts[3] = {{4, 14, 'r'}, {4, 14, 'u'}, {4, 14, 'b'}};
constexpr int32_t kHeadingTop = 35, kEntriesBelowHeading = 34, kEntryHeight = 24;
// Without a font to measure, names are laid out as if each letter took this much room.
constexpr int32_t kFallbackLetterWidth = 9, kFallbackHeight = 17;
constexpr uint8_t kHeadings[3] = {173, 175, 176};
constexpr uint8_t kStringOK = 13, kStringCancel = 9, kStringBack = 223;

// An entry's index, -1 for anything else.
int EntryIndex(std::string_view text) {
    int value = -1;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() ? value : -1;
}

std::string FirstLine(const std::string& path) {
    TPolyglot table;
    table.Load(path);
    return table.GetString(0);
}

} // namespace

TLanguageColumns LayOutLanguageColumns(int count, int32_t widest, int32_t screenWidth) {
    TLanguageColumns c;
    if (count <= 0) return c;
    c.columns = (count - 1) / TPickLangRoom::kEntriesPerColumn + 1;
    c.gap = (screenWidth - c.columns * widest) / (c.columns + 1);
    return c;
}

TPickLangRoom::TPickLangRoom(TWorld& world, std::string_view id, TMenuServices services)
    : TQRRoom(world, id), services_(std::move(services)) {}

TPickLangRoom::~TPickLangRoom() = default;

void TPickLangRoom::Enter(const std::string& previousId) {
    TQRRoom::Enter(previousId);
    mode_ = world_.LanguageChoiceMode();
    for (size_t k = 0; k < fonts_.size(); ++k)
        fonts_[k] = OpenMenuFont(world_.Library(), kFonts[k].size, kFonts[k].points, kFonts[k].ink);
    if (THitBox* box = FindHitBox("RETURN")) box->SetEnabled(mode_ == 0);
    if (THitBox* box = FindHitBox("OK")) box->SetEnabled(mode_ != 0);
    if (THitBox* box = FindHitBox("CANCEL")) box->SetEnabled(mode_ != 0);
    BuildEntries();
}

void TPickLangRoom::Unload(bool final) {
    for (auto& f : fonts_)
        f.reset();
    RemoveEntryBoxes();
    entries_.clear();
    current_ = -1;
    TQRRoom::Unload(final);
}

void TPickLangRoom::RemoveEntryBoxes() {
    for (THitBox* box : entryBoxes_)
        hitBoxes_.Remove(box);
    entryBoxes_.clear();
}

void TPickLangRoom::BuildEntries() {
    RemoveEntryBoxes();
    entries_.clear();
    current_ = -1;
    if (mode_ == 0) {
        const std::string folder = services_.stringFolder ? services_.stringFolder() : "str/";
        for (const std::string& file : FindFiles(folder, "qr_*.str")) {
            try {
                entries_.push_back({FirstLine(folder + file), file, 255});
            } catch (const std::exception&) {
                // A string file that cannot be read offers no language.
            }
        }
        std::stable_sort(entries_.begin(), entries_.end(),
                         [](const Entry& a, const Entry& b) { return a.name < b.name; });
        const std::string active = Polyglot().GetString(0);
        for (size_t i = 0; i < entries_.size(); ++i)
            if (entries_[i].name == active) current_ = int(i);
    } else if (const TQRWordList* list = world_.WordList()) {
        entries_.push_back(
            {list->PrimaryLanguage(), "", uint8_t(list->PrimaryLanguageCode() & 0xFF)});
        for (size_t i = 0; i < list->LanguageCount(); ++i)
            entries_.push_back({list->SecondaryLanguages()[i].name, "", list->LanguageCode(i)});
        const TWorldLanguage chosen = mode_ == 1 ? world_.ClueLanguage() : world_.AnswerLanguage();
        for (size_t i = 0; i < entries_.size(); ++i)
            if (EqualsNoCase(entries_[i].name, chosen.name)) current_ = int(i);
    }

    TPX8Font* measure = fonts_[0].get();
    int32_t widest = 0;
    for (const Entry& e : entries_)
        widest = std::max(widest, measure ? measure->TextWidth(e.name)
                                          : int32_t(e.name.size()) * kFallbackLetterWidth);
    const int32_t height = measure ? measure->Height : kFallbackHeight;
    const TLanguageColumns layout =
        LayOutLanguageColumns(int(entries_.size()), widest, world_.FrameWidth());
    for (size_t i = 0; i < entries_.size(); ++i) {
        const int column = int(i) / kEntriesPerColumn, row = int(i) % kEntriesPerColumn;
        const int32_t width = measure ? measure->TextWidth(entries_[i].name)
                                      : int32_t(entries_[i].name.size()) * kFallbackLetterWidth;
        const TPoint at{layout.Left(column, widest),
                        kHeadingTop + kEntriesBelowHeading + kEntryHeight * row};
        auto box = std::make_unique<TRoomScriptBox>(std::to_string(i),
                                                    TRect::FromOriginSize(at, width, height));
        box->SetScript("LANG");
        box->SetCursor(kCursorWorldDefault);
        entryBoxes_.push_back(hitBoxes_.InsertFirst(std::move(box)));
    }
}

void TPickLangRoom::Repaint() {
    if (TPX8ImageData* work = world_.WorkImage(); work && HasFlag(kFlagDrawn)) Draw(work);
}

void TPickLangRoom::DrawContents(TPX8ImageData& image) {
    TQRRoom::DrawContents(image);
    const TPolyglot& strings = Polyglot();
    if (fonts_[0]) {
        const std::string heading = strings.GetString(kHeadings[std::clamp(mode_, 0, 2)]);
        DrawCentred(*this, "HEADING", image, *fonts_[0],
                    {0, kHeadingTop, world_.FrameWidth(), kHeadingTop + fonts_[0]->Height},
                    heading);
    }
    for (THitBox* box : entryBoxes_) {
        const int i = EntryIndex(box->GetID());
        TPX8Font* font = fonts_[i == current_ ? 1 : 2].get();
        if (!font || i < 0 || i >= int(entries_.size())) continue;
        TPoint pen{box->Rect().Left, box->Rect().Top};
        font->DrawText(image, pen, entries_[size_t(i)].name);
        // Too many long names for the columns to share the screen.
        if (box->Rect().Left < 0 || pen.X > world_.FrameWidth())
            ReportTextCut(*this, "ENTRY" + std::to_string(i + 1), entries_[size_t(i)].name);
    }
    DrawButtonLabel(*this, image, fonts_[2].get(), FindHitBox("OK"), strings.GetString(kStringOK));
    DrawButtonLabel(*this, image, fonts_[2].get(), FindHitBox("CANCEL"),
                    strings.GetString(kStringCancel));
    DrawButtonLabel(*this, image, fonts_[2].get(), FindHitBox("RETURN"),
                    strings.GetString(kStringBack));
}

void TPickLangRoom::ChooseEntry(int index) {
    if (index < 0 || index >= int(entries_.size())) return;
    current_ = index;
    if (mode_ == 0) {
        const std::string folder = services_.stringFolder ? services_.stringFolder() : "str/";
        try {
            Polyglot().Load(folder + entries_[size_t(index)].file);
        } catch (const std::exception& e) {
            world_.Host().ShowMessage(e.what());
            return;
        }
        world_.RenameLanguages();
    }
    Repaint();
}

void TPickLangRoom::RunScript(const std::string& name, const std::string& argument) {
    if (name == "LANG") {
        ChooseEntry(EntryIndex(argument));
    } else if (name == "OKBTN") {
        if (current_ >= 0 && current_ < int(entries_.size()) && mode_ != 0) {
            const Entry& e = entries_[size_t(current_)];
            const TWorldLanguage chosen{e.name, e.code};
            if (mode_ == 1) {
                world_.SetLanguages(chosen, world_.AnswerLanguage());
                world_.SetUseIcons(false);
            } else {
                world_.SetLanguages(world_.ClueLanguage(), chosen);
            }
        }
        world_.Return();
    } else if (name == "RETURNBTN") {
        world_.Return();
    } else {
        TQRRoom::RunScript(name, argument);
    }
}

} // namespace qr

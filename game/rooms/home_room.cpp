// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/rooms/home_room.h"

#include <algorithm>
#include <filesystem>

#include "foundation/polyglot.h"
#include "foundation/text_codec.h"
#include "foundation/utils.h"
#include "game/rooms/menu_art.h"
#include "game/rooms/module_order.h"
#include "game/world/pictures.h"
#include "game/world/text_fit.h"
#include "game/world/world.h"
#include "game/world/world_script.h"
#include "graphics/font.h"
#include "graphics/hot_image.h"
#include "platform/files.h"
#include "wordlist/word_list.h"

namespace qr {

namespace {

constexpr uint8_t kAnimateTimer = 6;
constexpr uint32_t kAnimateSteps = 2;
constexpr int32_t kTitleColumn = 250, kHandleOffset = 270;
constexpr int32_t kMarkerWidth = 24, kMarkerHeight = 30;
constexpr int32_t kDescriptionTop = 264, kDescriptionLineHeight = 20;
constexpr size_t kDescriptionLines = 4;
constexpr uint8_t kStringLanguage = 172, kStringCredits = 198;

} // namespace

THomeRoom::THomeRoom(TWorld& world, std::string_view id, TMenuServices services)
    : TQRRoom(world, id), services_(std::move(services)) {}

THomeRoom::~THomeRoom() = default;

void THomeRoom::Enter(const std::string& previousId) {
    TQRRoom::Enter(previousId);
    world_.LoadWordList("");
    chase_ = FindPicture(world_.Library(), "chase");
    pageButtons_ = FindPicture(world_.Library(), "pagebtns");
    BuildModuleList();
    font_ = OpenMenuFont(world_.Library(), "04ab14bz", "abce14bz");
    descLeft_ = kDescriptionLeft;
    descWidth_ = kDescriptionWidth;
    if (THitBox* box = FindHitBox("MODULES")) {
        box->SetHover(true);
        modulesRect_ = box->Rect();
    }
    SetButtons();
    ReplaceTimer(kAnimateTimer, kAnimateSteps);
}

void THomeRoom::Leave() {
    if (THitBox* box = FindHitBox("MODULES")) box->SetHover(false);
    TQRRoom::Leave();
}

void THomeRoom::Unload(bool final) {
    font_.reset();
    modules_.clear();
    chase_.reset();
    pageButtons_.reset();
    TQRRoom::Unload(final);
}

std::vector<std::string> THomeRoom::ModuleFiles() const {
    std::vector<std::string> files;
    for (const Module& m : modules_)
        files.push_back(m.path);
    return files;
}

void THomeRoom::BuildModuleList() {
    modules_.clear();
    first_ = 0;
    highlight_ = -1;
    const std::string folder =
        WithSeparator(services_.wordListFolder ? services_.wordListFolder() : "lists");
    std::vector<std::string> paths;
    for (const std::string& name : FindFiles(folder, "*.qrw"))
        paths.push_back(folder + name);
    const std::vector<std::string> remembered = services_.moduleOrderFile
                                                    ? ReadModuleOrder(services_.moduleOrderFile())
                                                    : std::vector<std::string>();
    for (std::string& path : OrderModules(std::move(paths), remembered)) {
        auto header = std::make_unique<TQRWordList>();
        // The whole file is read, not only its header: a damaged one (a wrong checksum, a
        // cut body) would otherwise pass for the list it was copied from. It is still
        // listed, by its file name, and clicking it says what is wrong.
        const bool readable = header->LoadFromFile(path);
        header->SetNameLanguage(Polyglot().GetString(0));
        modules_.push_back({std::move(path), std::move(header), readable});
    }
}

void THomeRoom::SetButtons() {
    const bool free = highlight_ < 0;
    const int count = int(modules_.size());
    if (THitBox* box = FindHitBox("WORKLANG")) box->SetEnabled(free);
    if (THitBox* box = FindHitBox("CREDITS")) box->SetEnabled(free);
    EnablePageButtons(*this, free && first_ >= kRowsPerPage, free && count > first_ + kRowsPerPage);
}

TRect THomeRoom::RowRect(int row) const {
    return TRect::FromOriginSize({modulesRect_.Left, modulesRect_.Top + 7 + kRowHeight * row},
                                 modulesRect_.Width(), kRowHeight - 7);
}

TRect THomeRoom::DescriptionRect() const {
    return TRect::FromOriginSize({descLeft_, kDescriptionTop}, descWidth_,
                                 kDescriptionLineHeight * int32_t(kDescriptionLines));
}

void THomeRoom::Repaint(TRect area) {
    TPX8ImageData* work = world_.WorkImage();
    if (!work || !HasFlag(kFlagDrawn)) return;
    const TRect old = work->ClipRect;
    work->SetClipRect(area);
    Draw(work);
    work->ClipRect = old;
}

void THomeRoom::DrawContents(TPX8ImageData& image) {
    TQRRoom::DrawContents(image);
    DrawRows(image);
    DrawPageButtons(*this, pageButtons_.get(), image);
    DrawHighlight(image);
    const TPolyglot& strings = Polyglot();
    DrawButtonLabel(*this, image, font_.get(), FindHitBox("WORKLANG"),
                    strings.GetString(kStringLanguage));
    DrawButtonLabel(*this, image, font_.get(), FindHitBox("CREDITS"),
                    strings.GetString(kStringCredits));
}

void THomeRoom::DrawRows(TPX8ImageData& image) {
    if (!font_) return;
    for (int i = first_; i < first_ + kRowsPerPage && i < int(modules_.size()); ++i) {
        const TQRWordList& list = *modules_[size_t(i)].header;
        const TRect row = RowRect(i - first_);
        const std::string title = RowTitle(modules_[size_t(i)]);
        // Each stays in its column, shortened at a whole letter when it is too long.
        const int32_t left = row.Left + 8;
        const std::string place = std::to_string(i + 1);
        TPoint pen{left, row.Top};
        font_->DrawText(image, pen, FitLine(*this, "TITLE" + place, *font_, title, kTitleColumn));
        pen = {left + kHandleOffset, row.Top};
        font_->DrawText(image, pen,
                        FitLine(*this, "HANDLE" + place, *font_, list.Handle(),
                                row.Right - (left + kHandleOffset)));
    }
}

std::string THomeRoom::ModuleTitle(int module) const {
    return module >= 0 && module < int(modules_.size()) ? RowTitle(modules_[size_t(module)])
                                                        : std::string();
}

std::string THomeRoom::RowTitle(const Module& module) {
    if (!module.readable) return FromUtf8(std::filesystem::path(module.path).filename().string());
    const TQRWordList& list = *module.header;
    std::string title = list.TitleIn(Polyglot().GetString(0));
    return title.empty() ? list.Title() : title;
}

void THomeRoom::FitDescription() {
    descLeft_ = kDescriptionLeft;
    descWidth_ = kDescriptionWidth;
    if (highlight_ < 0 || !font_) return;
    const TQRWordList& list = *modules_[size_t(highlight_)].header;
    const std::string language = Polyglot().GetString(0);
    const std::string shown =
        list.DescriptionCountIn(language) > 0 ? language : list.TextLanguage();
    int32_t widest = 0;
    for (size_t i = 0; i < kDescriptionLines; ++i)
        widest = std::max(widest, font_->TextWidth(list.DescriptionLineIn(shown, i)));
    // Widened for a long line, but never beyond the frame: a line wider still is shortened.
    descWidth_ = std::clamp(widest, kDescriptionWidth, TWorld::kFrameWidth);
    descLeft_ = kDescriptionLeft - (descWidth_ - kDescriptionWidth) / 2;
}

void THomeRoom::DrawHighlight(TPX8ImageData& image) {
    if (highlight_ < 0 || highlight_ >= int(modules_.size())) return;
    const TRect row = RowRect(highlight_ - first_);
    if (chase_)
        image.Blit({row.Right - kMarkerWidth - 4, row.Top - 3}, chase_->Surface(),
                   TRect::FromOriginSize({0, phase_ * kMarkerHeight}, kMarkerWidth, kMarkerHeight));
    if (!font_) return;
    const TQRWordList& list = *modules_[size_t(highlight_)].header;
    const std::string language = Polyglot().GetString(0);
    const std::string shown =
        list.DescriptionCountIn(language) > 0 ? language : list.TextLanguage();
    for (size_t i = 0; i < kDescriptionLines; ++i) {
        TPoint pen{descLeft_, kDescriptionTop + kDescriptionLineHeight * int32_t(i)};
        font_->DrawText(image, pen,
                        FitLine(*this, "DESCRIPTION" + std::to_string(i + 1), *font_,
                                list.DescriptionLineIn(shown, i), descWidth_));
    }
}

void THomeRoom::SetHighlight(int module) {
    if (module == highlight_) return;
    const TRect before = DescriptionRect();
    highlight_ = module;
    FitDescription();
    SetButtons();
    // The rows, the description (as wide as it was or is now) and the buttons below.
    TRect area = Union(modulesRect_, before);
    area = Union(area, DescriptionRect());
    area.Bottom = world_.FrameHeight();
    area.Left = std::min<int32_t>(area.Left, 0);
    area.Right = std::max<int32_t>(area.Right, world_.FrameWidth());
    Repaint(area);
}

bool THomeRoom::ControlEvent(TControlBox& box, TControlEventKind event) {
    if (event == TControlEventKind::Hold) return false;
    if (!EqualsNoCase(box.GetID(), "MODULES")) return false;
    const bool inside = box.PointInside();
    int module = -1;
    if (inside) {
        const int row = box.Point().Y / kRowHeight + first_;
        if (row < int(modules_.size()) && row < first_ + kRowsPerPage) module = row;
    }
    SetHighlight(module);
    if (inside && event == TControlEventKind::MouseUp && highlight_ >= 0) {
        RunScript("MODCLICK", std::to_string(highlight_));
        return false; // the room may have been left: nothing of it is touched now
    }
    return inside;
}

void THomeRoom::StartModule(int module) {
    if (module < 0 || module >= int(modules_.size())) return;
    // A list that cannot be read has been reported by the world; the menu stays.
    if (!world_.LoadWordList(modules_[size_t(module)].path)) return;
    MoveToTop(modules_, size_t(module));
    if (services_.moduleOrderFile) {
        try {
            WriteModuleOrder(services_.moduleOrderFile(), ModuleFiles());
        } catch (const std::exception& e) {
            // The game goes on; only the menu's order is not remembered this time.
            if (services_.report) services_.report(std::string("MODULES not saved: ") + e.what());
        }
    }
    world_.GoRoom("MODSTART");
}

void THomeRoom::RunScript(const std::string& name, const std::string& argument) {
    if (argument == "ANIMATE" && name.empty()) {
        phase_ = (phase_ + 1) % 4;
        if (highlight_ >= 0) {
            const TRect row = RowRect(highlight_ - first_);
            Repaint(TRect::FromOriginSize({row.Right - kMarkerWidth - 4, row.Top - 3}, kMarkerWidth,
                                          kMarkerHeight));
        }
        AddTimer(kAnimateTimer, kAnimateSteps);
    } else if (name == "PAGEBTN") {
        first_ += argument == "NEXTPAGE" ? kRowsPerPage : -kRowsPerPage;
        first_ = std::clamp(first_, 0, std::max(0, int(modules_.size()) - 1));
        highlight_ = -1;
        FitDescription();
        SetButtons();
        Repaint({0, 0, world_.FrameWidth(), world_.FrameHeight()});
    } else if (name == "LANGBTN") {
        world_.SetLanguageChoiceMode(0);
        world_.GoRoom("PICKLANG");
    } else if (name == "CREDITSBTN") {
        world_.GoRoom("CREDITS");
    } else if (name == "MODCLICK") {
        StartModule(StrToInt(argument));
    } else {
        TQRRoom::RunScript(name, argument);
    }
}

} // namespace qr

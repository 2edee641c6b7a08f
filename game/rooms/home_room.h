// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The home room: the game's module menu. It lists the word lists of the word-list folder
// four to a page (title and author, and the description of the one under the pointer),
// starts the one clicked, and leads to the language choice and the credits.
#include <memory>
#include <string>
#include <vector>

#include "game/rooms/menu_rooms.h"
#include "game/world/room.h"

namespace qr {

class TPX8Font;
class TQRWordList;

class THomeRoom : public TQRRoom {
  public:
    static constexpr const char* kPrefix = "HOME";
    static constexpr int kRowsPerPage = 4;
    static constexpr int32_t kRowHeight = 35;
    static constexpr int32_t kDescriptionLeft = 36, kDescriptionWidth = 528;

    THomeRoom(TWorld& world, std::string_view id, TMenuServices services);
    ~THomeRoom() override;

    void Enter(const std::string& previousId) override;
    void Leave() override;
    void Unload(bool final) override;
    void DrawContents(TPX8ImageData& image) override;
    bool ControlEvent(TControlBox& box, TControlEventKind event) override;
    void RunScript(const std::string& name, const std::string& argument) override;

    // The module files in menu order, the first module of the page shown and the one
    // under the pointer (-1: none).
    std::vector<std::string> ModuleFiles() const;
    // The title a module's row shows: in the player's language when the list has it, the
    // file name for a file that cannot be played.
    std::string ModuleTitle(int module) const;
    int FirstModule() const { return first_; }
    int Highlighted() const { return highlight_; }
    int32_t DescriptionLeft() const { return descLeft_; }
    int32_t DescriptionWidth() const { return descWidth_; }

  private:
    struct Module {
        std::string path;
        std::unique_ptr<TQRWordList> header;
        bool readable = true; // the whole file loads, so it can be played
    };

    void BuildModuleList();
    void SetButtons();
    void Repaint(TRect area);
    void SetHighlight(int module);
    void StartModule(int module);
    TRect RowRect(int row) const;
    TRect DescriptionRect() const;
    void FitDescription();
    void DrawRows(TPX8ImageData& image);
    static std::string RowTitle(const Module& module);
    void DrawHighlight(TPX8ImageData& image);

    TMenuServices services_;
    std::unique_ptr<THotImage> chase_;
    std::unique_ptr<THotImage> pageButtons_;
    std::unique_ptr<TPX8Font> font_;
    std::vector<Module> modules_;
    int first_ = 0;
    int highlight_ = -1;
    TRect modulesRect_;
    int phase_ = 0;
    int32_t descLeft_ = kDescriptionLeft;
    int32_t descWidth_ = kDescriptionWidth;
};

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The language room: the player picks the game's interface language among the string
// files, or the clue or answer language among the current module's languages. Entries
// stand in columns of ten, each a box the player clicks.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "game/rooms/menu_rooms.h"
#include "game/world/room.h"

namespace qr {

class TPX8Font;

// Where the columns of a list of entries go: ten a column, each as wide as the widest
// entry, the free width shared out equally between and around them.
struct TLanguageColumns {
    int columns = 0;
    int32_t gap = 0;
    int32_t Left(int column, int32_t widest) const { return gap + column * (widest + gap); }
};
TLanguageColumns LayOutLanguageColumns(int count, int32_t widest, int32_t screenWidth);

class TPickLangRoom : public TQRRoom {
  public:
    static constexpr const char* kPrefix = "PICKLANG";
    static constexpr int kEntriesPerColumn = 10;

    struct Entry {
        std::string name;
        std::string file;   // mode 0: the string file's name
        uint8_t code = 255; // modes 1 and 2: the language's number
    };

    TPickLangRoom(TWorld& world, std::string_view id, TMenuServices services);
    ~TPickLangRoom() override;

    void Enter(const std::string& previousId) override;
    void Unload(bool final) override;
    void DrawContents(TPX8ImageData& image) override;
    void RunScript(const std::string& name, const std::string& argument) override;

    int Mode() const { return mode_; }
    const std::vector<Entry>& Entries() const { return entries_; }
    int Current() const { return current_; }

  private:
    void BuildEntries();
    void ChooseEntry(int index);
    void RemoveEntryBoxes();
    void Repaint();

    TMenuServices services_;
    std::array<std::unique_ptr<TPX8Font>, 3> fonts_;
    int mode_ = 0;
    std::vector<Entry> entries_;
    int current_ = -1;
    std::vector<THitBox*> entryBoxes_; // owned by the room's box list
};

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The author room: pages of the current module's description, comments and author lines,
// with every web or mail address in them a link the player can click.
#include <array>
#include <memory>
#include <vector>

#include "game/rooms/author_pages.h"
#include "game/rooms/menu_rooms.h"
#include "game/world/room.h"

namespace qr {

class TPX8Font;

class TAuthorRoom : public TQRRoom {
  public:
    static constexpr const char* kPrefix = "AUTHOR";

    TAuthorRoom(TWorld& world, std::string_view id, TMenuServices services);
    ~TAuthorRoom() override;

    void Enter(const std::string& previousId) override;
    void Unload(bool final) override;
    void DrawContents(TPX8ImageData& image) override;
    void RunScript(const std::string& name, const std::string& argument) override;

    int Page() const { return page_; }
    int PageCount() const { return int(pages_.size()); }
    const std::vector<TAuthorPage>& Pages() const { return pages_; }

  private:
    void SetButtons();
    void RemoveLinkBoxes();
    void OpenLink(const std::string& boxId);

    TMenuServices services_;
    std::array<std::unique_ptr<TPX8Font>, 4> fonts_;
    std::unique_ptr<THotImage> pageButtons_;
    std::vector<TAuthorPage> pages_;
    // Kept across visits: a module's author pages open where the player left them.
    int page_ = 0;
    struct Link {
        THitBox* box; // owned by the room's box list
        std::string address;
    };
    std::vector<Link> links_;
};

} // namespace qr

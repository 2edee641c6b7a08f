// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The credits: pages naming the people and the free projects whose work the game uses,
// every text an entry of the string table, so each interface language has its own.
#include <array>
#include <memory>
#include <span>

#include "game/world/room.h"

namespace qr {

class TPX8Font;

class TCreditsRoom : public TQRRoom {
  public:
    static constexpr const char* kPrefix = "CREDITS";

    TCreditsRoom(TWorld& world, std::string_view id);
    ~TCreditsRoom() override;

    void Enter(const std::string& previousId) override;
    void Unload(bool final) override;
    void DrawContents(TPX8ImageData& image) override;
    void RunScript(const std::string& name, const std::string& argument) override;

    int Page() const { return page_; }
    static int PageCount();
    // The string-table entries of a page: its subtitle first, then its lines.
    static std::span<const uint8_t> PageStrings(int page);

  private:
    void ShowPage(int page);

    std::array<std::unique_ptr<TPX8Font>, 4> fonts_;
    std::unique_ptr<THotImage> pageButtons_;
    int page_ = 0;
};

} // namespace qr

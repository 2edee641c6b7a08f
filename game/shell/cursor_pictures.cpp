// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/shell/cursor_pictures.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

#include "game/world/pictures.h"
#include "game/world/world_host.h"
#include "graphics/hot_image.h"
#include "platform/files.h"

namespace qr {

std::vector<TCursorPicture> LoadCursorPictures(TPX8Library& library, const TPalette& palette,
                                               const std::string& datFolder) {
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

std::optional<TArgbPicture> LoadArgbPicture(TPX8Library& library, const TPalette& palette,
                                            const std::string& name, int maxSide) {
    std::unique_ptr<THotImage> p = FindPicture(library, name);
    if (!p) return std::nullopt;
    TPX8ImageData& s = p->Surface();
    TArgbPicture out;
    out.width = std::min(s.Width, maxSide);
    out.height = std::min(s.Height, maxSide);
    out.argb.resize(size_t(out.width) * size_t(out.height));
    const int key = s.GetTransparentColour();
    for (int32_t y = 0; y < out.height; ++y) {
        const uint8_t* row = s.StartLine(0, y);
        for (int32_t x = 0; x < out.width; ++x) {
            const TRGBColour rgb = palette[row[x]];
            out.argb[size_t(y) * size_t(out.width) + size_t(x)] =
                int(row[x]) == key
                    ? 0u
                    : 0xFF000000u | uint32_t(rgb.R) << 16 | uint32_t(rgb.G) << 8 | rgb.B;
        }
        s.UnlockSegment(0, y);
    }
    return out;
}

} // namespace qr

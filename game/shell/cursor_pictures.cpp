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
        std::unique_ptr<THotImage> p = FindPicture(library, entry.picture);
        if (!p) continue;
        TPX8ImageData& s = p->Surface();
        TCursorPicture c;
        c.number = slot == 0 ? int(kCursorHourglass) : slot;
        // A cursor larger than this is no cursor; the platform would refuse it anyway.
        c.width = std::min(s.Width, 64);
        c.height = std::min(s.Height, 64);
        c.argb.resize(size_t(c.width) * size_t(c.height));
        const int key = s.GetTransparentColour();
        for (int32_t y = 0; y < c.height; ++y) {
            const uint8_t* row = s.StartLine(0, y);
            for (int32_t x = 0; x < c.width; ++x) {
                const TRGBColour rgb = palette[row[x]];
                c.argb[size_t(y) * size_t(c.width) + size_t(x)] =
                    int(row[x]) == key
                        ? 0u
                        : 0xFF000000u | uint32_t(rgb.R) << 16 | uint32_t(rgb.G) << 8 | rgb.B;
            }
            s.UnlockSegment(0, y);
        }
        c.hotX = std::clamp(entry.hot.X, 0, c.width - 1);
        c.hotY = std::clamp(entry.hot.Y, 0, c.height - 1);
        out.push_back(std::move(c));
    }
    return out;
}

} // namespace qr

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The version label of the main window: small white text just below the frame's left
// edge, shown while Caps Lock is on. It is drawn into the client area with a scalable
// system font (the game's own fonts are for the world's pictures), and what it covers is
// kept so hiding it gives the surround back.
#include <memory>
#include <string>

#include "foundation/geometry.h"
#include "graphics/surface_image.h"

namespace qr {

class TVersionLabel {
  public:
    // The text and where its top-left corner goes (client coordinates).
    TVersionLabel(std::string text, TPoint at);
    // Shows or hides the label in the client picture; returns the area that changed
    // (empty when nothing did, or when no font could be found).
    TRect SetVisible(TPX8ImageData& client, bool visible);
    bool Visible() const { return visible_; }

    // The font file tried first; the Debian DejaVu fonts otherwise.
    static std::string FontPath();

  private:
    // Renders the text once: white where a glyph covers half a pixel or more, the rest
    // transparent.
    void Render();

    std::string text_;
    TPoint at_;
    bool rendered_ = false;
    bool visible_ = false;
    std::unique_ptr<TSurfaceImage> label_;
    std::unique_ptr<TSurfaceImage> under_; // what the label covers while shown
};

} // namespace qr

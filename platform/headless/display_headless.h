// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's picture kept in memory as RGB, for tests, the headless driver and
// screenshots. Every transfer is recorded so that tests can see what was sent.
#include <string>
#include <vector>

#include "platform/display.h"

namespace qr {

class HeadlessDisplay : public Display {
  public:
    HeadlessDisplay(int32_t width, int32_t height);

    int32_t Width() const override { return width_; }
    int32_t Height() const override { return height_; }
    int Present(const TSurfaceView& surface, std::span<const TTransfer> transfers,
                const TPalette& palette) override;
    void Show() override { ++shows_; }

    TRGBColour Pixel(int32_t x, int32_t y) const { return frame_[size_t(y) * width_ + x]; }
    void Fill(TRGBColour c);
    const std::vector<TRGBColour>& Frame() const { return frame_; }
    // Writes the frame as a truecolour PNG; throws UvoException when it cannot.
    void Screenshot(const std::string& path) const;

    // Every transfer in the order it arrived (before clipping to the frame).
    const std::vector<TTransfer>& Transfers() const { return transfers_; }
    void ClearTransfers() { transfers_.clear(); }
    int Shows() const { return shows_; }

  private:
    int32_t width_;
    int32_t height_;
    std::vector<TRGBColour> frame_;
    std::vector<TTransfer> transfers_;
    int shows_ = 0;
};

// Writes RGB pixels (width x height, top row first) as a PNG; throws UvoException.
void WriteRgbPng(const std::string& path, int32_t width, int32_t height,
                 const std::vector<TRGBColour>& rgb);

} // namespace qr

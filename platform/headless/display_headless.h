// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's picture kept in memory as RGB, for tests, the headless driver and
// screenshots. The latest transfers are recorded so that tests can see what was sent.
#include <array>
#include <deque>
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

    // The latest kKeptTransfers transfers in the order they arrived (before clipping to the
    // frame); older ones are dropped so that a long run does not grow without end.
    static constexpr size_t kKeptTransfers = 64;
    const std::deque<TTransfer>& Transfers() const { return transfers_; }
    void ClearTransfers() { transfers_.clear(); }
    int Shows() const { return shows_; }

  private:
    int32_t width_;
    int32_t height_;
    std::vector<TRGBColour> frame_;
    std::deque<TTransfer> transfers_;
    int shows_ = 0;
    // The palette as packed R, G, B in the low three bytes, rebuilt when its stamp changes.
    std::array<uint32_t, 256> table_{};
    uint64_t tableStamp_ = 0;
};

// Writes RGB pixels (width x height, top row first) as a PNG; throws UvoException.
void WriteRgbPng(const std::string& path, int32_t width, int32_t height,
                 const std::vector<TRGBColour>& rgb);

} // namespace qr

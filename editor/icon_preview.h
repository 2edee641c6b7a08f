// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 54 x 54 picture of the selected word's icon clue, or a light grey square with a
// black border and both diagonals when there is none.
#include <QImage>
#include <QWidget>
#include <memory>
#include <string>

namespace qr {

class TPX8Library;

class TIconPreview : public QWidget {
  public:
    explicit TIconPreview(QWidget* parent = nullptr);
    ~TIconPreview() override;
    // Shows icon `icon` of the library file (kept open between calls); a missing file,
    // a missing icon or icon -1 show the empty square.
    void ShowIcon(const std::string& libraryPath, int icon);
    bool HasIcon() const { return !image_.isNull(); }
    const QImage& Image() const { return image_; }

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    std::unique_ptr<TPX8Library> library_;
    std::string libraryPath_;
    QImage image_;
};

} // namespace qr

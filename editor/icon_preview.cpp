// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/icon_preview.h"

#include <QPainter>

#include "editor/icon_library.h"
#include "graphics/image_library.h"

namespace qr {

TIconPreview::TIconPreview(QWidget* parent) : QWidget(parent) {
    setFixedSize(kIconSize, kIconSize);
}

TIconPreview::~TIconPreview() = default;

void TIconPreview::ShowIcon(const std::string& libraryPath, int icon) {
    image_ = QImage();
    if (libraryPath != libraryPath_ || !library_) {
        library_.reset();
        libraryPath_ = libraryPath;
        try {
            auto lib = std::make_unique<TPX8Library>();
            lib->Open(libraryPath);
            library_ = std::move(lib);
        } catch (const std::exception&) {
        }
    }
    if (library_) {
        if (auto pixels = FindIcon(*library_, icon)) {
            const auto& pal = library_->RawPalette();
            QImage img(kIconSize, kIconSize, QImage::Format_RGB32);
            for (int y = 0; y < kIconSize; ++y)
                for (int x = 0; x < kIconSize; ++x) {
                    const size_t c = size_t((*pixels)[size_t(y * kIconSize + x)]) * 4;
                    img.setPixel(x, y, qRgb(pal[c + 2], pal[c + 1], pal[c]));
                }
            image_ = img;
        }
    }
    update();
}

void TIconPreview::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!image_.isNull()) {
        p.drawImage(0, 0, image_);
        return;
    }
    const QRect r(0, 0, kIconSize - 1, kIconSize - 1);
    p.fillRect(rect(), QColor(0xC0, 0xC0, 0xC0));
    p.setPen(Qt::black);
    p.drawRect(r);
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.bottomLeft(), r.topRight());
}

} // namespace qr

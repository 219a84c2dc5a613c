// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PaintBox.h"

#include "ui/PictureImage.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace vistal::ui {

namespace {
constexpr int kBandRows = 64;
} // namespace

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {
    // The picture covers the whole box; nothing behind it needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void TPaintBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (Picture) {
        const TBitmap& bitmap = Picture();
        if (bitmap.Data() != imageData_ || bitmap.Width() != image_.width() ||
            bitmap.Height() != image_.height()) {
            image_ = ImageOf(bitmap);
            imageData_ = bitmap.Data();
        }
    } else {
        image_ = QImage();
        imageData_ = nullptr;
    }
    // Beyond the picture (before the first drawing) the box is black.
    const QRect picture = image_.rect();
    if (!picture.contains(event->rect())) {
        const QRegion rest = QRegion(event->rect()) - QRegion(picture);
        for (const QRect& r : rest)
            painter.fillRect(r, Qt::black);
    }
    if (!image_.isNull()) {
        // The picture's byte order is not the screen's, so Qt converts it
        // while it copies. A copy of many rows is spread over Qt's thread
        // pool, whose wake-up costs more than converting a band of rows
        // here: the picture goes over in bands.
        const QRect shown = event->rect() & picture;
        for (int top = shown.top(); top <= shown.bottom(); top += kBandRows) {
            const QRect band(shown.left(), top, shown.width(), std::min(kBandRows, shown.bottom() + 1 - top));
            painter.drawImage(band.topLeft(), image_, band);
        }
    }
    if (const std::optional<QRect> band = Band ? Band() : std::nullopt) {
        // The outline of the rectangle between the two corners, each pixel
        // inverted once, so the band shows on any colour.
        const int l = std::min(band->left(), band->right()), r = std::max(band->left(), band->right());
        const int t = std::min(band->top(), band->bottom()), b = std::max(band->top(), band->bottom());
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.fillRect(QRect(QPoint(l, t), QPoint(r, t)), Qt::white);
        if (b > t) painter.fillRect(QRect(QPoint(l, b), QPoint(r, b)), Qt::white);
        if (b - t > 1) {
            painter.fillRect(QRect(QPoint(l, t + 1), QPoint(l, b - 1)), Qt::white);
            if (r > l) painter.fillRect(QRect(QPoint(r, t + 1), QPoint(r, b - 1)), Qt::white);
        }
    }
}

void TPaintBox::mousePressEvent(QMouseEvent* event) {
    emit MouseDown(event);
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMove(event);
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event) {
    emit MouseUp(event);
}

void TPaintBox::wheelEvent(QWheelEvent* event) {
    emit Wheel(event);
}

} // namespace vistal::ui

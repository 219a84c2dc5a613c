// SPDX-License-Identifier: GPL-3.0-or-later
// TPaintBox: the picture of the main window. It shows the engine's picture
// straight from the engine's memory, draws the rubber band over it as inverted
// pixels, and hands its mouse and wheel events to the window. It keeps no
// state of the explorer: what to show and where the band is are asked for at
// each repaint.
#pragma once

#include "base/Bitmap.h"

#include <QImage>
#include <QRect>
#include <QWidget>
#include <functional>
#include <optional>

namespace vistal::ui {

class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(QWidget* parent = nullptr);

    // The picture to show at each repaint. The bitmap is read during the
    // repaint only; the image over its memory is rebuilt when the bitmap's
    // memory or size has changed since the last repaint.
    std::function<const TBitmap&()> Picture;
    // The band to draw over the picture, as two opposite corner pixels.
    std::function<std::optional<QRect>()> Band;

signals:
    void MouseDown(QMouseEvent* event);
    void MouseMove(QMouseEvent* event);
    void MouseUp(QMouseEvent* event);
    void Wheel(QWheelEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QImage image_;
    const TColor* imageData_ = nullptr;
};

} // namespace vistal::ui

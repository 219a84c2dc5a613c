// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/StatusPanel.h"

#include <QPainter>

namespace vistal::ui {

TStatusPanel::TStatusPanel(int width, Qt::Alignment alignment, QWidget* parent)
    : QFrame(parent), width_(width), alignment_(alignment | Qt::AlignVCenter) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setSizePolicy(width > 0 ? QSizePolicy::Fixed : QSizePolicy::Ignored, QSizePolicy::Fixed);
    if (width > 0) setFixedWidth(width);
}

void TStatusPanel::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    update();
}

QSize TStatusPanel::sizeHint() const {
    return {width_, fontMetrics().height()};
}

QSize TStatusPanel::minimumSizeHint() const {
    return sizeHint();
}

void TStatusPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect().adjusted(1, 0, -1, 0), int(alignment_), text_);
}

} // namespace vistal::ui

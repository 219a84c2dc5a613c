// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ToolGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <cmath>

namespace vistal::ui {

namespace {

// A five-pointed star around (cx, cy) with outer radius r.
QPolygonF Star(double cx, double cy, double r) {
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double radius = i % 2 == 0 ? r : r * 0.42;
        star << QPointF(cx + radius * std::cos(a), cy + radius * std::sin(a));
    }
    return star;
}

// Every glyph is drawn on a 16 × 16 grid, scaled to the pixmap's size.
void Paint(QPainter& p, TToolGlyph glyph) {
    const QColor ink(40, 40, 40);
    QPen pen(ink, 1.2);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    switch (glyph) {
    case TToolGlyph::Draw: {
        // A circular arrow: draw again.
        QPen arc(QColor(20, 110, 40), 2.0);
        arc.setCapStyle(Qt::FlatCap);
        p.setPen(arc);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(2.5, 2.5, 11, 11), 100 * 16, 290 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 110, 40));
        p.drawPolygon(QPolygonF({QPointF(7.0, 0.5), QPointF(11.5, 3.3), QPointF(7.0, 6.3)}));
        break;
    }
    case TToolGlyph::Abort: {
        // A red stop sign.
        QPolygonF octagon;
        for (int i = 0; i < 8; ++i) {
            const double a = M_PI / 8 + i * M_PI / 4;
            octagon << QPointF(8 + 7 * std::cos(a), 8 + 7 * std::sin(a));
        }
        p.setPen(QPen(QColor(120, 0, 0), 1.0));
        p.setBrush(QColor(210, 30, 30));
        p.drawPolygon(octagon);
        p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
        p.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
        break;
    }
    case TToolGlyph::BmpSave: {
        // A floppy disk.
        p.setBrush(QColor(50, 90, 170));
        p.drawPath([] {
            QPainterPath path;
            path.moveTo(1.5, 1.5);
            path.lineTo(12.5, 1.5);
            path.lineTo(14.5, 3.5);
            path.lineTo(14.5, 14.5);
            path.lineTo(1.5, 14.5);
            path.closeSubpath();
            return path;
        }());
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(230, 230, 230));
        p.drawRect(QRectF(4, 2, 7, 4.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 9, 9, 5));
        p.setBrush(ink);
        p.drawRect(QRectF(8.5, 2.5, 1.5, 3));
        break;
    }
    case TToolGlyph::VrpRead: {
        // A star with an arrow: go to a recommended place.
        p.setBrush(QColor(250, 200, 30));
        p.setPen(QPen(QColor(150, 100, 0), 0.9));
        p.drawPolygon(Star(6.5, 7.0, 6.0));
        p.setPen(QPen(QColor(30, 80, 170), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(9.5, 12.5), QPointF(14.5, 12.5));
        p.drawPolyline(QPolygonF({QPointF(12.3, 10.2), QPointF(14.6, 12.5), QPointF(12.3, 14.8)}));
        break;
    }
    case TToolGlyph::VrpEntry: {
        // A star with a plus: register this place.
        p.setBrush(QColor(250, 200, 30));
        p.setPen(QPen(QColor(150, 100, 0), 0.9));
        p.drawPolygon(Star(6.5, 7.0, 6.0));
        p.setPen(QPen(QColor(20, 120, 40), 2.0, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(12.0, 9.0), QPointF(12.0, 15.5));
        p.drawLine(QPointF(8.75, 12.25), QPointF(15.25, 12.25));
        break;
    }
    case TToolGlyph::PaletteVcp: {
        // A painter's palette with four colours.
        QPainterPath board;
        board.addEllipse(QRectF(1, 2.5, 14, 11.5));
        QPainterPath hole;
        hole.addEllipse(QRectF(9.5, 9.0, 3.2, 3.2));
        p.setBrush(QColor(225, 190, 140));
        p.setPen(QPen(QColor(130, 90, 40), 0.9));
        p.drawPath(board.subtracted(hole));
        p.setPen(Qt::NoPen);
        const QColor dabs[] = {QColor(220, 30, 30), QColor(250, 200, 0), QColor(30, 150, 50),
                               QColor(30, 80, 210)};
        const QPointF at[] = {QPointF(4.5, 8.5), QPointF(6.3, 5.2), QPointF(9.8, 4.8), QPointF(5.6, 11.5)};
        for (int i = 0; i < 4; ++i) {
            p.setBrush(dabs[i]);
            p.drawEllipse(at[i], 1.6, 1.6);
        }
        break;
    }
    case TToolGlyph::Move: {
        // Cross hairs: go to typed coordinates.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(170, 20, 20), 1.4));
        p.drawEllipse(QPointF(8, 8), 5, 5);
        p.setPen(QPen(ink, 1.2));
        p.drawLine(QPointF(8, 0.5), QPointF(8, 5.5));
        p.drawLine(QPointF(8, 10.5), QPointF(8, 15.5));
        p.drawLine(QPointF(0.5, 8), QPointF(5.5, 8));
        p.drawLine(QPointF(10.5, 8), QPointF(15.5, 8));
        break;
    }
    case TToolGlyph::Back: {
        // An arrow to the left.
        p.setPen(QPen(QColor(20, 60, 150), 0.8));
        p.setBrush(QColor(50, 110, 210));
        p.drawPolygon(QPolygonF({QPointF(1.0, 8.0), QPointF(8.0, 1.5), QPointF(8.0, 5.0), QPointF(15.0, 5.0),
                                 QPointF(15.0, 11.0), QPointF(8.0, 11.0), QPointF(8.0, 14.5)}));
        break;
    }
    }
}

QPixmap Render(TToolGlyph glyph, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    Paint(p, glyph);
    return pixmap;
}

} // namespace

QIcon ToolGlyph(TToolGlyph glyph) {
    QIcon icon;
    for (int size : {16, 24, 32})
        icon.addPixmap(Render(glyph, size));
    return icon;
}

} // namespace vistal::ui

#include "gui/icons/Globe.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace wareloom {

// Proportions follow the 128-pixel desktop icon (ball of radius 56).
void drawGlobe(QPainter& painter, const QRectF& bounds)
{
    const double unit = bounds.width() / 128.0;
    const QPointF centre = bounds.center();
    const double radius = 56 * unit;
    auto at = [&](double x, double y) { return bounds.topLeft() + QPointF(x, y) * unit; };

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    QRadialGradient sea(at(46, 42), 84 * unit);
    sea.setColorAt(0, QColor(0x7c, 0xc2, 0xff));
    sea.setColorAt(0.5, QColor(0x2b, 0x7d, 0xe0));
    sea.setColorAt(1, QColor(0x0c, 0x3a, 0x86));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sea);
    painter.drawEllipse(centre, radius, radius);

    QPainterPath ball;
    ball.addEllipse(centre, radius, radius);
    painter.setClipPath(ball);
    painter.setPen(QPen(QColor(0xea, 0xf4, 0xff, 230), qMax(1.0, 3.5 * unit)));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(at(64, 4), at(64, 124));
    painter.drawEllipse(centre, 21 * unit, radius);
    painter.drawEllipse(centre, 42 * unit, radius);
    for (double y : {17.0, 38.0, 64.0, 90.0, 111.0})
        painter.drawLine(at(4, y), at(124, y));
    painter.setClipping(false);

    painter.setPen(QPen(QColor(0x0a, 0x2c, 0x66), qMax(1.0, 4 * unit)));
    painter.drawEllipse(centre, radius, radius);
    painter.restore();
}

} // namespace wareloom

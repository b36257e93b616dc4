#include "gui/icons/ToolbarIcons.h"

#include "gui/icons/Globe.h"

#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

namespace wareloom {
namespace {

constexpr int Side = 30;

void drawPlus(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 96, 0), 1));
    painter.setBrush(QColor(0, 176, 0));
    QPolygonF plus;
    for (auto [x, y] : {std::pair{11, 3},
                        {19, 3},
                        {19, 11},
                        {27, 11},
                        {27, 19},
                        {19, 19},
                        {19, 27},
                        {11, 27},
                        {11, 19},
                        {3, 19},
                        {3, 11},
                        {11, 11}})
        plus << QPointF(x + 0.5, y + 0.5);
    painter.drawPolygon(plus);
}

void drawFtpArrow(QPainter& painter)
{
    const QColor blue(0, 0, 224);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(blue);
    painter.drawText(QRectF(0, 1, Side, 14), Qt::AlignCenter, QStringLiteral("FTP"));

    painter.setPen(Qt::NoPen);
    painter.setBrush(blue);
    painter.drawRect(QRectF(3, 19.5, 16, 4));
    painter.drawPolygon(QPolygonF{QPointF(17, 15), QPointF(27, 21.5), QPointF(17, 28)});
}

template <class Draw> QIcon drawnIcon(Draw draw)
{
    QPixmap image(Side, Side);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    draw(painter);
    painter.end();
    return QIcon(image);
}

} // namespace

QIcon itemAddIcon()
{
    return drawnIcon(drawPlus);
}

QIcon ftpUploadIcon()
{
    return drawnIcon(drawFtpArrow);
}

QIcon webSiteIcon()
{
    return drawnIcon([](QPainter& painter) { drawGlobe(painter, QRectF(0, 0, Side, Side)); });
}

} // namespace wareloom

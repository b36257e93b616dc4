#include "gui/icons/ApplicationIcon.h"

#include "gui/icons/Globe.h"

#include <QPainter>
#include <QPixmap>

namespace wareloom {

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        drawGlobe(painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace wareloom

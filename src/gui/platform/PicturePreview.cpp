#include "gui/platform/PicturePreview.h"

#include <QPainter>

namespace wareloom {

PicturePreview::PicturePreview(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void PicturePreview::setPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

void PicturePreview::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_picture);
}

} // namespace wareloom

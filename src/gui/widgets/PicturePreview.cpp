#include "gui/widgets/PicturePreview.h"

#include "core/util/RegularFile.h"
#include "gui/platform/DroppedFile.h"

#include <QDropEvent>
#include <QFile>
#include <QImageReader>
#include <QPainter>

namespace wareloom {

PicturePreview::PicturePreview(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    setFocusPolicy(Qt::NoFocus);
    setAcceptDrops(true);
}

void PicturePreview::showFile(const QString& path)
{
    QFile file(path);
    if (!openRegularFile(file)) {
        setPicture({});
        return;
    }
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    setPicture(reader.read());
}

void PicturePreview::setPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

void PicturePreview::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(contentsRect(), m_picture);
}

void PicturePreview::dragEnterEvent(QDragEnterEvent* event)
{
    if (droppedFile(event->mimeData()))
        event->acceptProposedAction();
}

void PicturePreview::dropEvent(QDropEvent* event)
{
    if (const std::optional<QString> path = droppedFile(event->mimeData())) {
        event->acceptProposedAction();
        Q_EMIT fileDropped(*path);
    }
}

} // namespace wareloom

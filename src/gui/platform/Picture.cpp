#include "gui/platform/Picture.h"

#include "gui/platform/PicturePreview.h"
#include "core/util/RegularFile.h"

#include <QFile>
#include <QImageReader>

namespace wareloom {
namespace {

const QString PreviewName = QStringLiteral("picturePreview");

} // namespace

QImage LoadPictureFile(const QString& path)
{
    QFile file(path);
    if (!openRegularFile(file))
        return {};
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

void DrawPicture(const QImage& picture, QWidget* window, QPoint position)
{
    auto* preview = window->findChild<PicturePreview*>(PreviewName, Qt::FindDirectChildrenOnly);
    if (!preview) {
        if (picture.isNull())
            return;
        preview = new PicturePreview(window);
        preview->setObjectName(PreviewName);
    }
    preview->setGeometry(QRect(position, PictureDrawSize));
    preview->setPicture(picture);
    preview->raise();
    preview->show();
}

} // namespace wareloom

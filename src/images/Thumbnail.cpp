#include "images/Thumbnail.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Thumbnail)
};

constexpr int JpegQuality = 85;

Status failed(const QString& path, const QString& reason)
{
    return Status::failure(
        Texts::tr("No thumbnail of %1 was made: %2").arg(QDir::toNativeSeparators(path), reason));
}

} // namespace

Status makeThumbnail(const QString& picturePath, const QString& thumbnailPath)
{
    QImageReader reader(picturePath);
    reader.setAutoTransform(true); // the orientation the camera noted
    QImage picture = reader.read();
    if (picture.isNull())
        return failed(picturePath, reader.errorString());
    if (picture.width() > ThumbnailSize || picture.height() > ThumbnailSize) {
        picture = picture.scaled(ThumbnailSize, ThumbnailSize, Qt::KeepAspectRatio,
                                 Qt::SmoothTransformation);
    }
    // JPEG has no transparency: what was clear shows white, not black.
    if (picture.hasAlphaChannel()) {
        QImage opaque(picture.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QColor c = picture.pixelColor(x, y);
                const double a = c.alphaF();
                opaque.setPixelColor(x, y,
                                     QColor::fromRgbF(float(c.redF() * a + (1 - a)),
                                                      float(c.greenF() * a + (1 - a)),
                                                      float(c.blueF() * a + (1 - a))));
            }
        }
        picture = opaque;
    }
    QSaveFile file(thumbnailPath);
    if (!file.open(QIODevice::WriteOnly))
        return failed(picturePath, file.errorString());
    QImageWriter writer(&file, "jpeg");
    writer.setQuality(JpegQuality);
    if (!writer.write(picture)) {
        file.cancelWriting();
        return failed(picturePath, writer.errorString());
    }
    if (!file.commit())
        return failed(picturePath, file.errorString());
    return Status::success();
}

} // namespace wareloom

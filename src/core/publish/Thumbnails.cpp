#include "core/publish/Thumbnails.h"

#include <QDir>
#include <QFileInfo>

namespace wareloom {
namespace {

const QString PictureEnd = QStringLiteral(".jpg");
const QString ThumbnailEnd = QStringLiteral(".thumb.jpg");

} // namespace

QString Thumbnails::fileName(const QString& code)
{
    return code + ThumbnailEnd;
}

QStringList Thumbnails::refresh(const DataDirectory& store, const ThumbnailMaker& maker,
                                std::vector<ThumbnailFailure>& failures)
{
    const QDir directory(store.path());
    const QStringList pictures = directory.entryList({QLatin1Char('*') + PictureEnd}, QDir::Files);
    QStringList made;
    for (const QString& picture : pictures) {
        if (picture.endsWith(ThumbnailEnd))
            continue;
        const QString thumbnail = fileName(picture.chopped(PictureEnd.size()));
        const QFileInfo pictureFile(directory.filePath(picture));
        const QFileInfo thumbnailFile(directory.filePath(thumbnail));
        const bool current =
            thumbnailFile.exists() && thumbnailFile.lastModified() >= pictureFile.lastModified();
        if (!current && maker) {
            if (const Status status = maker(pictureFile.filePath(), thumbnailFile.filePath());
                !status) {
                failures.push_back({thumbnail, status.message()});
                continue;
            }
        }
        if (QFileInfo::exists(thumbnailFile.filePath()))
            made << thumbnail;
    }
    return made;
}

} // namespace wareloom

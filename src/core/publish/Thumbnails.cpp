#include "core/publish/Thumbnails.h"

#include <QDir>
#include <QFileInfo>

namespace wareloom {
namespace {

const QString PictureEnd = QStringLiteral(".jpg");
const QString ThumbnailEnd = QStringLiteral(".thumb.jpg");

struct PictureFiles
{
    QFileInfo picture;
    QFileInfo thumbnail;
    QString thumbnailName;
    bool current = false; // the thumbnail is there and not older than the picture
};

// Each item picture of the data directory, with its thumbnail; stops when
// take returns false.
template <typename Take> void forEachPicture(const DataDirectory& store, Take take)
{
    const QDir directory(store.path());
    const QStringList pictures = directory.entryList({QLatin1Char('*') + PictureEnd}, QDir::Files);
    for (const QString& picture : pictures) {
        if (picture.endsWith(ThumbnailEnd))
            continue;
        PictureFiles files;
        files.thumbnailName = Thumbnails::fileName(picture.chopped(PictureEnd.size()));
        files.picture = QFileInfo(directory.filePath(picture));
        files.thumbnail = QFileInfo(directory.filePath(files.thumbnailName));
        files.current = files.thumbnail.exists() &&
                        files.thumbnail.lastModified() >= files.picture.lastModified();
        if (!take(files))
            return;
    }
}

} // namespace

QString Thumbnails::fileName(const QString& code)
{
    return code + ThumbnailEnd;
}

QStringList Thumbnails::refresh(const DataDirectory& store, const ThumbnailMaker& maker,
                                std::vector<ThumbnailFailure>& failures)
{
    QStringList made;
    forEachPicture(store, [&](const PictureFiles& files) {
        if (!files.current && maker) {
            if (const Status status = maker(files.picture.filePath(), files.thumbnail.filePath());
                !status) {
                failures.push_back({files.thumbnailName, status.message()});
                return true;
            }
        }
        if (QFileInfo::exists(files.thumbnail.filePath()))
            made << files.thumbnailName;
        return true;
    });
    return made;
}

bool Thumbnails::anyToMake(const DataDirectory& store)
{
    bool any = false;
    forEachPicture(store, [&any](const PictureFiles& files) {
        any = !files.current;
        return !any;
    });
    return any;
}

} // namespace wareloom

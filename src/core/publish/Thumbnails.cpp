#include "core/publish/Thumbnails.h"

#include "core/store/CategoryStore.h"
#include "core/transfer/FtpSettings.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace wareloom {
namespace {

const QString PictureEnd = QStringLiteral(".jpg");
const QString ThumbnailEnd = QStringLiteral(".thumb.jpg");

QString recordPath()
{
    return dataFilePath(QStringLiteral("Published.thumbnails"));
}

// One group per destination: the same thumbnail may have gone to one host and
// not to another.
QString destination(const FtpSettings& settings)
{
    const QString where = settings.text(SettingsField::FtpServer) + QLatin1Char('\n') +
                          settings.text(SettingsField::UploadPath);
    return QString::fromLatin1(
        QCryptographicHash::hash(where.toUtf8(), QCryptographicHash::Sha1).toHex());
}

QString contentHash(const QString& name)
{
    QFile file(dataFilePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return QString::fromLatin1(hash.result().toHex());
}

// Names go in as values: keys cannot hold every character a code may.
QString key(const QString& name)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex());
}

} // namespace

QString Thumbnails::fileName(const QString& code)
{
    return code + ThumbnailEnd;
}

QStringList Thumbnails::refresh(const ThumbnailMaker& maker,
                                std::vector<ThumbnailFailure>& failures)
{
    const QDir directory(dataDirectory());
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

QStringList Thumbnails::unsent(const FtpSettings& settings, const QStringList& names)
{
    QSettings record(recordPath(), QSettings::IniFormat);
    record.beginGroup(destination(settings));
    QStringList wanted;
    for (const QString& name : names) {
        if (record.value(key(name)).toString() != contentHash(name))
            wanted << name;
    }
    return wanted;
}

Status Thumbnails::noteSent(const FtpSettings& settings, const QString& name)
{
    QSettings record(recordPath(), QSettings::IniFormat);
    record.beginGroup(destination(settings));
    record.setValue(key(name), contentHash(name));
    record.sync();
    if (record.status() != QSettings::NoError) {
        return Status::failure(
            QStringLiteral("%1 cannot be written.").arg(QDir::toNativeSeparators(recordPath())));
    }
    return Status::success();
}

} // namespace wareloom

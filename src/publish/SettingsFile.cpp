#include "publish/SettingsFile.h"

#include "platform/TextConversion.h"
#include "store/CategoryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstring>

namespace wareloom {
namespace {

char* fieldStart(SettingsField field)
{
    return settingsRecord().data() + int(field) * SettingsFieldSize;
}

QString settingsFileError(const QString& doing, const QString& why)
{
    return QStringLiteral("The FTP settings file %1 cannot be %2: %3")
        .arg(QDir::toNativeSeparators(settingsFilePath()), doing, why);
}

bool readSettingsFile(QFile& file)
{
    if (!file.open(QIODevice::ReadOnly))
        return false;
    file.read(settingsRecord().data(), SettingsRecordSize);
    return true;
}

} // namespace

SettingsRecord& settingsRecord()
{
    static SettingsRecord record{};
    return record;
}

QString settingsFilePath()
{
    return dataFilePath(QStringLiteral("FTPServer.ftp"));
}

bool loadSettings()
{
    QFile file(settingsFilePath());
    return readSettingsFile(file);
}

Status loadOrCreateSettings()
{
    QFile file(settingsFilePath());
    if (readSettingsFile(file))
        return Status::success();
    // There but unreadable: replacing it would lose the user's settings.
    if (file.exists() || QFileInfo(file.fileName()).isSymLink())
        return Status::failure(settingsFileError(QStringLiteral("read"), file.errorString()));
    for (int field = 0; field < SettingsFieldCount; ++field)
        *fieldStart(SettingsField(field)) = '\0';
    return saveSettings();
}

Status saveSettings()
{
    const auto failed = [](const QSaveFile& file) {
        const QString why = file.error() == QFileDevice::NoError
                                ? QStringLiteral("only part of it could be written")
                                : file.errorString();
        return Status::failure(settingsFileError(QStringLiteral("written"), why));
    };
    // Unbuffered: a short write (full disk) shows in write()'s result;
    // buffered, Qt can let it pass and commit a truncated file.
    QSaveFile file(settingsFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(file);
    // It holds a password in clear.
    if (!file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return failed(file);
    if (file.write(settingsRecord().data(), SettingsRecordSize) != SettingsRecordSize)
        return failed(file);
    if (!file.commit())
        return failed(file);
    return Status::success();
}

QByteArray settingsBytes(SettingsField field)
{
    const char* start = fieldStart(field);
    return QByteArray(start, qsizetype(qstrnlen(start, SettingsFieldSize)));
}

QString settingsText(SettingsField field)
{
    return fromCodePage(settingsBytes(field));
}

void setSettingsText(SettingsField field, QStringView text)
{
    QStringView kept = text.left(SettingsTextLimit);
    if (kept.size() < text.size() && kept.back().isHighSurrogate())
        kept.chop(1); // never half a character
    const QByteArray bytes = toCodePage(kept, SettingsTextLimit);
    char* start = fieldStart(field);
    std::memcpy(start, bytes.constData(), size_t(bytes.size()));
    start[bytes.size()] = '\0';
}

} // namespace wareloom

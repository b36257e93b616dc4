#include "core/transfer/SettingsFile.h"

#include "core/util/AtomicFile.h"
#include "core/util/RegularFile.h"
#include "core/util/TextConversion.h"
#include "core/store/CategoryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

// The failure is the reason only.
Status readSettingsFile()
{
    QFile file(settingsFilePath());
    if (Status opened = openRegularFile(file); !opened)
        return opened;
    file.read(settingsRecord().data(), SettingsRecordSize);
    return Status::success();
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
    return readSettingsFile().ok();
}

Status loadOrCreateSettings()
{
    const Status read = readSettingsFile();
    if (read)
        return Status::success();
    // There but unreadable: replacing it would lose the user's settings.
    const QFileInfo file(settingsFilePath());
    if (file.exists() || file.isSymLink())
        return Status::failure(settingsFileError(QStringLiteral("read"), read.message()));
    for (int field = 0; field < SettingsFieldCount; ++field)
        *fieldStart(SettingsField(field)) = '\0';
    return saveSettings();
}

Status saveSettings()
{
    // It holds a password in clear.
    return replaceFile(settingsFilePath(),
                       QByteArrayView(settingsRecord().data(), SettingsRecordSize),
                       QFileDevice::ReadOwner | QFileDevice::WriteOwner);
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

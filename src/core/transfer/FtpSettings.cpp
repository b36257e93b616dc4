#include "core/transfer/FtpSettings.h"

#include "core/transfer/KnownHosts.h"
#include "core/util/AtomicFile.h"
#include "core/util/RegularFile.h"
#include "core/util/TextConversion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(FtpSettings)
};

} // namespace

FtpSettings::FtpSettings(const DataDirectory& store)
    : m_path(filePath(store)), m_knownHostsPath(KnownHosts::filePath(store))
{}

QString FtpSettings::filePath(const DataDirectory& store)
{
    return store.filePath(QStringLiteral("FTPServer.ftp"));
}

Status FtpSettings::load()
{
    QFile file(m_path);
    if (Status opened = openRegularFile(file); !opened)
        return opened;
    file.read(m_record.data(), SettingsRecordSize);
    return Status::success();
}

Status FtpSettings::loadOrCreate()
{
    Status read = load();
    if (read)
        return read;
    // There but unreadable: replacing it would lose the user's settings.
    const QFileInfo file(m_path);
    if (file.exists() || file.isSymLink())
        return Status::failure(Texts::tr("The FTP settings file %1 cannot be read: %2")
                                   .arg(QDir::toNativeSeparators(m_path), read.message()));
    for (int field = 0; field < SettingsFieldCount; ++field)
        *fieldStart(SettingsField(field)) = '\0';
    return save();
}

Status FtpSettings::save() const
{
    return replaceFile(m_path, QByteArrayView(m_record.data(), SettingsRecordSize),
                       QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QByteArray FtpSettings::bytes(SettingsField field) const
{
    const char* start = fieldStart(field);
    return QByteArray(start, qsizetype(qstrnlen(start, SettingsFieldSize)));
}

QString FtpSettings::text(SettingsField field) const
{
    return fromCodePage(bytes(field));
}

void FtpSettings::setText(SettingsField field, QStringView text)
{
    QStringView kept = text.left(SettingsTextLimit);
    if (kept.size() < text.size() && kept.back().isHighSurrogate())
        kept.chop(1); // never half a character
    const QByteArray converted = toCodePage(kept, SettingsTextLimit);
    char* start = fieldStart(field);
    std::memcpy(start, converted.constData(), size_t(converted.size()));
    start[converted.size()] = '\0';
}

} // namespace wareloom

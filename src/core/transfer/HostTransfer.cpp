#include "core/transfer/HostTransfer.h"

#include "core/transfer/FtpSettings.h"
#include "core/transfer/RemoteName.h"

namespace wareloom {
namespace {

Status outcome(bool done, const FtpConnection& connection, std::optional<HostKey>* untrustedKey)
{
    if (untrustedKey)
        *untrustedKey = connection.untrustedKey();
    return done ? Status::success() : Status::failure(connection.lastError());
}

// Empty, with the reason in why, when the name would not fit a name buffer.
QString remoteNameOrWhy(const FtpSettings& settings, const QString& fileName, Status& why)
{
    QString name = remoteNameInUploadPath(settings, fileName);
    if (name.isEmpty())
        why = Status::failure(QStringLiteral("the upload path and %1 are longer than %2 "
                                             "characters together")
                                  .arg(fileName)
                                  .arg(NameBufferLimit));
    return name;
}

} // namespace

void openFtpConnection(FtpConnection& connection, const FtpSettings& settings)
{
    connection.open(settings.text(SettingsField::FtpServer), settings.text(SettingsField::UserName),
                    settings.text(SettingsField::Password));
}

Status uploadToHost(const FtpSettings& settings, const QString& localPath, const QString& fileName,
                    TransferType type, std::optional<HostKey>* untrustedKey)
{
    Status why = Status::success();
    const QString remote = remoteNameOrWhy(settings, fileName, why);
    if (remote.isEmpty())
        return why;
    FtpConnection connection;
    openFtpConnection(connection, settings);
    return outcome(connection.putFile(localPath, remote, type), connection, untrustedKey);
}

Status deleteFromHost(const FtpSettings& settings, const QString& fileName,
                      std::optional<HostKey>* untrustedKey)
{
    Status why = Status::success();
    const QString remote = remoteNameOrWhy(settings, fileName, why);
    if (remote.isEmpty())
        return why;
    FtpConnection connection;
    openFtpConnection(connection, settings);
    return outcome(connection.deleteFile(remote), connection, untrustedKey);
}

} // namespace wareloom

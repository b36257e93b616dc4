#include "core/transfer/HostTransfer.h"

#include "core/transfer/FtpSettings.h"
#include "core/transfer/RemoteName.h"

#include <QCoreApplication>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(HostTransfer)
};

Status outcome(bool done, const HostConnection& connection, std::optional<HostKey>* untrustedKey)
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
        why = Status::failure(Texts::tr("the upload path and %1 are longer than %2 "
                                        "characters together")
                                  .arg(fileName)
                                  .arg(NameBufferLimit));
    return name;
}

} // namespace

void openFtpConnection(HostConnection& connection, const FtpSettings& settings)
{
    connection.open(settings.text(SettingsField::FtpServer), settings.text(SettingsField::UserName),
                    settings.text(SettingsField::Password), settings.knownHostsPath());
}

std::unique_ptr<HostConnection> connectToHost(const FtpSettings& settings)
{
    auto connection = HostConnection::forServer(settings.text(SettingsField::FtpServer));
    openFtpConnection(*connection, settings);
    return connection;
}

namespace {

// One operation of its own on the file at the upload path: open, act, close.
template <class Act>
Status onHost(const FtpSettings& settings, const QString& fileName,
              std::optional<HostKey>* untrustedKey, Act act)
{
    Status why = Status::success();
    const QString remote = remoteNameOrWhy(settings, fileName, why);
    if (remote.isEmpty())
        return why;
    const std::unique_ptr<HostConnection> connection = connectToHost(settings);
    return outcome(act(*connection, remote), *connection, untrustedKey);
}

} // namespace

Status uploadToHost(const FtpSettings& settings, const QString& localPath, const QString& fileName,
                    TransferType type, std::optional<HostKey>* untrustedKey)
{
    return onHost(settings, fileName, untrustedKey,
                  [&](HostConnection& connection, const QString& remote) {
                      return connection.putFile(localPath, remote, type);
                  });
}

Status deleteFromHost(const FtpSettings& settings, const QString& fileName,
                      std::optional<HostKey>* untrustedKey)
{
    return onHost(settings, fileName, untrustedKey,
                  [](HostConnection& connection, const QString& remote) {
                      return connection.deleteFile(remote);
                  });
}

} // namespace wareloom

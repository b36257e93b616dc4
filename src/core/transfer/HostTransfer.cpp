#include "core/transfer/HostTransfer.h"

#include "core/transfer/FtpSettings.h"
#include "core/transfer/RemoteName.h"
#include "core/util/Result.h"

#include <QCoreApplication>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(HostTransfer)
};

// Fails when the name would not fit a name buffer.
Result<QString> remoteNameOf(const FtpSettings& settings, const QString& fileName)
{
    QString name = remoteNameInUploadPath(settings, fileName);
    if (name.isEmpty())
        return Status::failure(Texts::tr("the upload path and %1 are longer than %2 "
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

// One operation of its own on files at the upload path: open, act on each
// in turn, close.
template <class Act>
Status onHost(const FtpSettings& settings, const QStringList& fileNames,
              std::optional<HostKey>* untrustedKey, Act act)
{
    QStringList remotes;
    for (const QString& fileName : fileNames) {
        const Result<QString> remote = remoteNameOf(settings, fileName);
        if (!remote)
            return remote.status();
        remotes << *remote;
    }
    const std::unique_ptr<HostConnection> connection = connectToHost(settings);
    Status done = Status::success();
    for (qsizetype i = 0; i < remotes.size() && done; ++i)
        done = act(*connection, i, remotes[i]);
    if (untrustedKey)
        *untrustedKey = connection->untrustedKey();
    return done;
}

} // namespace

Status uploadToHost(const FtpSettings& settings, const std::vector<HostFile>& files,
                    std::optional<HostKey>* untrustedKey)
{
    QStringList names;
    for (const HostFile& file : files)
        names << file.fileName;
    return onHost(settings, names, untrustedKey,
                  [&](HostConnection& connection, qsizetype i, const QString& remote) {
                      const HostFile& file = files[std::size_t(i)];
                      return connection.putFile(file.localPath, remote, file.type);
                  });
}

Status deleteFromHost(const FtpSettings& settings, const QStringList& fileNames,
                      std::optional<HostKey>* untrustedKey)
{
    return onHost(settings, fileNames, untrustedKey,
                  [](HostConnection& connection, qsizetype, const QString& remote) {
                      return connection.deleteFile(remote);
                  });
}

} // namespace wareloom

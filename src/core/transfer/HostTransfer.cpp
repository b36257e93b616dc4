#include "core/transfer/HostTransfer.h"

#include "core/transfer/RemoteName.h"
#include "core/transfer/SettingsConnection.h"

namespace wareloom {

bool uploadToHost(const QString& localPath, const QString& fileName, TransferType type)
{
    FtpConnection connection;
    openFtpConnection(connection);
    return connection.putFile(localPath, remoteNameInUploadPath(fileName), type);
}

bool deleteFromHost(const QString& fileName)
{
    FtpConnection connection;
    openFtpConnection(connection);
    return connection.deleteFile(remoteNameInUploadPath(fileName));
}

} // namespace wareloom

#pragma once

#include "core/transfer/HostConnection.h"
#include "core/util/Status.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace wareloom {

class FtpSettings;

// Opens the connection with the FTP server, user name and password of the
// settings; every upload and remote deletion starts here.
void openFtpConnection(HostConnection& connection, const FtpSettings& settings);
// A connection of the kind the settings' server asks for, opened.
std::unique_ptr<HostConnection> connectToHost(const FtpSettings& settings);

// A file to send: the local file, and its name after the upload path.
struct HostFile
{
    QString localPath;
    QString fileName;
    TransferType type = TransferType::Binary;
};

// One FTP operation of its own: open the connection, send the files to (or
// delete them from) the upload path followed by each name, in order, on one
// login, close. The first failure ends it and says which command failed and
// why; untrustedKey, when given, is set when the host's key was not trusted.
Status uploadToHost(const FtpSettings& settings, const std::vector<HostFile>& files,
                    std::optional<HostKey>* untrustedKey = nullptr);
Status deleteFromHost(const FtpSettings& settings, const QStringList& fileNames,
                      std::optional<HostKey>* untrustedKey = nullptr);

// The same for one file.
inline Status uploadToHost(const FtpSettings& settings, const QString& localPath,
                           const QString& fileName, TransferType type,
                           std::optional<HostKey>* untrustedKey = nullptr)
{
    return uploadToHost(settings, {{localPath, fileName, type}}, untrustedKey);
}
inline Status deleteFromHost(const FtpSettings& settings, const QString& fileName,
                             std::optional<HostKey>* untrustedKey = nullptr)
{
    return deleteFromHost(settings, QStringList{fileName}, untrustedKey);
}

} // namespace wareloom

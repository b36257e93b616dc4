#pragma once

#include "core/transfer/FtpConnection.h"
#include "core/util/Status.h"

#include <QString>

namespace wareloom {

class FtpSettings;

// Opens the connection with the FTP server, user name and password of the
// settings; every upload and remote deletion starts here.
void openFtpConnection(FtpConnection& connection, const FtpSettings& settings);

// One FTP operation of its own: open the connection, send one file to (or
// delete one file from) the upload path followed by fileName, close. The
// failure says which command failed and why; untrustedKey, when given, is
// set when the host's key was not trusted.
Status uploadToHost(const FtpSettings& settings, const QString& localPath, const QString& fileName,
                    TransferType type, std::optional<HostKey>* untrustedKey = nullptr);
Status deleteFromHost(const FtpSettings& settings, const QString& fileName,
                      std::optional<HostKey>* untrustedKey = nullptr);

} // namespace wareloom

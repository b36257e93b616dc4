#pragma once

#include "core/transfer/HostConnection.h"
#include "core/util/Status.h"

#include <QString>

namespace wareloom {

class FtpSettings;

// Opens the connection with the FTP server, user name and password of the
// settings; every upload and remote deletion starts here.
void openFtpConnection(HostConnection& connection, const FtpSettings& settings);
// A connection of the kind the settings' server asks for, opened.
std::unique_ptr<HostConnection> connectToHost(const FtpSettings& settings);

// One operation of its own: open the connection, send one file to (or
// delete one file from) the upload path followed by fileName, close. The
// failure says which command failed and why; untrustedKey, when given, is
// set when the host's key was not trusted.
Status uploadToHost(const FtpSettings& settings, const QString& localPath, const QString& fileName,
                    TransferType type, std::optional<HostKey>* untrustedKey = nullptr);
Status deleteFromHost(const FtpSettings& settings, const QString& fileName,
                      std::optional<HostKey>* untrustedKey = nullptr);

} // namespace wareloom

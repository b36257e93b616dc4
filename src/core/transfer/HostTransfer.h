#pragma once

#include "core/transfer/FtpConnection.h"

#include <QString>

namespace wareloom {

// One FTP operation of its own with the loaded settings record: open the
// connection, send one file to (or delete one file from) the upload path
// followed by fileName, close. True when the transfer succeeded.
bool uploadToHost(const QString& localPath, const QString& fileName, TransferType type);
bool deleteFromHost(const QString& fileName);

} // namespace wareloom

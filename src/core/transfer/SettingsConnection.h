#pragma once

#include "core/transfer/FtpConnection.h"

namespace wareloom {

// Opens the connection with the FTP server, user name and password of the
// loaded settings record; every upload and remote deletion starts here.
void openFtpConnection(FtpConnection& connection);

} // namespace wareloom

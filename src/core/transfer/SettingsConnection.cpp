#include "core/transfer/SettingsConnection.h"

#include "core/transfer/SettingsFile.h"

namespace wareloom {

void openFtpConnection(FtpConnection& connection)
{
    connection.open(settingsText(SettingsField::FtpServer), settingsText(SettingsField::UserName),
                    settingsText(SettingsField::Password));
}

} // namespace wareloom

#include "publish/SettingsConnection.h"

#include "publish/SettingsFile.h"

namespace wareloom {

void openFtpConnection(FtpConnection& connection)
{
    connection.open(settingsText(SettingsField::FtpServer), settingsText(SettingsField::UserName),
                    settingsText(SettingsField::Password));
}

} // namespace wareloom

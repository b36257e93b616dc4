#include "gui/publish/WebHost.h"

#include "core/transfer/HostTransfer.h"
#include "core/transfer/SettingsFile.h"
#include "gui/mainwnd/BrowserState.h"
#include "gui/platform/FileDialog.h"
#include "gui/platform/MessageBox.h"
#include "gui/platform/ShellOpen.h"
#include "gui/publish/ChosenFileUpload.h"
#include "gui/publish/FTPDialog.h"
#include "gui/publish/FTPSettings.h"
#include "gui/publish/SettingsPrompt.h"

namespace wareloom {

WebHost::WebHost(QWidget* owner) : m_owner(owner) {}

bool WebHost::settingsOrTell()
{
    return loadSettingsOrTell(m_owner);
}

void WebHost::publish(int categoryCount)
{
    browserState().categoryCount = categoryCount;
    FTPDialog dialog;
    dialog.DoModal();
}

void WebHost::editSettings()
{
    FTPSettings settings;
    settings.DoModal();
}

void WebHost::uploadBanner()
{
    if (!settingsOrTell())
        return;
    const std::optional<QString> chosen = openFileDialog();
    if (!chosen)
        return;
    uploadChosenFile(m_owner, *chosen, QStringLiteral("banner.gif"),
                     QStringLiteral("-> Banner.gif"), QStringLiteral("Banner Uploaded!"));
}

void WebHost::openWebsite()
{
    if (settingsOrTell())
        shellOpen(settingsText(SettingsField::HttpServer));
}

void WebHost::uploadPicture(const QString& chosenPath, const QString& pictureFileName)
{
    uploadChosenFile(m_owner, chosenPath, pictureFileName, pictureFileName,
                     QStringLiteral("Image Uploaded!"));
}

void WebHost::deleteFile(const QString& fileName)
{
    if (!settingsOrTell())
        return;
    if (!deleteFromHost(fileName))
        messageBox(m_owner, QString::fromUtf16(FtpErrorMessage), QStringLiteral("Wareloom"));
}

} // namespace wareloom

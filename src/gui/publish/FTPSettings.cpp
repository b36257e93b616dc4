#include "gui/publish/FTPSettings.h"

#include "core/transfer/SettingsFile.h"
#include "gui/platform/MessageBox.h"
#include "gui/res/FTPSettingsResource.h"

using namespace wareloom;

namespace {

struct SettingsBox
{
    int controlId;
    SettingsField field;
};

// In file order.
constexpr SettingsBox settingsBoxes[] = {
    {IDC_FTP_USERNAME, SettingsField::UserName},
    {IDC_FTP_PASSWORD, SettingsField::Password},
    {IDC_FTP_SERVER, SettingsField::FtpServer},
    {IDC_FTP_UPLOADPATH, SettingsField::UploadPath},
    {IDC_FTP_HTTPSERVER, SettingsField::HttpServer},
};

void tellSettingsFileFailure(QWidget* owner, const Status& status)
{
    messageBox(owner, status.message(), QStringLiteral("Wareloom"));
}

} // namespace

FTPSettings::FTPSettings(QWidget* parent) : ResourceDialog(ftpSettingsTemplate(), {}, parent) {}

void FTPSettings::DoDataExchange()
{
    // The boxes show what the record holds even when the file failed: empty
    // fields for a file that could not be made.
    if (const Status loaded = loadOrCreateSettings(); !loaded)
        tellSettingsFileFailure(this, loaded);
    for (const SettingsBox& box : settingsBoxes)
        setControlText(box.controlId, settingsText(box.field));
}

void FTPSettings::OnOK()
{
    // Each field takes the first 199 characters of its box.
    for (const SettingsBox& box : settingsBoxes)
        setSettingsText(box.field, controlText(box.controlId));
    if (const Status saved = saveSettings(); !saved) {
        tellSettingsFileFailure(this, saved);
        return;
    }
    ResourceDialog::OnOK();
}

#include "gui/mainwnd/CWareloomDlg.h"

#include "gui/platform/FileDialog.h"
#include "gui/publish/ChosenFileUpload.h"
#include "gui/publish/SettingsPrompt.h"

using namespace wareloom;

// Sends a file of the user's choice, whatever it holds, to the web host as
// banner.gif, the name the main page shows as its banner.
void CWareloomDlg::OnBannerUpload()
{
    if (!loadSettingsOrTell(this))
        return;
    const std::optional<QString> chosen = openFileDialog();
    if (!chosen)
        return;
    uploadChosenFile(this, *chosen, QStringLiteral("banner.gif"), QStringLiteral("-> Banner.gif"),
                     QStringLiteral("Banner Uploaded!"));
}

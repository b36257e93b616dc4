#include "gui/mainwnd/CWareloomDlg.h"

#include "gui/platform/ShellOpen.h"
#include "core/transfer/SettingsFile.h"
#include "gui/publish/SettingsPrompt.h"

using namespace wareloom;

// Opens the published site: the HTTP server setting goes to the desktop as
// stored, even when empty; whatever the desktop does with it is not reported.
void CWareloomDlg::OnWebSite()
{
    if (loadSettingsOrTell(this))
        shellOpen(settingsText(SettingsField::HttpServer));
}

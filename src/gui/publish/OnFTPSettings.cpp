#include "gui/mainwnd/CWareloomDlg.h"

#include "gui/publish/FTPSettings.h"

void CWareloomDlg::OnFTPSettings()
{
    FTPSettings settings;
    settings.DoModal();
}

#include "mainwnd/CWareloomDlg.h"

#include "publish/FTPSettings.h"

void CWareloomDlg::OnFTPSettings()
{
    FTPSettings settings;
    settings.DoModal();
}

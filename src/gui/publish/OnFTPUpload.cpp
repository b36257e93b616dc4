#include "gui/mainwnd/CWareloomDlg.h"

#include "gui/publish/FTPDialog.h"

void CWareloomDlg::OnFTPUpload()
{
    FTPDialog dialog;
    dialog.DoModal();
}

#include "mainwnd/CWareloomDlg.h"

#include "publish/FTPDialog.h"

void CWareloomDlg::OnFTPUpload()
{
    FTPDialog dialog;
    dialog.DoModal();
}

#include "mainwnd/CWareloomDlg.h"

// Stub: FTP Upload lands with the publish dialog.
void CWareloomDlg::OnFTPUpload() {}

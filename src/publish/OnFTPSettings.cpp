#include "mainwnd/CWareloomDlg.h"

// Stub: FTP Settings lands with its dialog.
void CWareloomDlg::OnFTPSettings() {}

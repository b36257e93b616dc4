#include "mainwnd/CWareloomDlg.h"

// Stub: WebSite Banner Upload lands with the banner and website commands.
void CWareloomDlg::OnBannerUpload() {}

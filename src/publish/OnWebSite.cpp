#include "mainwnd/CWareloomDlg.h"

// Stub: WebSite lands with the banner and website commands.
void CWareloomDlg::OnWebSite() {}

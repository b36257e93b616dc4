#include "mainwnd/CWareloomDlg.h"

// Stub: Delete Category lands with the category dialogs.
void CWareloomDlg::OnDeleteCategory() {}

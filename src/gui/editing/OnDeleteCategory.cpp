#include "gui/mainwnd/CWareloomDlg.h"

#include "core/store/CategoryStore.h"
#include "gui/mainwnd/BrowserState.h"
#include "gui/platform/MessageBox.h"
#include "gui/publish/WebHost.h"

using namespace wareloom;

namespace {

const QString Caption = QStringLiteral("Wareloom");

} // namespace

void CWareloomDlg::OnDeleteCategory()
{
    BrowserState& state = browserState();
    if (state.currentCategoryPath.isEmpty())
        return;
    // The list timer ticks on while a box is up: act on the category asked about.
    const QString name = state.currentCategoryName;
    const QString path = state.currentCategoryPath;
    if (messageBox(this, name, QStringLiteral("Delete Category?"), MessageButtons::YesNo) != IDYES)
        return;
    deleteCategory(path); // a file already gone is no reason to stop
    if (messageBox(this, QStringLiteral("Delete the webpage from the FTP server?"), Caption,
                   MessageButtons::YesNo) == IDYES)
        WebHost(this).deleteFile(name + QStringLiteral(".htm"));
    state.categoryView = true;
    state.refresh = true;
}

#include "gui/mainwnd/CWareloomDlg.h"

#include "gui/mainwnd/BrowserState.h"
#include "gui/platform/MessageBox.h"
#include "core/transfer/HostTransfer.h"
#include "gui/publish/SettingsPrompt.h"
#include "core/store/CategoryStore.h"

using namespace wareloom;

namespace {

const QString Caption = QStringLiteral("Wareloom");

// Deletes the category's page from the web host, telling the user when that fails.
void deleteCategoryPage(QWidget* owner, const QString& categoryName)
{
    if (!loadSettingsOrTell(owner))
        return;
    if (!deleteFromHost(categoryName + QStringLiteral(".htm")))
        messageBox(owner, QString::fromUtf16(FtpErrorMessage), Caption);
}

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
        deleteCategoryPage(this, name);
    state.categoryView = true;
    state.refresh = true;
}

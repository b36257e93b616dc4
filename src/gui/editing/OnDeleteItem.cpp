// Item > Delete Item in the Edit Item dialog.
#include "gui/editing/InventoryEdit.h"

#include "core/store/CategoryStore.h"
#include "core/util/ApplicationTitle.h"
#include "gui/mainwnd/BrowserState.h"
#include "gui/platform/MessageBox.h"
#include "gui/publish/WebHost.h"
#include "gui/res/DialogControlIds.h"

#include <QFile>

using namespace wareloom;

void InventoryEdit::OnDeleteItem()
{
    if (messageBox(this, QStringLiteral("Delete this inventory item.  Are you sure?"),
                   QStringLiteral("Warloom"), MessageButtons::YesNo) != IDYES)
        return;
    const BrowserState& state = browserState();
    if (const Status written =
            rewriteCategory(state.currentCategoryPath, recordTable(), state.selectedItemSlot);
        !written) {
        messageBox(this, QStringLiteral("The item was not deleted. %1").arg(written.message()),
                   applicationTitle());
        return;
    }
    // What the box holds now, which the user may have changed.
    const QString code = controlText(IDC_CODE);
    if (!code.isEmpty() &&
        messageBox(
            this,
            QStringLiteral("This entry has a picture.  Remove the picture from the FTP server?"),
            QStringLiteral("Wareloom"), MessageButtons::YesNo) == IDYES)
        removePicture(code);
    browserState().refresh = true;
    OnOK();
}

void InventoryEdit::removePicture(const QString& code)
{
    // Such a code names a file elsewhere, here or on the host; Picture Upload
    // never stores a picture under it.
    if (!isPlainFileName(code)) {
        messageBox(this,
                   QStringLiteral("No picture was removed: \"%1\" cannot be the code of a picture.")
                       .arg(code),
                   QStringLiteral("Wareloom"));
        return;
    }
    const QString fileName = code + QStringLiteral(".jpg");
    QFile::remove(dataFilePath(fileName)); // a missing picture is nothing to report
    WebHost host(this);
    if (!host.settingsOrTell())
        return;
    setWindowTitle(fileName);
    host.deleteFile(fileName);
}

#include "gui/editing/DialogOpening.h"

#include "gui/editing/EditOpenTimer.h"
#include "gui/editing/InventoryEdit.h"
#include "gui/mainwnd/BrowserState.h"
#include "gui/mainwnd/BrowserState.h"

namespace wareloom {

void openEditItemDialog()
{
    // Only a slot of the loaded category names an item to edit.
    const int slot = browserState().selectedItemSlot;
    if (slot < 1 || slot > recordTable().recordCount)
        return;
    InventoryEdit dialog;
    armEditOpenTimer();
    dialog.DoModal();
}

} // namespace wareloom

#include "editing/DialogOpening.h"

#include "editing/EditOpenTimer.h"
#include "editing/InventoryEdit.h"
#include "mainwnd/BrowserState.h"
#include "store/RecordTable.h"

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

#include "gui/editing/InventoryEdit.h"

#include "gui/editing/ItemPicture.h"
#include "core/store/ItemTexts.h"
#include "gui/mainwnd/BrowserState.h"
#include "core/util/ApplicationTitle.h"
#include "gui/platform/MessageBox.h"
#include "gui/res/CommandIds.h"
#include "gui/res/DialogControlIds.h"
#include "gui/res/InventoryEditResource.h"
#include "core/store/CategoryStore.h"

using namespace wareloom;

InventoryEdit::InventoryEdit() : ResourceDialog(inventoryEditTemplate(), commandTable()) {}

std::span<const ResourceDialog::Command> InventoryEdit::commandTable()
{
    static const Command table[] = {
        onCommand(IDC_SAVE, &InventoryEdit::OnSave),
        onCommand(ID_ITEM_DELETEITEM, &InventoryEdit::OnDeleteItem),
        onCommand(IDC_EDIT_PICTURE_UPLOAD, &InventoryEdit::OnPictureUpload),
    };
    return table;
}

void InventoryEdit::DoDataExchange()
{
    const BrowserState& state = browserState();
    const ItemTexts texts = itemTextsOf(recordTable().slots[size_t(state.selectedItemSlot)]);
    setControlText(IDC_NAME, texts.name);
    setControlText(IDC_PRICE, texts.price);
    setControlText(IDC_QTY, texts.qty);
    setControlText(IDC_CODE, texts.code);
    setControlText(IDC_CATEGORY, state.currentCategoryName);
    setMenu(editItemMenuTemplate());
}

void InventoryEdit::OnSave()
{
    const ItemTexts texts{controlText(IDC_NAME), controlText(IDC_PRICE), controlText(IDC_QTY),
                          controlText(IDC_CODE)};
    if (const auto refused =
            checkItemTexts(texts, QStringLiteral("You have to enter an item name!"))) {
        messageBox(this, refused->message, refused->caption);
        return;
    }
    RecordTable& table = recordTable();
    const BrowserState& state = browserState();
    ItemRecord& item = table.slots[size_t(state.selectedItemSlot)];
    const ItemRecord stored = item;
    storeItemTexts(item, texts);
    if (const Status written = rewriteCategory(state.currentCategoryPath, table); !written) {
        // The file kept the old item; so does the table, or the next save
        // of another item would write this refused change.
        item = stored;
        messageBox(this, QStringLiteral("The item was not saved. %1").arg(written.message()),
                   applicationTitle());
        return;
    }
    browserState().refresh = true;
    OnOK();
}

void InventoryEdit::OnPictureUpload()
{
    uploadItemPicture(*this, ItemDialogKind::EditItem);
}

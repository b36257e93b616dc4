#include "gui/editing/ItemAdd.h"

#include "gui/editing/ItemPicture.h"
#include "core/store/ItemTexts.h"
#include "gui/mainwnd/BrowserState.h"
#include "core/util/ApplicationTitle.h"
#include "gui/platform/MessageBox.h"
#include "gui/res/DialogControlIds.h"
#include "gui/res/ItemAddResource.h"
#include "core/store/CategoryStore.h"

using namespace wareloom;

ItemAdd::ItemAdd() : ResourceDialog(itemAddTemplate(), commandTable()) {}

std::span<const ResourceDialog::Command> ItemAdd::commandTable()
{
    static const Command table[] = {
        onCommand(IDC_SAVE, &ItemAdd::OnSave),
        onCommand(IDC_ADD_PICTURE_UPLOAD, &ItemAdd::OnPictureUpload),
    };
    return table;
}

void ItemAdd::DoDataExchange()
{
    setControlText(IDC_CATEGORY, browserState().currentCategoryName);
}

void ItemAdd::OnSave()
{
    const ItemTexts texts{controlText(IDC_NAME), controlText(IDC_PRICE), controlText(IDC_QTY),
                          controlText(IDC_CODE)};
    RecordTable& table = recordTable();
    if (const auto refused = checkItemTexts(
            texts, QStringLiteral("Error: You must enter an item name!"), &table.scratch())) {
        messageBox(this, refused->message, refused->caption);
        return;
    }
    // Appended to the file as it is now, not as the list last showed it.
    if (const Status appended = appendScratchRecord(browserState().currentCategoryPath, table);
        !appended) {
        messageBox(this, appended.message(), applicationTitle());
        return;
    }
    browserState().refresh = true;
    OnOK();
}

void ItemAdd::OnPictureUpload()
{
    uploadItemPicture(*this, ItemDialogKind::AddItem);
}

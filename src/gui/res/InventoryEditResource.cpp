#include "gui/res/InventoryEditResource.h"

#include "gui/platform/StandardIds.h"
#include "gui/res/CommandIds.h"
#include "gui/res/DialogControlIds.h"

namespace wareloom {

const DialogTemplate& inventoryEditTemplate()
{
    // Button 1 is the default, so Enter in a box closes without saving.
    static const DialogTemplate dialog{
        QStringLiteral("Wareloom - Edit"),
        QStringLiteral("Courier New"),
        10,
        {358, 190},
        {
            defPushButton(IDOK, QStringLiteral("Cancel"), {27, 152, 93, 24}),
            label(IDC_STATIC, QStringLiteral("Item:"), {14, 34, 42, 12}),
            label(IDC_STATIC, QStringLiteral("Price:"), {14, 60, 31, 12}),
            label(IDC_STATIC, QStringLiteral("Qty:"), {16, 82, 26, 17}),
            label(IDC_STATIC, QStringLiteral("Code:"), {16, 102, 47, 16}),
            editText(IDC_NAME, {74, 34, 270, 12}),
            editText(IDC_PRICE, {75, 57, 64, 12}),
            editText(IDC_QTY, {75, 77, 64, 12}),
            editText(IDC_CODE, {75, 98, 64, 12}),
            pushButton(IDC_SAVE, QStringLiteral("Save"), {231, 151, 91, 25}),
            label(IDC_STATIC, QStringLiteral("Category:"), {15, 14, 41, 14}),
            borderedStatic(IDC_CATEGORY, QStringLiteral("Static"), {74, 14, 268, 13}),
            pushButton(IDC_EDIT_PICTURE_UPLOAD, QStringLiteral("Picture Upload"),
                       {75, 109, 64, 12}),
            blackFrame(IDC_PICTURE_FRAME, {154, 50, 190, 84}, ControlStyle::Sunken),
        },
    };
    return dialog;
}

const MenuTemplate& editItemMenuTemplate()
{
    static const MenuTemplate menu{
        {QStringLiteral("&Item"), {{QStringLiteral("&Delete Item"), ID_ITEM_DELETEITEM}}},
    };
    return menu;
}

} // namespace wareloom

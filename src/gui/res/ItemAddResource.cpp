#include "gui/res/ItemAddResource.h"

#include "gui/platform/StandardIds.h"
#include "gui/res/DialogControlIds.h"

namespace wareloom {

const DialogTemplate& itemAddTemplate()
{
    // Button 1 is the default, so Enter in a box closes without saving.
    static const DialogTemplate dialog{
        QStringLiteral("Wareloom - Add New Item"),
        QStringLiteral("Courier New"),
        10,
        {375, 194},
        {
            defPushButton(IDOK, QStringLiteral("Cancel"), {40, 150, 86, 30}),
            label(IDC_STATIC, QStringLiteral("Item:"), {18, 36, 30, 12}),
            label(IDC_STATIC, QStringLiteral("Price:"), {18, 63, 36, 12}),
            label(IDC_STATIC, QStringLiteral("Qty:"), {19, 87, 38, 17}),
            label(IDC_STATIC, QStringLiteral("Code:"), {18, 109, 31, 16}),
            editText(IDC_NAME, {59, 35, 295, 12}),
            editText(IDC_PRICE, {59, 61, 82, 13}),
            editText(IDC_QTY, {58, 86, 83, 12}),
            editText(IDC_CODE, {58, 105, 83, 13}),
            pushButton(IDC_SAVE, QStringLiteral("Save"), {229, 150, 85, 30}),
            label(IDC_STATIC, QStringLiteral("Category:"), {15, 17, 35, 11}),
            borderedStatic(IDC_CATEGORY, QStringLiteral("Static"), {59, 15, 297, 11}),
            pushButton(IDC_ADD_PICTURE_UPLOAD, QStringLiteral("Picture Upload"), {58, 116, 83, 13}),
            blackFrame(IDC_PICTURE_FRAME, {172, 54, 182, 85}),
        },
    };
    return dialog;
}

} // namespace wareloom

#include "gui/res/NewCategoryResource.h"

#include "gui/platform/StandardIds.h"
#include "gui/res/DialogControlIds.h"

namespace wareloom {

const DialogTemplate& newCategoryTemplate()
{
    // Button 1 is the default, so Enter in the name box closes without creating.
    static const DialogTemplate dialog{
        QStringLiteral("Wareloom - Add Category"),
        QStringLiteral("Courier New"),
        10,
        {186, 95},
        {
            defPushButton(IDOK, QStringLiteral("Cancel"), {14, 74, 73, 14}),
            editText(IDC_NAME, {14, 34, 157, 14}),
            pushButton(IDC_SAVE, QStringLiteral("Save"), {98, 72, 74, 16}),
            label(IDC_STATIC, QStringLiteral("New Category Name:"), {16, 15, 163, 10}),
        },
    };
    return dialog;
}

} // namespace wareloom

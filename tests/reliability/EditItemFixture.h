#pragma once

// An item chosen for editing, as a click on its line in the main window
// leaves it, and the Edit Item dialog opened on it.

#include "DialogTestDriver.h"
#include "TempDataDirectory.h"
#include "gui/editing/DialogOpening.h"
#include "gui/editing/InventoryEdit.h"
#include "gui/mainwnd/BrowserState.h"
#include "core/store/CategoryStore.h"
#include "gui/mainwnd/BrowserState.h"

#include <functional>

namespace wareloom::test {

// Tools.dat with the item Saw, code A1, in slot 2, chosen for editing as a
// click on its line in the main window does.
inline QByteArray selectSawInTools(const TempDataDirectory& data)
{
    ItemRecord saw;
    setFieldText(saw, ItemField::Name, "Saw");
    setFieldText(saw, ItemField::Code, "A1");
    const QByteArray bytes = QByteArray(90, 'k') + QByteArray(saw.bytes.data(), 90);
    if (!data.writeFile(QStringLiteral("Tools.dat"), bytes))
        return {};
    browserState() = BrowserState{};
    browserState().currentCategoryName = QStringLiteral("Tools");
    browserState().currentCategoryPath = categoryFilePath(QStringLiteral("Tools"));
    browserState().selectedItemSlot = 2;
    if (!loadCategory(browserState().currentCategoryPath, recordTable()).ok())
        return {};
    return bytes;
}

// Opens the Edit Item dialog on the selected item and runs action in it;
// closes the dialog if the action leaves it open. False when it never opened.
inline bool inEditItem(std::function<void(InventoryEdit&)> action)
{
    const auto opened = whenDialogOpens([action](QDialog* dialog) {
        auto* edit = qobject_cast<InventoryEdit*>(dialog);
        QVERIFY(edit);
        action(*edit);
        if (edit->isVisible())
            edit->reject();
    });
    openEditItemDialog();
    return *opened;
}

// Gives the Edit Item dialog one command.
inline bool commandInEditItem(int commandId)
{
    return inEditItem([commandId](InventoryEdit& edit) { QVERIFY(edit.sendCommand(commandId)); });
}

} // namespace wareloom::test

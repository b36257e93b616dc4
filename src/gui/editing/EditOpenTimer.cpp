#include "gui/editing/EditOpenTimer.h"

#include "gui/editing/FocusTimer.h"
#include "gui/editing/InventoryEdit.h"
#include "gui/editing/ItemPicture.h"
#include "gui/mainwnd/BrowserState.h"
#include "gui/platform/ThreadTimer.h"
#include "gui/mainwnd/BrowserState.h"

namespace wareloom {
namespace {

constexpr int OpenDelayMs = 250;

} // namespace

bool& previewOnce()
{
    static bool once = false;
    return once;
}

void EditOpenTimerProc()
{
    if (previewOnce())
        return;
    // Closed before the tick: no other window gets the picture.
    if (auto* dialog = qobject_cast<InventoryEdit*>(activeWindow())) {
        const ItemRecord& item = recordTable().slots[size_t(browserState().selectedItemSlot)];
        const QString storedCode = fieldString(item, ItemField::Code);
        if (!storedCode.isEmpty())
            showStoredPicture(*dialog, storedCode);
    }
    // The focus as the other dialogs take it; this sets the flag.
    FocusTimerProc(previewOnce());
}

void armEditOpenTimer()
{
    previewOnce() = false;
    // It acts once, so it runs once.
    setThreadTimer(OpenDelayMs, &EditOpenTimerProc, TimerRepeat::Once);
}

} // namespace wareloom

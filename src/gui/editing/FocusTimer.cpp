#include "gui/editing/FocusTimer.h"

#include "gui/platform/ResourceDialog.h"
#include "gui/platform/ThreadTimer.h"

namespace wareloom {
namespace {

constexpr int FocusDelayMs = 250;
constexpr int NameBoxId = 1001;

} // namespace

bool& itemAddFocusOnce()
{
    static bool once = false;
    return once;
}

bool& newCategoryFocusOnce()
{
    static bool once = false;
    return once;
}

void FocusTimerProc(bool& onceFlag)
{
    if (onceFlag)
        return;
    if (auto* dialog = qobject_cast<ResourceDialog*>(activeWindow())) {
        if (QWidget* nameBox = dialog->control(NameBoxId))
            nameBox->setFocus(Qt::OtherFocusReason);
    }
    onceFlag = true;
}

void armFocusTimer(bool& onceFlag)
{
    onceFlag = false;
    // It acts once, so it runs once.
    setThreadTimer(
        FocusDelayMs, [&onceFlag] { FocusTimerProc(onceFlag); }, TimerRepeat::Once);
}

} // namespace wareloom

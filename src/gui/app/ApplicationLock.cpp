#include "gui/app/ApplicationLock.h"

#include "gui/app/CWareloomApp.h"

#include <QtGlobal>

namespace wareloom {
namespace {

int g_lockCount = 0;

} // namespace

void lockApplication()
{
    ++g_lockCount;
}

void unlockApplication()
{
    Q_ASSERT(g_lockCount > 0);
    if (--g_lockCount > 0)
        return;
    if (CWareloomApp* app = CWareloomApp::instance())
        app->OnReleaseAllObjects();
}

int applicationLockCount()
{
    return g_lockCount;
}

} // namespace wareloom

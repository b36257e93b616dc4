#pragma once

namespace wareloom {

// The count of live automation objects. When it drops back to zero the
// application object hears of it (CWareloomApp::OnReleaseAllObjects).
void lockApplication();
void unlockApplication();
int applicationLockCount();

} // namespace wareloom

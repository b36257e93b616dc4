#pragma once

// Focus on opening: the New Category and Add Item dialogs put the focus into
// their name box (control 1001) a quarter second after they open.
namespace wareloom {

// The process-wide once-flags of the two dialogs.
bool& itemAddFocusOnce();
bool& newCategoryFocusOnce();

// Unless onceFlag is set: focuses control 1001 of the active window and sets it.
void FocusTimerProc(bool& onceFlag);

// Clears onceFlag and starts the 250 ms timer that calls FocusTimerProc with it.
void armFocusTimer(bool& onceFlag);

} // namespace wareloom

#pragma once

// Preview on opening: a quarter second after the Edit Item dialog opens, its
// stored picture is drawn and the focus goes into its name box, once.
namespace wareloom {

// The process-wide preview once-flag.
bool& previewOnce();

// Unless the flag is set: on the active window, if it is the Edit Item
// dialog, shows the picture of the code stored in the selected slot (not the
// code box) and focuses the name box. Sets the flag.
void EditOpenTimerProc();

// Clears the flag and starts the 250 ms timer that calls EditOpenTimerProc.
void armEditOpenTimer();

} // namespace wareloom

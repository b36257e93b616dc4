#pragma once

namespace wareloom {

// Publishing without a window (-Publish, or -Generate for the pages only):
// progress and errors go to standard error. Returns the exit status, 0 when
// everything was written (and uploaded).
int runHeadlessPublish(bool generateOnly);

} // namespace wareloom

#pragma once

#include "core/util/Status.h"

#include <QFile>

namespace wareloom {

// Opens file (its name set) for reading only when it is a regular file, or a
// link to one. A FIFO, a socket or a device that took the file's name is
// refused without waiting: opening a FIFO waits for a writer that may never
// come, and a device may never end. The failure says why, in a few words;
// it is missing() when there is nothing of that name at all.
Status openRegularFile(QFile& file);

} // namespace wareloom

#pragma once

#include "core/store/DataDirectory.h"

namespace wareloom {

struct CommandLineInfo;

// -History and -Restore on the categories of store, without a window: 0 when
// done; 1, with the reason on standard error, when not.
int runHistoryCommand(const DataDirectory& store, const CommandLineInfo& commandLine);

} // namespace wareloom

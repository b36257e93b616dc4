#pragma once

#include "core/store/DataDirectory.h"

namespace wareloom {

struct CommandLineInfo;

// -Export and -Import on the categories of store, without a window: 0 when done; 1, with every
// reason on standard error, when nothing could be (or was) written.
int runCsvCommand(const DataDirectory& store, const CommandLineInfo& commandLine);

} // namespace wareloom

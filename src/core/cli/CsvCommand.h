#pragma once

namespace wareloom {

struct CommandLineInfo;

// -Export and -Import without a window: 0 when done; 1, with every reason on
// standard error, when nothing could be (or was) written.
int runCsvCommand(const CommandLineInfo& commandLine);

} // namespace wareloom

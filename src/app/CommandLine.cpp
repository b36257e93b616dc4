#include "app/CommandLine.h"

namespace wareloom {

// Stub: the switches land with the automation object; until then every
// argument is ignored.
CommandLineInfo parseCommandLine(const QStringList& arguments)
{
    Q_UNUSED(arguments);
    return {};
}

// Stub: the automation object lands with its own work; until then the
// program always goes on to its window.
bool startAutomation(const CommandLineInfo& commandLine)
{
    Q_UNUSED(commandLine);
    return true;
}

} // namespace wareloom

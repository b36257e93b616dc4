#pragma once

#include <QStringList>

namespace wareloom {

// What the command line asks of the start-up.
struct CommandLineInfo
{
    enum class ShellCommand { None, Register, Unregister };
    bool runEmbedded = false;
    bool runAutomated = false;
    ShellCommand shellCommand = ShellCommand::None;
};

CommandLineInfo parseCommandLine(const QStringList& arguments);

// The automation step of the start-up: false when the program is to end
// without showing its window.
bool startAutomation(const CommandLineInfo& commandLine);

} // namespace wareloom

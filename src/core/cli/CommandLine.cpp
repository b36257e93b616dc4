#include "core/cli/CommandLine.h"

namespace wareloom {
namespace {

// The switch name of an argument, or empty when the argument is no switch.
QString switchName(const QString& argument)
{
    if (argument.startsWith(QLatin1String("--")))
        return argument.mid(2);
    if (argument.startsWith(QLatin1Char('/')) || argument.startsWith(QLatin1Char('-')))
        return argument.mid(1);
    return {};
}

bool is(const QString& name, const char* switchText)
{
    return name.compare(QLatin1String(switchText), Qt::CaseInsensitive) == 0;
}

} // namespace

CommandLineInfo parseCommandLine(const QStringList& arguments)
{
    CommandLineInfo info;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString name = switchName(arguments[i]);
        if (is(name, "Embedding"))
            info.runEmbedded = true;
        else if (is(name, "Automation"))
            info.runAutomated = true;
        else if (is(name, "Register") || is(name, "Regserver"))
            info.shellCommand = CommandLineInfo::ShellCommand::Register;
        else if (is(name, "Unregister") || is(name, "Unregserver"))
            info.shellCommand = CommandLineInfo::ShellCommand::Unregister;
        else if (is(name, "Publish"))
            info.publish = true;
        else if (is(name, "Generate"))
            info.generate = true;
        else if (is(name, "All"))
            info.sendAll = true;
        else if (is(name, "Prune"))
            info.pruneStale = true;
        else if (is(name, "Check"))
            info.check = true;
        else if (is(name, "Export") || is(name, "Import")) {
            info.csv = is(name, "Export") ? CommandLineInfo::CsvCommand::Export
                                          : CommandLineInfo::CsvCommand::Import;
            // Its two arguments, whatever they look like ("-" is standard input or output).
            info.csvCategory = arguments.value(++i);
            info.csvFile = arguments.value(++i);
        } else if (is(name, "History")) {
            info.history = CommandLineInfo::HistoryCommand::List;
            info.historyCategory = arguments.value(++i);
        } else if (is(name, "Restore")) {
            info.history = CommandLineInfo::HistoryCommand::Restore;
            info.historyCategory = arguments.value(++i);
            info.historyVersion = arguments.value(++i);
        } else if (is(name, "Version"))
            info.showVersion = true;
        else if (is(name, "Help") || is(name, "?"))
            info.showHelp = true;
        else if (!name.isEmpty() && !name.contains(QLatin1Char('/')) &&
                 info.unknownSwitch.isEmpty())
            info.unknownSwitch = arguments[i];
    }
    return info;
}

bool runsAutomated(const CommandLineInfo& commandLine)
{
    return commandLine.runEmbedded || commandLine.runAutomated;
}

bool endsWithoutWindow(const CommandLineInfo& commandLine)
{
    return commandLine.shellCommand != CommandLineInfo::ShellCommand::None &&
           !runsAutomated(commandLine);
}

bool publishesWithoutWindow(const CommandLineInfo& commandLine)
{
    return commandLine.publish || commandLine.generate;
}

bool checksWithoutWindow(const CommandLineInfo& commandLine)
{
    return commandLine.check && !publishesWithoutWindow(commandLine);
}

} // namespace wareloom

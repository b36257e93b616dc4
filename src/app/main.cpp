#include "core/cli/CommandLine.h"
#include "core/cli/CommandLineHelp.h"
#include "core/cli/CsvCommand.h"
#include "core/publish/HeadlessPublish.h"
#include "gui/Application.h"
#include "images/Thumbnail.h"

#include <QApplication>

#include <cstdio>

using namespace wareloom;

namespace {

int printAndEnd(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    return 0;
}

int runApplication()
{
    Application application(QCoreApplication::arguments());
    return application.run();
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLineInfo commandLine = parseCommandLine(arguments);

    // What needs no window runs without a display.
    if (commandLine.showVersion)
        return printAndEnd(versionText());
    if (commandLine.showHelp)
        return printAndEnd(usageText());
    if (commandLine.csv != CommandLineInfo::CsvCommand::None) {
        QCoreApplication application(argc, argv);
        return runCsvCommand(commandLine);
    }
    if (publishesWithoutWindow(commandLine)) {
        QCoreApplication application(argc, argv);
        return runHeadlessPublish(!commandLine.publish,
                                  {commandLine.sendAll, commandLine.pruneStale}, makeThumbnail);
    }
    if (endsWithoutWindow(commandLine)) {
        QCoreApplication application(argc, argv);
        return runApplication();
    }

    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.wareloom.Wareloom"));
    return runApplication();
}

#include "core/cli/CommandLine.h"
#include "core/cli/CommandLineHelp.h"
#include "core/cli/CsvCommand.h"
#include "core/cli/HistoryCommand.h"
#include "core/publish/HeadlessPublish.h"
#include "core/store/DataDirectory.h"
#include "core/transfer/HostConnection.h"
#include "core/util/ApplicationTitle.h"
#include "core/util/TextConversion.h"
#include "gui/Application.h"
#include "gui/platform/MessageBox.h"
#include "images/Thumbnail.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

using namespace wareloom;

namespace {

int printAndEnd(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    return 0;
}

int runApplication(const DataDirectory& store)
{
    Application application(QCoreApplication::arguments(), store);
    return application.run();
}

// The only place the environment is read: the rest is handed what it needs.
DataDirectory dataDirectoryFromEnvironment()
{
    const QString forced = qEnvironmentVariable("WARELOOM_DATA_DIR");
    return DataDirectory(forced.isEmpty() ? QDir::homePath() + QStringLiteral("/Wareloom")
                                          : forced);
}

// Refuses a code page records cannot be kept in: they would be stored empty.
Status applyEnvironment()
{
    const QByteArray forced = qgetenv("WARELOOM_CODEPAGE");
    if (!forced.isEmpty()) {
        if (Status usable = checkCodePage(forced); !usable)
            return Status::failure(QStringLiteral("WARELOOM_CODEPAGE: ") + usable.message());
    }
    setConversionCodePage(
        chooseCodePage(forced, {qgetenv("LC_ALL"), qgetenv("LC_CTYPE"), qgetenv("LANG")}));
    bool ok = false;
    const long seconds = qEnvironmentVariable("WARELOOM_FTP_TIMEOUT").toLong(&ok);
    if (ok)
        HostConnection::setUniformTimeout(std::chrono::seconds(seconds));
    return Status::success();
}

bool showsWindow(const CommandLineInfo& commandLine)
{
    return commandLine.csv == CommandLineInfo::CsvCommand::None &&
           !publishesWithoutWindow(commandLine) && !endsWithoutWindow(commandLine);
}

// Said once, in a window when the run would have shown one; exit status 2.
int refuseToStart(const Status& why, const CommandLineInfo& commandLine, int& argc, char** argv)
{
    if (showsWindow(commandLine)) {
        QApplication application(argc, argv);
        messageBox(nullptr, why.message(), applicationTitle());
    } else {
        std::fprintf(stderr, "%s: %s\n", qPrintable(applicationTitle()), qPrintable(why.message()));
    }
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLineInfo commandLine = parseCommandLine(arguments);

    if (!commandLine.unknownSwitch.isEmpty()) {
        // Before any window system: a mistyped switch needs no display to be said.
        const QString usage = usageText();
        std::fprintf(stderr, "Unknown switch %s\n%s\nwareloom --help lists every switch.\n",
                     qPrintable(commandLine.unknownSwitch),
                     qPrintable(usage.left(usage.indexOf(QStringLiteral("\n\n")))));
        return 2;
    }
    const Status environment = applyEnvironment();
    const DataDirectory store = dataDirectoryFromEnvironment();

    // What needs no window runs without a display.
    if (commandLine.showVersion)
        return printAndEnd(versionText());
    if (commandLine.showHelp)
        return printAndEnd(usageText());
    if (!environment)
        return refuseToStart(environment, commandLine, argc, argv);
    if (commandLine.csv != CommandLineInfo::CsvCommand::None) {
        QCoreApplication application(argc, argv);
        return runCsvCommand(store, commandLine);
    }
    if (commandLine.history != CommandLineInfo::HistoryCommand::None) {
        QCoreApplication application(argc, argv);
        return runHistoryCommand(store, commandLine);
    }
    if (publishesWithoutWindow(commandLine)) {
        QCoreApplication application(argc, argv);
        return runHeadlessPublish(store, !commandLine.publish,
                                  {commandLine.sendAll, commandLine.pruneStale}, makeThumbnail);
    }
    if (endsWithoutWindow(commandLine)) {
        QCoreApplication application(argc, argv);
        return runApplication(store);
    }

    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.wareloom.Wareloom"));
    return runApplication(store);
}

#include "core/cli/CommandLine.h"
#include "core/cli/CommandLineHelp.h"
#include "core/cli/CsvCommand.h"
#include "core/publish/HeadlessPublish.h"
#include "core/store/DataDirectory.h"
#include "core/transfer/FtpConnection.h"
#include "core/util/TextConversion.h"
#include "gui/Application.h"
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

void applyEnvironment()
{
    setConversionCodePage(chooseCodePage(
        qgetenv("WARELOOM_CODEPAGE"), {qgetenv("LC_ALL"), qgetenv("LC_CTYPE"), qgetenv("LANG")}));
    bool ok = false;
    const long seconds = qEnvironmentVariable("WARELOOM_FTP_TIMEOUT").toLong(&ok);
    if (ok)
        FtpConnection::setUniformTimeout(std::chrono::seconds(seconds));
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLineInfo commandLine = parseCommandLine(arguments);

    applyEnvironment();
    const DataDirectory store = dataDirectoryFromEnvironment();

    // What needs no window runs without a display.
    if (commandLine.showVersion)
        return printAndEnd(versionText());
    if (commandLine.showHelp)
        return printAndEnd(usageText());
    if (commandLine.csv != CommandLineInfo::CsvCommand::None) {
        QCoreApplication application(argc, argv);
        return runCsvCommand(store, commandLine);
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

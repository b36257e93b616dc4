#include "core/cli/CommandLine.h"
#include "core/cli/CommandLineHelp.h"
#include "core/cli/CsvCommand.h"
#include "core/cli/HistoryCommand.h"
#include "core/publish/HeadlessPublish.h"
#include "core/store/DataDirectory.h"
#include "core/transfer/HostConnection.h"
#include "core/util/ApplicationTitle.h"
#include "core/util/TextConversion.h"
#include "core/util/Translations.h"
#include "gui/Application.h"
#include "gui/platform/MessageBox.h"
#include "images/Thumbnail.h"

#include <QApplication>
#include <QDir>
#include <QLocale>

#include <cstdio>
#include <memory>

using namespace wareloom;

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(main)
};

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

// The language of the texts: that of messages (LC_ALL, LC_MESSAGES, LANG),
// and LANGUAGE's list of languages unless that is the C locale, as gettext
// does: LANG=C means the program's own English texts.
QLocale messagesLocale()
{
    QByteArray messages = qgetenv("LC_ALL");
    if (messages.isEmpty())
        messages = qgetenv("LC_MESSAGES");
    if (messages.isEmpty())
        messages = qgetenv("LANG");
    if (messages.isEmpty() || messages == "C" || messages == "POSIX" || messages.startsWith("C."))
        return QLocale::c();
    return QLocale::system();
}

// Every run that shows no window needs no display either.
bool showsWindow(const CommandLineInfo& commandLine)
{
    return commandLine.unknownSwitch.isEmpty() && !commandLine.showVersion &&
           !commandLine.showHelp && commandLine.csv == CommandLineInfo::CsvCommand::None &&
           commandLine.history == CommandLineInfo::HistoryCommand::None &&
           !publishesWithoutWindow(commandLine) && !checksWithoutWindow(commandLine) &&
           !endsWithoutWindow(commandLine);
}

// Said once, in a window when the run would have shown one; exit status 2.
int refuseToStart(const Status& why, const CommandLineInfo& commandLine)
{
    if (showsWindow(commandLine)) {
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
    // The one application object, made before any text is said so that the
    // texts can be translated.
    const std::unique_ptr<QCoreApplication> application =
        showsWindow(commandLine) ? std::make_unique<QApplication>(argc, argv)
                                 : std::make_unique<QCoreApplication>(argc, argv);
    const Translations translations(messagesLocale());

    if (!commandLine.unknownSwitch.isEmpty()) {
        const QString usage = usageText();
        std::fprintf(stderr, "%s\n%s\n%s\n",
                     qPrintable(Texts::tr("Unknown switch %1").arg(commandLine.unknownSwitch)),
                     qPrintable(usage.left(usage.indexOf(QStringLiteral("\n\n")))),
                     qPrintable(Texts::tr("wareloom --help lists every switch.")));
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
        return refuseToStart(environment, commandLine);
    if (commandLine.csv != CommandLineInfo::CsvCommand::None)
        return runCsvCommand(store, commandLine);
    if (commandLine.history != CommandLineInfo::HistoryCommand::None)
        return runHistoryCommand(store, commandLine);
    if (publishesWithoutWindow(commandLine)) {
        return runHeadlessPublish(store, !commandLine.publish,
                                  {commandLine.sendAll, commandLine.pruneStale}, makeThumbnail);
    }
    if (checksWithoutWindow(commandLine))
        return runHeadlessCheck(store);
    if (endsWithoutWindow(commandLine))
        return runApplication(store);

    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.wareloom.Wareloom"));
    return runApplication(store);
}

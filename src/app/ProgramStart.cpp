#include "app/ProgramStart.h"

#include "core/cli/CommandLineHelp.h"
#include "core/cli/CsvCommand.h"
#include "core/cli/HistoryCommand.h"
#include "core/pages/WebsiteSettings.h"
#include "core/publish/HeadlessPublish.h"
#include "core/transfer/HostConnection.h"
#include "core/util/ApplicationTitle.h"
#include "core/util/TextConversion.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace wareloom {
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

QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

DataDirectory dataDirectoryFromEnvironment()
{
    const QString forced = qEnvironmentVariable("WARELOOM_DATA_DIR");
    return DataDirectory(forced.isEmpty() ? QDir::homePath() + QStringLiteral("/Wareloom")
                                          : forced);
}

int refuseUnknownSwitch(const QString& unknownSwitch)
{
    const QString usage = usageText();
    std::fprintf(stderr, "%s\n%s\n%s\n",
                 qPrintable(Texts::tr("Unknown switch %1").arg(unknownSwitch)),
                 qPrintable(usage.left(usage.indexOf(QStringLiteral("\n\n")))),
                 qPrintable(Texts::tr("wareloom --help lists every switch.")));
    return 2;
}

} // namespace

ProgramStart::ProgramStart(int argc, char** argv)
    : m_commandLine(parseCommandLine(argumentsOf(argc, argv))),
      m_store(dataDirectoryFromEnvironment())
{}

bool ProgramStart::showsWindow() const
{
    const CommandLineInfo& line = m_commandLine;
    return line.unknownSwitch.isEmpty() && !line.showVersion && !line.showHelp &&
           line.csv == CommandLineInfo::CsvCommand::None &&
           line.history == CommandLineInfo::HistoryCommand::None && !publishesWithoutWindow(line) &&
           !checksWithoutWindow(line) && !endsWithoutWindow(line);
}

bool ProgramStart::wantsDesktop() const
{
    return showsWindow() || endsWithoutWindow(m_commandLine);
}

// That of messages (LC_ALL, LC_MESSAGES, LANG), and LANGUAGE's list of
// languages unless that is the C locale, as gettext does: LANG=C means the
// program's own English texts.
QLocale ProgramStart::messagesLocale()
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

Status ProgramStart::applyEnvironment()
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

std::optional<int> ProgramStart::runWithoutWindow(const ThumbnailMaker& makeThumbnail)
{
    const CommandLineInfo& line = m_commandLine;
    if (!line.unknownSwitch.isEmpty())
        return refuseUnknownSwitch(line.unknownSwitch);
    if (wantsDesktop())
        return std::nullopt;
    const Status environment = applyEnvironment();
    if (line.showVersion)
        return printAndEnd(versionText());
    if (line.showHelp)
        return printAndEnd(usageText());
    if (!environment)
        return refuse(environment);
    if (line.csv != CommandLineInfo::CsvCommand::None)
        return runCsvCommand(m_store, line);
    if (line.history != CommandLineInfo::HistoryCommand::None)
        return runHistoryCommand(m_store, line);
    if (publishesWithoutWindow(line)) {
        if (!makeThumbnail && hasThumbnailsToMake())
            return std::nullopt;
        return runHeadlessPublish(m_store, !line.publish, {line.sendAll, line.pruneStale},
                                  makeThumbnail);
    }
    return runHeadlessCheck(m_store);
}

// Only the modern pages show thumbnails.
bool ProgramStart::hasThumbnailsToMake() const
{
    return WebsiteSettings::load(m_store).style == WebsiteSettings::Style::Modern &&
           Thumbnails::anyToMake(m_store);
}

int ProgramStart::refuse(const Status& why)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(applicationTitle()), qPrintable(why.message()));
    return 2;
}

} // namespace wareloom

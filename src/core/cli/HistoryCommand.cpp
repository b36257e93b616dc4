#include "core/cli/HistoryCommand.h"

#include "core/cli/CommandLine.h"
#include "core/store/CategoryHistory.h"
#include "core/store/Inventory.h"
#include "core/util/ApplicationTitle.h"

#include <QCoreApplication>
#include <cstdio>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(HistoryCommand)
};

int fail(const QString& reason)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(applicationTitle()), qPrintable(reason));
    return 1;
}

int listVersions(const DataDirectory& store, const QString& name)
{
    const std::vector<HistoryVersion> versions = CategoryHistory(store.path()).versions(name);
    if (versions.empty())
        return fail(Texts::tr("No versions of \"%1\" are kept.").arg(name));
    // The headings stand over the columns below: a translation keeps their widths.
    std::printf("%s\n", qPrintable(Texts::tr("Version  Time                 Items  Action")));
    for (const HistoryVersion& version : versions) {
        std::printf(
            "%7d  %s  %5d  %s\n", version.number,
            qPrintable(version.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))),
            version.itemCount, version.action.toUtf8().constData());
    }
    return 0;
}

int restoreVersion(const DataDirectory& store, const QString& name, const QString& number)
{
    bool ok = false;
    const int version = number.toInt(&ok);
    if (!ok || version <= 0)
        return fail(Texts::tr("\"%1\" is not a version number.").arg(number));
    Inventory inventory(store);
    if (Status restored = inventory.restoreVersion(name, version); !restored)
        return fail(restored.message());
    std::printf(
        "%s\n",
        qPrintable(Texts::tr("%1 is version %2 again.").arg(name, QString::number(version))));
    return 0;
}

} // namespace

int runHistoryCommand(const DataDirectory& store, const CommandLineInfo& commandLine)
{
    if (commandLine.historyCategory.isEmpty())
        return fail(Texts::tr("-History takes a category, -Restore a category and a version: "
                              "wareloom -Restore \"<category>\" 3"));
    if (commandLine.history == CommandLineInfo::HistoryCommand::List)
        return listVersions(store, commandLine.historyCategory);
    return restoreVersion(store, commandLine.historyCategory, commandLine.historyVersion);
}

} // namespace wareloom

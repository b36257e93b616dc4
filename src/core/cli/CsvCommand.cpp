#include "core/cli/CsvCommand.h"

#include "core/cli/CommandLine.h"
#include "core/store/CsvFile.h"
#include "core/util/ApplicationTitle.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace wareloom {
namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(CsvCommand)
};

int fail(const QStringList& reasons)
{
    for (const QString& reason : reasons)
        std::fprintf(stderr, "%s: %s\n", qPrintable(applicationTitle()), qPrintable(reason));
    return 1;
}

// The category's file as found (its ".dat" in whatever case), or a new one.
QString categoryPath(const DataDirectory& store, const QString& name)
{
    for (const FoundCategory& found : listCategories(store.path())) {
        if (found.name == name)
            return store.filePath(found.fileName);
    }
    return store.categoryFilePath(name);
}

int exportCategory(const DataDirectory& store, const QString& name, const QString& fileName)
{
    ItemRecords records;
    if (Status loaded = loadCategory(categoryPath(store, name), records); !loaded) {
        return fail({loaded.isMissing() ? Texts::tr("There is no category \"%1\".").arg(name)
                                        : loaded.message()});
    }
    QFile out(fileName);
    const bool opened = fileName == u"-" ? out.open(stdout, QIODevice::WriteOnly)
                                         : out.open(QIODevice::WriteOnly | QIODevice::Truncate);
    const QByteArray csv = exportCsv(records);
    if (!opened || out.write(csv) != csv.size() || !out.flush())
        return fail({Texts::tr("%1 cannot be written: %2").arg(fileName, out.errorString())});
    return 0;
}

int importCategory(const DataDirectory& store, const QString& name, const QString& fileName)
{
    if (Status allowed = checkCategoryName(name); !allowed)
        return fail({allowed.message()});
    QFile in(fileName);
    const bool opened =
        fileName == u"-" ? in.open(stdin, QIODevice::ReadOnly) : in.open(QIODevice::ReadOnly);
    if (!opened)
        return fail({Texts::tr("%1 cannot be read: %2").arg(fileName, in.errorString())});
    (void)store.create(); // when it cannot be made, the append says why
    const QString path = categoryPath(store, name);
    const CsvImport read = importCsv(in, countItems(path));
    if (!read.problems.isEmpty())
        return fail(read.problems + QStringList{Texts::tr("Nothing was imported.")});
    if (Status appended =
            appendRecords(path, read.records, Texts::tr("Import into '%1'").arg(name));
        !appended)
        return fail({appended.message()});
    const int count = int(read.records.size());
    const QString imported = count == 1 ? Texts::tr("%1 item imported into %2.")
                                        : Texts::tr("%1 items imported into %2.");
    std::printf("%s\n", qPrintable(imported.arg(count).arg(name)));
    return 0;
}

} // namespace

int runCsvCommand(const DataDirectory& store, const CommandLineInfo& commandLine)
{
    if (commandLine.csvCategory.isEmpty() || commandLine.csvFile.isEmpty())
        return fail({Texts::tr("-Export and -Import take a category and a file: "
                               "wareloom -Export \"<category>\" <file.csv>")});
    return commandLine.csv == CommandLineInfo::CsvCommand::Export
               ? exportCategory(store, commandLine.csvCategory, commandLine.csvFile)
               : importCategory(store, commandLine.csvCategory, commandLine.csvFile);
}

} // namespace wareloom

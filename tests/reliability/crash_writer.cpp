// Saves items through the store's own functions, as fast as it can, until it
// is killed: each round appends the next record to one category, or removes
// its first record once it holds WindowSize records, so that every category
// file always holds a run of consecutive records. It also saves the settings
// with the round's number. Prints "writing" once the loop runs.
//
//     crash_writer <data directory>    (the categories must exist)
#include "CrashWriterRecords.h"
#include "core/store/CategoryStore.h"
#include "core/transfer/FtpSettings.h"

#include <QCoreApplication>

#include <cstdio>

using namespace wareloom;

namespace {

constexpr int WindowSize = 300;

void saveNextItem(const QString& path)
{
    RecordTable& table = recordTable();
    if (!loadCategory(path, table) || table.recordCount == 0)
        std::abort(); // the test seeds every category
    const auto last = test::crashWriterNumber(table.slots[size_t(table.recordCount)].bytes.data());
    if (!last)
        std::abort();
    table.scratch() = test::crashWriterRecord(*last + 1);
    const Status saved = table.recordCount < WindowSize ? appendScratchRecord(path, table)
                                                        : rewriteCategory(path, table, 1);
    if (!saved)
        std::abort();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    qputenv("WARELOOM_DATA_DIR", argv[1]);
    std::vector<QString> paths;
    for (const FoundCategory& category : listCategories())
        paths.push_back(dataFilePath(category.fileName));
    if (paths.empty())
        return 2;
    std::puts("writing");
    std::fflush(stdout);
    FtpSettings settings;
    for (unsigned round = 0;; ++round) {
        saveNextItem(paths[round % paths.size()]);
        settings.setText(SettingsField::UserName, QStringLiteral("user %1").arg(round));
        if (!settings.save())
            std::abort();
    }
}

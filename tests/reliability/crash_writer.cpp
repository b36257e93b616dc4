// Saves items through the store's own functions, as fast as it can, until it
// is killed: each round adds the next record to one category, dropping its
// first once it holds WindowSize, so that every category file always holds a
// run of consecutive records; then it saves the settings with the round's
// number. Prints "writing" once the loop runs.
//
//     crash_writer <data directory>    (the categories must exist)
#include "CrashWriterRecords.h"
#include "core/store/CategoryStore.h"
#include "core/transfer/SettingsFile.h"

#include <QCoreApplication>

#include <cstdio>

using namespace wareloom;

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
    constexpr size_t WindowSize = 300;
    for (unsigned round = 0;; ++round) {
        ItemRecords records;
        const QString& path = paths[round % paths.size()];
        if (!loadCategory(path, records) || records.empty())
            std::abort(); // the test seeds every category
        const auto last = test::crashWriterNumber(QByteArrayView(records.back().bytes));
        if (!last)
            std::abort();
        if (records.size() >= WindowSize)
            records.erase(records.begin());
        records.push_back(test::crashWriterRecord(*last + 1));
        setSettingsText(SettingsField::UserName, QStringLiteral("user %1").arg(round));
        if (!writeCategory(path, records) || !saveSettings())
            std::abort();
    }
}

#pragma once

// What the publish tests share: category files to publish, the order the
// listing yields them in, and an observer that records a run.

#include "publish/PublishRun.h"
#include "store/CategoryStore.h"
#include "store/ItemRecord.h"

#include "TempDataDirectory.h"
#include "TestFtpServer.h"

#include <QFile>
#include <QStringList>

#include <utility>
#include <vector>

namespace wareloom::test {

// A category file holding one item.
inline bool writeCategory(const TempDataDirectory& data, const QString& name)
{
    ItemRecord record;
    storeFieldString(record, ItemField::Name, QStringLiteral("Item of ") + name);
    storeFieldString(record, ItemField::Code, QStringLiteral("C1"));
    storeFieldString(record, ItemField::Price, QStringLiteral("1.00"));
    storeFieldString(record, ItemField::Qty, QStringLiteral("2"));
    return data.writeFile(name + QStringLiteral(".dat"),
                          QByteArray(record.bytes.data(), ItemRecord::Size));
}

inline bool writeCategories(const TempDataDirectory& data, const QStringList& names)
{
    for (const QString& name : names) {
        if (!writeCategory(data, name))
            return false;
    }
    return true;
}

// Category files in a data directory of their own, and settings that log in
// to a real FTP server.
struct PublishSetup
{
    PublishSetup() = default;
    // A server that fails in the ways of ftp_server.py's fault options.
    explicit PublishSetup(QStringList serverFaults) : server(std::move(serverFaults)) {}

    TempDataDirectory data;
    TestFtpServer server;

    // Empty when all is ready, else why not.
    QString start(const QStringList& categories,
                  const QString& uploadPath = QStringLiteral("/htdocs/"),
                  const QString& password = QString())
    {
        if (!writeCategories(data, categories))
            return QStringLiteral("cannot write the category files");
        if (!server.start())
            return server.errorString();
        SettingsFields settings = server.settings(uploadPath);
        if (!password.isNull())
            settings.password = password;
        return writeSettingsFile(settings) ? QString()
                                           : QStringLiteral("cannot write the settings file");
    }
};

// The category names in the order the file system lists them.
inline QStringList listedNames()
{
    QStringList names;
    for (const FoundCategory& category : listCategories())
        names << category.name;
    return names;
}

// The status texts a successful run shows for these categories.
inline QStringList successfulStatuses(const QStringList& categoriesInListingOrder)
{
    QStringList statuses{QStringLiteral("Creating HTML"),
                         QStringLiteral("Upload -> inventory.htm (main page)")};
    for (const QString& name : categoriesInListingOrder)
        statuses << QStringLiteral("Upload -> %1.htm").arg(name);
    statuses << QStringLiteral("Done");
    return statuses;
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Everything a run tells its observer, in order.
class RecordingObserver : public PublishObserver
{
public:
    void statusChanged(const QString& status) override { statuses << status; }
    void progressRangeChanged(int minimum, int maximum) override
    {
        ranges.push_back({minimum, maximum});
    }
    void progressChanged(int position) override { positions << position; }
    void runEnded(const PublishOutcome& outcome) override
    {
        ended << outcome;
        statusesWhenEnded = statuses.size();
    }

    QStringList statuses;
    std::vector<std::pair<int, int>> ranges;
    QList<int> positions;
    QList<PublishOutcome> ended;
    qsizetype statusesWhenEnded = -1;
};

} // namespace wareloom::test

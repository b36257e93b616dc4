#pragma once

// What the publish tests share: category files to publish, the order the
// listing yields them in, and a record of what a run told.

#include "core/publish/PublishRun.h"
#include "core/store/CategoryStore.h"
#include "core/store/ItemRecord.h"

#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "TestFtpServer.h"

#include <QStringList>

namespace wareloom::test {

// One category file of one item for each name.
inline bool writeCategories(const TempDataDirectory& data, const QStringList& names)
{
    for (const QString& name : names) {
        ItemRecord record;
        storeFieldString(record, ItemField::Name, QStringLiteral("Item of ") + name);
        storeFieldString(record, ItemField::Code, u"C1");
        storeFieldString(record, ItemField::Price, u"1.00");
        storeFieldString(record, ItemField::Qty, u"2");
        if (!data.writeFile(name + ".dat", QByteArray(record.bytes.data(), ItemRecord::Size)))
            return false;
    }
    return true;
}

// Category files in a data directory of their own, and settings that log in
// to a real FTP server (failing in the ways of ftp_server.py's options).
struct PublishSetup
{
    explicit PublishSetup(QStringList serverFaults = {}) : server(std::move(serverFaults)) {}

    TempDataDirectory data;
    TestFtpServer server;
    QString error;

    // Empty when all is ready, else why not (kept in error too).
    QString start(const QStringList& categories, const QString& uploadPath = "/htdocs/",
                  const QString& password = QString())
    {
        if (!writeCategories(data, categories))
            return error = "cannot write the category files";
        if (!server.start())
            return error = server.errorString();
        SettingsFields settings = server.settings(uploadPath);
        if (!password.isNull())
            settings.password = password;
        return error = writeSettingsFile(settings) ? QString() : "cannot write the settings file";
    }

    // Empty when every page reached the server as the data directory holds
    // it, else the first page that did not.
    QString pageNotPublished(const QStringList& pages, const QString& uploadPath = "/htdocs/") const
    {
        for (const QString& page : pages) {
            const QByteArray local = readFile(data.filePath(page));
            if (local.isEmpty() || server.fileContents(uploadPath + page) != local)
                return page;
        }
        return {};
    }
};

// The main page, then the page of every category in the order the file
// system lists them.
inline QStringList listedPages()
{
    QStringList pages{"inventory.htm"};
    for (const FoundCategory& category : listCategories())
        pages << category.name + ".htm";
    return pages;
}

// The status texts of a successful run.
inline QStringList successfulStatuses()
{
    QStringList statuses{"Creating HTML", "Upload -> inventory.htm (main page)"};
    for (const QString& page : listedPages().mid(1))
        statuses << "Upload -> " + page;
    return statuses << "Done";
}

inline QList<int> oneTo(int last)
{
    QList<int> numbers;
    for (int n = 1; n <= last; ++n)
        numbers << n;
    return numbers;
}

inline QStringList failedPageNames(const PublishOutcome& outcome)
{
    QStringList names;
    for (const FailedPage& page : outcome.failedPages)
        names << page.pageFileName;
    return names;
}

// Everything a run signals, in order.
struct RunRecord
{
    explicit RunRecord(PublishRun& run)
    {
        QObject::connect(&run, &PublishRun::statusChanged,
                         [this](const QString& s) { statuses << s; });
        QObject::connect(&run, &PublishRun::progressRangeChanged,
                         [this](int low, int high) { ranges << QPair(low, high); });
        QObject::connect(&run, &PublishRun::progressChanged, [this](int p) { positions << p; });
        QObject::connect(&run, &PublishRun::finished,
                         [this](const PublishOutcome&) { ++finished; });
    }

    QStringList statuses;
    QList<QPair<int, int>> ranges;
    QList<int> positions;
    int finished = 0;
};

} // namespace wareloom::test

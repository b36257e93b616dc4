#pragma once

#include "core/store/CategoryStore.h"
#include "core/store/ItemRecord.h"

#include "TempDataDirectory.h"
#include "TestFiles.h"
#include "TestFtpServer.h"

#include <algorithm>

namespace wareloom::test {

// One category file of one item for each name.
inline bool writeCategories(const TempDataDirectory& data, const QStringList& names)
{
    for (const QString& name : names) {
        ItemRecord record;
        storeFieldString(record, ItemField::Name, QStringLiteral("Item of ") + name);
        if (!data.writeFile(name + ".dat", QByteArray(record.bytes.data(), ItemRecord::Size)))
            return false;
    }
    return true;
}

struct PublishSetup
{
    explicit PublishSetup(QStringList serverFaults = {}) : server(std::move(serverFaults)) {}

    bool start(const QStringList& categories, const QString& uploadPath = "/htdocs/",
               const QString& password = "secret")
    {
        return writeCategories(data, categories) && server.start() &&
               writeSettingsFile(data.store(),
                                 {server.user(), password, server.address(), uploadPath, {}});
    }

    // True when each page reached the server as the data directory holds it.
    bool published(const QStringList& pages, const QString& uploadPath = "/htdocs/") const
    {
        return std::all_of(pages.begin(), pages.end(), [&](const QString& page) {
            const QByteArray bytes = readFile(data.filePath(page));
            return !bytes.isEmpty() && server.fileContents(uploadPath + page) == bytes;
        });
    }

    TempDataDirectory data;
    TestFtpServer server;
};

// Every category's page in the order the file system lists them, then the
// main page: the order of sending.
inline QStringList listedPages(const TempDataDirectory& data)
{
    QStringList pages;
    for (const FoundCategory& category : listCategories(data.path()))
        pages << category.name + ".htm";
    return pages << "inventory.htm";
}

} // namespace wareloom::test
